// The week forecast and the return to the real week.

#include <unistd.h>

#include <filesystem>

#include "apoio.h"
#include "shell/navegacao.h"

namespace garden_test {
namespace {

class PrevisaoTest : public HortaTest {
protected:
    void SetUp() override {
        HortaTest::SetUp();
        auto& h = model::horta();
        planta(0, model::cod_alface, 7);  // freed by the first forecast step (cycle 8)
        h.ult_cult[0] = model::cod_repolho;
        h.check_can[0] = true;
        planta(1, model::cod_couve, 3);
        h.cult_sem[0] = model::cod_alface;  // emptied by the first step (4 seedbed weeks)
        h.idade_sem[0] = 4;
        h.cult_sem[1] = model::cod_tomate;  // ready after the first step
        h.idade_sem[1] = 4;
    }

    static std::string semana_mais(int semanas) {
        return garden::texto_semana(model::horta().data_real + 7.0 * semanas);
    }
};

TEST_F(PrevisaoTest, DuasSemanasAFrenteEVolta) {
    auto& f = abre();
    auto& h = model::horta();
    const std::string real = f.tempo.Text();
    EXPECT_EQ(f.terra.Text(), real);

    t::Click(f.previsao);
    EXPECT_EQ(h.cult_can[0], model::nenhuma);
    EXPECT_EQ(h.ult_cult[0], model::cod_alface);
    EXPECT_EQ(h.penult_cult[0], model::cod_repolho);
    EXPECT_EQ(h.nome_can[0], "");
    EXPECT_FALSE(f.cant.Exists(0));
    EXPECT_FALSE(f.txt_label.Exists(0));
    EXPECT_EQ(h.cult_sem[0], model::nenhuma);
    EXPECT_EQ(h.idade_sem[1], 5);
    EXPECT_EQ(f.terra.Text(), semana_mais(1));

    t::Click(f.previsao);
    EXPECT_EQ(h.idade_can[1], 5);
    EXPECT_EQ(f.terra.Text(), semana_mais(2));
    EXPECT_EQ(f.tempo.Text(), real);
    EXPECT_EQ(h.real.idade_can[1], 3);  // the backup is the real week's

    t::Click(f.tempo_real);
    EXPECT_EQ(h.data_agenda, h.data_real);
    EXPECT_EQ(f.terra.Text(), real);
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(h.idade_can[0], 7);
    EXPECT_EQ(h.nome_can[0], "Alface");
    EXPECT_TRUE(h.check_can[0]);
    EXPECT_EQ(h.ult_cult[0], model::cod_repolho);
    EXPECT_EQ(h.penult_cult[0], model::nao_usado);
    EXPECT_EQ(h.idade_can[1], 3);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(h.idade_sem[1], 4);
    ASSERT_TRUE(f.cant.Exists(0));
    EXPECT_TRUE(f.cant(0).Visible());
    EXPECT_EQ(f.cant(0).Left(), 1);
    EXPECT_EQ(f.cant(0).Top(), 1);
    EXPECT_EQ(f.cant(0).Picture().GamePath(), "E:\\anima\\az_alf.bmp");
    ASSERT_TRUE(f.txt_label.Exists(0));
    EXPECT_EQ(f.txt_label(0).Left(), 2);
    EXPECT_EQ(f.txt_label(0).Text(), "ok");

    // In the real week the button only animates.
    t::Click(f.tempo_real);
    EXPECT_EQ(h.idade_can[1], 3);
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoSemana::tempo_real);
}

TEST_F(PrevisaoTest, MudancasDuranteAPrevisaoSaoDesfeitasNaTelaTambem) {
    auto& f = abre();
    auto& h = model::horta();
    t::Click(f.previsao);
    t::DragTo(f.c_cen, f.horta, 42 * 5 + 20, 42 * 5 + 20);  // cell 55
    ASSERT_EQ(h.cult_can[55], model::cod_cenoura);
    respostas = {true};
    t::DragTo(f.cant(1), f, 2500, 8800);  // Couve removed
    ASSERT_EQ(h.cult_can[1], model::nao_usado);

    t::Click(f.tempo_real);
    EXPECT_EQ(h.cult_can[55], model::nenhuma);
    EXPECT_FALSE(f.cant.Exists(55));
    EXPECT_FALSE(f.txt_label.Exists(55));
    EXPECT_EQ(h.cult_can[1], model::cod_couve);
    ASSERT_TRUE(f.cant.Exists(1));
    EXPECT_TRUE(f.cant(1).Visible());
    // The grid and its controls agree cell by cell.
    for (int i = 0; i < 100; ++i) EXPECT_EQ(f.cant.Exists(i), h.cult_can[i] > 0) << i;
}

TEST_F(PrevisaoTest, CinquentaETresSemanasAFrente) {
    auto& f = abre();
    auto& h = model::horta();
    planta(2, model::cod_quiabo, 5);
    for (int k = 0; k < 53; ++k) f.previsao_Click();
    EXPECT_EQ(f.terra.Text(), semana_mais(53));
    f.tempo_real_Click();
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(h.idade_can[0], 7);
    EXPECT_EQ(h.cult_can[1], model::cod_couve);
    EXPECT_EQ(h.idade_can[1], 3);
    EXPECT_EQ(h.cult_can[2], model::cod_quiabo);
    EXPECT_EQ(h.idade_can[2], 5);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(f.terra.Text(), f.tempo.Text());
    for (int i = 0; i < 100; ++i) EXPECT_EQ(f.cant.Exists(i), h.cult_can[i] > 0) << i;
}

TEST_F(PrevisaoTest, SairDuranteAPrevisaoGravaASemanaReal) {
    const auto pasta = std::filesystem::temp_directory_path() / ("horta_previsao_" + std::to_string(::getpid()));
    std::filesystem::create_directories(pasta);
    comum::remove_ao_sair(pasta);
    model::define_caminho_banco((pasta / "hortas00.mdb").string());
    auto& f = abre();
    t::Click(f.previsao);
    t::Click(f.previsao);
    ASSERT_TRUE(model::previsao_ativa());

    // The exit path: the real week is put back before the save.
    if (model::previsao_ativa()) model::restaura_previsao();
    ASSERT_TRUE(model::grava_horta());
    model::horta() = model::EstadoHorta{};
    ASSERT_TRUE(model::le_horta());
    auto& h = model::horta();
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(h.idade_can[0], 7);
    EXPECT_EQ(h.idade_can[1], 3);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(h.idade_sem[1], 4);
    model::define_caminho_banco("");
    std::filesystem::remove_all(pasta);
}

}  // namespace
}  // namespace garden_test
