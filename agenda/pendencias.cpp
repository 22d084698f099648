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

    // Sowings: the seedbed's sowing plan of every crop, which recounts
    // qt_sem_cult as it goes.
    p.qt_pls = 0;
    for (const auto& [cult, status] : model::status_da_semeadura(0))
        if (status == "1") p.lista_pls[p.qt_pls++] = static_cast<std::int16_t>(cult);
}

}  // namespace agenda
