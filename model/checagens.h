#pragma once
// The weekly to-do checks: what work the current week still holds in the
// garden and the seedbed, read from the catalogue and the live state. The
// checks change nothing; only conta_canteiros_novos (the tally conta_can) and
// the one-argument status_plantio (cult_atual) write what the screens read
// afterwards. Also the file names of the weekday pictures.

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

// The lots holding `cult` younger than its sowing interval.
int lotes_novos(int cult);

// The sowings of `cult` made within its current sowing interval: its young
// lots or, for a seedbed crop with none, 1 when a bed holds seedlings of it
// transplanted young enough to have been sown within the interval.
int semeaduras_do_intervalo(int cult);

// A lot of the seedbed crop `cult` is to be sown this week: the crop is
// ordered (whatever the number of beds, one lot per interval) and no sowing
// of it was made within its interval.
bool semeadura_devida(int cult);

// A seedbed sowing is due this week (for some crop).
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

// A planting or transplant of `cult` is due this week: its planting status
// (with its young beds counted now) is a number.
bool plantio_devido(int cult);

// A planting or transplant is due this week, for some crop.
bool tem_plantio();

// A planting is due this week for some crop planted directly in the garden
// (a transplant due does not count).
bool tem_plantio_direto();

// The week's work is still pending (the exit notice "Pendências"): garden
// care not done, a planting due, seedbed care not done or a sowing due.
bool tem_pendencias();

}  // namespace model
