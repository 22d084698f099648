#pragma once
// Common ground of the screen test groups: a program folder of this test
// process (parallel runs never share one) with small pictures on the media
// drive E:, a clean model, a recording sound back end, a picture-load
// recorder, a set clock, the shared dialogs answered by a scripted player and
// stand-ins for the screens a screen leads to. Each group's apoio.h adds the
// pictures, forms and helpers of its own screen.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace comum {

namespace fs = std::filesystem;
namespace pf = platform::forms;
namespace t = platform::forms::test;

// Writes a 1 x 1 24-bit bitmap, making its folder when missing.
inline void grava_bmp(const fs::path& p) {
    static const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                          0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B,
                                          0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
}

// The frames <prefixo>NN<sufixo>.bmp of an animation, NN from primeiro to
// ultimo with two digits at least, as bitmaps in the folder.
inline void grava_quadros(const fs::path& pasta, const std::string& prefixo, int primeiro, int ultimo,
                          const std::string& sufixo = "") {
    for (int n = primeiro; n <= ultimo; ++n)
        grava_bmp(pasta / (prefixo + (n < 10 ? "0" : "") + std::to_string(n) + sufixo + ".bmp"));
}

// Removes `pasta` and all in it when the test process ends, whatever a test
// left read-only inside.
inline void remove_ao_sair(const fs::path& pasta) {
    static struct Pastas {
        std::vector<fs::path> lista;
        ~Pastas() {
            for (const fs::path& p : lista) {
                std::error_code ec;
                for (auto i = fs::recursive_directory_iterator(p, ec); !ec && i != fs::recursive_directory_iterator();
                     i.increment(ec))
                    if (i->is_directory(ec)) fs::permissions(i->path(), fs::perms::owner_all, fs::perm_options::add, ec);
                fs::remove_all(p, ec);
            }
        }
    } pastas;
    pastas.lista.push_back(pasta);
}

// The program folder of this test process for a group of tests, emptied of
// whatever an earlier process of the same id left there, with the media
// folder of drive E: made; removed when the process ends.
inline fs::path nova_pasta_programa(const std::string& grupo) {
    const fs::path raiz = fs::temp_directory_path() / ("brotalia-" + grupo + "-" + std::to_string(::getpid()));
    fs::remove_all(raiz);
    remove_ao_sair(raiz);
    fs::create_directories(raiz / "drives" / "E" / "anima");
    return raiz;
}

// The folder of drive E: pictures ("E:\anima") of a program folder.
inline fs::path pasta_anima(const fs::path& raiz) { return raiz / "drives" / "E" / "anima"; }

// The media disc of drive E: taken out while the game runs: its folder is
// moved aside until the end of the scope.
class DiscoFora {
public:
    explicit DiscoFora(const fs::path& raiz) : unidade_(raiz / "drives" / "E"), fora_(raiz / "disco-fora") {
        fs::rename(unidade_, fora_);
        platform::InvalidatePathCache();
    }
    ~DiscoFora() {
        fs::rename(fora_, unidade_);
        platform::InvalidatePathCache();
    }

private:
    fs::path unidade_, fora_;
};

// A screen the tested one leads to; it only has to exist.
class TelaVazia : public pf::Form {};

// One modal dialog as the player saw it.
struct Dialogo {
    std::string nome, titulo, mensagem, figura;
};

// The scripted player's answer to a yes/no question: a button ("&Sim" for
// true), or the question's close box.
struct Resposta {
    Resposta(bool s) : sim(s) {}
    bool sim;
    bool fecha = false;
};
inline const Resposta fecha_pergunta = [] {
    Resposta r(false);
    r.fecha = true;
    return r;
}();

class Ambiente : public ::testing::Test {
protected:
    // Fresh forms, the program folder, empty recorders, a clean model, the
    // recording sound back end and the session's media folders on drive E:.
    void prepara(const std::string& pasta) {
        t::ResetAll();
        platform::SetLogToStderr(false);
        platform::SetProgramFolder(pasta);
        platform::InvalidatePathCache();
        dialogos.clear();
        respostas.clear();
        figuras.clear();
        durante_dialogo = nullptr;
        model::reinicia_estado();
        sons = &platform::UseRecordingSoundBackend();
        auto& s = model::sessao();
        s.dir_anima = "E:";
        s.dir_som = "E:\\audio\\caipira";
    }

    // Sets the clock and makes it the garden's real and agenda date.
    static void acerta_data(platform::DateTime agora) {
        platform::SetNow(agora);
        auto& h = model::horta();
        h.data_real = h.data_agenda = platform::Now();
    }

    // Records every picture loaded into `figuras`.
    void observa_figuras() {
        pf::SetPictureLoadObserver([this](const std::string& p, bool) { figuras.push_back(p); });
    }

    // Registers the shared dialogs and answers every modal form through responde.
    void atende_dialogos() {
        shell::registra_dialogos();
        t::SetModalHook([this](pf::Form& d) { responde(d); });
    }

    // Each name a stand-in screen.
    static void telas_vazias(std::initializer_list<const char*> nomes) {
        for (const char* nome : nomes) pf::Forms::Register<TelaVazia>(nome);
    }

    void TearDown() override {
        t::SetModalHook({});
        pf::SetPictureLoadObserver({});
        platform::SetNow(std::nullopt);
        t::ResetAll();
        platform::SetProgramFolder("");
    }

    // Records a dialog and answers it: ok closes a message, yes/no comes from
    // the script (no when the script is empty); any other form goes to
    // outro_dialogo.
    void responde(pf::Form& d) {
        Dialogo r{d.Name(), d.Caption(), "", d.Picture().GamePath()};
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) r.mensagem = okf->mensagem.Caption();
        if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) r.mensagem = sn->mensagem.Caption();
        dialogos.push_back(r);
        if (durante_dialogo) durante_dialogo();
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) {
            t::Click(okf->opções);
        } else if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) {
            const Resposta r = respostas.empty() ? Resposta(false) : respostas.front();
            if (!respostas.empty()) respostas.pop_front();
            if (r.fecha)
                t::ClickCloseBox();
            else
                t::Click(sn->opções(r.sim ? 0 : 1));
        } else {
            outro_dialogo(d);
        }
    }

    // A modal form other than the shared dialogs: closed unless a group answers it.
    virtual void outro_dialogo(pf::Form& d) { d.Unload(); }

    // Plants bed i with crop cult of that age (in weeks).
    static void planta(int i, int cult, int idade = 0) {
        auto& h = model::horta();
        h.cult_can[i] = cult;
        h.idade_can[i] = idade;
        h.nome_can[i] = model::catalogo().nome_cult[cult];
    }

    // Number of sound calls whose path ends with the name.
    int tocou(const std::string& nome) const {
        int n = 0;
        for (const auto& c : sons->calls)
            if (c.path.size() >= nome.size() && c.path.compare(c.path.size() - nome.size(), nome.size(), nome) == 0)
                ++n;
        return n;
    }

    // Pictures loaded since the last call, with the media root cut off.
    std::vector<std::string> novas_figuras() {
        std::vector<std::string> r;
        for (auto& f : figuras) r.push_back(f.rfind("E:", 0) == 0 ? f.substr(2) : f);
        figuras.clear();
        return r;
    }

    platform::RecordingSoundBackend* sons = nullptr;
    std::vector<std::string> figuras;
    std::vector<Dialogo> dialogos;
    std::deque<Resposta> respostas;
    // Runs while a dialog is up, before it is answered.
    std::function<void()> durante_dialogo;
};

}  // namespace comum
