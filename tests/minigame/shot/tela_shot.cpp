// Draws the memory game's windows into PNG files, headless
// (QT_QPA_PLATFORM=offscreen), along one whole game: the deal, a game under
// way, the empty board of the finished game, the name dialog it brings up
// and the ranking window the game has just entered. Uses the pictures of the
// given program folder, whose drive C: holds the card pictures; the ranking
// database it writes there is removed at the end.

#include <QApplication>
#include <QImage>
#include <QString>

#include <cstdio>
#include <filesystem>
#include <string>

#include "minigame/estado.h"
#include "minigame/gamedio.h"
#include "minigame/rank_form.h"
#include "minigame/ranking.h"
#include "minigame/registro.h"
#include "model/estado.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/forms.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace pf = platform::forms;
namespace t = platform::forms::test;
using namespace minigame;

namespace {

class Vazia : public pf::Form {};

void salva(const pf::Form& f, const std::string& arquivo) {
    QImage img = pf::Screen::GrabForm(f, 1.0);
    img.save(QString::fromStdString(arquivo));
    std::printf("%s\n", arquivo.c_str());
}

// Finds the first pair still on the board, letting its blink run out.
bool acha_um_par(gamedio& g) {
    const auto& p = jogo().partida;
    for (int a = 0; a < n_cartas; ++a) {
        if (!g.figura(a).Visible()) continue;
        for (int b = a + 1; b < n_cartas; ++b)
            if (p.carta_figura[a] == p.carta_figura[b] && g.figura(b).Visible()) {
                t::Click(g.figura(a));
                t::Click(g.figura(b));
                while (t::TickTimer(g.Timer1)) {
                }
                return true;
            }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "uso: minigame_shot <pasta do programa> <pasta de saída>\n");
        return 2;
    }
    QApplication app(argc, argv);
    const std::string pasta = argv[1];
    const std::string saida = argv[2];
    platform::SetProgramFolder(pasta);
    platform::UseRecordingSoundBackend();
    model::sessao().dir_anima = "C:";
    shell::registra_dialogos();
    registra_formularios();
    pf::Forms::Register<Vazia>("conf");

    // Earlier results: the game below enters the time ranking at place 2
    // and the attempts ranking at place 3.
    const char* nomes[] = {"Joãozinho", "Pedro Henrique", "Ana", "Zé da Horta 🌱", "Bia"};
    const char* tempos[] = {"0:58", "2:12", "3:30", "9:59", "12:04"};
    const char* cliques[] = {"19", "21", "31", "40", "52"};
    for (int i = 0; i < 5; ++i) {
        jogo().nome_jogador = nomes[i];
        grava_rank_tempo(tempos[i]);
        grava_rank_cliques(cliques[i]);
    }

    // The deal.
    pf::Forms::Show(nome_tela_jogo);
    t::ProcessEvents();
    auto& g = pf::Forms::Get<gamedio>(nome_tela_jogo);
    auto& p = jogo().partida;
    salva(g, saida + "/gamedio_mesa.png");

    // A game under way: three pairs found, two different cards face up.
    for (int i = 0; i < 3; ++i) acha_um_par(g);
    int a = 0;
    while (!g.figura(a).Visible()) ++a;
    int b = a + 1;
    while (!g.figura(b).Visible() || p.carta_figura[b] == p.carta_figura[a]) ++b;
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    for (int s = 0; s < 83; ++s) t::TickTimer(g.Timer2);
    salva(g, saida + "/gamedio.png");

    // The rest of the pairs, 1:23 on the clock, 22 attempts in all.
    for (int i = 0; i < 3; ++i) {
        t::Click(g.figura(a));
        t::Click(g.figura(b));
    }
    while (p.pares_restantes > 1) acha_um_par(g);
    acha_um_par(g);
    salva(g, saida + "/gamedio_fim.png");

    // The end of the blink brings up the name dialog; the name typed goes
    // into both rankings and the ranking window opens.
    t::SetModalHook([&](pf::Form& d) {
        if (auto* m = dynamic_cast<mem_ok*>(&d)) {
            salva(*m, saida + "/mem_ok_vazio.png");
            t::TypeText("Maria Clara 🍅");
            salva(*m, saida + "/mem_ok.png");
            t::Click(m->opções);
        } else {
            d.Unload();
        }
    });
    while (t::TickTimer(g.Timer3)) {
    }
    t::ProcessEvents();
    std::printf("tempo %s, cliques %s, lugares %d e %d\n", g.Lbl_timer.Caption().c_str(),
                g.lbl_contador.Caption().c_str(), jogo().pos_tempo, jogo().pos_cliques);
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    salva(r, saida + "/rank_form.png");
    t::TickTimer(r.Timer1);
    salva(r, saida + "/rank_form_piscando.png");
    while (t::TickTimer(r.Timer1)) {
    }

    // Back to the game: a new deal.
    t::Click(r.Label1(1));
    t::ProcessEvents();
    salva(g, saida + "/gamedio_de_novo.png");

    pf::Forms::Reset();
    platform::Workspace::Default().CloseAll();
    for (const char* f : {"gm.mdb", "gm.mdb-wal", "gm.mdb-shm"})
        std::filesystem::remove(std::filesystem::path(pasta) / f);
    platform::ShutdownSound();
    return 0;
}
