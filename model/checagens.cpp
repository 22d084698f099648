#include "model/checagens.h"

#include <algorithm>
#include <array>

#include "model/catalogo.h"
#include "model/estado.h"
#include "platform/clock.h"

namespace model {

namespace {

std::string nome_pict_dia(int w) {
    return sessao().dir_anima + "\\anima\\seman0" + std::to_string(w) + ".bmp";
}

}  // namespace

std::string pict_semana() { return nome_pict_dia(platform::Weekday(platform::Now())); }

std::string pict_semana_dia(int d) {
    int w = platform::Weekday(platform::Now()) - d;
    if (w >= -6 && w <= 0) w += 7;
    return nome_pict_dia(w);
}

bool tem_cult_nova(int cult) {
    const EstadoHorta& h = horta();
    for (int i = 0; i < n_canteiros; ++i)
        if (h.cult_can[i] == cult && h.idade_can[i] == 0) return true;
    return false;
}

bool tem_muda_pronta() { return tem_muda_pronta(horta().cult_atual); }

bool tem_muda_pronta(int cult) {
    const EstadoHorta& h = horta();
    if (!e_cultura(cult)) return false;
    for (int j = 0; j < n_lotes; ++j)
        if (h.cult_sem[j] == cult && h.idade_sem[j] == catalogo().sem_cult[cult]) return true;
    return false;
}

int sit_tratos_sem() {
    const EstadoHorta& h = horta();
    int resultado = 0;
    for (int j = 0; j < n_lotes; ++j) {
        const std::string t = trato_sem(h.cult_sem[j], h.idade_sem[j]);
        if (t.empty() || t == "PLS") continue;
        resultado = 2;
        if (!h.check_sem[j]) return 1;
    }
    return resultado;
}

int sit_tratos_horta() {
    const EstadoHorta& h = horta();
    int resultado = 0;
    for (int i = 0; i < n_canteiros; ++i) {
        if (h.cult_can[i] < 0) continue;
        const std::string t = trato_horta(h.cult_can[i], h.idade_can[i]);
        if (t.empty() || t == "PLD" || t == "TR" || t == "REP") continue;
        resultado = 2;
        if (!h.check_can[i]) return 1;
    }
    return resultado;
}

namespace {

// The places (beds or lots, by their crops and ages) holding `cult` younger
// than its sowing interval.
template <std::size_t N>
int mais_novos_que_o_intervalo(const std::array<int, N>& culturas, const std::array<int, N>& idades, int cult) {
    if (!e_cultura(cult)) return 0;
    int n = 0;
    for (std::size_t i = 0; i < N; ++i)
        if (culturas[i] == cult && idades[i] < catalogo().interv_cult[cult]) ++n;
    return n;
}

}  // namespace

int lotes_novos(int cult) { return mais_novos_que_o_intervalo(horta().cult_sem, horta().idade_sem, cult); }

int semeaduras_do_intervalo(int cult) {
    const int n = lotes_novos(cult);
    if (n > 0 || !e_cultura_sementeira(cult)) return n;
    // Seedlings already transplanted to a bed were sown within the interval
    // when the bed is young enough.
    const EstadoHorta& h = horta();
    const Catalogo& c = catalogo();
    for (int i = 0; i < n_canteiros; ++i)
        if (h.cult_can[i] == cult && c.sem_cult[cult] + h.idade_can[i] < c.interv_cult[cult]) return 1;
    return 0;
}

bool semeadura_devida(int cult) {
    return e_cultura_sementeira(cult) && std::min(horta().seq_cult[cult], 1) > semeaduras_do_intervalo(cult);
}

bool tem_pls() {
    for (int k = 1; k <= n_culturas; ++k)
        if (semeadura_devida(k)) return true;
    return false;
}

void conta_canteiros_novos() {
    for (int k = 1; k <= n_culturas; ++k) horta().conta_can[k] = canteiros_novos(k);
}

std::string status_plantio(int cult) {
    if (!e_cultura(cult)) return "-";
    horta().cult_atual = cult;
    return status_plantio(cult, horta().conta_can[cult]);
}

std::string status_plantio(int cult, int conta) {
    if (!e_cultura(cult)) return "-";
    const int faltam = horta().seq_cult[cult] - conta;
    std::string s = faltam > 0 ? std::to_string(faltam) : "-";
    const bool pronta = tem_muda_pronta(cult);
    if (catalogo().sem_cult[cult] > 0 && !pronta) s = "x";
    if (s == "-" && pronta && !tem_cult_nova(cult)) s = "1";
    return s;
}

int canteiros_novos(int cult) { return mais_novos_que_o_intervalo(horta().cult_can, horta().idade_can, cult); }

bool plantio_devido(int cult) {
    const std::string s = status_plantio(cult, canteiros_novos(cult));
    return s != "-" && s != "x";
}

bool tem_plantio() {
    for (int k = 1; k <= n_culturas; ++k)
        if (plantio_devido(k)) return true;
    return false;
}

bool tem_plantio_direto() {
    for (int k = 1; k <= n_culturas; ++k)
        if (catalogo().sem_cult[k] <= 0 && plantio_devido(k)) return true;
    return false;
}

bool tem_pendencias() {
    return sit_tratos_horta() == 1 || tem_plantio() || sit_tratos_sem() == 1 || tem_pls();
}

}  // namespace model
