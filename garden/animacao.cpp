#include "garden/animacao.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

namespace {

std::string dois_digitos(const char* prefixo, int n) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "\\anima\\%s%02d.bmp", prefixo, n);
    return buf;
}

}  // namespace

int comprimento_ciclo(int acao) {
    switch (acao) {
        case 8: return 12;   // LI: li00..li09, li11, li12
        case 9: return 13;   // DES: des00..des12
        case 10: return 12;  // AM: amo00..amo11
        case 11: return 14;  // COP: cop00..cop13
        case 12: return 14;  // COF: cof00..cof13
        case 13: return 8;   // seedbed button: ssem00..ssem07
        default: return 0;
    }
}

std::string quadro_ciclo(int acao, int posicao) {
    const int n = comprimento_ciclo(acao);
    if (posicao < 1 || posicao > n) return {};
    switch (acao) {
        case 8: return dois_digitos("li", posicao <= 10 ? posicao - 1 : posicao);  // li10 skipped
        case 9: return dois_digitos("des", posicao - 1);
        case 10: return dois_digitos("amo", posicao - 1);
        case 11: return dois_digitos("cop", posicao - 1);
        case 12: return dois_digitos("cof", posicao - 1);
        case 13: return dois_digitos("ssem", posicao - 1);
        default: return {};
    }
}

int numero_previsao(int quadro) {
    const int base = static_cast<int>(std::floor((quadro - 1) / 10.0));
    return 11 - (quadro - 10 * base);
}

std::string quadro_previsao(int n) { return dois_digitos("planet", n); }

std::string quadro_hortelino(int quadro) {
    // 14 -> hort01 ... 8 -> hort07, then back: 7 -> hort06 ... 1 -> hort00.
    const int n = quadro >= 8 ? 15 - quadro : quadro - 1;
    return dois_digitos("hort", n);
}

std::string quadro_agenda(int quadro) { return dois_digitos("age", 11 - quadro); }

std::string quadro_mudas(int quadro) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "\\anima\\mudas%03d.bmp", 8 - quadro);
    return buf;
}

}  // namespace garden
