#pragma once
// The crop palette of the garden screen: the 21 crop images, their counters
// and the look-ups between an image's name, a crop code, a palette position
// and the picture files of a crop.

#include <array>
#include <cstdint>
#include <string>

namespace garden {

// One palette position. Positions 0..20 index the counters Label3(k).
struct EntradaPaleta {
    const char* imagem;          // control name of the crop image ("c_alf")
    std::int16_t cultura;        // crop code 1..21
    const char* dica_imagem;     // tool tip of the image
    int img_left, img_top;       // image position, twips
    int cont_left, cont_top;     // counter position, twips
    const char* figura;          // picture loaded by the palette refresh (under the media root)
    const char* figura_sem_guia; // picture loaded when there is no market order
    bool transplanta;            // seedbed crop: "transplantar", else "plantar"
    const char* texto_cultura;   // crop text of the counter's explanation
    const char* nome_som;        // the crop's spoken name (in the voice folder)
    const char* icone_canteiro;  // picture of a planted bed (under the media root)
    const char* dica_contador;   // tool tip of the counter
};

constexpr int n_paleta = 21;

// The palette in counter order (index = palette position).
const std::array<EntradaPaleta, n_paleta>& paleta();

// Palette position of a crop code: 0..20 for codes 1..21, 21 for code 0
// (no counter), 0 for any other code.
std::int16_t FF_horta(std::int16_t cultura);

// Counter index of a crop code: as FF_horta for 1..21, 0 for any other code.
std::int16_t supertreme(std::int16_t cultura);

// The bed picture of a crop code 1..21 ("\anima\az_alf.bmp"); empty otherwise.
std::string figura_canteiro(std::int16_t cultura);

// Palette entry of a crop code 1..21, or nullptr.
const EntradaPaleta* entrada_da_cultura(std::int16_t cultura);

// The crop name as it ends the counter's explanation ("Tomate", "Brócolis").
std::string nome_na_explicacao(const EntradaPaleta& e);

// The counter's explanation: "Voce deve transplantar " / "Voce deve plantar ",
// the counter's text and the crop text.
std::string explicacao_contador(const EntradaPaleta& e, const std::string& texto_contador);

}  // namespace garden
