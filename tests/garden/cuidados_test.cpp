// Care buttons, the bed legend, ticking beds and the completion blink.

#include "apoio.h"
#include "shell/navegacao.h"

namespace garden_test {
namespace {

constexpr pf::Color kCinza = 0x00C0C0C0;
constexpr pf::Color kCorLi = 0x00C0FFFF;

TEST_F(HortaTest, BotaoDeCuidadoPelasRemontagens) {
    // Two Alface beds due for cleaning (age 2), done marks as given.
    struct Caso {
        bool feito0, feito1;
        bool habilitado_na_abertura;  // first activation (monta_matriz2)
    };
    for (Caso c : {Caso{false, false, true}, Caso{true, false, true}, Caso{true, true, false}}) {
        SetUp();
        planta(0, model::cod_alface, 2);
        planta(1, model::cod_alface, 2);
        model::horta().check_can[0] = c.feito0;
        model::horta().check_can[1] = c.feito1;
        auto& f = abre();
        EXPECT_EQ(f.Command2(5).Enabled(), c.habilitado_na_abertura);
        EXPECT_EQ(f.Command2(5).BackColor(), kCorLi);
        EXPECT_TRUE(f.Command2(5).Visible());
        for (int k : {6, 7, 8, 9}) {
            EXPECT_FALSE(f.Command2(k).Enabled());
            EXPECT_EQ(f.Command2(k).BackColor(), kCinza);
        }
        f.monta_matriz(0, "", "");  // the full rebuild enables it whenever it is due
        EXPECT_TRUE(f.Command2(5).Enabled());
        EXPECT_EQ(f.txt_label(0).Text(), c.feito0 ? "ok" : "");
        EXPECT_FALSE(f.txt_label(0).Visible());
        TearDown();
    }
}

TEST_F(HortaTest, BotaoDaSementeira) {
    struct Caso {
        int lote;          // -1 none; else the Alface lot's age (2: cleaning due)
        bool feito;
        bool semeadura;    // a sowing is due
        bool habilitado;
        pf::Color cor;
    };
    const Caso casos[] = {
        {-1, false, false, false, kCinza},    {-1, false, true, true, 0x0000FF}, {2, false, false, true, 0x0000FF},
        {2, true, false, false, 0x0000FF},    {2, true, true, true, 0x0000FF},
    };
    for (const Caso& c : casos) {
        SetUp();
        auto& h = model::horta();
        if (c.lote >= 0) {
            h.cult_sem[0] = model::cod_alface;
            h.idade_sem[0] = c.lote;
            h.check_sem[0] = c.feito;
        }
        if (c.semeadura) h.seq_cult[model::cod_tomate] = 1;
        auto& f = abre();
        EXPECT_EQ(f.Command2(2).Enabled(), c.habilitado) << c.lote << c.feito << c.semeadura;
        EXPECT_EQ(f.Command2(2).BackColor(), c.cor) << c.lote << c.feito << c.semeadura;
        TearDown();
    }
}

TEST_F(HortaTest, EscolhaDoCuidadoMarcaOsCanteiros) {
    model::sessao().som_ligado = true;
    planta(0, model::cod_alface, 2);   // LI
    planta(1, model::cod_alface, 2);   // LI
    planta(2, model::cod_cenoura, 4);  // DES
    model::horta().check_can[1] = true;
    auto& f = abre();
    t::Click(f.Command2(5));
    EXPECT_TRUE(f.txt_label(0).Visible());
    EXPECT_EQ(f.txt_label(0).Text(), "");
    EXPECT_TRUE(f.txt_label(1).Visible());
    EXPECT_EQ(f.txt_label(1).Text(), "ok");
    EXPECT_FALSE(f.txt_label(2).Visible());
    EXPECT_EQ(f.txt_label(2).BackColor(), kCorLi);  // coloured, not shown
    EXPECT_EQ(f.txt_label(0).ForeColor(), pf::vbBlack);
    EXPECT_EQ(tocou("\\l1.wav"), 1);
    EXPECT_EQ(shell::estado_telas().acao, garden::AcaoHorta::limpar);

    t::Click(f.Command2(6));
    EXPECT_FALSE(f.txt_label(0).Visible());
    EXPECT_TRUE(f.txt_label(2).Visible());
    EXPECT_EQ(tocou("\\d1.wav"), 1);

    f.Command2(7).SetEnabled(true);  // no bed is due for AM
    t::Click(f.Command2(7));
    for (int i : {0, 1, 2}) EXPECT_FALSE(f.txt_label(i).Visible());
    EXPECT_EQ(f.txt_label(0).ForeColor(), pf::vbWhite);
    EXPECT_EQ(tocou("\\am2.wav"), 1);
    EXPECT_FALSE(f.tem_canteiro);
}

TEST_F(HortaTest, MarcarDesmarcarEPiscarAteParabens) {
    model::sessao().modo_guiado = true;
    planta(0, model::cod_alface, 2);
    planta(1, model::cod_alface, 2);
    planta(2, model::cod_cenoura, 4);  // DES
    auto& f = abre();
    t::Click(f.Command2(5));
    t::Click(f.txt_label(0));
    EXPECT_TRUE(model::horta().check_can[0]);
    EXPECT_EQ(f.txt_label(0).Text(), "ok");
    EXPECT_EQ(f.Timergame.Interval(), 0);

    // Unticking empties the box: the bed counts as pending again.
    t::Click(f.txt_label(0));
    EXPECT_FALSE(model::horta().check_can[0]);
    EXPECT_EQ(f.txt_label(0).Text(), "");
    t::Click(f.txt_label(1));
    EXPECT_EQ(f.Timergame.Interval(), 0) << "box 0 is still empty";

    t::Click(f.txt_label(0));  // the last one
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(f.Timergame.Interval(), 100);
    EXPECT_EQ(f.pisca.conta, 19);
    EXPECT_FALSE(f.Command2(5).Enabled());
    EXPECT_EQ(f.Command2(5).DisabledPicture().GamePath(), "E:\\anima\\li06bw.bmp");

    int apagou = 0, acendeu = 0;
    bool antes = f.txt_label(0).Visible();
    for (int tick = 0; tick < 19; ++tick) {
        t::TickTimer(f.Timergame);
        const bool agora = f.txt_label(0).Visible();
        apagou += antes && !agora;
        acendeu += !antes && agora;
        antes = agora;
    }
    EXPECT_EQ(apagou, 9);
    EXPECT_EQ(acendeu, 8);
    EXPECT_EQ(f.Timergame.Interval(), 0);
    for (int i : {0, 1}) {
        EXPECT_FALSE(f.txt_label(i).Visible());
        EXPECT_EQ(f.txt_label(i).Text(), "ok");
    }
    EXPECT_TRUE(dialogos.empty()) << "thinning is still open";
    t::Click(f.Command2(6));
    t::Click(f.txt_label(2));
    for (int tick = 0; tick < 40 && f.Timergame.Interval() != 0; ++tick) t::TickTimer(f.Timergame);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Parabéns");
    EXPECT_EQ(dialogos[0].figura, "E:\\anima\\parah.jpg");
}

TEST_F(HortaTest, DesmarcarDuranteAPiscadaTerminaAPiscada) {
    model::sessao().modo_guiado = true;
    planta(0, model::cod_alface, 2);
    planta(1, model::cod_alface, 2);
    auto& f = abre();
    t::Click(f.Command2(5));
    t::Click(f.txt_label(0));
    t::Click(f.txt_label(1));
    for (int tick = 0; tick < 3; ++tick) t::TickTimer(f.Timergame);  // 18, 17 (off), 16 (on)
    ASSERT_TRUE(f.txt_label(1).Visible());
    ASSERT_FALSE(f.Command2(5).Enabled());
    t::Click(f.txt_label(1));
    EXPECT_EQ(f.Timergame.Interval(), 0);
    EXPECT_EQ(f.txt_label(1).Text(), "");
    EXPECT_TRUE(f.Command2(5).Enabled()) << "cleaning is pending again";
    EXPECT_TRUE(f.txt_label(0).Visible());
    EXPECT_EQ(f.txt_label(0).Text(), "ok");
    for (int tick = 0; tick < 20; ++tick) t::TickTimer(f.Timergame);
    EXPECT_TRUE(dialogos.empty());
    // Ticking it again completes the activity and blinks anew.
    t::Click(f.txt_label(1));
    EXPECT_EQ(f.Timergame.Interval(), 100);
}

TEST_F(HortaTest, SegundoCliqueLogoDepoisDeUmAvisoNaMesmaTela) {
    // On the garden just shown, the player reads a counter's explanation,
    // closes it with Enter and at once chooses cleaning: that press is the
    // player's own, not the rest of a double click.
    model::sessao().modo_guiado = true;
    model::horta().seq_cult[model::cod_quiabo] = 2;
    planta(0, model::cod_alface, 2);  // LI
    auto& f = abre();
    bool aviso = false;
    t::SetModalHook([&](pf::Form&) {
        aviso = true;
        t::KeyPress(13);
    });
    // Presses where the player's pointer is, through the screen's press filter.
    const auto clica = [&](pf::Control& c) { t::ClickAt(f, c.Left() + c.Width() / 2, c.Top() + c.Height() / 2); };
    t::SetPressGap(100);
    clica(f.Label3(garden::FF_horta(model::cod_quiabo)));
    ASSERT_TRUE(aviso);
    ASSERT_FALSE(pf::Forms::IsLoaded("ok"));
    clica(f.Command2(5));
    t::SetPressGap(60000);
    EXPECT_TRUE(f.txt_label(0).Visible());
    EXPECT_EQ(shell::estado_telas().acao, garden::AcaoHorta::limpar);
}

TEST_F(HortaTest, CaixasNaoAceitamDigitacaoNemColagem) {
    planta(0, model::cod_alface, 2);
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
    t::Click(f.Command2(5));
    f.txt_label(0).SetFocus();
    EXPECT_TRUE(f.horta.HasFocus());
}

}  // namespace
}  // namespace garden_test
