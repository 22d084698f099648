#pragma once
// The rules of one memory game that need no window: the deal of 18 pictures
// on 36 cards, two cards each, and the clock text.

#include <array>
#include <string>

namespace minigame {

inline constexpr int n_cartas = 36;        // a 6 x 6 grid, cards 0 to 35
inline constexpr int n_colunas = 6;
inline constexpr int max_figuras = 18;     // pictures 1 to 18
// The clock counts whole seconds in a 16-bit signed value and stops there.
inline constexpr int max_segundos = 32767;

// The state of the game on the board; every deal resets it.
struct Partida {
    int qtd_figuras = max_figuras;                    // distinct pictures of a deal
    std::array<int, n_cartas> carta_figura{};         // picture on each card
    std::array<int, max_figuras + 1> restam_figura{}; // uses left per picture (1 to 18)
    int primeira = -1;                                // card turned first, -1 none
    int segunda = -1;                                 // card turned second, -1 none
    int pares_restantes = 0;                          // pairs still to find
    int piscadas = 0;                                 // blink ticks left of a matched pair
    int piscadas_fim = 0;                             // blink ticks left of the end of a game
    int segundos = 0;                                 // seconds since the first click
    // The score of the finished game (clock text and attempt count), taken
    // when its last pair is found; the ranking stores this, whatever a new
    // deal does to the captions meanwhile.
    std::string tempo_final;
    std::string cliques_final;
    bool fim_pendente = false;                        // the ranking of a finished game is still to come
};

// Draws a picture number from 1 to qtd_figuras that still has a use left and
// takes that use: the next pseudo-random number r (0 <= r < 1) gives
// (qtd_figuras - 1) x r + 1 rounded half to even; a picture with no use left
// passes to the next number, qtd_figuras wrapping to 1. Returns 0 (and takes
// nothing) when no picture has a use left.
int rand_imagem(Partida& p);

// Clears the board state for a new deal and lays the pictures: every picture
// gets two uses and each card 0 to 35 in order gets rand_imagem(). The
// caller reseeds the generator first.
void distribui(Partida& p);

// The clock text of a number of seconds: whole minutes, ":" and two-digit
// seconds (7 -> "0:07", 75 -> "1:15", 600 -> "10:00").
std::string texto_relogio(int segundos);

}  // namespace minigame
