#pragma once
// The memory game's rankings: the five shortest game times and the five
// lowest attempt counts per board kind, kept in the table "gm" of the
// program folder's "\gm.mdb".
//
// Every row is text: peq_gra (board kind), tipo ("1" time, "2" attempts),
// nome (the player's name), valor (the score in five characters: 01:15 for a
// game of 1:15, 00042 for 42 attempts; smaller is better) and dta (the day,
// "dd/mm/yy").
//
// The store reads the table sorted by valor, rows of equal valor in the order
// they were added, so the place a check computes is the place the entry then
// takes, and the rows cut after an insert are the worst ones.
//
// Database problems are thrown as platform::DbError with a message in
// Portuguese that the windows show to the player.

#include <optional>
#include <string>
#include <vector>

namespace minigame {

inline constexpr const char* arq_ranking = "\\gm.mdb";
inline constexpr const char* tabela_ranking = "gm";
inline constexpr int tamanho_ranking = 5;

// One row of the table.
struct registro_gm {
    std::string peq_gra;
    std::string tipo;
    std::string nome;
    std::string valor;
    std::string dta;
};

// The database file: the program folder followed by "\gm.mdb".
std::string caminho_ranking();

// The stored form of a score, or nothing when it does not fit in five
// characters (a game of 100 minutes or more, 100000 attempts or more).
// Clock text "1:15" gives "01:15"; a clock that never ticked (":") counts as
// 0:00. Attempt text "42" gives "00042".
std::optional<std::string> valor_do_tempo(const std::string& texto_relogio);
std::optional<std::string> valor_dos_cliques(const std::string& texto_contador);

// Whether the game just finished, with this clock text, enters the time
// ranking of the board kind; sets pos_tempo to its place (1 to 5, 0 when
// the kind holds no row, sem_posicao when it does not enter).
bool testa_rank_tempo(const std::string& texto_relogio);
// The same for the attempt count; sets pos_cliques.
bool testa_rank_cliques(const std::string& texto_contador);

// Adds the entry under nome_jogador with today's date and cuts the kind back
// to its five best rows, in one transaction. A score that does not fit adds
// nothing.
void grava_rank_tempo(const std::string& texto_relogio);
void grava_rank_cliques(const std::string& texto_contador);

// Every row of the table, in the store's order.
std::vector<registro_gm> le_ranking();

// Deletes every row of the board kind (both rankings); rows of other board
// kinds stay. Returns how many rows went.
int zera_ranking(const std::string& peq_gra);

// How a stored score is shown: a time as the game clock showed it (01:23
// shows 1:23, 12:34 stays), an attempt count without leading zeros (00042
// shows 42).
std::string mostra_tempo(const std::string& valor);
std::string mostra_cliques(const std::string& valor);

}  // namespace minigame
