#include "model/regras.h"

#include <algorithm>

#include "model/checagens.h"
#include "model/estado.h"

namespace model {

namespace {

bool canteiro_valido(int i) { return i >= 0 && i < n_canteiros; }
bool lote_valido(int j) { return j >= 0 && j < n_lotes; }

// Lots of `cult` younger than its sowing interval.
int lotes_novos(int cult) {
    const EstadoHorta& h = horta();
    int n = 0;
    for (int j = 0; j < n_lotes; ++j)
        if (h.cult_sem[j] == cult && e_cultura(cult) && h.idade_sem[j] < catalogo().interv_cult[cult]) ++n;
    return n;
}

// A bed holds seedlings of `cult` sown within its sowing interval
// (transplanted young enough): they count as a sowing of the interval.
bool transplante_recente(int cult) {
    const EstadoHorta& h = horta();
    const Catalogo& c = catalogo();
    for (int i = 0; i < n_canteiros; ++i)
        if (h.cult_can[i] == cult && h.idade_can[i] + c.sem_cult[cult] < c.interv_cult[cult]) return true;
    return false;
}

bool semeadura_devida(int cult, int recentes) { return std::min(horta().seq_cult[cult], 1) - recentes > 0; }

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

bool plantio_direto_pendente() {
    for (int k = 1; k <= n_culturas; ++k) {
        if (catalogo().sem_cult[k] > 0) continue;
        const std::string s = status_plantio(k, canteiros_novos(k));
        if (s != "-" && s != "x") return true;
    }
    return false;
}

bool parabens_na_horta(bool cuidado_aberto) {
    const bool plantio = tem_plantio();
    return sessao().modo_guiado && !plantio && !cuidado_aberto;
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
        int n = cult <= 0 ? lotes_novos(k) : std::min(lotes_novos(k), 1);
        if (e_cultura_sementeira(k) && n == 0 && transplante_recente(k)) n = 1;
        h.qt_sem_cult[k] = n;
        if (e_cultura_sementeira(k)) r.push_back({k, semeadura_devida(k, n) ? "1" : "-"});
    }
    return r;
}

bool semeadura_pendente() {
    for (int k = 1; k <= n_culturas; ++k) {
        if (!e_cultura_sementeira(k)) continue;
        const int n = lotes_novos(k) > 0 ? lotes_novos(k) : transplante_recente(k) ? 1 : 0;
        if (semeadura_devida(k, n)) return true;
    }
    return false;
}

bool parabens_na_sementeira(bool cuidado_aberto) {
    const bool semeadura = tem_pls();
    return sessao().modo_guiado && !semeadura && !cuidado_aberto;
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
