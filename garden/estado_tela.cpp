#include "garden/estado_tela.h"

namespace garden {

namespace {
EstadoTelaHorta g_estado;
}

EstadoTelaHorta& estado_tela() { return g_estado; }
void reinicia_estado_tela() { g_estado = EstadoTelaHorta{}; }

}  // namespace garden
