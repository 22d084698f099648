#pragma once
// Common ground of the memory game tests (see tests/comum/ambiente.h): card
// pictures on drive E:, a fresh ranking database per test, a player who also
// types names into the ranking's name dialog, and a stand-in for the options
// screen.

#include <signal.h>

#include <QColor>
#include <QImage>
#include <QString>

#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "minigame/estado.h"
#include "minigame/gamedio.h"
#include "minigame/rank_form.h"
#include "minigame/ranking.h"
#include "minigame/registro.h"
#include "platform/db.h"
#include "tests/comum/ambiente.h"

namespace minigame_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
using comum::Dialogo;
using namespace minigame;

inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        const auto raiz = comum::nova_pasta_programa("minigame");
        const auto anima = comum::pasta_anima(raiz);
        for (int n = 0; n <= 18; ++n) {
            QImage img(8, 8, QImage::Format_RGB32);
            img.fill(QColor::fromHsv(n * 19, 200, 200));
            img.save(QString::fromStdString((anima / (std::to_string(n) + ".jpg")).string()), "JPG");
        }
        QImage fundo(16, 12, QImage::Format_RGB32);
        fundo.fill(Qt::white);
        fundo.save(QString::fromStdString((raiz / "back_ag1.jpg").string()), "JPG");
        return raiz.string();
    }();
    return pasta;
}

class JogoTest : public comum::Ambiente {
protected:
    void SetUp() override {
        prepara(pasta_programa());
        apaga_banco();
        minigame::reinicia_jogo();
        platform::SetNow(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));
        atende_dialogos();
        minigame::registra_formularios();
        telas_vazias({"conf"});
    }

    void TearDown() override {
        comum::Ambiente::TearDown();
        apaga_banco();
    }

    static void apaga_banco() {
        namespace fs = std::filesystem;
        platform::Workspace::Default().CloseAll();
        for (const char* f : {"gm.mdb", "gm.mdb-wal", "gm.mdb-shm"}) fs::remove(fs::path(pasta_programa()) / f);
    }

    // The scripted player also types the next name into the name dialog (or
    // closes it, or is logged out while it is open, when the script says so).
    void outro_dialogo(pf::Form& d) override {
        if (auto* m = dynamic_cast<mem_ok*>(&d)) {
            const std::string nome = nomes.empty() ? std::string("Ana") : nomes.front();
            if (!nomes.empty()) nomes.pop_front();
            if (nome == "<fecha>") {
                m->Unload();
            } else if (nome == "<sinal>") {
                // A logout with a name typed and not confirmed.
                t::TypeText("Zé");
                ::raise(SIGTERM);
            } else {
                t::TypeText(nome);
                t::Click(m->opções);
            }
        } else {
            d.Unload();
        }
    }

    gamedio& abre_jogo() {
        pf::Forms::Show(nome_tela_jogo);
        t::ProcessEvents();
        return pf::Forms::Get<gamedio>(nome_tela_jogo);
    }

    // The two cards of each picture of the deal on the board.
    static std::map<int, std::pair<int, int>> pares() {
        std::map<int, std::pair<int, int>> r;
        const auto& p = jogo().partida;
        for (int c = 0; c < n_cartas; ++c) {
            auto it = r.find(p.carta_figura[c]);
            if (it == r.end()) r[p.carta_figura[c]] = {c, -1};
            else it->second.second = c;
        }
        return r;
    }

    // Two cards with different pictures.
    static std::pair<int, int> par_diferente() {
        const auto& p = jogo().partida;
        for (int c = 1; c < n_cartas; ++c)
            if (p.carta_figura[c] != p.carta_figura[0]) return {0, c};
        return {0, 1};
    }

    // Finds every pair but the last, letting each blink run out.
    void acha_todos_menos_um(gamedio& g) {
        auto ps = pares();
        int n = 0;
        for (auto& [fig, cs] : ps) {
            if (++n == static_cast<int>(ps.size())) break;
            t::Click(g.figura(cs.first));
            t::Click(g.figura(cs.second));
            while (t::TickTimer(g.Timer1)) {
            }
        }
    }

    // Finds the last pair (after acha_todos_menos_um).
    void acha_ultimo(gamedio& g) {
        auto ps = pares();
        auto cs = ps.rbegin()->second;
        t::Click(g.figura(cs.first));
        t::Click(g.figura(cs.second));
    }

    // Runs the end-of-game blink to its end (the ranking sequence included).
    void termina_pisca(gamedio& g) {
        for (int i = 0; i < 16 && t::TickTimer(g.Timer3); ++i) {
        }
        t::ProcessEvents();
    }

    // Plays a whole game: `erros` wrong attempts, then 18 pairs, with
    // `segundos` on the clock; then runs the end of the game. The attempt
    // count comes out as erros + 18.
    void joga_partida(gamedio& g, int segundos, int erros = 0) {
        auto [a, b] = par_diferente();
        for (int i = 0; i < erros; ++i) {
            t::Click(g.figura(a));
            t::Click(g.figura(b));
        }
        acha_todos_menos_um(g);
        for (int s = 0; s < segundos; ++s) t::TickTimer(g.Timer2);
        acha_ultimo(g);
        termina_pisca(g);
    }

    // Adds a row to the ranking table directly.
    static void poe_linha(const std::string& tipo, const std::string& nome, const std::string& valor,
                          const std::string& peq_gra = "F") {
        auto db = platform::Workspace::Default().OpenDatabase(caminho_ranking());
        auto rs = db->OpenRecordset(tabela_ranking);
        rs->AddNew();
        rs->SetField("peq_gra", peq_gra);
        rs->SetField("tipo", tipo);
        rs->SetField("nome", nome);
        rs->SetField("valor", valor);
        rs->SetField("dta", "01/12/26");
        rs->Update();
    }

    // The values of one kind of the board kind, in the store's order.
    static std::vector<std::string> valores(const std::string& tipo, const std::string& peq_gra = "F") {
        std::vector<std::string> r;
        for (const auto& l : le_ranking())
            if (l.tipo == tipo && l.peq_gra == peq_gra) r.push_back(l.valor);
        return r;
    }

    std::deque<std::string> nomes;
};

}  // namespace minigame_test
