#pragma once
// Common ground of the seedbed screen tests (see tests/comum/ambiente.h): the
// pictures the seedbed loads, an empty seedbed and stand-ins for the screens
// the seedbed leads to.

#include <string>

#include "seedbed/controle_da_sementeira.h"
#include "seedbed/registro.h"
#include "seedbed/tabela.h"
#include "tests/comum/ambiente.h"

namespace seedbed_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
using comum::Dialogo;
using seedbed::controle_da_sementeira;

// A program folder of our own, with the pictures the screen loads on drive E:
// and in the program folder (a 1 x 1 bitmap each).
inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        const auto raiz = comum::nova_pasta_programa("seedbed");
        const auto anima = comum::pasta_anima(raiz);
        auto grava = [&](const std::string& nome) { comum::grava_bmp(anima / nome); };
        for (const char* c : {"alf", "chi", "por", "agr", "cou", "esp", "che", "tom", "pim", "bgl", "rep", "bro", "flo"})
            grava(std::string("az_") + c + ".bmp");
        for (const auto& c : seedbed::culturas_sementeira())
            comum::grava_bmp(raiz / "forms" / (std::string("controle_da_sementeira_") + c.botao + ".bmp"));
        for (int n = 0; n <= 8; ++n) grava("cresce" + std::to_string(n) + ".bmp");
        grava("crescepb.bmp");
        comum::grava_quadros(anima, "li", 0, 12);
        comum::grava_quadros(anima, "des", 0, 12);
        comum::grava_quadros(anima, "tra", 0, 12);
        comum::grava_quadros(anima, "enx", 0, 10);
        comum::grava_quadros(anima, "enx", 0, 10, "c");
        comum::grava_quadros(anima, "hort", 0, 7);
        comum::grava_quadros(anima, "age", 0, 10);
        comum::grava_quadros(anima, "planet", 0, 10);
        for (int w = 1; w <= 7; ++w) grava("seman0" + std::to_string(w) + ".bmp");
        for (const char* bw : {"li06bw", "des06bw", "tra04bw"}) grava(std::string(bw) + ".bmp");
        grava("paras.jpg");
        grava("help6.jpg");
        for (const char* f : {"trab3.bmp", "trab3pb.bmp", "back_se5.jpg"}) comum::grava_bmp(raiz / f);
        return raiz.string();
    }();
    return pasta;
}

class SementeiraTest : public comum::Ambiente {
protected:
    void SetUp() override {
        prepara(pasta_programa());
        acerta_data(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));  // a Wednesday
        model::horta().cult_sem.fill(model::nenhuma);

        observa_figuras();
        atende_dialogos();
        telas_vazias({"INTRONEW", "age", "trabalhando_na_horta", "help"});
        seedbed::registra_formularios();
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

    // A picture's game path with the media root cut off.
    static std::string caminho(const pf::Picture& p) {
        const std::string& g = p.GamePath();
        return g.rfind("E:", 0) == 0 ? g.substr(2) : g;
    }
};

}  // namespace seedbed_test
