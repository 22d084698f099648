#include "minigame/partida.h"

#include <cmath>

#include "platform/clock.h"

namespace minigame {

int rand_imagem(Partida& p) {
    const int n = p.qtd_figuras;
    if (n < 1 || n > max_figuras) return 0;
    bool alguma = false;
    for (int f = 1; f <= n; ++f) alguma = alguma || p.restam_figura[f] > 0;
    if (!alguma) return 0;
    // Single precision, rounded to the nearest integer with halves to even
    // (nearbyint under the default rounding mode).
    const float r = static_cast<float>(platform::Rnd());
    int x = static_cast<int>(std::nearbyint(static_cast<float>(n - 1) * r + 1.0f));
    if (x < 1) x = 1;
    if (x > n) x = n;
    while (p.restam_figura[x] < 1) x = x % n + 1;
    --p.restam_figura[x];
    return x;
}

void distribui(Partida& p) {
    p.qtd_figuras = max_figuras;
    p.pares_restantes = max_figuras;
    p.primeira = -1;
    p.segunda = -1;
    p.restam_figura.fill(0);
    for (int f = 1; f <= p.qtd_figuras; ++f) p.restam_figura[f] = 2;
    for (int c = 0; c < n_cartas; ++c) p.carta_figura[c] = rand_imagem(p);
    p.segundos = 0;
}

std::string texto_relogio(int segundos) {
    const int minutos = segundos / 60;
    const int resto = segundos % 60;
    return std::to_string(minutos) + ":" + (resto < 10 ? "0" : "") + std::to_string(resto);
}

}  // namespace minigame
