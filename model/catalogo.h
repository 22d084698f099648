#pragma once
// The crop catalogue: the fixed agronomic knowledge of the game. Per crop its
// name, short code, botanical family, density, weeks in a garden bed, weeks in
// the seedbed, sowing interval, plantings standing at once and quantity per
// ordered bed; the table of care activities; and two crop calendars (garden
// bed and seedbed lot) that say which activity is due at each age in weeks.
//
// The catalogue is built once and is read-only afterwards. catalogo() builds
// it on first use, so a reader never meets an empty table; inicia_culturas()
// is the start-up call that also takes the week dates.

#include <array>
#include <string>

namespace model {

// Crop codes. 1 to 21 are the crops; 0 is a free bed or lot ("Vago"); -1 a
// garden cell that is not a bed, or a seedbed lot not in use.
inline constexpr int n_culturas = 21;
inline constexpr int nao_usado = -1;
inline constexpr int nenhuma = 0;

inline constexpr int cod_alface = 1;
inline constexpr int cod_chicoria = 2;
inline constexpr int cod_alho_poro = 3;
inline constexpr int cod_agriao = 4;
inline constexpr int cod_couve = 5;
inline constexpr int cod_espinafre = 6;
inline constexpr int cod_quiabo = 7;
inline constexpr int cod_rucula = 8;
inline constexpr int cod_cenoura = 9;
inline constexpr int cod_beterraba = 10;
inline constexpr int cod_nabo = 11;
inline constexpr int cod_rabanete = 12;
inline constexpr int cod_cheiro_verde = 13;
inline constexpr int cod_tomate = 14;
inline constexpr int cod_pimentao = 15;
inline constexpr int cod_berinjela = 16;
inline constexpr int cod_repolho = 17;
inline constexpr int cod_brocolis = 18;
inline constexpr int cod_couve_flor = 19;
inline constexpr int cod_vagem = 20;
inline constexpr int cod_pepino = 21;

// Sizes of the per-crop, per-family, activity and calendar tables.
inline constexpr int n_codigos = n_culturas + 1;  // crop codes 0 to 21
inline constexpr int n_familias = 11;             // family numbers 0 to 10
inline constexpr int n_tratos = 11;               // activity indices 0 to 10
inline constexpr int n_entradas = 21;             // calendar entries 0 to 20

// Activity indices of the activity table `cod_trato`.
inline constexpr int trato_pld = 0;  // "PLD" Plantio Direto
inline constexpr int trato_tr = 1;   // "TR"  Transplante
inline constexpr int trato_pls = 2;  // "PLS" Plantio em Sementeira
inline constexpr int trato_li = 3;   // "LI"  Limpeza
inline constexpr int trato_rep = 4;  // "REP" Reposição
inline constexpr int trato_am = 5;   // "AM"  Amontoa
inline constexpr int trato_cop = 6;  // "COP" Colheita Parcial
inline constexpr int trato_cof = 7;  // "COF" Colheita Final
inline constexpr int trato_des = 8;  // "DES" Desbaste

// One calendar entry: at this age in weeks, this activity index. An entry
// never filled reads as age 0, activity 0.
struct EntradaCalendario {
    int idade = 0;
    int trato = 0;
    bool preenchida = false;
};

// A crop calendar: per crop code, its entries in ascending age.
using calendario = std::array<std::array<EntradaCalendario, n_entradas>, n_codigos>;

// The catalogue of the crops, the activity table and both calendars.
struct ficha_cultura {
    std::array<std::string, n_codigos> nome_cult{};
    std::array<std::string, n_codigos> sigla_cult{};
    std::array<int, n_codigos> fam_cult{};          // index into nome_fam
    std::array<std::string, n_familias> nome_fam{};
    std::array<std::string, n_codigos> dens_cult{};
    std::array<int, n_codigos> ciclo_cult{};        // weeks in a garden bed
    std::array<int, n_codigos> sem_cult{};          // weeks in the seedbed, 0 = planted directly
    std::array<int, n_codigos> interv_cult{};       // sowing interval in weeks
    std::array<int, n_codigos> plantios_cult{};     // plantings standing at once
    std::array<int, n_codigos> qt_por_leito{};      // quantity per ordered bed
    // Activity table: [index][0] the code ("PLD"), [index][1] the long name.
    std::array<std::array<std::string, 2>, n_tratos> cod_trato{};
    calendario tratos_horta{};                      // garden beds
    calendario tratos_sem{};                        // seedbed lots
};
using Catalogo = ficha_cultura;

// The catalogue, built on first use and read-only afterwards.
const Catalogo& catalogo();

// Start-up: builds the catalogue (if not built yet) and sets the week dates
// `data_real` and `data_agenda` of the garden state to the present moment.
void inicia_culturas();

// The activity code that the garden calendar gives the crop at that age
// ("PLD", "TR", "LI", "REP", "AM", "COP", "COF", "DES"), or "" when none is
// due. Crop codes of 0 or less give ""; codes above 21 give "" as well.
std::string trato_horta(int cult, int idade);

// The same for the seedbed calendar ("PLS", "LI", "DES", "TR").
std::string trato_sem(int cult, int idade);

// True when the crop code names a crop of the catalogue (1 to 21).
inline constexpr bool e_cultura(int cult) { return cult >= 1 && cult <= n_culturas; }

// True for the 13 crops that start in the seedbed.
bool e_cultura_sementeira(int cult);

}  // namespace model
