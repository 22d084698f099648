#pragma once
// The report tables of the game database, rewritten for the week the agenda
// shows: "relat" (the week's activities by section and group), "rr" (the
// free beds with their last two crops) and "mapa_horta" (the garden map).

#include <string>

#include "agenda/listas.h"
#include "agenda/pendencias.h"

namespace agenda {

// Rewrites the three tables, each in its own transaction, on the game
// database (model::caminho_banco()). Returns false when the database could
// not be written; *erro then holds why, in Portuguese. A table whose rewrite
// failed keeps its old rows; a table written before it keeps its new ones.
bool prepara_relat(const ListasRelatorio& rel, const Pendencias& p, std::string* erro = nullptr);

}  // namespace agenda
