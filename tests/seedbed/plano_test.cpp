// The sowing plan: which seedbed crops must be sown this week, their
// indicators, the highlighted buttons and the indicator's explanation.

#include "apoio.h"

namespace seedbed_test {
namespace {

const int kAlface = *seedbed::FF_SEM(model::cod_alface);
const int kCouve = *seedbed::FF_SEM(model::cod_couve);

class PlanoTest : public SementeiraTest {
protected:
    void SetUp() override {
        SementeiraTest::SetUp();
        model::sessao().modo_guiado = true;
        model::horta().cult_can.fill(model::nenhuma);
    }
    // The indicator of a crop after a full plan.
    static std::string situacao(controle_da_sementeira& f, int cult) {
        f.pl_sem(0);
        pf::Label& l = f.Label3(*seedbed::FF_SEM(static_cast<std::int16_t>(cult)));
        EXPECT_EQ(l.Visible(), l.Caption() == "1");
        return l.Caption();
    }
};

TEST_F(PlanoTest, UmaCulturaSoMexeNela) {
    auto& h = model::horta();
    h.seq_cult[model::cod_alface] = 1;
    h.seq_cult[model::cod_couve] = 1;
    auto& f = abre();
    ASSERT_TRUE(f.Label3(kAlface).Visible());
    ASSERT_TRUE(f.Label3(kCouve).Visible());
    h.qt_sem_cult[model::cod_tomate] = 7;
    semeia(0, model::cod_alface, 0);
    semeia(1, model::cod_alface, 0);
    f.pl_sem(model::cod_alface);
    EXPECT_FALSE(f.Label3(kAlface).Visible());
    EXPECT_EQ(h.qt_sem_cult[model::cod_alface], 1) << "one crop counts at most one lot";
    EXPECT_TRUE(f.Label3(kCouve).Visible());
    EXPECT_EQ(h.qt_sem_cult[model::cod_tomate], 7);
    f.pl_sem(22);  // no such crop: nothing
    f.pl_sem(model::nao_usado);
    EXPECT_EQ(h.qt_sem_cult[model::cod_alface], 2) << "0 or less: all crops";
}

TEST_F(PlanoTest, BotoesRealcados) {
    auto& h = model::horta();
    h.seq_cult[model::cod_alface] = 1;
    auto& f = abre();
    const std::string icone = f.c_tom.Picture().GamePath();
    EXPECT_EQ(icone, platform::ProgramFolder() + "\\forms\\controle_da_sementeira_c_tom.bmp");
    EXPECT_EQ(caminho(f.c_alf.Picture()), "\\anima\\az_alf.bmp");
    // Sown: the indicator goes, the highlight stays for the visit.
    semeia(0, model::cod_alface, 0);
    f.pl_sem(0);
    EXPECT_FALSE(f.Label3(kAlface).Visible());
    EXPECT_EQ(caminho(f.c_alf.Picture()), "\\anima\\az_alf.bmp");
    EXPECT_EQ(f.c_tom.Picture().GamePath(), icone);
    for (int k = 0; k < seedbed::n_slots; ++k) EXPECT_EQ(f.botao_cultura(k).DragMode(), pf::vbAutomatic);
}

TEST_F(PlanoTest, ForaDoModoGuiado) {
    model::sessao().modo_guiado = false;
    model::horta().seq_cult.fill(1);
    auto& f = abre();
    for (int k = 0; k < seedbed::n_slots; ++k) {
        EXPECT_FALSE(f.Label3(k).Visible()) << k;
        EXPECT_EQ(caminho(f.botao_cultura(k).Picture()), seedbed::culturas_sementeira()[k].figura_lote) << k;
    }
    EXPECT_EQ(caminho(f.c_alh.Picture()), "\\anima\\az_por.bmp");
}

TEST_F(PlanoTest, ExplicacaoDoIndicador) {
    auto& f = abre();
    f.Label3_Click(12);
    f.Label3_Click(*seedbed::FF_SEM(model::cod_espinafre));
    f.Label3_Click(13);
    f.Label3_Click(-1);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[0].titulo, "Alho-Poró");
    EXPECT_EQ(dialogos[0].mensagem, "Voce deve plantar 1 lote de Alho-Poró sementeira");
    EXPECT_EQ(dialogos[1].titulo, "Espinhafre");
    EXPECT_EQ(dialogos[1].mensagem, "Voce deve plantar 1 lote de Espinafre na sementeira");
    EXPECT_TRUE(sons->calls.empty());

    // A click on a shown indicator reaches it.
    model::horta().seq_cult[model::cod_tomate] = 1;
    f.pl_sem(0);
    dialogos.clear();
    t::Click(f.Label3(*seedbed::FF_SEM(model::cod_tomate)));
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].mensagem, "Voce deve plantar 1 lote de Tomate na sementeira");
}

}  // namespace
}  // namespace seedbed_test
