// Unticking a lot reopens its care: the care button that the end of the
// activity greyed comes back, so the care can be finished again and no
// "Parabéns" is given while a lot waits.

#include "apoio.h"

namespace seedbed_test {
namespace {

void pisca_ate_o_fim(controle_da_sementeira& f) {
    for (int tick = 0; tick < 40 && f.Timergame.Interval() != 0; ++tick) t::TickTimer(f.Timergame);
}

TEST_F(SementeiraTest, DesmarcarNaPiscadaReabreOCuidadoSemParabens) {
    model::sessao().modo_guiado = true;
    semeia(0, model::cod_alface, 2);  // LI
    semeia(1, model::cod_alface, 2);  // LI
    semeia(2, model::cod_couve, 3);   // DES
    auto& f = abre();
    t::Click(f.Command4(1));
    t::Click(f.Label4(0));
    t::Click(f.Label4(1));
    ASSERT_FALSE(f.Command4(1).Enabled());
    t::TickTimer(f.Timergame);
    t::TickTimer(f.Timergame);
    t::Click(f.Label4(1));  // lot 1 undone during the blink
    EXPECT_TRUE(f.Command4(1).Enabled()) << "cleaning is pending again";

    t::Click(f.Command4(2));
    t::Click(f.Label4(2));
    pisca_ate_o_fim(f);
    EXPECT_TRUE(dialogos.empty()) << "lot 1 still waits for cleaning";

    // Cleaning can be finished again on this visit, and then the work is done.
    t::Click(f.Command4(1));
    EXPECT_EQ(f.Label4(1).Caption(), "");
    t::Click(f.Label4(1));
    EXPECT_FALSE(f.Command4(1).Enabled());
    pisca_ate_o_fim(f);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Parabéns");
}

}  // namespace
}  // namespace seedbed_test
