#include "model/regras.h"

#include <algorithm>

#include "model/checagens.h"
#include "model/estado.h"

namespace model {

namespace {

bool canteiro_valido(int i) { return i >= 0 && i < n_canteiros; }
bool lote_valido(int j) { return j >= 0 && j < n_lotes; }

}  // namespace

// ------------------------------------------------------------------ garden

bool canteiro_ocupado(int canteiro) { return canteiro_valido(canteiro) && horta().cult_can[canteiro] > nenhuma; }

bool planta(int cult, int canteiro, const PerguntaRotacao& pergunta) {
    if (!e_cultura(cult) || !canteiro_valido(canteiro)) return false;
    EstadoHorta& h = horta();
    const Catalogo& c = catalogo();
    bool sim = true;
    for (int anterior : {h.ult_cult[canteiro], h.penult_cult[canteiro]})
        if (e_cultura(anterior) && c.fam_cult[cult] == c.fam_cult[anterior]) sim = pergunta();
    if (!sim) return false;

    // The crop's last transplant due: its ready seedlings left in the seedbed
    // are no longer needed once this bed is planted.
    const bool ultima_muda = c.sem_cult[cult] > 0 && status_plantio(cult, canteiros_novos(cult)) == "1";
    h.nome_can[canteiro] = c.nome_cult[cult];
    h.cult_can[canteiro] = cult;
    h.idade_can[canteiro] = 0;
    if (ultima_muda) {
        for (int j = 0; j < n_lotes; ++j) {
            if (h.cult_sem[j] == cult && h.idade_sem[j] == c.sem_cult[cult]) {
                h.cult_sem[j] = nenhuma;
                h.idade_sem[j] = 0;
                h.nome_sem[j].clear();
            }
        }
    }
    return true;
}

int remove_canteiro(int canteiro) {
    if (!canteiro_valido(canteiro)) return nao_usado;
    EstadoHorta& h = horta();
    const int cult = h.cult_can[canteiro];
    h.cult_can[canteiro] = nao_usado;
    h.nome_can[canteiro].clear();
    h.idade_can[canteiro] = 0;
    return cult;
}

std::vector<StatusCultura> status_da_paleta(int cult, int removida) {
    std::vector<StatusCultura> r;
    if (cult != 0 && !e_cultura(cult)) return r;
    const int primeira = cult == 0 ? 1 : cult;
    const int ultima = cult == 0 ? n_culturas : cult;
    for (int k = primeira; k <= ultima; ++k) horta().conta_can[k] = canteiros_novos(k);
    for (int k = primeira; k <= ultima; ++k) {
        std::string s = status_plantio(k);
        if (s == "x" && k == removida) s = "1";
        r.push_back({k, std::move(s)});
    }
    return r;
}

bool parabens_na_horta(bool cuidado_aberto) {
    return sessao().modo_guiado && !cuidado_aberto && !tem_plantio();
}

// ------------------------------------------------------------------ seedbed

bool lote_ocupado(int lote) { return lote_valido(lote) && e_cultura_sementeira(horta().cult_sem[lote]); }

bool semeia(int cult, int lote) {
    if (!e_cultura_sementeira(cult) || !lote_valido(lote) || lote_ocupado(lote)) return false;
    EstadoHorta& h = horta();
    h.nome_sem[lote] = catalogo().nome_cult[cult];
    h.cult_sem[lote] = cult;
    h.idade_sem[lote] = 0;
    return true;
}

int remove_lote(int lote) {
    if (!lote_valido(lote)) return nao_usado;
    EstadoHorta& h = horta();
    const int cult = h.cult_sem[lote];
    h.cult_sem[lote] = nao_usado;
    h.nome_sem[lote].clear();
    h.idade_sem[lote] = 0;
    return cult;
}

std::vector<StatusCultura> status_da_semeadura(int cult) {
    std::vector<StatusCultura> r;
    if (cult > n_culturas) return r;
    EstadoHorta& h = horta();
    const int primeira = cult <= 0 ? 1 : cult;
    const int ultima = cult <= 0 ? n_culturas : cult;
    for (int k = primeira; k <= ultima; ++k) {
        // One crop alone counts no further than its first young lot.
        const int n = semeaduras_do_intervalo(k);
        h.qt_sem_cult[k] = cult <= 0 ? n : std::min(n, 1);
        if (e_cultura_sementeira(k)) r.push_back({k, semeadura_devida(k) ? "1" : "-"});
    }
    return r;
}

bool parabens_na_sementeira(bool cuidado_aberto) {
    return sessao().modo_guiado && !cuidado_aberto && !tem_pls();
}

// ------------------------------------------------------------------ care

bool marca_canteiro(int canteiro) {
    if (!canteiro_valido(canteiro)) return false;
    auto& feito = horta().check_can[canteiro];
    feito = !feito;
    return feito;
}

bool cuidado_concluido_na_horta(const std::string& trato) {
    const EstadoHorta& h = horta();
    for (int i = 0; i < n_canteiros; ++i)
        if (h.cult_can[i] > nenhuma && !h.check_can[i] && trato_horta(h.cult_can[i], h.idade_can[i]) == trato)
            return false;
    return true;
}

bool marca_lote(int lote) {
    if (!lote_valido(lote)) return false;
    auto& feito = horta().check_sem[lote];
    feito = !feito;
    return feito;
}

bool cuidado_concluido_na_sementeira(const std::string& trato) {
    const EstadoHorta& h = horta();
    for (int j = 0; j < n_lotes; ++j)
        if (lote_ocupado(j) && !h.check_sem[j] && trato_sem(h.cult_sem[j], h.idade_sem[j]) == trato) return false;
    return true;
}

}  // namespace model
