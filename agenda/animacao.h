#pragma once
// Frame names of the agenda's picture animations, relative to the media root
// ("\anima\tra04.bmp"), kept apart from the form as plain functions.

#include <string>

#include "shell/navegacao.h"

namespace agenda {

// The actions of the agenda's animation timer, beside the week buttons'.
using shell::AcaoSemana;
enum class Acao {
    pls,
    pld,
    tr,
    li,
    des,
    am,
    cop,
    cof,
    menu,
    sementeira,
    horta,
    imprime,
};

// The sowing picture's frame at position 1..13 of its cycle (sem00..sem12),
// and the planting picture's (pla01..pla10); empty for any other position.
std::string quadro_semeadura(int posicao);
inline constexpr int ciclo_semeadura = 13;
std::string quadro_plantio(int posicao);
inline constexpr int ciclo_plantio = 10;

// The gardener's, the seedlings' and the hoe's frames are the shell's.
using shell::ciclo_enxada;
using shell::quadro_enxada;
using shell::quadro_hortelino;
using shell::quadro_mudas;

// The print picture's frame at position 1..7 (imp00..imp06).
std::string quadro_impressora(int posicao);
inline constexpr int ciclo_impressora = 7;

}  // namespace agenda
