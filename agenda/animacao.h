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

// Cycle length of a care picture's animation (by its action), 0 for any
// other action.
int comprimento_ciclo(Acao acao);
// The frame at position 1..length of that cycle; empty for any other position.
std::string quadro_ciclo(Acao acao, int posicao);
// The resting frame of a care picture (the one its animation starts and ends on).
std::string quadro_repouso(Acao acao);
// Position of the resting frame in its cycle (the care click's start index).
int posicao_repouso(Acao acao);
// Frames the care click plays (a whole number of cycles plus one).
int quadros_cuidado(Acao acao);

// The gardener's, the seedlings' and the forecast's frames are the shell's.
using shell::numero_previsao;
using shell::quadro_hortelino;
using shell::quadro_mudas;
using shell::quadro_previsao;

using shell::ciclo_enxada;
using shell::quadro_enxada;
// The print picture's frame at position 1..7 (imp00..imp06).
std::string quadro_impressora(int posicao);
inline constexpr int ciclo_impressora = 7;
// The day count of the weekday picture shown while `quadro` ticks are left
// of the real-time animation: 7 - quadro, so 6 left gives yesterday and 0
// today. A count that an entry presentation replaced (10000 and down) keeps
// running back through the week instead of naming a weekday that has no
// picture.
int dias_atras(int quadro);

}  // namespace agenda
