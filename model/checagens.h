#pragma once
// The weekly to-do checks: what work the current week still holds in the
// garden and the seedbed, read from the catalogue and the live state. They
// change no bed or lot; tem_pls and tem_plantio recount the per-crop tallies
// qt_sem_cult and conta_can, and tem_plantio leaves cult_atual at the last
// crop it examined. Also the file names of the weekday pictures.

#include <string>

namespace model {

// Picture of today's weekday: dir_anima & "\anima\seman0" & w & ".bmp",
// w = 1 (Sunday) to 7 (Saturday) of the system date.
std::string pict_semana();

// Picture of the weekday d days before today (d from 0 to 7; 0 and 7 give
// today's picture).
std::string pict_semana_dia(int d);

// Some bed holds the crop at age 0 (planted or transplanted this week).
bool tem_cult_nova(int cult);

// Some seedbed lot holds cult_atual at exactly its seedbed weeks (its
// seedlings are ready to transplant this week).
bool tem_muda_pronta();
// The same for the crop `cult`, cult_atual untouched.
bool tem_muda_pronta(int cult);

// Seedbed care of the week other than sowing: 0 none due, 1 some not done,
// 2 all done.
int sit_tratos_sem();

// Garden care of the week other than planting, transplanting and
// replacement ("PLD", "TR", "REP"): 0 none due, 1 some not done, 2 all done.
int sit_tratos_horta();

// A seedbed sowing is due this week (recounts qt_sem_cult).
bool tem_pls();

// Planting status of a crop: "-" nothing to plant this interval, "x"
// seedlings not ready, "1" a transplant due, otherwise the number of beds
// still to plant. Uses conta_can as recounted by conta_canteiros_novos()
// (tem_plantio recounts it first) and sets cult_atual to the crop.
std::string status_plantio(int cult);
// The same status with `conta` beds of the crop younger than its sowing
// interval; changes nothing.
std::string status_plantio(int cult, int conta);

// The beds holding `cult` younger than its sowing interval.
int canteiros_novos(int cult);

// Recounts conta_can: per crop, the beds holding it younger than its sowing
// interval.
void conta_canteiros_novos();

// A planting or transplant is due this week (recounts conta_can, leaves
// cult_atual at the last crop examined).
bool tem_plantio();

// The week's work is still pending (the exit notice "Pendências"): garden
// care not done, a planting due, seedbed care not done or a sowing due.
bool tem_pendencias();

}  // namespace model
