#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "model/catalogo.h"
#include "model/estado.h"
#include "platform/clock.h"

namespace {

using namespace model;

struct CropRow {
    int code;
    int constant;
    const char* nome;
    const char* sigla;
    int fam;
    const char* dens;
    int ciclo, sem, interv, plantios, qt;
};

const CropRow crops[] = {
    {0, nenhuma, "Vago", "", 0, "...", 0, 0, 0, 0, 0},
    {1, cod_alface, "Alface", "Alf", 4, "12 / m2", 8, 4, 2, 4, 6},
    {2, cod_chicoria, "Chicória", "Chi", 4, "12 / m2", 8, 4, 4, 2, 3},
    {3, cod_alho_poro, "Alho Poró", "Alh", 5, "16 / m2", 16, 6, 4, 4, 4},
    {4, cod_agriao, "Agrião", "Agr", 1, "16 / m2", 12, 5, 4, 3, 1},
    {5, cod_couve, "Couve", "Cou", 1, "4 / m2", 24, 5, 12, 2, 1},
    {6, cod_espinafre, "Espinafre", "Esp", 3, "12 / m2", 16, 5, 8, 2, 400},
    {7, cod_quiabo, "Quiabo", "Qui", 8, "4 / m2", 24, 0, 8, 3, 500},
    {8, cod_rucula, "Rúcula", "Rúc", 1, "16 / m2", 10, 0, 5, 2, 1},
    {9, cod_cenoura, "Cenoura", "Cen", 2, "30 / m2", 14, 0, 2, 7, 1},
    {10, cod_beterraba, "Beterraba", "Bet", 3, "16 / m2", 12, 0, 3, 4, 700},
    {11, cod_nabo, "Nabo", "Nab", 1, "16 / m2", 10, 0, 2, 5, 1},
    {12, cod_rabanete, "Rabanete", "Rab", 1, "30 / m2", 6, 0, 3, 2, 1},
    {13, cod_cheiro_verde, "Cheiro Verde", "Che", 9, "16 / m2", 24, 6, 12, 2, 1},
    {14, cod_tomate, "Tomate", "Tom", 7, "1 / m2", 16, 5, 4, 4, 500},
    {15, cod_pimentao, "Pimentão", "Pim", 7, "4 / m2", 20, 6, 10, 2, 400},
    {16, cod_berinjela, "Berinjela", "Bjl", 7, "1 / m2", 24, 8, 12, 2, 500},
    {17, cod_repolho, "Repolho", "Rep", 1, "4 / m2", 12, 5, 4, 3, 1},
    {18, cod_brocolis, "Brocolis", "Bro", 1, "4 / m2", 12, 5, 4, 3, 1},
    {19, cod_couve_flor, "Couve Flor", "Flo", 1, "4 / m2", 16, 5, 4, 4, 1},
    {20, cod_vagem, "Vagem", "Vgm", 6, "8 / m2", 12, 0, 3, 4, 400},
    {21, cod_pepino, "Pepino", "Pep", 7, "8 / m2", 12, 0, 4, 3, 400},
};

TEST(Catalogo, EveryCropHasItsTabledFields) {
    const Catalogo& c = catalogo();
    for (const CropRow& r : crops) {
        SCOPED_TRACE(r.nome);
        EXPECT_EQ(r.constant, r.code);
        EXPECT_EQ(c.nome_cult[r.code], r.nome);
        EXPECT_EQ(c.sigla_cult[r.code], r.sigla);
        EXPECT_EQ(c.fam_cult[r.code], r.fam);
        EXPECT_EQ(c.dens_cult[r.code], r.dens);
        EXPECT_EQ(c.ciclo_cult[r.code], r.ciclo);
        EXPECT_EQ(c.sem_cult[r.code], r.sem);
        EXPECT_EQ(c.interv_cult[r.code], r.interv);
        EXPECT_EQ(c.plantios_cult[r.code], r.plantios);
        EXPECT_EQ(c.qt_por_leito[r.code], r.qt);
    }
}

TEST(Catalogo, FamiliesAndActivities) {
    const Catalogo& c = catalogo();
    const char* fam[] = {"", "BRASSICAS", "APIÁCEAS", "QUENOPODIÁCEAS", "CHICOREÁCEA", "LILIÁCEA",
                         "LEGUMINOSAE", "CURCUBITÁCIA", "MALVÁCEA", "APIÁCEAS/LILIÁCEAS", ""};
    for (int f = 0; f < n_familias; ++f) EXPECT_EQ(c.nome_fam[f], fam[f]) << f;

    const char* tratos[][2] = {{"PLD", "Plantio Direto"},   {"TR", "Transplante"},
                               {"PLS", "Plantio em Sementeira"}, {"LI", "Limpeza"},
                               {"REP", "Reposição"},        {"AM", "Amontoa"},
                               {"COP", "Colheita Parcial"}, {"COF", "Colheita Final"},
                               {"DES", "Desbaste"}};
    for (int t = 0; t < 9; ++t) {
        EXPECT_EQ(c.cod_trato[t][0], tratos[t][0]);
        EXPECT_EQ(c.cod_trato[t][1], tratos[t][1]);
    }
}

TEST(Catalogo, InvariantsHoldForEveryCrop) {
    const Catalogo& c = catalogo();
    int seedbed_crops = 0;
    for (int k = 1; k <= n_culturas; ++k) {
        SCOPED_TRACE(c.nome_cult[k]);
        EXPECT_EQ(c.plantios_cult[k] * c.interv_cult[k], c.ciclo_cult[k]);
        EXPECT_EQ(trato_horta(k, 0), c.sem_cult[k] > 0 ? "TR" : "PLD");
        EXPECT_EQ(trato_horta(k, c.ciclo_cult[k] - 1), "COF");
        EXPECT_EQ(trato_horta(k, c.ciclo_cult[k]), "");
        if (c.sem_cult[k] > 0) {
            ++seedbed_crops;
            EXPECT_TRUE(e_cultura_sementeira(k));
            EXPECT_EQ(trato_sem(k, 0), "PLS");
            EXPECT_EQ(trato_sem(k, c.sem_cult[k]), "TR");
            EXPECT_EQ(trato_sem(k, c.sem_cult[k] + 1), "");
        }
        // Filled entries ascend strictly and come before every empty one.
        for (const calendario* cal : {&c.tratos_horta, &c.tratos_sem}) {
            int ultima = -1;
            bool vazia = false;
            for (const EntradaCalendario& e : (*cal)[k]) {
                if (!e.preenchida) {
                    vazia = true;
                    continue;
                }
                EXPECT_FALSE(vazia);
                EXPECT_GT(e.idade, ultima);
                ultima = e.idade;
            }
        }
    }
    EXPECT_EQ(seedbed_crops, 13);
}

// Expected calendars written as in the crop tables: "age CODE" entries, a
// run "a-b CODE" standing for one entry per week.
std::vector<std::pair<int, std::string>> expand(const std::string& text) {
    std::vector<std::pair<int, std::string>> out;
    std::stringstream ss(text);
    std::string item;
    while (std::getline(ss, item, ',')) {
        std::stringstream is(item);
        std::string ages, code;
        is >> ages >> code;
        const auto dash = ages.find('-');
        const int from = std::stoi(ages.substr(0, dash));
        const int to = dash == std::string::npos ? from : std::stoi(ages.substr(dash + 1));
        for (int a = from; a <= to; ++a) out.emplace_back(a, code);
    }
    return out;
}

void expect_calendar(const calendario& cal, int crop, const std::string& text) {
    SCOPED_TRACE(catalogo().nome_cult[crop]);
    const auto expected = expand(text);
    int n = 0;
    for (const EntradaCalendario& e : cal[crop]) {
        if (!e.preenchida) break;
        ASSERT_LT(n, static_cast<int>(expected.size()));
        EXPECT_EQ(e.idade, expected[n].first) << "entry " << n;
        EXPECT_EQ(catalogo().cod_trato[e.trato][0], expected[n].second) << "entry " << n;
        ++n;
    }
    EXPECT_EQ(n, static_cast<int>(expected.size()));
}

TEST(Catalogo, GardenCalendarsAsTabled) {
    const char* garden[] = {
        "",
        "0 TR, 1 REP, 2 LI, 4 AM, 6 COP, 7 COF",
        "0 TR, 1 REP, 2 LI, 3 AM, 4 COP, 5 COP, 6 COP, 7 COF",
        "0 TR, 2 REP, 4 LI, 7 AM, 12 COP, 13 COP, 14 COP, 15 COF",
        "0 TR, 1 REP, 2 LI, 4 AM, 8 COP, 9 COP, 10 COP, 11 COF",
        "0 TR, 3 LI, 7 AM, 9-22 COP, 23 COF",
        "0 TR, 2 LI, 4 AM, 8-14 COP, 15 COF",
        "0 PLD, 4 DES, 8 AM, 10-22 COP, 23 COF",
        "0 PLD, 2 DES, 4 AM, 5-8 COP, 9 COF",
        "0 PLD, 2 LI, 4 DES, 8 AM, 12 COP, 13 COF",
        "0 PLD, 2 LI, 4 DES, 7 AM, 9 COP, 10 COP, 11 COF",
        "0 PLD, 2 DES, 5 AM, 8 COP, 9 COF",
        "0 PLD, 2 DES, 3 AM, 4 COP, 5 COF",
        "0 TR, 3 LI, 7 AM, 10-22 COP, 23 COF",
        "0 TR, 2 REP, 4 LI, 6 AM, 10 AM, 12 COP, 13 COP, 14 COP, 15 COF",
        "0 TR, 2 REP, 5 AM, 8-18 COP, 19 COF",
        "0 TR, 2 REP, 5 AM, 10 LI, 12-22 COP, 23 COF",
        "0 TR, 1 REP, 2 LI, 5 AM, 8 COP, 9 COP, 10 COP, 11 COF",
        "0 TR, 2 LI, 5 AM, 7 AM, 8 COP, 9 COP, 10 COP, 11 COF",
        "0 TR, 1 REP, 2 LI, 5 AM, 9 LI, 12 COP, 13 COP, 14 COP, 15 COF",
        "0 PLD, 3 DES, 7 AM, 9 COP, 10 COP, 11 COF",
        "0 PLD, 3 DES, 6 AM, 8 COP, 9 COP, 10 COP, 11 COF",
    };
    expect_calendar(catalogo().tratos_horta, 0, "");
    for (int k = 1; k <= n_culturas; ++k) expect_calendar(catalogo().tratos_horta, k, garden[k]);
}

TEST(Catalogo, SeedbedCalendarsAsTabled) {
    const std::pair<int, const char*> seedbed[] = {
        {1, "0 PLS, 2 LI, 4 TR"},          {2, "0 PLS, 2 LI, 4 TR"},
        {3, "0 PLS, 2 LI, 4 DES, 6 TR"},   {4, "0 PLS, 1 LI, 3 DES, 5 TR"},
        {5, "0 PLS, 2 LI, 3 DES, 5 TR"},   {6, "0 PLS, 2 LI, 5 TR"},
        {13, "0 PLS, 2 LI, 4 DES, 6 TR"},  {14, "0 PLS, 2 LI, 5 TR"},
        {15, "0 PLS, 2 LI, 3 DES, 6 TR"},  {16, "0 PLS, 2 LI, 4 DES, 8 TR"},
        {17, "0 PLS, 2 LI, 3 DES, 5 TR"},  {18, "0 PLS, 2 LI, 3 DES, 5 TR"},
        {19, "0 PLS, 2 LI, 3 DES, 5 TR"},
    };
    for (const auto& [k, text] : seedbed) expect_calendar(catalogo().tratos_sem, k, text);
    for (int k : {0, 7, 8, 9, 10, 11, 12, 20, 21}) expect_calendar(catalogo().tratos_sem, k, "");
}

TEST(Catalogo, LookupsWithAndWithoutAnEntry) {
    struct Case {
        bool garden;
        int crop, age;
        const char* expected;
    };
    const Case cases[] = {
        {true, 0, 0, ""},     {true, -1, 0, ""},    {true, 1, 0, "TR"},    {true, 9, 0, "PLD"},
        {true, 1, 3, ""},     {true, 1, 7, "COF"},  {true, 7, 4, "DES"},   {true, 7, 15, "COP"},
        {true, 7, 23, "COF"}, {true, 11, 8, "COP"}, {true, 11, 9, "COF"},  {true, 14, 10, "AM"},
        {true, 19, 9, "LI"},  {true, 5, 30, ""},    {true, 22, 0, ""},     {true, 1, -1, ""},
        {false, 16, 8, "TR"}, {false, 16, 9, ""},   {false, 9, 0, "PLD"},  {false, 9, 1, ""},
        {false, 0, 0, ""},    {false, -1, 0, ""},   {false, 3, 4, "DES"},  {false, 4, 1, "LI"},
    };
    for (const Case& c : cases) {
        const std::string got = c.garden ? trato_horta(c.crop, c.age) : trato_sem(c.crop, c.age);
        EXPECT_EQ(got, c.expected) << (c.garden ? "trato_horta(" : "trato_sem(") << c.crop << ", " << c.age
                                   << ")";
    }
}

TEST(Catalogo, IniciaCulturasTakesTheWeekDatesFromTheClock) {
    reinicia_estado();
    const platform::DateTime agora = platform::MakeDateTime(2026, 3, 4, 10, 30);
    platform::SetNow(agora);
    inicia_culturas();
    platform::SetNow(std::nullopt);
    EXPECT_EQ(horta().data_real, agora);
    EXPECT_EQ(horta().data_agenda, agora);
    EXPECT_FALSE(previsao_ativa());
    reinicia_estado();
}

}  // namespace
