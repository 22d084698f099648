#pragma once
// Plain screens that stand in for the screens still to come (the garden, the
// seedbed, the agenda, help, the memory game), so that every road of the main
// menu and the options screen can be walked. Each shows its title and a
// "Retornar" that goes back where the real screen would return.

#include <functional>
#include <string>

#include "platform/forms/forms.h"

namespace shell {

namespace pf = platform::forms;

class tela_provisoria : public pf::Form {
public:
    pf::Label titulo{this, "titulo"};
    pf::Label aviso{this, "aviso"};
    pf::Label Retornar{this, "Retornar"};

    tela_provisoria(const std::string& legenda, std::function<void(tela_provisoria&)> retorno);
    void Retornar_Click();

private:
    std::function<void(tela_provisoria&)> retorno_;
};

// The screen that help's "Retornar" shows for a value of tela_atual.
std::string tela_de_retorno_do_help(const std::string& tela_atual);

// Registers the stand-ins "trabalhando_na_horta", "controle_da_sementeira",
// "age", "help" and "gamedio". The real screens registered afterwards
// replace them.
void registra_substitutos();

}  // namespace shell
