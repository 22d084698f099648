#pragma once
// Every screen of the game registered by name: the program's own start, and
// the tests and benchmarks that run the game as the program does.

#include "agenda/registro.h"
#include "garden/trabalhando_na_horta.h"
#include "help/registro.h"
#include "minigame/registro.h"
#include "seedbed/registro.h"
#include "shell/registro.h"

namespace app {

inline void registra_telas() {
    shell::registra_formularios();
    garden::registra_formularios();
    seedbed::registra_formularios();
    agenda::registra_formularios();
    help::registra_formularios();
    minigame::registra_formularios();
}

}  // namespace app
