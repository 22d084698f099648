#include <gtest/gtest.h>

#include <vector>

#include "model/catalogo.h"
#include "model/estado.h"

namespace {

using namespace model;

class Semana : public ::testing::Test {
protected:
    void SetUp() override { reinicia_estado(); }
    void TearDown() override { reinicia_estado(); }

    static void planta(int i, int cult, int idade, bool feito = false, int ult = -1, int penult = -1) {
        EstadoHorta& h = horta();
        h.cult_can[i] = cult;
        h.nome_can[i] = catalogo().nome_cult[cult];
        h.idade_can[i] = idade;
        h.check_can[i] = feito;
        h.ult_cult[i] = ult;
        h.penult_cult[i] = penult;
    }
    static void semeia(int j, int cult, int idade, bool feito = false) {
        EstadoHorta& h = horta();
        h.cult_sem[j] = cult;
        h.nome_sem[j] = catalogo().nome_cult[cult];
        h.idade_sem[j] = idade;
        h.check_sem[j] = feito;
    }
};

TEST_F(Semana, BedAgesAndIsFreedWhenItsAgeReachesTheCycle) {
    // Nabo: cycle 10. Age 8 only ages; age 9 reaches 10 and is freed.
    planta(0, cod_nabo, 8, true, cod_tomate, cod_alface);
    planta(1, cod_nabo, 9, true, cod_tomate, cod_alface);
    const std::vector<int> liberados = passa_semana();

    const EstadoHorta& h = horta();
    EXPECT_EQ(h.cult_can[0], cod_nabo);
    EXPECT_EQ(h.idade_can[0], 9);
    EXPECT_FALSE(h.check_can[0]);
    EXPECT_EQ(h.nome_can[0], "Nabo");
    EXPECT_EQ(h.ult_cult[0], cod_tomate);

    EXPECT_EQ(h.cult_can[1], nenhuma);
    EXPECT_EQ(h.idade_can[1], 0);
    EXPECT_EQ(h.nome_can[1], "");
    EXPECT_EQ(h.ult_cult[1], cod_nabo);
    EXPECT_EQ(h.penult_cult[1], cod_tomate);
    EXPECT_FALSE(h.check_can[1]);
    EXPECT_EQ(liberados, std::vector<int>{1});
}

TEST_F(Semana, LotIsKeptAtItsSeedbedWeeksAndEmptiedTheWeekAfter) {
    // Alface: 4 seedbed weeks.
    semeia(0, cod_alface, 3, true);
    semeia(1, cod_alface, 4, true);
    passa_semana();
    const EstadoHorta& h = horta();
    EXPECT_EQ(h.cult_sem[0], cod_alface);
    EXPECT_EQ(h.idade_sem[0], 4);
    EXPECT_FALSE(h.check_sem[0]);
    EXPECT_EQ(h.cult_sem[1], nenhuma);
    EXPECT_EQ(h.idade_sem[1], 0);
    EXPECT_EQ(h.nome_sem[1], "");

    passa_semana();
    EXPECT_EQ(h.cult_sem[0], nenhuma);
}

TEST_F(Semana, FreeBedsAndCellsNotInUseAreLeftAlone) {
    planta(0, nenhuma, 3, true, cod_couve, -1);
    horta().cult_can[1] = nao_usado;
    horta().idade_can[1] = 2;
    horta().check_can[1] = true;
    semeia(0, nenhuma, 1, true);
    horta().cult_sem[1] = nao_usado;
    horta().check_sem[1] = true;
    passa_semana();

    const EstadoHorta& h = horta();
    EXPECT_EQ(h.cult_can[0], nenhuma);
    EXPECT_EQ(h.idade_can[0], 3);
    EXPECT_TRUE(h.check_can[0]);
    EXPECT_EQ(h.ult_cult[0], cod_couve);
    EXPECT_EQ(h.cult_can[1], nao_usado);
    EXPECT_EQ(h.idade_can[1], 2);
    EXPECT_TRUE(h.check_can[1]);
    EXPECT_EQ(h.idade_sem[0], 1);
    EXPECT_TRUE(h.check_sem[0]);
    EXPECT_TRUE(h.check_sem[1]);
}

TEST_F(Semana, ThreeWeeksInARowDoNotAgeAFreedBed) {
    planta(5, cod_rabanete, 5, false, cod_alface, -1);  // cycle 6: freed in the first week
    planta(6, cod_rabanete, 3);                         // freed in the third week
    semeia(3, cod_berinjela, 6);                        // 8 seedbed weeks: 9 after three weeks
    EXPECT_EQ(passa_semana(), std::vector<int>{5});
    EXPECT_EQ(passa_semana(), std::vector<int>{});
    EXPECT_EQ(passa_semana(), std::vector<int>{6});

    const EstadoHorta& h = horta();
    EXPECT_EQ(h.cult_can[5], nenhuma);
    EXPECT_EQ(h.idade_can[5], 0);
    EXPECT_EQ(h.ult_cult[5], cod_rabanete);
    EXPECT_EQ(h.penult_cult[5], cod_alface);
    EXPECT_EQ(h.cult_can[6], nenhuma);
    EXPECT_EQ(h.ult_cult[6], cod_rabanete);
    EXPECT_EQ(h.penult_cult[6], -1);
    EXPECT_EQ(h.cult_sem[3], nenhuma);
}

TEST_F(Semana, ForecastFarAheadStillRestoresTheRealWeek) {
    horta().data_real = horta().data_agenda = platform::MakeDateTime(2026, 1, 7);
    planta(0, cod_couve, 2);
    for (int w = 0; w < 60; ++w) avanca_previsao();  // past the same week number a year on
    EXPECT_EQ(horta().cult_can[0], nenhuma);
    restaura_previsao();
    EXPECT_EQ(horta().cult_can[0], cod_couve);
    EXPECT_EQ(horta().idade_can[0], 2);
}

TEST_F(Semana, ForecastBacksUpAgesAndRestores) {
    platform::DateTime hoje = platform::MakeDateTime(2026, 5, 6, 9);
    horta().data_real = horta().data_agenda = hoje;
    planta(12, cod_nabo, 9, true, cod_tomate, cod_alface);  // freed by the first step
    planta(13, cod_couve, 1, true);
    semeia(2, cod_alface, 4, true);  // emptied by the first step
    semeia(3, cod_alface, 3);        // ready after one step
    horta().seq_cult[cod_alface] = 2;
    const EstadoHorta antes = horta();

    // Two forecast steps: the backup is taken at the first only.
    EXPECT_EQ(avanca_previsao(), (std::vector<int>{12}));
    EXPECT_TRUE(previsao_ativa());
    EXPECT_EQ(avanca_previsao(), (std::vector<int>{}));
    EXPECT_EQ(horta().data_agenda, hoje + 14);
    EXPECT_EQ(horta().cult_can[12], nenhuma);
    EXPECT_EQ(horta().idade_can[13], 3);
    EXPECT_EQ(horta().cult_sem[2], nenhuma);

    // Work done during the forecast is lost at the return.
    planta(40, cod_cenoura, 0);
    horta().cult_can[13] = nenhuma;  // the player removed it

    restaura_previsao();
    const EstadoHorta& h = horta();
    EXPECT_FALSE(previsao_ativa());
    EXPECT_EQ(h.data_agenda, hoje);
    EXPECT_EQ(h.cult_can, antes.cult_can);
    EXPECT_EQ(h.nome_can, antes.nome_can);
    EXPECT_EQ(h.idade_can, antes.idade_can);
    EXPECT_EQ(h.check_can, antes.check_can);
    EXPECT_EQ(h.ult_cult, antes.ult_cult);
    EXPECT_EQ(h.penult_cult, antes.penult_cult);
    EXPECT_EQ(h.cult_sem, antes.cult_sem);
    EXPECT_EQ(h.nome_sem, antes.nome_sem);
    EXPECT_EQ(h.idade_sem, antes.idade_sem);
    EXPECT_EQ(h.check_sem, antes.check_sem);
    EXPECT_EQ(h.seq_cult, antes.seq_cult);  // the order is not part of the forecast
}

}  // namespace
