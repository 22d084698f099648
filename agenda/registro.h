#pragma once
// Registers the agenda's forms with the forms registry by name ("age").

namespace agenda {

void registra_formularios();

}  // namespace agenda
