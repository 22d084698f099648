#include "minigame/estado.h"

namespace minigame {

EstadoJogo& jogo() {
    static EstadoJogo e;
    return e;
}

void reinicia_jogo() { jogo() = EstadoJogo{}; }

}  // namespace minigame
