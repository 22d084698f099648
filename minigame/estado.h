#pragma once
// What the memory game keeps: the board kind, the name typed at the end of a
// game, the ranking places of the newest entries and the game on the board.
// One instance; tests start from a clean one with reinicia_jogo().
//
// The ranking kinds tipo_tempo ("1") and tipo_cliques ("2") belong to the
// session (model::sessao()): the options screen sets them before it opens
// the game.

#include <string>

#include "minigame/partida.h"

namespace minigame {

// Place in a ranking when the newest game made no entry of that kind.
inline constexpr int sem_posicao = 99;

struct EstadoJogo {
    // Board kind of the game being played; the game window sets it at every
    // activation and the ranking keeps its rows apart by it.
    std::string jogo_peq_gra = "F";
    // The name typed in the name dialog, stored with the new entries.
    std::string nome_jogador;
    // Place of the newest entry in the time and in the attempts ranking:
    // 1 to 5, 0 when that ranking was empty, sem_posicao for none.
    int pos_tempo = sem_posicao;
    int pos_cliques = sem_posicao;
    // The game on the board of the game window.
    Partida partida;
};

EstadoJogo& jogo();
void reinicia_jogo();

}  // namespace minigame
