#pragma once
// Registers the shell's forms by name with the forms registry: the dialogs
// ("ok", "form_ok_nao", "ok_help"), "fundo", "Conf_cd", "INTRONEW",
// "feira_horta" and "conf", and the stand-ins of the screens still to come.
// The application registers the real screens of the other subsystems after
// this call, which replaces the stand-ins.

namespace shell {

void registra_formularios();

// The start-up form, shown first by the application.
inline constexpr const char* formulario_inicial = "fundo";

}  // namespace shell
