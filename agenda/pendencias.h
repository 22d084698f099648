#pragma once
// The order-driven work of the week shown: the direct plantings, transplants
// and seedbed sowings still due in the current sowing interval, worked out
// from the market order and the live garden and seedbed state.

#include <array>
#include <cstdint>

namespace agenda {

// A pending order line: a crop and the beds still to plant of it.
struct item_lista {
    std::int16_t cult = 0;
    double qt = 0;
};

// The three pending lists; entries 0 to count - 1 are in use, in ascending
// crop code. Entries from the count on are never read.
struct Pendencias {
    std::array<item_lista, 22> lista_pld{};   // direct plantings due
    std::int16_t qt_pld = 0;
    std::array<item_lista, 22> lista_tr{};    // transplants due
    std::int16_t qt_tr = 0;
    std::array<std::int16_t, 22> lista_pls{}; // sowings due in the seedbed
    std::int16_t qt_pls = 0;
};

// Rebuilds the three lists from the live state. Recounts the model's
// conta_can and qt_sem_cult for crops 1 to 21 and leaves cult_atual at 21.
void pl_sem_tr(Pendencias& p);

}  // namespace agenda
