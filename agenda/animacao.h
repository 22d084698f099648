#pragma once
// Frame names of the agenda's picture animations, relative to the media root
// ("\anima\tra04.bmp"), kept apart from the form as plain functions.

#include <string>

#include "shell/navegacao.h"

namespace agenda {

// Action codes of the agenda's animation timer, beside the week buttons'.
using shell::acao_nenhuma;
using shell::acao_previsao;
using shell::acao_tempo_real;
enum Acao : int {
    acao_pls = 4,
    acao_pld = 5,
    acao_tr = 6,
    acao_li = 8,
    acao_des = 9,
    acao_am = 10,
    acao_cop = 11,
    acao_cof = 12,
    acao_menu = 14,
    acao_sementeira = 16,
    acao_horta = 17,
    acao_imprime = 18,
};

// Cycle length of a care picture's animation (by its action code), 0 for any
// other code.
int comprimento_ciclo(int acao);
// The frame at position 1..length of that cycle; empty for any other position.
std::string quadro_ciclo(int acao, int posicao);
// The resting frame of a care picture (the one its animation starts and ends on).
std::string quadro_repouso(int acao);
// Position of the resting frame in its cycle (the care click's start index).
int posicao_repouso(int acao);
// Frames the care click plays (a whole number of cycles plus one).
int quadros_cuidado(int acao);

// The gardener's, the seedlings' and the forecast's frames are the shell's.
using shell::numero_previsao;
using shell::quadro_hortelino;
using shell::quadro_mudas;
using shell::quadro_previsao;

// The garden picture's frame at position 1..11 (enx00c..enx10c).
std::string quadro_enxada(int posicao);
inline constexpr int ciclo_enxada = 11;
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
