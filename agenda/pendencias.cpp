#include "agenda/pendencias.h"

#include <string>

#include "model/modelo.h"
#include "platform/text.h"

namespace agenda {

void pl_sem_tr(Pendencias& p) {
    auto& h = model::horta();
    const auto& c = model::catalogo();

    // Plantings and transplants: the planting status of each crop, as the
    // garden palette shows it.
    model::conta_canteiros_novos();
    p.qt_pld = 0;
    p.qt_tr = 0;
    for (int j = 1; j <= model::n_culturas; ++j) {
        const std::string s = model::status_plantio(j);
        if (s == "x" || s == "-") continue;
        const item_lista item{static_cast<std::int16_t>(j), platform::Val(s)};
        if (c.sem_cult[j] <= 0)
            p.lista_pld[p.qt_pld++] = item;
        else
            p.lista_tr[p.qt_tr++] = item;
    }
    h.cult_atual = model::n_culturas;

    // Sowings: one lot per interval of every ordered seedbed crop, unless a
    // young lot of it exists or its seedlings already went to a young bed.
    for (int j = 1; j <= model::n_culturas; ++j) h.qt_sem_cult[j] = 0;
    for (int k = 0; k < model::n_lotes; ++k) {
        const int cult = h.cult_sem[k];
        if (model::e_cultura(cult) && h.idade_sem[k] < c.interv_cult[cult]) h.qt_sem_cult[cult] += 1;
    }
    p.qt_pls = 0;
    for (int j = 1; j <= model::n_culturas; ++j) {
        if (c.sem_cult[j] <= 0) continue;
        const int necessidade = h.seq_cult[j] > 1 ? 1 : h.seq_cult[j];
        if (h.qt_sem_cult[j] == 0) {
            for (int i = 0; i < model::n_canteiros; ++i) {
                if (h.cult_can[i] == j && c.sem_cult[j] + h.idade_can[i] < c.interv_cult[j]) {
                    h.qt_sem_cult[j] = 1;
                    break;
                }
            }
        }
        if (necessidade - h.qt_sem_cult[j] > 0) p.lista_pls[p.qt_pls++] = static_cast<std::int16_t>(j);
    }
}

}  // namespace agenda
