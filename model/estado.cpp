#include "model/estado.h"

#include "model/persistencia.h"

namespace model {

EstadoHorta::EstadoHorta() {
    cult_can.fill(nao_usado);
    idade_can.fill(0);
    check_can.fill(false);
    ult_cult.fill(nao_usado);
    penult_cult.fill(nao_usado);

    cult_sem.fill(nao_usado);
    idade_sem.fill(0);
    check_sem.fill(false);

    seq_cult.fill(0);
    conta_can.fill(0);
    qt_sem_cult.fill(0);

    real = mostrado();
}

namespace {

struct Estado {
    EstadoHorta horta;
    EstadoSessao sessao;
};

Estado& estado() {
    static Estado e;
    return e;
}

}  // namespace

EstadoHorta& horta() { return estado().horta; }
EstadoSessao& sessao() { return estado().sessao; }

namespace {

std::vector<std::function<void()>>& reinicios() {
    static std::vector<std::function<void()>> lista;
    return lista;
}

}  // namespace

void ao_reiniciar_estado(std::function<void()> reinicia) { reinicios().push_back(std::move(reinicia)); }

void reinicia_estado() {
    estado().horta = EstadoHorta{};
    estado().sessao = EstadoSessao{};
    for (const auto& reinicia : reinicios()) reinicia();
    reinicia_banco();
}

std::vector<int> passa_semana() {
    EstadoHorta& h = horta();
    const Catalogo& c = catalogo();
    std::vector<int> liberados;

    // Beds first: a bed is freed by the step in which its age reaches the cycle.
    for (int i = 0; i < n_canteiros; ++i) {
        const int cult = h.cult_can[i];
        if (cult <= nenhuma) continue;
        h.idade_can[i] += 1;
        h.check_can[i] = false;
        // A code beyond the catalogue has no cycle to complete; it only ages.
        if (cult > n_culturas) continue;
        if (h.idade_can[i] >= c.ciclo_cult[cult]) {
            h.penult_cult[i] = h.ult_cult[i];
            h.ult_cult[i] = cult;
            h.cult_can[i] = nenhuma;
            h.idade_can[i] = 0;
            h.nome_can[i].clear();
            liberados.push_back(i);
        }
    }

    // Then lots: a lot keeps its crop for the week in which its age equals
    // the seedbed weeks (seedlings ready) and is emptied the week after.
    for (int j = 0; j < n_lotes; ++j) {
        const int cult = h.cult_sem[j];
        if (cult <= nenhuma) continue;
        h.idade_sem[j] += 1;
        h.check_sem[j] = false;
        if (cult > n_culturas) continue;
        if (h.idade_sem[j] > c.sem_cult[cult]) {
            h.cult_sem[j] = nenhuma;
            h.idade_sem[j] = 0;
            h.nome_sem[j].clear();
        }
    }
    return liberados;
}

void guarda_previsao() {
    EstadoHorta& h = horta();
    h.real = h.mostrado();
}

void restaura_previsao() {
    EstadoHorta& h = horta();
    h.data_agenda = h.data_real;
    h.mostrado() = h.real;
}

std::vector<int> avanca_previsao() {
    if (!previsao_ativa()) guarda_previsao();
    std::vector<int> liberados = passa_semana();
    horta().data_agenda += 7;
    return liberados;
}

bool previsao_ativa() {
    const EstadoHorta& h = horta();
    return h.data_agenda != h.data_real;
}

}  // namespace model
