// The screen's load, its first activation and the lot display.

#include "apoio.h"
#include "shell/navegacao.h"

namespace seedbed_test {
namespace {

constexpr pf::Color kCinza = 0x00C0C0C0;
constexpr pf::Color kCorLi = 0x00C0FFFF;
constexpr pf::Color kCorDes = 0x0000FFFF;
constexpr pf::Color kCorTr = 0x00FF00FF;
constexpr pf::Color kVerde = 0x0000C000;

TEST(TabelaSementeira, BuscasPorCodigoEPosicao) {
    // Every seedbed crop has exactly one slot, in slot order, and the 8 crops
    // planted directly have none.
    int com_posicao = 0;
    for (int c = -1; c <= model::n_culturas + 1; ++c) {
        const auto slot = seedbed::FF_SEM(static_cast<std::int16_t>(c));
        EXPECT_EQ(slot.has_value(), model::e_cultura_sementeira(c)) << c;
        if (slot) {
            ++com_posicao;
            EXPECT_EQ(seedbed::culturas_sementeira()[*slot].cultura, c);
        }
    }
    EXPECT_EQ(com_posicao, seedbed::n_slots);
    EXPECT_EQ(*seedbed::FF_SEM(model::cod_cheiro_verde), 2);
    EXPECT_EQ(*seedbed::FF_SEM(model::cod_alho_poro), 12);

    EXPECT_EQ(seedbed::figura_crescimento(model::cod_alface, 0), "\\anima\\cresce0.bmp");
    EXPECT_EQ(seedbed::figura_crescimento(model::cod_tomate, 12), "\\anima\\cresce12.bmp");
    EXPECT_EQ(seedbed::figura_crescimento(0, 3), "\\anima\\crescepb.bmp");
    EXPECT_EQ(seedbed::figura_crescimento(-1, 0), "\\anima\\crescepb.bmp");
}

TEST_F(SementeiraTest, CargaDaTela) {
    model::sessao().cor_li = 1;  // left by another screen
    auto& f = abre();
    const auto& s = model::sessao();
    EXPECT_EQ(shell::estado_telas().tela_atual, "sementeira");
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoAtual{});
    EXPECT_EQ(s.cor_li, kCorLi);
    EXPECT_EQ(s.cor_des, kCorDes);
    EXPECT_EQ(s.cor_tr, kCorTr);
    EXPECT_EQ(f.cor_horta, kVerde);
    EXPECT_EQ(s.cor_cinza, kCinza);
    EXPECT_EQ(caminho(f.Command4(1).Picture()), "\\anima\\li06.bmp");
    EXPECT_EQ(caminho(f.Command4(2).DisabledPicture()), "\\anima\\des06bw.bmp");
    EXPECT_EQ(caminho(f.Command4(3).Picture()), "\\anima\\tra04.bmp");
    EXPECT_EQ(f.Command4(4).Picture().GamePath(), platform::ProgramFolder() + "\\trab3.bmp");
    EXPECT_EQ(caminho(f.tempo_real.Picture()), "\\anima\\seman04.bmp");  // Wednesday
    EXPECT_EQ(caminho(f.previsao.Picture()), "\\anima\\planet01.bmp");
    EXPECT_EQ(caminho(f.pic_horta.Picture()), "\\anima\\enx00c.bmp");
    EXPECT_FALSE(f.Picture().IsEmpty());
    EXPECT_EQ(f.MousePointer(), pf::vbCrosshair);
    EXPECT_FALSE(f.primeira_ativacao);
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    EXPECT_EQ(f.game_clock.Interval(), 0);
    EXPECT_TRUE(sons->calls.empty());
    // Markers and indicators stay hidden; every lot is free.
    for (int i = 0; i < model::n_lotes; ++i) {
        EXPECT_FALSE(f.Label4(i).Visible());
        EXPECT_TRUE(f.Image3(i).Picture().IsEmpty());
        EXPECT_EQ(caminho(f.CRESCE(i).Picture()), "\\anima\\crescepb.bmp");
    }
    for (int k = 1; k <= 4; ++k) {
        EXPECT_FALSE(f.Command4(k).Enabled()) << k;
        EXPECT_EQ(f.Command4(k).BackColor(), kCinza) << k;
    }
}

TEST_F(SementeiraTest, LotesMostramCulturaEIdade) {
    semeia(0, model::cod_alho_poro, 1);
    semeia(5, model::cod_cheiro_verde, 3);
    semeia(11, model::cod_tomate, 0);
    semeia(12, model::cod_cenoura, 2);  // not a seedbed crop: stored data only
    model::horta().cult_sem[13] = model::nao_usado;
    auto& f = abre();
    EXPECT_EQ(caminho(f.Image3(0).Picture()), "\\anima\\az_por.bmp");
    EXPECT_EQ(caminho(f.Image3(5).Picture()), "\\anima\\az_che.bmp");
    EXPECT_EQ(caminho(f.CRESCE(5).Picture()), "\\anima\\cresce3.bmp");
    EXPECT_EQ(caminho(f.Image3(11).Picture()), "\\anima\\az_tom.bmp");
    EXPECT_EQ(caminho(f.CRESCE(11).Picture()), "\\anima\\cresce0.bmp");
    EXPECT_TRUE(f.Image3(12).Picture().IsEmpty());
    EXPECT_EQ(caminho(f.CRESCE(12).Picture()), "\\anima\\cresce2.bmp");
    EXPECT_TRUE(f.Image3(13).Picture().IsEmpty());
    EXPECT_EQ(caminho(f.CRESCE(13).Picture()), "\\anima\\crescepb.bmp");

    // One lot or all of them.
    model::horta().idade_sem[5] = 4;
    model::horta().idade_sem[0] = 2;
    novas_figuras();
    f.CRESCER(5);
    EXPECT_EQ(novas_figuras(), std::vector<std::string>{"\\anima\\cresce4.bmp"});
    f.CRESCER(100);
    EXPECT_EQ(novas_figuras().size(), 22u);
    EXPECT_EQ(caminho(f.CRESCE(0).Picture()), "\\anima\\cresce2.bmp");
    f.CRESCER(22);  // no such lot: nothing
    f.CRESCER(-1);
    EXPECT_TRUE(novas_figuras().empty());
}

TEST_F(SementeiraTest, BotoesPelasRemontagens) {
    // Two Alface lots due for cleaning (age 2), done marks as given; one
    // Couve lot due for thinning (age 3) not done.
    struct Caso {
        bool feito0, feito1;
        bool na_abertura;  // Limpar enabled by the first activation
    };
    for (Caso c : {Caso{false, false, true}, Caso{true, false, true}, Caso{true, true, false}}) {
        SetUp();
        semeia(0, model::cod_alface, 2, c.feito0);
        semeia(1, model::cod_alface, 2, c.feito1);
        semeia(2, model::cod_couve, 3);
        auto& f = abre();
        EXPECT_EQ(f.Command4(1).Enabled(), c.na_abertura);
        EXPECT_EQ(f.Command4(1).BackColor(), kCorLi);
        EXPECT_TRUE(f.Command4(2).Enabled());
        EXPECT_EQ(f.Command4(2).BackColor(), kCorDes);
        EXPECT_FALSE(f.Command4(3).Enabled());
        EXPECT_EQ(f.Command4(3).BackColor(), kCinza);
        f.Monta_sem();  // the later redraw enables whatever is due
        EXPECT_TRUE(f.Command4(1).Enabled());
        EXPECT_EQ(f.Label4(0).Caption(), "");  // no activity chosen: markers untouched
        EXPECT_FALSE(f.Label4(0).Visible());
        TearDown();
    }
}

TEST_F(SementeiraTest, BotaoDaHortaPelasRemontagens) {
    struct Caso {
        int idade_canteiro;  // Alface bed: 2 LI due, 3 nothing due
        bool feito;
        bool plantio;        // a planting is due in the garden
        bool abertura_habilitado;
        pf::Color abertura_cor;
        bool depois_habilitado;
    };
    const Caso casos[] = {
        {3, false, false, false, kCinza, false},
        {2, false, false, true, kVerde, true},
        {2, true, false, false, kVerde, true},
        {3, false, true, true, kVerde, true},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::horta().cult_can.fill(model::nenhuma);
        planta(0, model::cod_alface, c.idade_canteiro);
        model::horta().check_can[0] = c.feito;
        if (c.plantio) model::horta().seq_cult[model::cod_cenoura] = 1;
        auto& f = abre();
        EXPECT_EQ(f.Command4(4).Enabled(), c.abertura_habilitado) << c.idade_canteiro << c.feito << c.plantio;
        EXPECT_EQ(f.Command4(4).BackColor(), c.abertura_cor) << c.idade_canteiro << c.feito << c.plantio;
        f.Monta_sem();
        EXPECT_EQ(f.Command4(4).Enabled(), c.depois_habilitado) << c.idade_canteiro << c.feito << c.plantio;
        TearDown();
    }
}

TEST_F(SementeiraTest, SemanasNasCaixas) {
    struct Caso {
        int ano, mes, dia;
        const char* semana;
    };
    for (Caso c : {Caso{2026, 1, 1, "1"}, Caso{2000, 12, 31, "54"}, Caso{1999, 1, 2, "1"}, Caso{1999, 1, 3, "2"}}) {
        SetUp();
        platform::SetNow(platform::MakeDateTime(c.ano, c.mes, c.dia, 9, 0, 0));
        auto& h = model::horta();
        h.data_real = h.data_agenda = platform::Now();
        auto& f = abre();
        EXPECT_EQ(f.tempo.Text(), c.semana) << c.ano << "-" << c.mes << "-" << c.dia;
        EXPECT_EQ(f.terra.Text(), c.semana);
        TearDown();
    }
    // Opened during a forecast: the week shown differs from the real one.
    SetUp();
    auto& h = model::horta();
    h.data_agenda = h.data_real + 14;
    auto& f = abre();
    EXPECT_EQ(f.tempo.Text(), std::to_string(platform::WeekOfYear(h.data_real)));
    EXPECT_EQ(f.terra.Text(), std::to_string(platform::WeekOfYear(h.data_agenda)));
    EXPECT_NE(f.tempo.Text(), f.terra.Text());
}

TEST_F(SementeiraTest, CaixasDeSemanaNaoAceitamDigitacao) {
    auto& f = abre();
    const std::string semana = f.terra.Text();
    for (pf::TextBox* caixa : {&f.tempo, &f.terra}) {
        caixa->SetFocus();
        t::KeyPress('5');
        t::KeyPress(8);
        caixa->Paste("12");
    }
    EXPECT_EQ(f.terra.Text(), semana);
    EXPECT_EQ(f.tempo.Text(), semana);
}

TEST_F(SementeiraTest, DialogoFechadoNaoRedesenha) {
    semeia(0, model::cod_alface, 2);
    auto& f = abre();
    model::horta().cult_sem[0] = model::nenhuma;  // changed behind the screen's back
    f.lbl_tempo_Click();                          // a modal notice over the screen
    t::ProcessEvents();
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Tempo Real");
    EXPECT_EQ(caminho(pf::LoadPicture(dialogos[0].figura)), "\\anima\\help6.jpg");
    EXPECT_FALSE(f.Image3(0).Picture().IsEmpty());  // no redraw on the new activation
    EXPECT_TRUE(pf::Forms::IsLoaded(seedbed::nome_tela_sementeira));
}

}  // namespace
}  // namespace seedbed_test
