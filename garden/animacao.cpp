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

int comprimento_ciclo(AcaoHorta acao) {
    switch (acao) {
        case AcaoHorta::limpar: return 12;            // li00..li09, li11, li12
        case AcaoHorta::desbastar: return 13;         // des00..des12
        case AcaoHorta::amontoar: return 12;          // amo00..amo11
        case AcaoHorta::colher_parte: return 14;      // cop00..cop13
        case AcaoHorta::colher_total: return 14;      // cof00..cof13
        case AcaoHorta::botao_sementeira: return 8;   // ssem00..ssem07
        default: return 0;
    }
}

std::string quadro_ciclo(AcaoHorta acao, int posicao) {
    const int n = comprimento_ciclo(acao);
    if (posicao < 1 || posicao > n) return {};
    switch (acao) {
        case AcaoHorta::limpar: return shell::quadro_anima("li", posicao <= 10 ? posicao - 1 : posicao);  // li10 skipped
        case AcaoHorta::desbastar: return shell::quadro_anima("des", posicao - 1);
        case AcaoHorta::amontoar: return shell::quadro_anima("amo", posicao - 1);
        case AcaoHorta::colher_parte: return shell::quadro_anima("cop", posicao - 1);
        case AcaoHorta::colher_total: return shell::quadro_anima("cof", posicao - 1);
        case AcaoHorta::botao_sementeira: return shell::quadro_anima("ssem", posicao - 1);
        default: return {};
    }
}

}  // namespace garden
