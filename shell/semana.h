#pragma once
// The week table "semana" of the game database (the media drive index "cd"
// and the processing date "data"), the media drive table, and the start-up
// week cycle that ages the garden by the whole weeks elapsed since the last
// processing date.

#include <optional>
#include <string>

#include "platform/clock.h"

namespace shell {

// Media drive index 0 to 5 → media root "C:" to "H:"; "" for any other index.
std::string unidade_de(int indice);

// Sets dir_anima from a drive index; any index outside 0 to 5 leaves it as it
// was. Returns whether it was set.
bool aplica_unidade(int indice);

// Reads "cd" of the first row of "semana" into *indice; an empty table leaves
// *indice as it was. Returns false (and a message in Portuguese in *erro) when
// the database cannot be read.
bool le_indice_cd(int* indice, std::string* erro = nullptr);

// Writes "cd" into the row of "semana" (adding the row when the table has
// none). Returns false with a message in *erro when it cannot be written.
bool grava_indice_cd(int indice, std::string* erro = nullptr);

// Reads "data" of the first row of "semana". Nothing when the table has no
// row or the field holds no date. Returns false (with *erro) when the
// database cannot be read.
bool le_data_semana(std::optional<platform::DateTime>* data, std::string* erro = nullptr);

// Whole weeks from the Sunday on or before `data` (at data's time of day) to
// `agora`; 0 when agora is not later than data. Capped at 32767: beyond the
// longest cycle of any crop more weeks change nothing.
int semanas_decorridas(platform::DateTime data, platform::DateTime agora);

// Saves the beds, the lots and the order ("st", "sem", "seq") and stores
// `agora` in "data" of "semana", all in one transaction: either the aged
// state and its new date are both stored, or neither is.
bool grava_horta_e_data(platform::DateTime agora, std::string* erro = nullptr);

// True when some crop 1 to 21 has a market order (seq_cult not 0).
bool auto_abastecimento();

// The start-up week cycle: ages the live garden and seedbed by the weeks
// elapsed since the stored processing date (with the "Nova Semana" notice,
// which says how many, when some bed or lot holds a crop, followed by how many
// beds ended their crop's cycle and how many lots were emptied), then saves the
// state and the new date together. Before more than 4 weeks are applied the
// database file as it was is copied beside it and the player told where;
// when no copy can be made nothing is aged or saved. A clock at or before
// the stored date changes nothing; more than a day before it, the player is
// told that the garden waits for the clock to reach that date. A missing
// date counts as a first run: nothing is aged and the present date is stored.
// When the stored game could not be loaded (estado_carregado false) nothing
// is aged or saved, so the stored game is never overwritten.
void nova_semana(bool horta_vazia, bool estado_carregado = true);

// Saves the game now, with the new date of a week applied by nova_semana
// whose save has not run yet (else as grava_horta does).
bool grava_jogo(std::string* erro = nullptr);

}  // namespace shell
