// The game window: the deal at every activation, card clicks and attempts,
// the matched-pair blink, the clock and the menu.

#include "apoio.h"

#include "shell/conf.h"
#include "shell/registro.h"

namespace minigame_test {

using GameTest = JogoTest;

TEST_F(GameTest, AbrirDistribuiTudoVirado) {
    gamedio& g = abre_jogo();
    EXPECT_EQ(jogo().jogo_peq_gra, "F");
    EXPECT_EQ(g.lbl_contador.Caption(), "0");
    EXPECT_EQ(g.Lbl_timer.Caption(), ":");
    for (int c = 0; c < n_cartas; ++c) {
        EXPECT_TRUE(g.figura(c).Visible());
        EXPECT_EQ(g.figura(c).Picture().GamePath(), "E:\\anima\\0.jpg");
    }
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(g.Label1(i).Visible());
        EXPECT_EQ(g.Label1(i).MousePointer(), pf::vbCustom);
    }
    EXPECT_EQ(pares().size(), 18u);
    for (auto& [f, cs] : pares()) EXPECT_GE(cs.second, 0) << f;
    EXPECT_EQ(tocou("\\quickly.wav"), 1);
    EXPECT_EQ(g.MousePointer(), pf::vbArrow);
    EXPECT_FALSE(g.Timer2.Enabled());
    EXPECT_TRUE(pf::Forms::IsLoaded(nome_tela_jogo));
    // The ranking database is there once the window has loaded.
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(pasta_programa()) / "gm.mdb"));
}

TEST_F(GameTest, RelogioComecaNoPrimeiroCliqueEMostraMinutosESegundos) {
    gamedio& g = abre_jogo();
    t::Click(g.figura(0));
    EXPECT_TRUE(g.Timer2.Enabled());
    EXPECT_EQ(g.Lbl_timer.Caption(), ":");
    t::TickTimer(g.Timer2);
    EXPECT_EQ(g.Lbl_timer.Caption(), "0:01");
    for (int i = 0; i < 74; ++i) t::TickTimer(g.Timer2);
    EXPECT_EQ(g.Lbl_timer.Caption(), "1:15");
}

TEST_F(GameTest, RelogioParaNoLimiteSemEstourar) {
    gamedio& g = abre_jogo();
    t::Click(g.figura(0));
    jogo().partida.segundos = max_segundos - 1;
    t::TickTimer(g.Timer2);
    t::TickTimer(g.Timer2);
    EXPECT_EQ(jogo().partida.segundos, max_segundos);
    EXPECT_EQ(g.Lbl_timer.Caption(), "546:07");
}

TEST_F(GameTest, CliqueNaMesmaCartaNaoContaMasToca) {
    gamedio& g = abre_jogo();
    t::Click(g.figura(3));
    EXPECT_EQ(g.figura(3).Picture().GamePath(),
              "E:\\anima\\" + std::to_string(jogo().partida.carta_figura[3]) + ".jpg");
    const int antes = tocou("\\quickly.wav");
    t::Click(g.figura(3));
    EXPECT_EQ(tocou("\\quickly.wav"), antes + 1);
    EXPECT_EQ(g.lbl_contador.Caption(), "0");
    EXPECT_EQ(jogo().partida.primeira, 3);
    EXPECT_EQ(jogo().partida.segunda, -1);
}

TEST_F(GameTest, TentativasContamNaSegundaCartaCombinandoOuNao) {
    gamedio& g = abre_jogo();
    auto [a, b] = par_diferente();
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    EXPECT_EQ(g.lbl_contador.Caption(), "1");
    auto cs = pares().begin()->second;
    t::Click(g.figura(cs.first));
    t::Click(g.figura(cs.second));
    EXPECT_EQ(g.lbl_contador.Caption(), "2");
    EXPECT_EQ(jogo().partida.pares_restantes, 17);
}

TEST_F(GameTest, DuasDiferentesFicamViradasAteOProximoClique) {
    gamedio& g = abre_jogo();
    auto [a, b] = par_diferente();
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    EXPECT_NE(g.figura(a).Picture().GamePath(), "E:\\anima\\0.jpg");
    EXPECT_NE(g.figura(b).Picture().GamePath(), "E:\\anima\\0.jpg");
    // A third card turns both down and is the first of the next attempt.
    int c = 0;
    while (c == a || c == b) ++c;
    t::Click(g.figura(c));
    EXPECT_EQ(g.figura(a).Picture().GamePath(), "E:\\anima\\0.jpg");
    EXPECT_EQ(g.figura(b).Picture().GamePath(), "E:\\anima\\0.jpg");
    EXPECT_EQ(jogo().partida.primeira, c);
    EXPECT_EQ(jogo().partida.segunda, -1);
    EXPECT_EQ(g.lbl_contador.Caption(), "1");
}

TEST_F(GameTest, CliqueEmUmaDasDuasMantemEssaVirada) {
    gamedio& g = abre_jogo();
    auto [a, b] = par_diferente();
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    t::Click(g.figura(b));
    EXPECT_EQ(g.figura(a).Picture().GamePath(), "E:\\anima\\0.jpg");
    EXPECT_NE(g.figura(b).Picture().GamePath(), "E:\\anima\\0.jpg");
    EXPECT_EQ(jogo().partida.primeira, b);
    EXPECT_EQ(g.lbl_contador.Caption(), "1");
}

TEST_F(GameTest, ParCertoPiscaSomeEIgnoraCliquesNoMeioTempo) {
    gamedio& g = abre_jogo();
    auto cs = pares().begin()->second;
    t::Click(g.figura(cs.first));
    t::Click(g.figura(cs.second));
    EXPECT_TRUE(g.Timer1.Enabled());
    const int sons_antes = static_cast<int>(sons->calls.size());
    int outra = 0;
    while (outra == cs.first || outra == cs.second) ++outra;
    t::Click(g.figura(outra));  // ignored, silently
    EXPECT_EQ(static_cast<int>(sons->calls.size()), sons_antes);
    EXPECT_EQ(jogo().partida.primeira, cs.first);
    const bool esperado[5] = {false, true, false, true, false};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(t::TickTimer(g.Timer1));
        EXPECT_EQ(g.figura(cs.first).Visible(), esperado[i]) << i;
        EXPECT_EQ(g.figura(cs.second).Visible(), esperado[i]) << i;
    }
    EXPECT_FALSE(g.Timer1.Enabled());
    EXPECT_EQ(tocou("\\oia.wav"), 1);
    // Hidden cards take no clicks; the next card starts a new attempt.
    t::Click(g.figura(cs.first));
    EXPECT_EQ(jogo().partida.primeira, cs.first);
    EXPECT_EQ(jogo().partida.segunda, cs.second);
    t::Click(g.figura(outra));
    EXPECT_EQ(jogo().partida.primeira, outra);
    EXPECT_FALSE(g.figura(cs.first).Visible());
}

TEST_F(GameTest, UltimoParSomeSemPiscarEParaORelogio) {
    gamedio& g = abre_jogo();
    acha_todos_menos_um(g);
    EXPECT_TRUE(g.Timer2.Enabled());
    const int oia = tocou("\\oia.wav");
    acha_ultimo(g);
    for (int c = 0; c < n_cartas; ++c) EXPECT_FALSE(g.figura(c).Visible()) << c;
    EXPECT_FALSE(g.Timer1.Enabled());
    EXPECT_FALSE(g.Timer2.Enabled());
    EXPECT_TRUE(g.Timer3.Enabled());
    EXPECT_EQ(tocou("\\oia.wav"), oia);
    EXPECT_EQ(jogo().partida.pares_restantes, 0);
    EXPECT_EQ(g.lbl_contador.Caption(), "18");
}

TEST_F(GameTest, AtivacaoComORelogioAndandoDistribuiEORelogioContaDoZero) {
    gamedio& g = abre_jogo();
    t::Click(g.figura(0));
    for (int i = 0; i < 5; ++i) t::TickTimer(g.Timer2);
    g.Form_Activate();
    EXPECT_EQ(g.Lbl_timer.Caption(), ":");
    EXPECT_TRUE(g.Timer2.Enabled());
    t::TickTimer(g.Timer2);
    EXPECT_EQ(g.Lbl_timer.Caption(), "0:01");
}

TEST_F(GameTest, DistribuicaoNoMeioDaPiscadaNaoQuebra) {
    gamedio& g = abre_jogo();
    auto cs = pares().begin()->second;
    t::Click(g.figura(cs.first));
    t::Click(g.figura(cs.second));
    t::TickTimer(g.Timer1);
    g.Form_Activate();  // a new deal while the pair blinks
    t::TickTimer(g.Timer1);
    EXPECT_FALSE(g.Timer1.Enabled());
    for (int c = 0; c < n_cartas; ++c) EXPECT_TRUE(g.figura(c).Visible()) << c;
    t::Click(g.figura(5));
    EXPECT_EQ(jogo().partida.primeira, 5);
}

TEST_F(GameTest, ReiniciarParaORelogioEDistribui) {
    gamedio& g = abre_jogo();
    auto cs = pares().begin()->second;
    t::Click(g.figura(cs.first));
    t::Click(g.figura(cs.second));
    t::TickTimer(g.Timer2);
    t::Click(g.Label1(2));
    EXPECT_FALSE(g.Timer2.Enabled());
    EXPECT_FALSE(g.Timer1.Enabled());
    EXPECT_EQ(g.lbl_contador.Caption(), "0");
    EXPECT_EQ(g.Lbl_timer.Caption(), ":");
    for (int c = 0; c < n_cartas; ++c) EXPECT_TRUE(g.figura(c).Visible());
    EXPECT_EQ(g.Label1(2).MousePointer(), pf::vbCustom);
    t::Click(g.figura(0));
    EXPECT_TRUE(g.Timer2.Enabled());
}

TEST_F(GameTest, RetornarVoltaAsOpcoes) {
    gamedio& g = abre_jogo();
    t::Click(g.figura(0));
    t::Click(g.Label1(0));
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_jogo));
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
}

TEST_F(GameTest, RankingDoMenuParaORelogioEAVoltaDistribui) {
    gamedio& g = abre_jogo();
    auto [a, b] = par_diferente();
    t::Click(g.figura(a));
    t::Click(g.figura(b));
    t::Click(g.Label1(1));
    EXPECT_FALSE(g.Timer2.Enabled());
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
    EXPECT_EQ(jogo().pos_cliques, sem_posicao);
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    EXPECT_TRUE(r.Visible());
    EXPECT_FALSE(r.Timer1.Enabled());  // nothing blinks
    t::Click(r.Label1(1));
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_ranking));
    EXPECT_EQ(g.lbl_contador.Caption(), "0");
    EXPECT_EQ(jogo().partida.primeira, -1);
}

TEST_F(GameTest, JogoDaTelaDeOpcoesEVoltaAEla) {
    // The shell's real forms and the game.
    shell::registra_formularios();
    minigame::registra_formularios();
    pf::Forms::Show("conf");
    t::ProcessEvents();
    auto& c = pf::Forms::Get<shell::conf>("conf");
    t::Click(c.Labelgame);
    t::ProcessEvents();
    auto* g = dynamic_cast<gamedio*>(pf::Forms::Find(nome_tela_jogo));
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(pf::Forms::ActiveForm(), g);
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
    EXPECT_EQ(pares().size(), 18u);
    t::Click(g->Label1(0));
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_jogo));
    EXPECT_EQ(pf::Forms::ActiveForm(), &c);
    EXPECT_EQ(c.Labelgame.MousePointer(), pf::vbCustom);

    // A double click on "Jogo": its second click would land on the game's
    // "Ranking" and is not taken; a click a while later is.
    t::SetPressGap(100);
    t::ClickAt(c, 700, 1300);
    g = dynamic_cast<gamedio*>(pf::Forms::Find(nome_tela_jogo));
    ASSERT_NE(g, nullptr);
    t::ClickAt(*g, 700, 1300);
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_ranking));
    t::SetPressGap(60000);
    t::ClickAt(*g, 600, 500);  // "Retornar"
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_jogo));
    EXPECT_EQ(pf::Forms::ActiveForm(), &c);
}

}  // namespace minigame_test
