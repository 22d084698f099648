// The week forecast on the seedbed screen and the return to the real week,
// shared with the garden screen.

#include "apoio.h"
#include "garden/trabalhando_na_horta.h"
#include "shell/navegacao.h"

namespace seedbed_test {
namespace {

class PrevisaoTest : public SementeiraTest {
protected:
    void SetUp() override {
        SementeiraTest::SetUp();
        auto& h = model::horta();
        h.cult_can.fill(model::nenhuma);
        semeia(0, model::cod_alface, 4, true);  // 4 seedbed weeks: emptied by the first step
        semeia(1, model::cod_tomate, 4);        // transplant due after the first step
        planta(0, model::cod_alface, 7);        // freed by the first step (cycle 8)
    }

    static std::string semana_mais(int semanas) {
        return std::to_string(platform::WeekOfYear(model::horta().data_real + 7.0 * semanas));
    }
};

TEST_F(PrevisaoTest, DuasSemanasAFrenteEVolta) {
    auto& h = model::horta();
    auto& f = abre();
    const std::string real = f.tempo.Text();
    ASSERT_EQ(caminho(f.Image3(0).Picture()), "\\anima\\az_alf.bmp");
    f.previsao.SetMousePointer(pf::vbCustom);

    t::Click(f.previsao);
    EXPECT_EQ(h.cult_sem[0], model::nenhuma);
    EXPECT_EQ(h.nome_sem[0], "");
    EXPECT_TRUE(f.Image3(0).Picture().IsEmpty());
    EXPECT_EQ(caminho(f.CRESCE(0).Picture()), "\\anima\\crescepb.bmp");
    EXPECT_EQ(h.idade_sem[1], 5);
    EXPECT_EQ(caminho(f.CRESCE(1).Picture()), "\\anima\\cresce5.bmp");
    EXPECT_TRUE(f.Command4(3).Enabled()) << "the Tomate seedlings are ready";
    EXPECT_EQ(h.cult_can[0], model::nenhuma);
    EXPECT_EQ(f.terra.Text(), semana_mais(1));
    EXPECT_EQ(f.atividade, "PLS");
    EXPECT_EQ(shell::estado_telas().ponteiro_salvo, pf::vbCustom);
    EXPECT_EQ(f.previsao.MousePointer(), pf::vbCustom);

    t::Click(f.previsao);
    EXPECT_EQ(h.cult_sem[1], model::nenhuma) << "older than its 5 seedbed weeks";
    EXPECT_EQ(f.terra.Text(), semana_mais(2));
    EXPECT_EQ(f.tempo.Text(), real);
    EXPECT_EQ(h.real.idade_sem[1], 4) << "the backup is the real week's";

    t::Click(f.tempo_real);
    EXPECT_EQ(h.data_agenda, h.data_real);
    EXPECT_EQ(f.terra.Text(), real);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(h.nome_sem[0], "Alface");
    EXPECT_EQ(h.idade_sem[0], 4);
    EXPECT_TRUE(h.check_sem[0]);
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(caminho(f.Image3(0).Picture()), "\\anima\\az_alf.bmp");
    EXPECT_EQ(caminho(f.CRESCE(1).Picture()), "\\anima\\cresce4.bmp");
    EXPECT_EQ(f.atividade, "PLS") << "kept until an activity is chosen";
}

TEST_F(PrevisaoTest, MarcasSomemNaPrevisao) {
    semeia(5, model::cod_couve, 1);  // cleaning due after one step
    semeia(6, model::cod_chicoria, 2);  // cleaning due now
    auto& f = abre();
    t::Click(f.Command4(1));
    ASSERT_TRUE(f.Label4(6).Visible());
    t::Click(f.previsao);
    for (int i = 0; i < model::n_lotes; ++i) EXPECT_FALSE(f.Label4(i).Visible()) << i;
    t::Click(f.tempo_real);
    for (int i = 0; i < model::n_lotes; ++i) EXPECT_FALSE(f.Label4(i).Visible()) << i;
    t::Click(f.Command4(1));
    EXPECT_TRUE(f.Label4(6).Visible());
}

TEST_F(PrevisaoTest, SemeaduraDuranteAPrevisaoSePerde) {
    auto& h = model::horta();
    auto& f = abre();
    t::Click(f.previsao);
    t::DragTo(f.c_rep, f.Image3(9), 10, 10);
    EXPECT_EQ(h.cult_sem[9], model::cod_repolho);
    t::Click(f.tempo_real);
    EXPECT_EQ(h.cult_sem[9], model::nenhuma);
    EXPECT_TRUE(f.Image3(9).Picture().IsEmpty());
}

TEST_F(PrevisaoTest, TempoRealSemPrevisaoNaoMudaNada) {
    auto& h = model::horta();
    auto& f = abre();
    const auto lotes = h.cult_sem;
    h.real.cult_sem.fill(model::cod_couve);  // a stale backup must not come back
    novas_figuras();
    t::Click(f.tempo_real);
    EXPECT_EQ(h.cult_sem, lotes);
    for (const std::string& fig : novas_figuras()) EXPECT_EQ(fig.find("az_"), std::string::npos) << fig;
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoSemana::tempo_real);
    EXPECT_EQ(f.timer_.Interval(), 100);
}

TEST_F(PrevisaoTest, PrevisaoCompartilhadaComAHorta) {
    garden::registra_formularios();
    auto& h = model::horta();
    // Begun on the garden screen, ended on the seedbed.
    pf::Forms::Show(garden::nome_tela_horta);
    t::ProcessEvents();
    auto& horta = pf::Forms::Get<garden::trabalhando_na_horta>(garden::nome_tela_horta);
    horta.previsao_Click();
    EXPECT_EQ(h.cult_sem[0], model::nenhuma);
    pf::Forms::Unload(garden::nome_tela_horta);
    auto& f = abre();
    EXPECT_EQ(f.terra.Text(), semana_mais(1));
    EXPECT_NE(f.terra.Text(), f.tempo.Text());
    t::Click(f.previsao);
    EXPECT_EQ(h.real.idade_sem[1], 4);
    t::Click(f.tempo_real);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(h.idade_can[0], 7);

    // Begun on the seedbed, ended on the garden screen.
    t::Click(f.previsao);
    f.Unload();
    pf::Forms::Show(garden::nome_tela_horta);
    t::ProcessEvents();
    auto& horta2 = pf::Forms::Get<garden::trabalhando_na_horta>(garden::nome_tela_horta);
    horta2.tempo_real_Click();
    EXPECT_EQ(h.data_agenda, h.data_real);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(h.idade_sem[1], 4);
}

}  // namespace
}  // namespace seedbed_test
