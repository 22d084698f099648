#include "garden/figura_plantada.h"

#include "model/modelo.h"

namespace garden {

platform::forms::Picture figura_plantada(const std::string& caminho, std::int16_t cultura) {
    platform::forms::Picture figura = platform::forms::LoadPicture(caminho);
    if (!figura.IsEmpty() || !model::e_cultura(cultura)) return figura;
    // The size of a bed's and a lot's image (39 x 40 pixels), both stretched.
    return platform::forms::CaptionPicture(model::catalogo().nome_cult[cultura], 39, 40);
}

}  // namespace garden
