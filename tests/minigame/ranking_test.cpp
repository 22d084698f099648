// The ranking store: qualify checks, inserts with the cut to five, the kinds
// kept apart, clearing, and how stored scores are shown.

#include "apoio.h"

namespace minigame_test {

using RankingTest = JogoTest;

TEST_F(RankingTest, TabelaVaziaEntraNasDuasNaPosicaoZero) {
    EXPECT_TRUE(testa_rank_tempo("1:15"));
    EXPECT_EQ(jogo().pos_tempo, 0);
    EXPECT_TRUE(testa_rank_cliques("42"));
    EXPECT_EQ(jogo().pos_cliques, 0);
    jogo().nome_jogador = "Ana";
    grava_rank_tempo("1:15");
    grava_rank_cliques("42");
    const auto linhas = le_ranking();
    ASSERT_EQ(linhas.size(), 2u);
    // Sorted by valor: "00042" before "01:15".
    EXPECT_EQ(linhas[0].tipo, "2");
    EXPECT_EQ(linhas[0].valor, "00042");
    EXPECT_EQ(linhas[1].tipo, "1");
    EXPECT_EQ(linhas[1].valor, "01:15");
    EXPECT_EQ(linhas[1].nome, "Ana");
    EXPECT_EQ(linhas[1].peq_gra, "F");
    EXPECT_EQ(linhas[1].dta, "09/12/26");
}

TEST_F(RankingTest, SoLinhasDeCliquesOTempoEntraNaPosicaoZero) {
    poe_linha("2", "Bia", "00020");
    EXPECT_TRUE(testa_rank_tempo("3:00"));
    EXPECT_EQ(jogo().pos_tempo, 0);
}

TEST_F(RankingTest, TempoEntraNoSeuLugarEntreOsGuardados) {
    poe_linha("1", "A", "03:05");
    poe_linha("1", "B", "01:10");
    poe_linha("1", "C", "02:00");
    EXPECT_TRUE(testa_rank_tempo("2:30"));
    EXPECT_EQ(jogo().pos_tempo, 3);
    grava_rank_tempo("2:30");
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"01:10", "02:00", "02:30", "03:05"}));
}

TEST_F(RankingTest, CincoTemposEUmIgualAoQuintoNaoEntra) {
    for (const char* v : {"01:00", "02:00", "03:00", "04:00", "05:00"}) poe_linha("1", "X", v);
    EXPECT_FALSE(testa_rank_tempo("5:00"));
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
    EXPECT_FALSE(testa_rank_tempo("7:30"));
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
}

TEST_F(RankingTest, MelhorQueOPrimeiroCortaOQuinto) {
    for (const char* v : {"01:00", "02:00", "03:00", "04:00", "05:00"}) poe_linha("1", "X", v);
    EXPECT_TRUE(testa_rank_tempo("0:45"));
    EXPECT_EQ(jogo().pos_tempo, 1);
    jogo().nome_jogador = "Novo";
    grava_rank_tempo("0:45");
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"00:45", "01:00", "02:00", "03:00", "04:00"}));
    EXPECT_EQ(le_ranking().front().nome, "Novo");
}

TEST_F(RankingTest, CliquesIguaisEntramAtrasDoIgual) {
    poe_linha("2", "A", "00020");
    poe_linha("2", "B", "00031");
    poe_linha("2", "C", "00040");
    EXPECT_TRUE(testa_rank_cliques("40"));
    EXPECT_EQ(jogo().pos_cliques, 4);
    jogo().nome_jogador = "D";
    grava_rank_cliques("40");
    std::vector<std::string> nomes;
    for (const auto& l : le_ranking())
        if (l.tipo == "2") nomes.push_back(l.nome);
    EXPECT_EQ(nomes, (std::vector<std::string>{"A", "B", "C", "D"}));
}

TEST_F(RankingTest, DezMinutosDepoisDeNoveEDezCliquesDepoisDeNove) {
    poe_linha("1", "A", "10:00");
    poe_linha("2", "A", "00010");
    EXPECT_TRUE(testa_rank_tempo("9:59"));
    EXPECT_EQ(jogo().pos_tempo, 1);
    EXPECT_TRUE(testa_rank_cliques("9"));
    EXPECT_EQ(jogo().pos_cliques, 1);
    grava_rank_tempo("9:59");
    grava_rank_cliques("9");
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"09:59", "10:00"}));
    EXPECT_EQ(valores("2"), (std::vector<std::string>{"00009", "00010"}));
}

TEST_F(RankingTest, UmTipoNaoMexeNoOutroNemEmOutroTabuleiro) {
    for (const char* v : {"00011", "00012", "00013", "00014", "00015"}) poe_linha("2", "C", v);
    for (const char* v : {"00:10", "00:20", "00:30", "00:40", "00:50"}) poe_linha("1", "T", v, "P");
    // Six time entries of board F: only F's time kind is cut.
    for (const char* v : {"1:00", "2:00", "3:00", "4:00", "5:00", "0:30"}) {
        ASSERT_TRUE(testa_rank_tempo(v));
        grava_rank_tempo(v);
    }
    EXPECT_EQ(valores("1"), (std::vector<std::string>{"00:30", "01:00", "02:00", "03:00", "04:00"}));
    EXPECT_EQ(valores("2"), (std::vector<std::string>{"00011", "00012", "00013", "00014", "00015"}));
    EXPECT_EQ(valores("1", "P").size(), 5u);
    // And an attempts entry leaves every time row alone.
    ASSERT_TRUE(testa_rank_cliques("3"));
    grava_rank_cliques("3");
    EXPECT_EQ(valores("2"), (std::vector<std::string>{"00003", "00011", "00012", "00013", "00014"}));
    EXPECT_EQ(valores("1").size(), 5u);
}

TEST_F(RankingTest, OutroTabuleiroNaoContaNaPosicao) {
    poe_linha("1", "P", "00:10", "P");
    EXPECT_TRUE(testa_rank_tempo("1:00"));
    EXPECT_EQ(jogo().pos_tempo, 0);  // no row of board F's time kind
}

TEST_F(RankingTest, PlacarQueNaoCabeEmCincoCaracteresNaoEntra) {
    // 100:00 would be stored as "00:00" and pass for the best time ever.
    for (const char* v : {"01:00", "02:00"}) poe_linha("1", "X", v);
    EXPECT_FALSE(testa_rank_tempo("100:00"));
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
    grava_rank_tempo("100:00");
    EXPECT_EQ(valores("1").size(), 2u);
    EXPECT_FALSE(testa_rank_cliques("100000"));
    EXPECT_EQ(jogo().pos_cliques, sem_posicao);
    EXPECT_EQ(valor_do_tempo("99:59"), std::optional<std::string>("99:59"));
    EXPECT_EQ(valor_do_tempo(":"), std::optional<std::string>("00:00"));
    EXPECT_EQ(valor_dos_cliques("99999"), std::optional<std::string>("99999"));
}

TEST_F(RankingTest, ZerarApagaSoOTabuleiroPedido) {
    poe_linha("1", "A", "01:00");
    poe_linha("2", "A", "00020");
    poe_linha("1", "P", "00:50", "P");
    EXPECT_EQ(zera_ranking("F"), 2);
    const auto linhas = le_ranking();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].peq_gra, "P");
    EXPECT_EQ(zera_ranking("F"), 0);
}

TEST_F(RankingTest, PlacarMostradoComoORelogioMostrou) {
    EXPECT_EQ(mostra_tempo("00:45"), "0:45");
    EXPECT_EQ(mostra_tempo("01:05"), "1:05");
    EXPECT_EQ(mostra_tempo("12:34"), "12:34");
    EXPECT_EQ(mostra_cliques("00007"), "7");
    EXPECT_EQ(mostra_cliques("00042"), "42");
    EXPECT_EQ(mostra_cliques("12345"), "12345");
}

TEST_F(RankingTest, ArquivoQueNaoEBancoDeDadosEAvisadoEmPortugues) {
    apaga_banco();
    {
        std::ofstream f(std::filesystem::path(pasta_programa()) / "gm.mdb");
        f << "isto não é um banco de dados";
    }
    try {
        testa_rank_tempo("1:00");
        FAIL() << "esperava DbError";
    } catch (const platform::DbError& e) {
        EXPECT_NE(std::string(e.what()).find("gm.mdb"), std::string::npos);
    }
}

}  // namespace minigame_test
