#pragma once
// Registers the seedbed screen "controle_da_sementeira" with the forms
// registry by its name.

namespace seedbed {

void registra_formularios();

}  // namespace seedbed
