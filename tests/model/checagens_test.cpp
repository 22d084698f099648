#include <gtest/gtest.h>

#include <string>

#include "model/catalogo.h"
#include "model/checagens.h"
#include "model/estado.h"
#include "platform/clock.h"

namespace {

using namespace model;

class Checagens : public ::testing::Test {
protected:
    void SetUp() override { reinicia_estado(); }
    void TearDown() override {
        platform::SetNow(std::nullopt);
        reinicia_estado();
    }

    static void planta(int i, int cult, int idade, bool feito = false) {
        EstadoHorta& h = horta();
        h.cult_can[i] = cult;
        h.nome_can[i] = catalogo().nome_cult[cult];
        h.idade_can[i] = idade;
        h.check_can[i] = feito;
    }
    static void semeia(int j, int cult, int idade, bool feito = false) {
        EstadoHorta& h = horta();
        h.cult_sem[j] = cult;
        h.nome_sem[j] = catalogo().nome_cult[cult];
        h.idade_sem[j] = idade;
        h.check_sem[j] = feito;
    }
    static std::string status(int cult) {
        conta_canteiros_novos();
        return status_plantio(cult);
    }
};

TEST_F(Checagens, WeekdayPictures) {
    sessao().dir_anima = "E:";
    platform::SetNow(platform::MakeDateTime(2026, 12, 7, 15));  // a Monday
    EXPECT_EQ(pict_semana(), "E:\\anima\\seman02.bmp");
    struct Case {
        int d;
        int weekday;
    };
    const Case cases[] = {{0, 2}, {1, 1}, {2, 7}, {3, 6}, {6, 3}, {7, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(pict_semana_dia(c.d), "E:\\anima\\seman0" + std::to_string(c.weekday) + ".bmp") << c.d;

    platform::SetNow(platform::MakeDateTime(2026, 12, 12, 8));  // a Saturday
    EXPECT_EQ(pict_semana(), "E:\\anima\\seman07.bmp");
    EXPECT_EQ(pict_semana_dia(7), "E:\\anima\\seman07.bmp");
    EXPECT_EQ(pict_semana_dia(6), "E:\\anima\\seman01.bmp");
}

TEST_F(Checagens, NoOrderMeansNothingDueButAWaitingTransplant) {
    planta(0, cod_cenoura, 0);
    semeia(0, cod_alface, 2);
    EXPECT_FALSE(tem_pls());
    EXPECT_FALSE(tem_plantio());

    semeia(1, cod_tomate, 5);  // Tomate seedlings ready, no bed of it this week
    EXPECT_TRUE(tem_plantio());
    EXPECT_FALSE(tem_plantio_direto()) << "a transplant is no direct planting";
    EXPECT_EQ(status(cod_tomate), "1");
}

TEST_F(Checagens, SowingDue) {
    struct Case {
        const char* name;
        int crop, seq;
        int lot_age;  // -1: no lot
        int bed_age;  // -1: no bed
        bool due;
        int qt_sem;
    };
    const Case cases[] = {
        {"one young lot suffices whatever the order", cod_chicoria, 2, 1, -1, false, 1},
        {"lot older than the interval", cod_chicoria, 1, 4, -1, true, 0},
        {"young bed stands for the sowing", cod_couve, 1, -1, 6, false, 1},
        {"bed too old to stand for it", cod_couve, 1, -1, 7, true, 0},
        {"ordered, no lot, no bed", cod_alface, 1, -1, -1, true, 0},
        {"direct crop needs no sowing", cod_cenoura, 3, -1, -1, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reinicia_estado();
        horta().seq_cult[c.crop] = c.seq;
        if (c.lot_age >= 0) semeia(4, c.crop, c.lot_age);
        if (c.bed_age >= 0) planta(30, c.crop, c.bed_age);
        EXPECT_EQ(tem_pls(), c.due);
        EXPECT_EQ(semeaduras_do_intervalo(c.crop), c.qt_sem);
    }
}

TEST_F(Checagens, PlantingStatus) {
    struct Case {
        const char* name;
        int crop, seq;
        int lot_age;             // -1: no lot
        std::vector<int> beds;   // ages of the crop's beds
        const char* expected;
    };
    const Case cases[] = {
        {"seedbed crop, nothing sown", cod_alface, 1, -1, {}, "x"},
        {"seedbed crop, seedlings not ready", cod_alface, 1, 3, {}, "x"},
        {"seedlings ready, one bed to plant", cod_alface, 1, 4, {}, "1"},
        {"seedlings ready, planted this week", cod_alface, 1, 4, {0}, "-"},
        {"seedlings ready, still short", cod_alface, 3, 4, {0}, "2"},
        {"order met, none planted this week", cod_alface, 1, 4, {1}, "1"},
        {"not ordered, nothing ready", cod_alface, 0, -1, {}, "x"},
        {"direct crop, beds to plant", cod_cenoura, 3, -1, {1}, "2"},
        {"direct crop, order met", cod_cenoura, 1, -1, {1}, "-"},
        {"direct crop, bed past the interval", cod_cenoura, 1, -1, {2}, "1"},
        {"direct crop, not ordered", cod_cenoura, 0, -1, {}, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reinicia_estado();
        horta().seq_cult[c.crop] = c.seq;
        if (c.lot_age >= 0) semeia(0, c.crop, c.lot_age);
        int cell = 0;
        for (int age : c.beds) planta(cell++, c.crop, age);
        EXPECT_EQ(status(c.crop), c.expected);
        const std::string s = c.expected;
        EXPECT_EQ(tem_plantio(), s != "-" && s != "x");
        EXPECT_EQ(tem_plantio_direto(), tem_plantio() && c.crop == cod_cenoura);
    }
}

TEST_F(Checagens, GardenCareIgnoresPlantingAndReplacement) {
    // Alface: 0 TR, 1 REP, 2 LI; Cenoura: 0 PLD, 4 DES.
    planta(0, cod_alface, 0);
    planta(1, cod_alface, 1);
    planta(2, cod_cenoura, 0);
    planta(3, nenhuma, 0);
    planta(4, cod_alface, 3);  // nothing due at week 3
    EXPECT_EQ(sit_tratos_horta(), 0);

    planta(5, cod_alface, 2, true);  // LI done
    EXPECT_EQ(sit_tratos_horta(), 2);
    planta(6, cod_cenoura, 4, false);  // DES pending
    EXPECT_EQ(sit_tratos_horta(), 1);
    horta().check_can[6] = true;
    EXPECT_EQ(sit_tratos_horta(), 2);

    for (auto [crop, age] : {std::pair{cod_alface, 4}, {cod_alface, 6}, {cod_alface, 7}}) {
        planta(7, crop, age, false);
        EXPECT_EQ(sit_tratos_horta(), 1) << trato_horta(crop, age);
    }
}

TEST_F(Checagens, SeedbedCareIgnoresSowing) {
    semeia(0, cod_alface, 0);  // PLS
    semeia(1, nenhuma, 2);
    EXPECT_EQ(sit_tratos_sem(), 0);
    semeia(2, cod_alface, 2, true);  // LI done
    EXPECT_EQ(sit_tratos_sem(), 2);
    semeia(3, cod_alface, 4, false);  // TR pending
    EXPECT_EQ(sit_tratos_sem(), 1);
}

TEST_F(Checagens, NewCropAndReadySeedlings) {
    planta(50, cod_tomate, 0);
    planta(51, cod_pepino, 3);
    EXPECT_TRUE(tem_cult_nova(cod_tomate));
    EXPECT_FALSE(tem_cult_nova(cod_pepino));
    EXPECT_FALSE(tem_cult_nova(cod_alface));

    semeia(7, cod_berinjela, 8);
    horta().cult_atual = cod_berinjela;
    EXPECT_TRUE(tem_muda_pronta());
    horta().cult_atual = cod_tomate;
    EXPECT_FALSE(tem_muda_pronta());
    horta().idade_sem[7] = 7;
    horta().cult_atual = cod_berinjela;
    EXPECT_FALSE(tem_muda_pronta());
}

TEST_F(Checagens, PendingWorkOnLeaving) {
    EXPECT_FALSE(tem_pendencias());
    planta(0, cod_cenoura, 4);  // DES not done
    EXPECT_TRUE(tem_pendencias());
    horta().check_can[0] = true;
    EXPECT_FALSE(tem_pendencias());
    semeia(0, cod_chicoria, 2);  // LI not done
    EXPECT_TRUE(tem_pendencias());
    horta().check_sem[0] = true;
    horta().seq_cult[cod_chicoria] = 1;
    EXPECT_FALSE(tem_pendencias());  // the young lot covers the sowing, seedlings not ready
    horta().seq_cult[cod_alface] = 1;
    EXPECT_TRUE(tem_pendencias());  // its sowing alone is due
}

}  // namespace
