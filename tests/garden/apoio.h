#pragma once
// Common ground of the garden screen tests: a clean model, a recording sound
// back end, a picture-load recorder, a set clock, the shared dialogs answered
// by a scripted player and stand-ins for the screens the garden leads to.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "garden/estado_tela.h"
#include "garden/paleta.h"
#include "garden/trabalhando_na_horta.h"
#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/testing.h"
#include "shell/dialogos.h"

namespace garden_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
using garden::trabalhando_na_horta;

// A program folder of our own whose media drive E: holds small pictures under
// the names the tests look for (pictures that exist keep their game path).
inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        namespace fs = std::filesystem;
        const fs::path raiz = fs::temp_directory_path() / ("brotalia-garden-" + std::to_string(::getpid()));
        const fs::path anima = raiz / "drives" / "E" / "anima";
        fs::create_directories(anima);
        // A 1 x 1 24-bit bitmap.
        const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                       0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B,
                                       0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
        auto grava = [&](const std::string& nome) {
            std::ofstream(anima / nome, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
        };
        for (const char* c : {"alf", "chi", "por", "agr", "cou", "esp", "qui", "ruc", "cen", "bet", "nab",
                              "rab", "che", "tom", "pim", "bgl", "rep", "bro", "flo", "vgm", "pep"})
            grava(std::string("az_") + c + ".bmp");
        auto quadros = [&](const std::string& prefixo, int ultimo) {
            for (int n = 0; n <= ultimo; ++n) grava(prefixo + (n < 10 ? "0" : "") + std::to_string(n) + ".bmp");
        };
        quadros("li", 12);
        quadros("des", 12);
        quadros("amo", 11);
        quadros("cop", 13);
        quadros("cof", 13);
        for (const char* bw : {"li06bw", "des06bw", "amo05bw", "cop05bw", "cof05bw"}) grava(std::string(bw) + ".bmp");
        grava("parah.jpg");
        grava("help6.jpg");
        return raiz.string();
    }();
    return pasta;
}

// A screen the garden leads to; it only has to exist.
class TelaVazia : public pf::Form {};

// One modal dialog as the player saw it.
struct Dialogo {
    std::string nome, titulo, mensagem, figura;
};

class HortaTest : public ::testing::Test {
protected:
    void SetUp() override {
        t::ResetAll();
        platform::SetLogToStderr(false);
        platform::SetProgramFolder(pasta_programa());
        platform::InvalidatePathCache();
        dialogos.clear();
        respostas.clear();
        figuras.clear();
        durante_dialogo = nullptr;
        model::reinicia_estado();
        garden::reinicia_estado_tela();
        sons = &platform::UseRecordingSoundBackend();
        platform::SetNow(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));  // a Wednesday
        auto& h = model::horta();
        h.data_real = h.data_agenda = platform::Now();
        auto& s = model::sessao();
        s.dir_anima = "E:";
        s.dir_som = "E:\\audio\\caipira";
        // Every cell a free bed with no history.
        h.cult_can.fill(model::nenhuma);
        h.nome_can.fill("");

        pf::SetPictureLoadObserver([this](const std::string& p, bool) { figuras.push_back(p); });
        shell::registra_dialogos();
        garden::registra_formularios();
        for (const char* nome : {"INTRONEW", "age", "controle_da_sementeira", "help"})
            pf::Forms::Register<TelaVazia>(nome);
        t::SetModalHook([this](pf::Form& d) { responde(d); });
    }

    void TearDown() override {
        t::SetModalHook({});
        pf::SetPictureLoadObserver({});
        platform::SetNow(std::nullopt);
        t::ResetAll();
        platform::SetProgramFolder("");
    }

    // Answers a dialog: yes/no from the script (no when the script is empty).
    void responde(pf::Form& d) {
        Dialogo r{d.Name(), d.Caption(), "", d.Picture().GamePath()};
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) r.mensagem = okf->mensagem.Caption();
        if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) r.mensagem = sn->mensagem.Caption();
        dialogos.push_back(r);
        if (durante_dialogo) durante_dialogo();
        if (auto* okf = dynamic_cast<shell::ok*>(&d)) {
            t::Click(okf->opções);
        } else if (auto* sn = dynamic_cast<shell::form_ok_nao*>(&d)) {
            const bool sim = !respostas.empty() && respostas.front();
            if (!respostas.empty()) respostas.pop_front();
            t::Click(sn->opções(sim ? 0 : 1));
        } else {
            d.Unload();
        }
    }

    // Loads and shows the garden screen, as a visit does.
    trabalhando_na_horta& abre() {
        pf::Forms::Show(garden::nome_tela_horta);
        t::ProcessEvents();
        return pf::Forms::Get<trabalhando_na_horta>(garden::nome_tela_horta);
    }

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
    std::deque<bool> respostas;
    std::function<void()> durante_dialogo;
};

}  // namespace garden_test
