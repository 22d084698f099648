#include "agenda/animacao.h"

#include "shell/navegacao.h"

namespace agenda {

namespace {

struct Ciclo {
    int acao;
    const char* prefixo;
    int comprimento;
    int repouso;   // position of the resting frame
    int quadros;   // frames played by the care click
};

constexpr Ciclo kCiclos[] = {
    {acao_tr, "tra", 13, 5, 79},  {acao_pls, "sem", 13, 9, 79}, {acao_cof, "cof", 14, 8, 85},
    {acao_li, "li", 12, 7, 85},   {acao_pld, "pla", 10, 6, 61}, {acao_am, "amo", 12, 6, 73},
    {acao_cop, "cop", 14, 6, 85}, {acao_des, "des", 13, 7, 79},
};

const Ciclo* ciclo(int acao) {
    for (const Ciclo& c : kCiclos)
        if (c.acao == acao) return &c;
    return nullptr;
}

}  // namespace

int comprimento_ciclo(int acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->comprimento : 0;
}

std::string quadro_ciclo(int acao, int posicao) {
    const Ciclo* c = ciclo(acao);
    if (!c || posicao < 1 || posicao > c->comprimento) return "";
    int numero = posicao - 1;
    if (acao == acao_pld) numero = posicao;            // pla01..pla10
    if (acao == acao_li && posicao >= 11) numero = posicao;  // li10 is not in the cycle
    return shell::quadro_anima(c->prefixo, numero);
}

std::string quadro_repouso(int acao) {
    const Ciclo* c = ciclo(acao);
    return c ? quadro_ciclo(acao, c->repouso) : "";
}

int posicao_repouso(int acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->repouso : 0;
}

int quadros_cuidado(int acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->quadros : 0;
}

std::string quadro_enxada(int posicao) {
    if (posicao < 1 || posicao > ciclo_enxada) return "";
    return shell::quadro_anima("enx", posicao - 1, "c");
}

std::string quadro_impressora(int posicao) {
    if (posicao < 1 || posicao > ciclo_impressora) return "";
    return shell::quadro_anima("imp", posicao - 1);
}

int dias_atras(int quadro) { return ((7 - quadro - 1) % 7 + 7) % 7 + 1; }

}  // namespace agenda
