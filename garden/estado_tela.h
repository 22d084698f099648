#pragma once
// State of the garden screen that outlives one visit of the screen: the care
// mode. One instance, reset by tests with reinicia_estado_tela().

#include <cstdint>

namespace garden {

struct EstadoTelaHorta {
    // A care activity has been chosen since the screen was loaded.
    bool modo_trato = false;
};

EstadoTelaHorta& estado_tela();
void reinicia_estado_tela();

}  // namespace garden
