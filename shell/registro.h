#pragma once
// Registers the shell's forms by name with the forms registry: the dialogs
// ("ok", "form_ok_nao", "ok_help"), "fundo", "Conf_cd", "INTRONEW",
// "feira_horta" and "conf". The other subsystems register their own screens.

namespace shell {

void registra_formularios();

// The start-up form, shown first by the application.
inline constexpr const char* formulario_inicial = "fundo";

}  // namespace shell
