// Care activities of the seedlings: choosing a button marks the lots due,
// ticking the markers, the completion blink and the notices at its end.

#include "apoio.h"
#include "shell/navegacao.h"

namespace seedbed_test {
namespace {

constexpr pf::Color kCorLi = 0x00C0FFFF;
constexpr pf::Color kCorTr = 0x00FF00FF;

// Ticks the blink timer until it stops; returns how often the marker of the
// lot went off and came back on.
std::pair<int, int> pisca(controle_da_sementeira& f, int lote) {
    int apagou = 0, acendeu = 0;
    bool antes = f.Label4(lote).Visible();
    for (int tick = 0; tick < 40 && f.Timergame.Interval() != 0; ++tick) {
        t::TickTimer(f.Timergame);
        const bool agora = f.Label4(lote).Visible();
        apagou += antes && !agora;
        acendeu += !antes && agora;
        antes = agora;
    }
    return {apagou, acendeu};
}

TEST_F(SementeiraTest, EscolhaMarcaOsLotesDaAtividade) {
    model::sessao().som_ligado = true;
    semeia(0, model::cod_alface, 2);        // LI
    semeia(1, model::cod_alface, 2, true);  // LI, done
    semeia(2, model::cod_couve, 3);         // DES
    semeia(3, model::cod_tomate, 5);        // TR
    auto& f = abre();
    t::Click(f.Command4(1));
    EXPECT_EQ(f.atividade, "LI");
    EXPECT_TRUE(f.Label4(0).Visible());
    EXPECT_EQ(f.Label4(0).Caption(), "");
    EXPECT_EQ(f.Label4(0).BackColor(), kCorLi);
    EXPECT_TRUE(f.Label4(1).Visible());
    EXPECT_EQ(f.Label4(1).Caption(), "ok");
    EXPECT_FALSE(f.Label4(2).Visible());
    EXPECT_EQ(tocou("\\mudlimp.wav"), 1);
    EXPECT_EQ(shell::estado_telas().acao, seedbed::AcaoSementeira::limpar);
    EXPECT_EQ(shell::estado_telas().quadro, 13);
    EXPECT_EQ(f.timer_.Interval(), 100);
    EXPECT_EQ(f.Command4(1).MousePointer(), pf::vbCustom);

    t::Click(f.Command4(3));
    EXPECT_EQ(f.atividade, "TR");
    EXPECT_FALSE(f.Label4(0).Visible());
    EXPECT_TRUE(f.Label4(3).Visible());
    EXPECT_EQ(f.Label4(3).BackColor(), kCorTr);
    EXPECT_EQ(tocou("\\mudtran.wav"), 1);

    // A due lot without a picture, and an activity with nothing marked.
    f.Image3(2).SetPicture(pf::Picture{});
    model::horta().cult_sem[2] = model::cod_cenoura;  // not a seedbed crop
    f.Command4(2).SetEnabled(true);
    t::Click(f.Command4(2));
    EXPECT_FALSE(f.Label4(2).Visible());
    EXPECT_EQ(tocou("\\ndesb.wav"), 1);
    EXPECT_EQ(shell::estado_telas().acao, seedbed::AcaoSementeira::desbastar);
    EXPECT_EQ(f.atividade, "DES");
    EXPECT_FALSE(f.leg_sem("PLS"));
    for (int i = 0; i < model::n_lotes; ++i) EXPECT_FALSE(f.Label4(i).Visible());
}

TEST_F(SementeiraTest, MarcarDesmarcarEPiscarAteParabens) {
    model::sessao().modo_guiado = true;
    semeia(0, model::cod_alface, 2);
    semeia(11, model::cod_chicoria, 2);
    auto& f = abre();
    t::Click(f.Command4(1));
    t::Click(f.Label4(0));
    EXPECT_TRUE(model::horta().check_sem[0]);
    EXPECT_EQ(f.Label4(0).Caption(), "ok");
    EXPECT_EQ(f.Timergame.Interval(), 0);

    // Unticking empties the marker: the lot is pending again.
    t::Click(f.Label4(0));
    EXPECT_FALSE(model::horta().check_sem[0]);
    EXPECT_EQ(f.Label4(0).Caption(), "");
    t::Click(f.Label4(11));
    EXPECT_EQ(f.Timergame.Interval(), 0) << "lot 0 is still pending";

    t::Click(f.Label4(0));  // the last one
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(f.Timergame.Interval(), 100);
    EXPECT_EQ(f.pisca.conta, 18);
    EXPECT_FALSE(f.Command4(1).Enabled());
    EXPECT_EQ(caminho(f.Command4(1).DisabledPicture()), "\\anima\\li06bw.bmp");

    const auto [apagou, acendeu] = pisca(f, 0);
    EXPECT_EQ(apagou, 9);
    EXPECT_EQ(acendeu, 8);
    for (int i : {0, 11}) {
        EXPECT_FALSE(f.Label4(i).Visible());
        EXPECT_EQ(f.Label4(i).Caption(), "ok");
    }
    EXPECT_EQ(f.atividade, "");
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Parabéns");
    EXPECT_EQ(caminho(pf::LoadPicture(dialogos[0].figura)), "\\anima\\paras.jpg");
}

TEST_F(SementeiraTest, TransplanteAvisaAntesDosParabens) {
    model::sessao().modo_guiado = true;
    semeia(5, model::cod_tomate, 5);
    auto& f = abre();
    t::Click(f.Command4(3));
    t::Click(f.Label4(5));
    pisca(f, 5);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[0].titulo, "Transplante - Sementeira/Horta");
    EXPECT_EQ(dialogos[0].mensagem,
              "Para fazer o transplante va para a tela da horta e arraste para algum espaço vazio as verduras "
              "indicadas.");
    EXPECT_EQ(dialogos[1].titulo, "Parabéns");
}

TEST_F(SementeiraTest, SemParabensComTrabalhoPendente) {
    struct Caso {
        bool guiado, outro_cuidado, semeadura;
    };
    for (Caso c : {Caso{false, false, false}, Caso{true, true, false}, Caso{true, false, true}}) {
        SetUp();
        model::sessao().modo_guiado = c.guiado;
        semeia(0, model::cod_alface, 2);
        if (c.outro_cuidado) semeia(1, model::cod_couve, 3);
        if (c.semeadura) model::horta().seq_cult[model::cod_tomate] = 1;
        auto& f = abre();
        t::Click(f.Command4(1));
        t::Click(f.Label4(0));
        pisca(f, 0);
        EXPECT_TRUE(dialogos.empty()) << c.guiado << c.outro_cuidado << c.semeadura;
        EXPECT_EQ(f.atividade, "");
        TearDown();
    }
}

TEST_F(SementeiraTest, TodosJaFeitosPrecisamDeDoisCliques) {
    semeia(0, model::cod_alface, 2, true);
    auto& f = abre();
    ASSERT_FALSE(f.Command4(1).Enabled());
    f.Command4(1).SetEnabled(true);
    t::Click(f.Command4(1));
    EXPECT_EQ(f.Label4(0).Caption(), "ok");
    t::Click(f.Label4(0));
    EXPECT_EQ(f.Timergame.Interval(), 0);
    t::Click(f.Label4(0));
    EXPECT_EQ(f.Timergame.Interval(), 100);
    EXPECT_TRUE(model::horta().check_sem[0]);
}

TEST_F(SementeiraTest, DesmarcarDuranteAPiscadaInterrompe) {
    model::sessao().modo_guiado = true;
    semeia(0, model::cod_alface, 2);
    semeia(1, model::cod_alface, 2);
    auto& f = abre();
    t::Click(f.Command4(1));
    t::Click(f.Label4(0));
    t::Click(f.Label4(1));
    for (int tick = 0; tick < 2; ++tick) t::TickTimer(f.Timergame);  // 17 (off), 16 (on)
    ASSERT_TRUE(f.Label4(1).Visible());
    t::Click(f.Label4(1));
    EXPECT_EQ(f.Timergame.Interval(), 0);
    EXPECT_EQ(f.Label4(1).Caption(), "");
    EXPECT_TRUE(f.Label4(0).Visible());
    EXPECT_EQ(f.Label4(0).Caption(), "ok");
    EXPECT_EQ(f.atividade, "LI");
    EXPECT_TRUE(dialogos.empty());
    t::Click(f.Label4(1));  // ticked again: the activity is complete anew
    EXPECT_EQ(f.Timergame.Interval(), 100);
    EXPECT_EQ(f.pisca.conta, 18);
}

TEST_F(SementeiraTest, BotaoDuranteAPiscada) {
    model::sessao().modo_guiado = true;
    semeia(0, model::cod_alface, 2);
    semeia(1, model::cod_couve, 3);
    auto& f = abre();
    t::Click(f.Command4(1));
    t::Click(f.Label4(0));
    t::TickTimer(f.Timergame);
    // The garden button stops the blink where it is; nothing ends.
    t::Click(f.Command4(4).Enabled() ? f.Command4(4) : f.Command4(2));
    EXPECT_EQ(f.Timergame.Interval(), 0);
    for (int tick = 0; tick < 30; ++tick) t::TickTimer(f.Timergame);
    EXPECT_TRUE(dialogos.empty());

    // A care button re-marks the lots of its own activity.
    SetUp();
    semeia(0, model::cod_alface, 2);
    semeia(1, model::cod_couve, 3);
    auto& g = abre();
    t::Click(g.Command4(1));
    t::Click(g.Label4(0));
    t::TickTimer(g.Timergame);
    t::Click(g.Command4(2));
    EXPECT_EQ(g.Timergame.Interval(), 0);
    EXPECT_FALSE(g.Label4(0).Visible());
    EXPECT_TRUE(g.Label4(1).Visible());
    EXPECT_EQ(g.atividade, "DES");
}

TEST_F(SementeiraTest, MarcasRefeitasPelasRemontagens) {
    semeia(0, model::cod_alface, 2);
    auto& f = abre();
    t::Click(f.Command4(1));
    ASSERT_TRUE(f.Label4(0).Visible());
    // A sowing redraws the plan, which marks the activity's lots again.
    t::DragTo(f.c_tom, f.Image3(5), 10, 10);
    EXPECT_TRUE(f.Label4(0).Visible());
    f.Monta_sem();
    EXPECT_TRUE(f.Label4(0).Visible());
    f.atividade = "PLS";
    f.Monta_sem();
    EXPECT_FALSE(f.Label4(0).Visible());
}

}  // namespace
}  // namespace seedbed_test
