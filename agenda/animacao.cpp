#include "agenda/animacao.h"

#include "shell/navegacao.h"

namespace agenda {

namespace {

struct Ciclo {
    Acao acao;
    const char* prefixo;
    int comprimento;
    int repouso;   // position of the resting frame
    int quadros;   // frames played by the care click
};

constexpr Ciclo kCiclos[] = {
    {Acao::tr, "tra", 13, 5, 79},  {Acao::pls, "sem", 13, 9, 79}, {Acao::cof, "cof", 14, 8, 85},
    {Acao::li, "li", 12, 7, 85},   {Acao::pld, "pla", 10, 6, 61}, {Acao::am, "amo", 12, 6, 73},
    {Acao::cop, "cop", 14, 6, 85}, {Acao::des, "des", 13, 7, 79},
};

const Ciclo* ciclo(Acao acao) {
    for (const Ciclo& c : kCiclos)
        if (c.acao == acao) return &c;
    return nullptr;
}

}  // namespace

int comprimento_ciclo(Acao acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->comprimento : 0;
}

std::string quadro_ciclo(Acao acao, int posicao) {
    const Ciclo* c = ciclo(acao);
    if (!c || posicao < 1 || posicao > c->comprimento) return "";
    int numero = posicao - 1;
    if (acao == Acao::pld) numero = posicao;            // pla01..pla10
    if (acao == Acao::li && posicao >= 11) numero = posicao;  // li10 is not in the cycle
    return shell::quadro_anima(c->prefixo, numero);
}

std::string quadro_repouso(Acao acao) {
    const Ciclo* c = ciclo(acao);
    return c ? quadro_ciclo(acao, c->repouso) : "";
}

int posicao_repouso(Acao acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->repouso : 0;
}

int quadros_cuidado(Acao acao) {
    const Ciclo* c = ciclo(acao);
    return c ? c->quadros : 0;
}

std::string quadro_impressora(int posicao) {
    if (posicao < 1 || posicao > ciclo_impressora) return "";
    return shell::quadro_anima("imp", posicao - 1);
}

int dias_atras(int quadro) { return ((7 - quadro - 1) % 7 + 7) % 7 + 1; }

}  // namespace agenda
