#pragma once
// The rules of the week's work in the garden and the seedbed: planting a crop
// in a bed (with the crop-rotation question), removing a bed's crop, the
// planting status the garden palette shows, sowing and removing a seedbed
// lot, the sowing status of the seedbed's crops, ticking a bed or a lot done
// for the week's care and telling when a care is finished, and when the
// guided "Parabéns" is due. They read and write the shared state only: the
// screens show what these return, and ask the player what they are given to
// ask.

#include <functional>
#include <string>
#include <vector>

#include "model/catalogo.h"

namespace model {

// Asks the player whether to plant a crop of the same botanical family as an
// earlier crop of the bed; true to plant anyway.
using PerguntaRotacao = std::function<bool()>;

// The cell holds a crop.
bool canteiro_ocupado(int canteiro);

// Plants `cult` in the bed `canteiro`. `pergunta` is asked once for the bed's
// last crop and once more for the crop before it, for each that shares the
// crop's family; the last answer counts, and no question means yes. On yes
// the bed takes the crop's name, the crop and age 0 (done mark and history
// untouched) and, when the crop is a seedbed crop whose planting status read
// "1" before this planting (the last transplant due), the lots holding its
// ready seedlings are freed. False (nothing changed) on no, or for a crop or
// cell out of range.
bool planta(int cult, int canteiro, const PerguntaRotacao& pergunta);

// Removes the crop of bed `canteiro`: the cell is no longer a bed (-1), with
// an empty name and age 0; its done mark and rotation history stay. Returns
// the crop it held (nao_usado for a cell out of range).
int remove_canteiro(int canteiro);

// The planting status of one crop as its palette counter shows it.
struct StatusCultura {
    int cultura;
    std::string status;
};

// The garden palette's refresh of crop `cult` (0 every crop, in ascending
// code order): recounts conta_can of those crops and gives each one's
// planting status (status_plantio). `removida` is the crop of a bed just
// removed: a seedbed crop with no ready seedlings then reads "1" instead of
// "x" this once, so that the bed may be transplanted again.
std::vector<StatusCultura> status_da_paleta(int cult, int removida = nenhuma);

// The garden's guided "Parabéns": a market order exists, no care is left
// open (`cuidado_aberto`, as the screen shows its care buttons) and no
// planting or transplant is due (tem_plantio). After a planting the screen
// shows it only when a direct planting was due before the drop
// (tem_plantio_direto).
bool parabens_na_horta(bool cuidado_aberto);

// The lot holds a seedbed crop.
bool lote_ocupado(int lote);

// Sows `cult` in the free lot `lote`: the lot takes the crop, its name and
// age 0. False (nothing changed) for an occupied lot, a crop that is not a
// seedbed crop or a lot out of range.
bool semeia(int cult, int lote);

// Removes the seedlings of `lote`: the lot is no longer in use (-1), with an
// empty name and age 0. Returns the crop it held (nao_usado when out of
// range).
int remove_lote(int lote);

// The seedbed's sowing plan for crop `cult` (0 or less every crop): recounts
// qt_sem_cult of those crops (semeaduras_do_intervalo; for one crop no more
// than 1) and gives each seedbed crop's status, "1" when a sowing is due this
// week (semeadura_devida), "-" otherwise.
std::vector<StatusCultura> status_da_semeadura(int cult);

// The seedbed's guided "Parabéns": a market order exists, no care is left
// open and no sowing is due (tem_pls). After a sowing the screen shows it
// only when a sowing was due before the drop.
bool parabens_na_sementeira(bool cuidado_aberto);

// Ticks or unticks bed `canteiro` done for this week's care; its new mark.
bool marca_canteiro(int canteiro);

// Every bed holding a crop whose care due this week is `trato` is ticked
// done: the care is finished.
bool cuidado_concluido_na_horta(const std::string& trato);

// Ticks or unticks lot `lote` done for this week's care; its new mark.
bool marca_lote(int lote);

// Every lot whose care due this week is `trato` is ticked done.
bool cuidado_concluido_na_sementeira(const std::string& trato);

}  // namespace model
