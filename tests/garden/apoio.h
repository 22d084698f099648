#pragma once
// Common ground of the garden screen tests (see tests/comum/ambiente.h): the
// pictures the garden loads, its own screen state reset, and stand-ins for
// the screens the garden leads to.

#include <string>

#include "garden/estado_tela.h"
#include "garden/paleta.h"
#include "garden/trabalhando_na_horta.h"
#include "tests/comum/ambiente.h"

namespace garden_test {

namespace pf = platform::forms;
namespace t = platform::forms::test;
using comum::Dialogo;
using garden::trabalhando_na_horta;

// A program folder of our own whose media drive E: holds small pictures under
// the names the tests look for (pictures that exist keep their game path).
inline const std::string& pasta_programa() {
    static const std::string pasta = [] {
        const auto raiz = comum::nova_pasta_programa("garden");
        const auto anima = comum::pasta_anima(raiz);
        auto grava = [&](const std::string& nome) { comum::grava_bmp(anima / nome); };
        for (const char* c : {"alf", "chi", "por", "agr", "cou", "esp", "qui", "ruc", "cen", "bet", "nab",
                              "rab", "che", "tom", "pim", "bgl", "rep", "bro", "flo", "vgm", "pep"})
            grava(std::string("az_") + c + ".bmp");
        comum::grava_quadros(anima, "li", 0, 12);
        comum::grava_quadros(anima, "des", 0, 12);
        comum::grava_quadros(anima, "amo", 0, 11);
        comum::grava_quadros(anima, "cop", 0, 13);
        comum::grava_quadros(anima, "cof", 0, 13);
        for (const char* bw : {"li06bw", "des06bw", "amo05bw", "cop05bw", "cof05bw"}) grava(std::string(bw) + ".bmp");
        grava("parah.jpg");
        grava("help6.jpg");
        return raiz.string();
    }();
    return pasta;
}

class HortaTest : public comum::Ambiente {
protected:
    void SetUp() override {
        prepara(pasta_programa());
        garden::reinicia_estado_tela();
        acerta_data(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));  // a Wednesday
        // Every cell a free bed with no history.
        auto& h = model::horta();
        h.cult_can.fill(model::nenhuma);
        h.nome_can.fill("");

        observa_figuras();
        atende_dialogos();
        garden::registra_formularios();
        telas_vazias({"INTRONEW", "age", "controle_da_sementeira", "help"});
    }

    // Loads and shows the garden screen, as a visit does.
    trabalhando_na_horta& abre() {
        pf::Forms::Show(garden::nome_tela_horta);
        t::ProcessEvents();
        return pf::Forms::Get<trabalhando_na_horta>(garden::nome_tela_horta);
    }
};

}  // namespace garden_test
