#pragma once
// The frames of the garden's seedbed button and the grid geometry, kept apart
// from the form so that they are plain functions.

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

// The actions of the garden's animation timer, beside the week buttons'.
using shell::AcaoSemana;
enum class AcaoHorta {
    limpar,
    desbastar,
    amontoar,
    colher_parte,
    colher_total,
    botao_sementeira,
    hortelino,
    agenda,
    mudas,
};

// The seedbed button's frame at position 1..8 of its cycle (ssem00..ssem07).
std::string quadro_botao_sementeira(int posicao);
inline constexpr int ciclo_botao_sementeira = 8;

}  // namespace garden
