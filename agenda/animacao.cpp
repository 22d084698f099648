#include "agenda/animacao.h"

#include "shell/navegacao.h"

namespace agenda {

std::string quadro_semeadura(int posicao) {
    if (posicao < 1 || posicao > ciclo_semeadura) return "";
    return shell::quadro_anima("sem", posicao - 1);
}

std::string quadro_plantio(int posicao) {
    if (posicao < 1 || posicao > ciclo_plantio) return "";
    return shell::quadro_anima("pla", posicao);
}

std::string quadro_impressora(int posicao) {
    if (posicao < 1 || posicao > ciclo_impressora) return "";
    return shell::quadro_anima("imp", posicao - 1);
}

}  // namespace agenda
