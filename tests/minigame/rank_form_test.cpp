// The ranking window (tables, blink, "Zerar", "Retornar") and the name dialog.

#include "apoio.h"

namespace minigame_test {

using RankFormTest = JogoTest;

rank_form& abre_ranking() {
    pf::Forms::Show(nome_tela_ranking);
    t::ProcessEvents();
    return pf::Forms::Get<rank_form>(nome_tela_ranking);
}

TEST_F(RankFormTest, TabelasCheiasEmOrdemESemPiscarQuandoAbertoPeloMenu) {
    poe_linha("1", "Caio", "12:34");
    poe_linha("1", "Bia", "00:45");
    poe_linha("2", "Caio", "00007");
    poe_linha("1", "Davi", "01:05");
    poe_linha("1", "Outro", "00:01", "P");
    rank_form& r = abre_ranking();
    EXPECT_EQ(r.nome(0).Caption(), "Bia");
    EXPECT_EQ(r.valor(0).Caption(), "0:45");
    EXPECT_EQ(r.valor(1).Caption(), "1:05");
    EXPECT_EQ(r.nome(2).Caption(), "Caio");
    EXPECT_EQ(r.valor(2).Caption(), "12:34");
    EXPECT_EQ(r.quando(2).Caption(), "01/12/26");
    EXPECT_EQ(r.nome(3).Caption(), "");
    EXPECT_EQ(r.valor(5).Caption(), "7");
    EXPECT_EQ(r.nome(6).Caption(), "");
    EXPECT_EQ(r.posição(0).Caption(), "1º");
    EXPECT_EQ(r.posição(9).Caption(), "5º");
    EXPECT_EQ(r.valor(10).Caption(), "TEMPO");
    EXPECT_EQ(r.valor(11).Caption(), "CLIQUES");
    EXPECT_EQ(r.nome(12).Caption(), "Os melhores do ranking");
    EXPECT_FALSE(r.Timer1.Enabled());
}

TEST_F(RankFormTest, PrimeiroJogoPiscaAPrimeiraLinhaDasDuas) {
    poe_linha("1", "Ana", "00:50");
    poe_linha("2", "Ana", "00020");
    jogo().pos_tempo = 0;
    jogo().pos_cliques = 0;
    rank_form& r = abre_ranking();
    ASSERT_TRUE(r.Timer1.Enabled());
    int ticks = 0;
    while (t::TickTimer(r.Timer1)) {
        ++ticks;
        EXPECT_EQ(r.nome(0).Visible(), ticks % 2 == 0);
        EXPECT_EQ(r.nome(5).Visible(), ticks % 2 == 0);
    }
    EXPECT_EQ(ticks, 12);
    EXPECT_EQ(jogo().pos_tempo, 1);
    EXPECT_EQ(jogo().pos_cliques, 1);
    EXPECT_TRUE(r.nome(0).Visible());
}

TEST_F(RankFormTest, MaisDeCincoLinhasDeUmTipoNaoInvademAOutraTabela) {
    for (int i = 1; i <= 7; ++i) poe_linha("1", "T" + std::to_string(i), "0" + std::to_string(i) + ":00");
    poe_linha("2", "C", "00030");
    rank_form& r = abre_ranking();
    EXPECT_EQ(r.nome(4).Caption(), "T5");
    EXPECT_EQ(r.nome(5).Caption(), "C");
    EXPECT_EQ(r.nome(6).Caption(), "");
}

TEST_F(RankFormTest, ZerarRespondidoNaoOuFechadoNaoMudaNada) {
    poe_linha("1", "Ana", "00:50");
    rank_form& r = abre_ranking();
    // "&Não", and the close box after an earlier "&Sim".
    for (const comum::Resposta& resposta : {comum::Resposta(false), comum::fecha_pergunta}) {
        dialogos.clear();
        model::sessao().resp_ok_nao = true;
        respostas.push_back(resposta);
        t::Click(r.Label1(0));
        ASSERT_EQ(dialogos.size(), 1u);
        EXPECT_EQ(dialogos[0].titulo, "Atenção");
        EXPECT_EQ(dialogos[0].mensagem, "Deseja 'zerar' o ranking ?");
        EXPECT_EQ(le_ranking().size(), 1u);
        EXPECT_EQ(r.nome(0).Caption(), "Ana");
    }
}

TEST_F(RankFormTest, ZerarRespondidoSimApagaOTabuleiroEMantemOsOutros) {
    poe_linha("1", "Ana", "00:50");
    poe_linha("2", "Ana", "00020");
    poe_linha("1", "Pedro", "00:40", "P");
    jogo().pos_tempo = 1;
    rank_form& r = abre_ranking();
    t::TickTimer(r.Timer1);  // the name is hidden by the blink now
    respostas.push_back(true);
    t::Click(r.Label1(0));
    t::ProcessEvents();
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(r.nome(i).Caption(), "") << i;
        EXPECT_EQ(r.valor(i).Caption(), "") << i;
        EXPECT_TRUE(r.nome(i).Visible()) << i;
    }
    EXPECT_EQ(r.posição(2).Caption(), "3º");
    EXPECT_FALSE(r.Timer1.Enabled());
    EXPECT_EQ(jogo().pos_tempo, sem_posicao);
    EXPECT_EQ(jogo().pos_cliques, sem_posicao);
    const auto linhas = le_ranking();
    ASSERT_EQ(linhas.size(), 1u);
    EXPECT_EQ(linhas[0].nome, "Pedro");
}

TEST_F(RankFormTest, RetornarFechaAJanela) {
    rank_form& r = abre_ranking();
    t::Click(r.Label1(1));
    EXPECT_FALSE(pf::Forms::IsLoaded(nome_tela_ranking));
}

TEST_F(RankFormTest, BancoInutilizavelEAvisadoUmaVezSemTravar) {
    apaga_banco();
    {
        std::ofstream f(std::filesystem::path(pasta_programa()) / "gm.mdb");
        f << "isto não é um banco de dados";
    }
    rank_form& r = abre_ranking();
    t::ProcessEvents();
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].nome, "ok");
    EXPECT_EQ(dialogos[0].titulo, "Ranking");
    EXPECT_EQ(r.nome(0).Caption(), "");
}

// --- the name dialog --------------------------------------------------------

class NomeTest : public JogoTest {
protected:
    mem_ok& abre_dialogo() {
        t::SetModalHook([](pf::Form&) {});  // leave it open for the test's keys
        auto& m = pf::Forms::Get<mem_ok>(nome_dialogo_nome);
        m.Show();
        t::ProcessEvents();
        return m;
    }
};

TEST_F(NomeTest, OKSoComAlgumaLetra) {
    mem_ok& m = abre_dialogo();
    EXPECT_EQ(m.Text1.Text(), "");
    EXPECT_FALSE(m.opções.Enabled());
    EXPECT_EQ(m.mensagem(0).Caption(), "  Você foi brilhante !  Acaba de entrar para o RANK dos 5 melhores. Yehh !");
    EXPECT_EQ(m.mensagem(1).Caption(), "  Escreva seu nome");
    t::TypeText("a");
    EXPECT_TRUE(m.opções.Enabled());
    t::KeyPress(8);
    EXPECT_EQ(m.Text1.Text(), "");
    EXPECT_FALSE(m.opções.Enabled());
}

TEST_F(NomeTest, EnterNaCaixaDoNomeEOK) {
    mem_ok& m = abre_dialogo();
    t::KeyPress(13);  // no name yet: nothing happens
    EXPECT_TRUE(m.Visible());
    t::TypeText("Bia");
    t::KeyPress(13);
    EXPECT_EQ(jogo().nome_jogador, "Bia");
    EXPECT_FALSE(m.Visible());
}

TEST_F(NomeTest, VinteLetrasNoMaximoEBackspaceAindaApaga) {
    mem_ok& m = abre_dialogo();
    t::TypeText("abcdefghijklmnopqrstuvwxyz");
    EXPECT_EQ(m.Text1.Text(), "abcdefghijklmnopqrst");
    t::KeyPress(8);
    EXPECT_EQ(m.Text1.Text(), "abcdefghijklmnopqrs");
    t::TypeText("XY");
    EXPECT_EQ(m.Text1.Text(), "abcdefghijklmnopqrsX");
}

TEST_F(NomeTest, OKGuardaOTextoComoDigitadoEEsconde) {
    mem_ok& m = abre_dialogo();
    t::TypeText("  Léo da Horta ");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, "  Léo da Horta ");
    EXPECT_FALSE(m.Visible());
    EXPECT_TRUE(pf::Forms::IsLoaded(nome_dialogo_nome));
    // Shown again: the box starts empty.
    m.Show();
    t::ProcessEvents();
    EXPECT_EQ(m.Text1.Text(), "");
    EXPECT_FALSE(m.opções.Enabled());
}

TEST_F(NomeTest, NomesComEmojiVoltamDoBancoComoForamDigitadosOuColados) {
    mem_ok& m = abre_dialogo();
    t::TypeText("🌱🍅 Ana");
    t::Click(m.opções);
    ASSERT_EQ(jogo().nome_jogador, "🌱🍅 Ana");
    grava_rank_tempo("1:15");
    m.Show();
    t::ProcessEvents();
    m.Text1.Paste("👩‍🌾🇧🇷 Zé");
    t::Click(m.opções);
    grava_rank_cliques("42");
    platform::Workspace::Default().CloseAll();  // read back from the file
    const auto linhas = le_ranking();
    ASSERT_EQ(linhas.size(), 2u);
    EXPECT_EQ(linhas[0].nome, "👩‍🌾🇧🇷 Zé");
    EXPECT_EQ(linhas[1].nome, "🌱🍅 Ana");
}

TEST_F(NomeTest, VinteCaracteresComoOJogadorOsVe) {
    mem_ok& m = abre_dialogo();
    t::TypeText(std::string(18, 'a'));
    m.Text1.Paste("👩‍🌾🇧🇷👩‍🌾");
    const std::string vinte = std::string(18, 'a') + "👩‍🌾🇧🇷";
    EXPECT_EQ(m.Text1.Text(), vinte);
    t::TypeText("b");
    EXPECT_EQ(m.Text1.Text(), vinte);
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, vinte);
    // A longer name set by other means is cut after a whole character (the
    // accent kept with its letter) and never after a joiner.
    m.Show();
    t::ProcessEvents();
    m.Text1.SetText(std::string(19, 'x') + "e\u0301\u200Dbzz");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, std::string(19, 'x') + "e\u0301");
}

// Control characters (U+0085, U+009B, U+2028, U+202E...) neither enter the box nor the ranking.
TEST_F(NomeTest, CaracteresDeControleNaoEntramNoNome) {
    mem_ok& m = abre_dialogo();
    m.Text1.Paste("Ana\u0085 Bia\u009B[31m");
    EXPECT_EQ(m.Text1.Text(), "Ana Bia[31m");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, "Ana Bia[31m");
    m.Show();
    t::ProcessEvents();
    m.Text1.SetText("Zé\u0085\u009B\x1B\x7F!");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, "Zé!");
    // Nor line separators and direction controls, which would break the
    // ranking's line or turn its columns around; other marks stay.
    m.Show();
    t::ProcessEvents();
    m.Text1.Paste("Ana\u2028\u202E Bia");
    EXPECT_EQ(m.Text1.Text(), "Ana Bia");
    m.Text1.SetText("\u2066Zé\u2029\u200E\u200F\u202A\u2069\u2013\u2067!");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, "Zé\u2013!");
    // Also as the name's last character, where it would turn the columns
    // that follow it.
    m.Show();
    t::ProcessEvents();
    m.Text1.SetText("Zé\u202E");
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, "Zé");
}

TEST_F(NomeTest, TextoLongoPostoPorOutroMeioECortadoEmVinte) {
    mem_ok& m = abre_dialogo();
    m.Text1.SetText(std::string(30, 'x'));
    t::Click(m.opções);
    EXPECT_EQ(jogo().nome_jogador, std::string(20, 'x'));
}

}  // namespace minigame_test
