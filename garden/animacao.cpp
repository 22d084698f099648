#include "garden/animacao.h"

#include <algorithm>
#include <cmath>

#include "shell/navegacao.h"

namespace garden {

std::int16_t celula_sob(double x, double y) {
    const double limite = passo_grade * lado_grade - 1;  // last pixel of the grid
    // NaN compares false everywhere: treat it as the origin.
    if (!(x >= 0)) x = 0;
    if (!(y >= 0)) y = 0;
    x = std::min(x, limite);
    y = std::min(y, limite);
    const int linha = static_cast<int>(std::floor(y / passo_grade));
    const int coluna = static_cast<int>(std::floor(x / passo_grade));
    return static_cast<std::int16_t>(lado_grade * linha + coluna);
}

std::string quadro_botao_sementeira(int posicao) {
    if (posicao < 1 || posicao > ciclo_botao_sementeira) return "";
    return shell::quadro_anima("ssem", posicao - 1);
}

}  // namespace garden
