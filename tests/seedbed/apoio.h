#pragma once
// Common ground of the seedbed screen tests: a clean model, a recording sound
// back end, a picture-load recorder, a set clock, the shared dialogs answered
// by a scripted player and stand-ins for the screens the seedbed leads to.

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "model/modelo.h"
#include "platform/clock.h"
#include "platform/log.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/forms/testing.h"
#include "seedbed/controle_da_sementeira.h"
#include "seedbed/registro.h"
#include "seedbed/tabela.h"
#include "shell/dialogos.h"

namespace seedbed_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
using seedbed::controle_da_sementeira;

// A program folder of our own, with the pictures the screen loads on drive E:
// and in the program folder (a 1 x 1 bitmap each).
inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        namespace fs = std::filesystem;
        const fs::path raiz = fs::temp_directory_path() / ("brotalia-seedbed-" + std::to_string(::getpid()));
        const fs::path anima = raiz / "drives" / "E" / "anima";
        fs::create_directories(anima);
        fs::create_directories(raiz / "forms");
        const unsigned char bmp[58] = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 1, 0,
                                       0,   0,   1,  0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0, 4, 0, 0, 0, 0x13, 0x0B,
                                       0,   0,   0x13, 0x0B, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0, 0};
        auto grava_em = [&](const fs::path& p) {
            std::ofstream(p, std::ios::binary).write(reinterpret_cast<const char*>(bmp), sizeof bmp);
        };
        auto grava = [&](const std::string& nome) { grava_em(anima / nome); };
        for (const char* c : {"alf", "chi", "por", "agr", "cou", "esp", "che", "tom", "pim", "bgl", "rep", "bro", "flo"})
            grava(std::string("az_") + c + ".bmp");
        for (const auto& c : seedbed::culturas_sementeira())
            grava_em(raiz / "forms" / (std::string("controle_da_sementeira_") + c.botao + ".bmp"));
        for (int n = 0; n <= 8; ++n) grava("cresce" + std::to_string(n) + ".bmp");
        grava("crescepb.bmp");
        auto quadros = [&](const std::string& prefixo, int ultimo, const std::string& sufixo = "") {
            for (int n = 0; n <= ultimo; ++n)
                grava(prefixo + (n < 10 ? "0" : "") + std::to_string(n) + sufixo + ".bmp");
        };
        quadros("li", 12);
        quadros("des", 12);
        quadros("tra", 12);
        quadros("enx", 10);
        quadros("enx", 10, "c");
        quadros("hort", 7);
        quadros("age", 10);
        quadros("planet", 10);
        for (int w = 1; w <= 7; ++w) grava("seman0" + std::to_string(w) + ".bmp");
        for (const char* bw : {"li06bw", "des06bw", "tra04bw"}) grava(std::string(bw) + ".bmp");
        grava("paras.jpg");
        grava("help6.jpg");
        grava_em(raiz / "trab3.bmp");
        grava_em(raiz / "trab3pb.bmp");
        grava_em(raiz / "back_se5.jpg");
        return raiz.string();
    }();
    return pasta;
}

// A screen the seedbed leads to; it only has to exist.
class TelaVazia : public pf::Form {};

// One modal dialog as the player saw it.
struct Dialogo {
    std::string nome, titulo, mensagem, figura;
};

class SementeiraTest : public ::testing::Test {
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
        sons = &platform::UseRecordingSoundBackend();
        platform::SetNow(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));  // a Wednesday
        auto& h = model::horta();
        h.data_real = h.data_agenda = platform::Now();
        auto& s = model::sessao();
        s.dir_anima = "E:";
        s.dir_som = "E:\\audio\\caipira";
        h.cult_sem.fill(model::nenhuma);

        pf::SetPictureLoadObserver([this](const std::string& p, bool) { figuras.push_back(p); });
        shell::registra_dialogos();
        for (const char* nome : {"INTRONEW", "age", "trabalhando_na_horta", "help"})
            pf::Forms::Register<TelaVazia>(nome);
        seedbed::registra_formularios();
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

    // Loads and shows the seedbed screen, as a visit does.
    controle_da_sementeira& abre() {
        pf::Forms::Show(seedbed::nome_tela_sementeira);
        t::ProcessEvents();
        return pf::Forms::Get<controle_da_sementeira>(seedbed::nome_tela_sementeira);
    }

    static void semeia(int i, int cult, int idade = 0, bool feito = false) {
        auto& h = model::horta();
        h.cult_sem[i] = cult;
        h.idade_sem[i] = idade;
        h.check_sem[i] = feito;
        h.nome_sem[i] = model::catalogo().nome_cult[cult];
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

    static std::string caminho(const pf::Picture& p) {
        const std::string& g = p.GamePath();
        return g.rfind("E:", 0) == 0 ? g.substr(2) : g;
    }

    platform::RecordingSoundBackend* sons = nullptr;
    std::vector<std::string> figuras;
    std::vector<Dialogo> dialogos;
    std::deque<bool> respostas;
    std::function<void()> durante_dialogo;
};

}  // namespace seedbed_test
