#pragma once
// The help window's registration by name in the forms registry.

namespace help {

// Registers "help".
void registra_formularios();

}  // namespace help
