#pragma once
// The 13 crops that start in the seedbed, in slot order (the order in which
// the seedbed screen tests them and the index of their sowing indicators),
// and the look-ups between a crop button's name, a crop code and a slot.
// Also the frame names of the seedbed's own button animations.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "shell/navegacao.h"

namespace seedbed {

// One seedbed crop.
struct CulturaSementeira {
    const char* botao;           // control name of the crop button ("c_alf")
    std::int16_t cultura;        // crop code
    const char* figura_lote;     // lot and highlight picture, under the media root
    const char* dica_botao;      // tool tip of the crop button
    int botao_left, botao_top;   // crop button position, twips
    int ind_left, ind_top;       // indicator position, twips
    const char* titulo_aviso;    // caption of the indicator's explanation
    const char* aviso;           // the explanation itself
    const char* nome_som;        // the crop's spoken name, in the voice folder
};

constexpr int n_slots = 13;

// The seedbed crops, index = slot.
const std::array<CulturaSementeira, n_slots>& culturas_sementeira();

// Slot of a seedbed crop code; nothing for any other code.
std::optional<std::int16_t> FF_SEM(std::int16_t cultura);

// Growth picture of a lot, relative to the media root: "\anima\cresce3.bmp"
// for a lot holding a crop at age 3, "\anima\crescepb.bmp" for a free lot or
// a lot not in use.
std::string figura_crescimento(int cultura, int idade);

// The actions of the seedbed's animation timer, beside the week buttons'.
using shell::AcaoSemana;
enum class AcaoSementeira {
    limpar,
    desbastar,
    transplantar,
    botao_horta,
    hortelino,
    agenda,
    figura_horta,
};

// The garden button's frame at position 1..11 of its cycle (enx00..enx10);
// empty for any other position.
std::string quadro_botao_horta(int posicao);
inline constexpr int ciclo_botao_horta = 11;

}  // namespace seedbed
