#pragma once
// Frame names of the garden screen's picture-button animations and the grid
// geometry, kept apart from the form so that they are plain functions.

#include <cstdint>
#include <string>

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

// The care and seedbed-button cycles, by action code 8..13 (LI, DES, AM, COP,
// COF, seedbed button).
int comprimento_ciclo(int acao);
// The frame at position 1..length of that cycle, relative to the media root
// ("\anima\li06.bmp"); empty for any other position.
std::string quadro_ciclo(int acao, int posicao);

// Forecast frame number n (1..10) shown while `quadro` ticks are left.
int numero_previsao(int quadro);
// "\anima\planet0n.bmp" / "\anima\planet10.bmp".
std::string quadro_previsao(int n);
// The gardener's frame for quadro 14..1 (hort01..hort07..hort00).
std::string quadro_hortelino(int quadro);
// The agenda's frame for quadro 11..1 (age00..age10).
std::string quadro_agenda(int quadro);
// The seedlings' frame for quadro 8..1 (mudas000..mudas007).
std::string quadro_mudas(int quadro);

}  // namespace garden
