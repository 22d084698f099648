#pragma once
// The shared game state. Every screen reads and writes it on the one
// user-interface thread; it lives in two structs with one instance each:
//
//  - EstadoHorta: the garden beds, the seedbed lots, the market order, the
//    per-crop tallies of the weekly checks, the real week's beds and lots
//    kept during a forecast, and the week dates;
//  - EstadoSessao: what the screens share about media, sound, dialogs,
//    colours and start-up (moving between screens is the shell's own).
//
// Tests start from a clean state with reinicia_estado().

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/catalogo.h"
#include "platform/clock.h"

namespace model {

inline constexpr int n_canteiros = 100;  // garden cells 0 to 99, 10 x 10
inline constexpr int n_colunas_horta = 10;
inline constexpr int n_lotes = 22;       // seedbed lots 0 to 21, 2 x 11
inline constexpr int n_colunas_sementeira = 11;

// The beds and the lots of one week.
struct Plantio {
    // Garden cells (`canteiro`). cult_can: -1 not a bed, 0 free bed, 1 to 21 a crop.
    std::array<int, n_canteiros> cult_can;
    std::array<std::string, n_canteiros> nome_can;   // "" when not a bed, "Vago" when free
    std::array<int, n_canteiros> idade_can;          // weeks since planted
    std::array<bool, n_canteiros> check_can;         // this week's activity done
    std::array<int, n_canteiros> ult_cult;           // last crop finished, -1 none
    std::array<int, n_canteiros> penult_cult;        // crop finished before it, -1 none

    // Seedbed lots (`lote`). cult_sem: -1 not in use, 0 free, 1 to 21 the crop sown.
    std::array<int, n_lotes> cult_sem;
    std::array<std::string, n_lotes> nome_sem;
    std::array<int, n_lotes> idade_sem;              // weeks since sowing
    std::array<bool, n_lotes> check_sem;
};

// The beds and lots shown are the Plantio this struct is; `real` keeps the
// real week's while a forecast shows later weeks.
struct EstadoHorta : Plantio {
    // Market order: beds per sowing interval, per crop code (1 to 21 used).
    std::array<int, n_codigos> seq_cult;

    // Per-crop tallies recounted by the weekly checks and the screens.
    std::array<int, n_codigos> conta_can;    // beds younger than the sowing interval
    std::array<int, n_codigos> qt_sem_cult;  // lots younger than the sowing interval
    int cult_atual = 0;                      // the crop tem_muda_pronta tests

    // The real week's beds and lots: taken by the first forecast step, put
    // back by the return to the real week.
    Plantio real;

    // The beds and lots shown.
    Plantio& mostrado() { return *this; }
    const Plantio& mostrado() const { return *this; }

    // Week dates: the present moment taken at start-up, and the date of the
    // week shown (seven days on per forecast step). A forecast is in effect
    // exactly when they differ.
    platform::DateTime data_real;
    platform::DateTime data_agenda;

    // No beds, no lots, no order; forecast copies alike.
    EstadoHorta();
};

// Colours are 32-bit values written 0x00BBGGRR.
using Cor = std::uint32_t;

struct EstadoSessao {
    // Media and sound. dir_anima is the media root "C:" to "H:"; dir_som the
    // voice folder of the chosen voice set.
    int indice_cd = 0;
    std::string dir_anima;
    std::string dir_som;
    bool som_ligado = false;
    bool trilha_fundo = false;
    std::string som_entrada_horta;
    std::string som_entrada_agenda;
    std::string som_entrada_sem;
    std::string som_entrada_feira;
    std::string arq_som;

    // Guided mode: a market order exists.
    bool modo_guiado = false;

    // Shared dialogs: the next message and the last yes/no answer (yes = true).
    std::string msg_ok_nao;
    bool resp_ok_nao = false;

    // Activity colours (the screens copy them from their buttons at load).
    Cor cor_li = 0x00C0FFFF;
    Cor cor_des = 0x0000FFFF;
    Cor cor_am = 0x00404080;
    Cor cor_cop = 0x00FF00FF;
    Cor cor_cof = 0x0000C000;
    Cor cor_tr = 0x00FF00FF;
    Cor cor_sem = 0x000000FF;
    Cor cor_cinza = 0x00C0C0C0;

    // Start-up: the largest garden area the market accepts (m2), and the
    // flag that the one-time initialisation of the run is still to be done.
    int area_maxima = 100;
    bool primeira_carga = false;
    // The stored game was read at the start of this run (and its week
    // applied, or about to be): from then on the live state is the game.
    bool jogo_lido = false;
    // The processing date of a week applied and not stored yet: stored once
    // the menu is painted, or with the game should the program end before.
    std::optional<platform::DateTime> semana_a_gravar;
    // The player answered the save question on the way out.
    bool gravar_respondido = false;

    // Ranking kinds of the mini-game: time and attempts.
    std::string tipo_tempo = "1";
    std::string tipo_cliques = "2";
};

// The one instance of each.
EstadoHorta& horta();
EstadoSessao& sessao();

// Puts both back to their start values, with the state other layers keep
// through ao_reiniciar_estado, and forgets the last database error (the
// catalogue, the database path and the installed dialogs are unchanged).
void reinicia_estado();

// Runs `reinicia` at every reinicia_estado(), for the shared state a layer
// above keeps itself.
void ao_reiniciar_estado(std::function<void()> reinicia);

// One week of game time on the live bed and lot arrays: every bed holding a
// crop ages a week and has its done mark cleared, and is freed when its age
// reaches the crop's cycle (its crop becomes the last crop, the last crop the
// one before last); then every lot holding a crop ages a week, has its done
// mark cleared, and is emptied when its age exceeds the crop's seedbed weeks.
// Free beds and lots (0) and cells not in use (-1) are left alone.
// Returns the cells freed by this step, in ascending order.
std::vector<int> passa_semana();

// Forecast: keeps the live beds and lots as the real week's.
void guarda_previsao();

// Return to the real week: puts the real week's beds and lots back into the
// live ones and sets data_agenda back to data_real.
void restaura_previsao();

// A forecast is in effect: the week shown is not the real week.
bool previsao_ativa();

// One forecast step, as the forecast buttons of the garden, seedbed and
// agenda screens take it: backs up the live arrays when no forecast is in
// effect yet (so the backup always holds the real week, however many weeks
// ahead the forecast goes), ages them by one week and moves data_agenda
// seven days on. Returns the cells the step freed.
std::vector<int> avanca_previsao();

}  // namespace model
