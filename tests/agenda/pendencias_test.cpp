// The pending planting, transplant and sowing work derived from the order.

#include "apoio.h"

namespace agenda_test {
namespace {

using agenda::Pendencias;

class PendenciasTest : public AgendaTest {};

TEST_F(PendenciasTest, SemEncomendaSoAsMudasProntasPedemTransplante) {
    semeia(0, model::cod_alface, 4);  // alface: 4 weeks in the seedbed, ready
    Pendencias p;
    agenda::pl_sem_tr(p);
    EXPECT_EQ(p.qt_pld, 0);
    EXPECT_EQ(p.qt_pls, 0);
    ASSERT_EQ(p.qt_tr, 1);
    EXPECT_EQ(p.lista_tr[0].cult, model::cod_alface);
    EXPECT_EQ(p.lista_tr[0].qt, 1);

    // Once a bed of it was planted this week, nothing is left to transplant.
    planta(5, model::cod_alface, 0);
    agenda::pl_sem_tr(p);
    EXPECT_EQ(p.qt_tr, 0);
    EXPECT_EQ(model::horta().cult_atual, 21);
}

TEST_F(PendenciasTest, PlantioDiretoDescontaOsCanteirosDoIntervalo) {
    auto& h = model::horta();
    h.seq_cult[model::cod_cenoura] = 3;  // cenoura: direct, interval 2 weeks
    h.seq_cult[model::cod_rabanete] = 1;
    planta(0, model::cod_cenoura, 1);
    planta(1, model::cod_cenoura, 2);  // older than the interval: not counted
    Pendencias p;
    agenda::pl_sem_tr(p);
    ASSERT_EQ(p.qt_pld, 2);
    EXPECT_EQ(p.lista_pld[0].cult, model::cod_cenoura);
    EXPECT_EQ(p.lista_pld[0].qt, 2);
    EXPECT_EQ(p.lista_pld[1].cult, model::cod_rabanete);
    EXPECT_EQ(h.conta_can[model::cod_cenoura], 1);

    planta(2, model::cod_cenoura, 0);
    planta(3, model::cod_cenoura, 1);
    agenda::pl_sem_tr(p);
    ASSERT_EQ(p.qt_pld, 1);
    EXPECT_EQ(p.lista_pld[0].cult, model::cod_rabanete);
}

TEST_F(PendenciasTest, CulturaDeSementeiraSoTransplantaComMudaPronta) {
    auto& h = model::horta();
    h.seq_cult[model::cod_tomate] = 2;  // tomate: 5 weeks in the seedbed
    semeia(3, model::cod_tomate, 4);
    Pendencias p;
    agenda::pl_sem_tr(p);
    EXPECT_EQ(p.qt_tr, 0);
    EXPECT_EQ(p.qt_pld, 0);

    h.idade_sem[3] = 5;
    agenda::pl_sem_tr(p);
    ASSERT_EQ(p.qt_tr, 1);
    EXPECT_EQ(p.lista_tr[0].qt, 2);
}

TEST_F(PendenciasTest, SementeiraUmLotePorIntervalo) {
    auto& h = model::horta();
    h.seq_cult[model::cod_tomate] = 3;
    h.seq_cult[model::cod_couve] = 1;     // couve: 5 seedbed weeks, interval 12
    h.seq_cult[model::cod_repolho] = 1;   // repolho: interval 4
    h.seq_cult[model::cod_cenoura] = 4;   // direct crops are never sown
    Pendencias p;
    agenda::pl_sem_tr(p);
    ASSERT_EQ(p.qt_pls, 3);
    EXPECT_EQ(p.lista_pls[0], model::cod_couve);
    EXPECT_EQ(p.lista_pls[1], model::cod_tomate);
    EXPECT_EQ(p.lista_pls[2], model::cod_repolho);

    // A young lot, or a bed still within the interval once its seedbed weeks
    // are added, means this interval's sowing is done.
    semeia(0, model::cod_tomate, 3);
    planta(10, model::cod_couve, 6);       // 5 + 6 < 12
    planta(11, model::cod_repolho, 0);     // 5 + 0 >= 4: sown again
    agenda::pl_sem_tr(p);
    ASSERT_EQ(p.qt_pls, 1);
    EXPECT_EQ(p.lista_pls[0], model::cod_repolho);
    EXPECT_EQ(h.qt_sem_cult[model::cod_tomate], 1);
    EXPECT_EQ(h.qt_sem_cult[model::cod_couve], 1);

    h.idade_can[10] = 7;                    // 5 + 7 = 12: due again
    agenda::pl_sem_tr(p);
    EXPECT_EQ(p.qt_pls, 2);
}

}  // namespace
}  // namespace agenda_test
