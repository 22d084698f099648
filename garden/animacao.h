#pragma once
// Frame names of the garden screen's picture-button animations and the grid
// geometry, kept apart from the form so that they are plain functions.

#include <cstdint>
#include <string>

#include "shell/navegacao.h"

namespace garden {

// Grid geometry of the bed grid `horta`, in its pixels.
constexpr int passo_grade = 42;
constexpr int lado_grade = 10;

// Cell index under a drop point of the grid. The point is clamped to the grid
// (a drop on its last pixel row or column, or beyond, belongs to the last
// cell), so the result is always 0..99.
std::int16_t celula_sob(double x, double y);

// Row and column of a cell.
inline int linha_de(int i) { return i / lado_grade; }
inline int coluna_de(int i) { return i % lado_grade; }

// Action codes of the garden's animation timer, beside the week buttons'.
using shell::acao_nenhuma;
using shell::acao_previsao;
using shell::acao_tempo_real;
enum AcaoHorta : int {
    acao_limpar = 8,
    acao_desbastar = 9,
    acao_amontoar = 10,
    acao_colher_parte = 11,
    acao_colher_total = 12,
    acao_botao_sementeira = 13,
    acao_hortelino = 14,
    acao_agenda = 15,
    acao_mudas = 16,
};

// The care and seedbed-button cycles, by action code (acao_limpar to
// acao_botao_sementeira).
int comprimento_ciclo(int acao);
// The frame at position 1..length of that cycle, relative to the media root
// ("\anima\li06.bmp"); empty for any other position.
std::string quadro_ciclo(int acao, int posicao);

}  // namespace garden
