#pragma once
// The report tables of the game database, rewritten for the week the agenda
// shows: "relat" (the week's activities by section and group), "rr" (the
// free beds with their last two crops) and "mapa_horta" (the garden map).

#include <string>

#include "agenda/listas.h"
#include "agenda/pendencias.h"
#include "platform/clock.h"

namespace agenda {

// Rewrites the three tables in one transaction on the game database
// (model::caminho_banco()), so that they never describe two different weeks.
// Returns false when the database could not be written; *erro then holds why,
// in Portuguese, and all three tables keep their old rows.
bool prepara_relat(const ListasRelatorio& rel, const Pendencias& p, std::string* erro = nullptr);

// Whether the three tables hold the week of `data_agenda`: the last rewrite
// of this run succeeded and was made for that week. False before the first
// rewrite and after a failed one, when the tables may still hold another week.
bool tabelas_da_semana(platform::DateTime data_agenda);

}  // namespace agenda
