#pragma once
// State of the garden screen that outlives one visit of the screen: the last
// drop on the screen background, the removal flag of a seedbed crop and the
// care mode. One instance, reset by tests with reinicia_estado_tela().

#include <cstdint>

namespace garden {

struct EstadoTelaHorta {
    // 5 while a drop on the screen background is handled, 6 once that drop
    // removed a bed; keeps its last value until the next background drop.
    std::int16_t estado_arraste = 0;
    // A bed of a seedbed crop was just removed: that crop's counter reads "1"
    // once, so the bed can be transplanted again. Tied to the crop removed.
    bool flag_excluir = false;
    std::int16_t cult_excluida = 0;
    // A care activity has been chosen since the screen was loaded.
    bool modo_trato = false;
};

EstadoTelaHorta& estado_tela();
void reinicia_estado_tela();

}  // namespace garden
