#pragma once
// The help window's registration by name in the forms registry.

namespace help {

// Registers "help" (replacing the shell's stand-in of that name).
void registra_formularios();

}  // namespace help
