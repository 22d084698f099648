#include "seedbed/registro.h"

#include "seedbed/controle_da_sementeira.h"

namespace seedbed {

void registra_formularios() { registra_tela(); }

}  // namespace seedbed
