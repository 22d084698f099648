#pragma once
// The picture of a garden bed or a seedbed lot that holds a crop.

#include <cstdint>
#include <string>

#include "platform/forms/picture.h"

namespace garden {

// The crop's picture file (a game path under the media root), or, when it
// cannot be read (the media disc taken out), a grey picture bearing the
// crop's name: a bed or lot in use never looks free, so the screen agrees
// with the refusal of a drop on it.
platform::forms::Picture figura_plantada(const std::string& caminho, std::int16_t cultura);

}  // namespace garden
