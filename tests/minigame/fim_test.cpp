// The end of a game: the score blinks, and a score that enters a ranking
// leads through the name dialog to the inserts and the ranking window.

#include <unistd.h>

#include <cstdio>

#include "apoio.h"
#include "platform/end_request.h"
#include "shell/saida.h"

namespace minigame_test {

using FimTest = JogoTest;

TEST_F(FimTest, PrimeiroJogoEntraNasDuasComONomeDigitado) {
    gamedio& g = abre_jogo();
    nomes.push_back("Zé Carlos");
    joga_partida(g, 75, 2);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].nome, "mem_ok");
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"01:15"}));
    EXPECT_EQ(valores("2"), (std::vector<std::string>{"00020"}));
    for (const auto& l : le_ranking()) EXPECT_EQ(l.nome, "Zé Carlos");
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    EXPECT_TRUE(r.Visible());
    EXPECT_EQ(r.nome(0).Caption(), "Zé Carlos");
    EXPECT_EQ(r.valor(0).Caption(), "1:15");
    EXPECT_EQ(r.valor(5).Caption(), "20");
    EXPECT_EQ(r.quando(5).Caption(), "09/12/26");
    EXPECT_TRUE(r.Timer1.Enabled());
    EXPECT_EQ(g.MousePointer(), pf::vbArrow);
    // The blinking score ended visible.
    EXPECT_TRUE(g.Lbl_timer.Visible());
    EXPECT_TRUE(g.lbl_contador.Visible());
}

TEST_F(FimTest, PlacarQueNaoEntraSoPisca) {
    for (const char* v : {"00:10", "00:20", "00:30", "00:40", "00:50"}) poe_linha("1", "X", v);
    for (const char* v : {"00018", "00018", "00018", "00018", "00018"}) poe_linha("2", "X", v);
    gamedio& g = abre_jogo();
    joga_partida(g, 120, 0);
    EXPECT_TRUE(dialogos.empty());
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_ranking));
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
    EXPECT_EQ(jogo().pos_cliques, sem_posicao);
    EXPECT_EQ(g.MousePointer(), pf::vbArrow);
    EXPECT_EQ(g.Lbl_timer.Caption(), "2:00");
    EXPECT_EQ(le_ranking().size(), 10u);
}

TEST_F(FimTest, SoTempoEntraGravaSoOTempo) {
    for (int i = 0; i < 5; ++i) poe_linha("2", "X", "00010");
    for (const char* v : {"01:00", "03:00"}) poe_linha("1", "X", v);
    gamedio& g = abre_jogo();
    nomes.push_back("Lia");
    joga_partida(g, 100, 0);  // 1:40, second place; 18 attempts do not beat 10 to 10
    EXPECT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"01:00", "01:40", "03:00"}));
    EXPECT_EQ(valores("2").size(), 5u);
    EXPECT_EQ(jogo().pos_tempo, 2);
    EXPECT_EQ(jogo().pos_cliques, sem_posicao);
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    ASSERT_TRUE(r.Timer1.Enabled());
    // The second time row blinks and ends shown; no attempts row blinks.
    int escondido = 0;
    while (t::TickTimer(r.Timer1)) {
        if (!r.nome(1).Visible()) ++escondido;
        for (int i = 5; i < 10; ++i) EXPECT_TRUE(r.nome(i).Visible());
    }
    EXPECT_EQ(escondido, 6);
    EXPECT_TRUE(r.nome(1).Visible());
}

// An entry is stored only under a name the player confirmed: the dialog
// closed by its close box stores no row, not even under an earlier player's
// name.
TEST_F(FimTest, NomeFechadoSemOKNaoGravaNada) {
    gamedio& g = abre_jogo();
    jogo().nome_jogador = "Outro Jogador";
    nomes.push_back("<fecha>");
    joga_partida(g, 30, 0);
    EXPECT_TRUE(le_ranking().empty());
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_ranking));
}

// Nor does a logout while the dialog is open, a name typed and not
// confirmed; the game still ends. In a process of its own: the program's
// end leaves no event loop for later tests.
TEST_F(FimTest, SaidaDoSistemaComONomeAbertoNaoGravaNada) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            platform::OnEndRequest(shell::encerra_de_fora);
            gamedio& g = abre_jogo();
            nomes.push_back("<sinal>");
            joga_partida(g, 30, 0);
            t::ProcessEvents();
            const bool vazio = le_ranking().empty();
            std::fprintf(stderr, "fim=%d linhas=%d\n", pf::Forms::Ended(), vazio ? 0 : 1);
            std::fflush(stderr);
            ::_exit(0);
        },
        testing::ExitedWithCode(0), "fim=1 linhas=0");
}

TEST_F(FimTest, RetornarDuranteAPiscadaFinalNaoGravaNada) {
    gamedio& g = abre_jogo();
    acha_todos_menos_um(g);
    acha_ultimo(g);
    t::TickTimer(g.Timer3);
    t::Click(g.Label1(0));
    t::RunFor(50);
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_jogo));
    EXPECT_TRUE(dialogos.empty());
    EXPECT_TRUE(le_ranking().empty());
}

TEST_F(FimTest, ReiniciarDuranteAPiscadaFinalGuardaOJogoTerminado) {
    gamedio& g = abre_jogo();
    acha_todos_menos_um(g);
    for (int s = 0; s < 65; ++s) t::TickTimer(g.Timer2);
    acha_ultimo(g);
    t::TickTimer(g.Timer3);
    t::Click(g.Label1(2));  // a new deal while the score blinks
    EXPECT_TRUE(g.Timer3.Enabled());
    EXPECT_EQ(g.Lbl_timer.Caption(), ":");
    termina_pisca(g);
    // The finished game's 1:05 and 18 attempts, not the new deal's ":" and 0.
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"01:05"}));
    EXPECT_EQ(valores("2"), (std::vector<std::string>{"00018"}));
    EXPECT_TRUE(g.Lbl_timer.Visible());
    EXPECT_TRUE(g.lbl_contador.Visible());
}

TEST_F(FimTest, RankingDuranteAPiscadaFinalNaoImpedeAGravacao) {
    gamedio& g = abre_jogo();
    acha_todos_menos_um(g);
    acha_ultimo(g);
    t::Click(g.Label1(1));
    EXPECT_TRUE(g.Timer3.Enabled());
    EXPECT_TRUE(pf::Forms::Get<rank_form>(nome_tela_ranking).Visible());
    termina_pisca(g);
    EXPECT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(le_ranking().size(), 2u);
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    EXPECT_EQ(r.nome(0).Caption(), "Ana");
    EXPECT_EQ(r.nome(5).Caption(), "Ana");
}

TEST_F(FimTest, VoltarDoRankingDepoisDoJogoDistribuiDeNovo) {
    gamedio& g = abre_jogo();
    joga_partida(g, 10, 0);
    auto& r = pf::Forms::Get<rank_form>(nome_tela_ranking);
    t::Click(r.Label1(1));
    for (int c = 0; c < n_cartas; ++c) EXPECT_TRUE(g.figura(c).Visible());
    EXPECT_EQ(g.lbl_contador.Caption(), "0");
    EXPECT_EQ(jogo().partida.pares_restantes, 18);
}

TEST_F(FimTest, BancoInutilizavelAvisaEOJogoSegue) {
    apaga_banco();
    {
        std::ofstream f(std::filesystem::path(pasta_programa()) / "gm.mdb");
        f << "isto não é um banco de dados";
    }
    gamedio& g = abre_jogo();
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Ranking");
    EXPECT_EQ(pares().size(), 18u);
    joga_partida(g, 20, 0);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[1].nome, "ok");
    EXPECT_EQ(g.MousePointer(), pf::vbArrow);
    // The file is left exactly as it was.
    std::ifstream f(std::filesystem::path(pasta_programa()) / "gm.mdb");
    std::string conteudo((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    EXPECT_EQ(conteudo, "isto não é um banco de dados");
}

}  // namespace minigame_test
