// The topic files: the compiler's record layout and chunking, the index, and
// the lookup of a topic's text.

#include "apoio.h"

namespace help_test {
namespace {

using help::GetTopicText;
using help::TopicCount;

class TopicosTest : public HelpTest {
protected:
    static std::vector<help::TopicTextRec> registros(const std::string& nome) {
        return help::ReadRecords((pasta_programa() / nome).string());
    }
    static std::string sem_brancos(std::string s) {
        s.erase(s.find_last_not_of(' ') + 1);
        return s;
    }
};

TEST_F(TopicosTest, ChunksOf128CharactersChainBackwards) {
    const std::string t128(128, 'a');
    const std::string t129 = std::string(128, 'b') + "c";
    fonte("blocos.Txt", "###Cento e vinte e oito\r\n" + t128 + "\r\n###Cento e vinte e nove\r\n" + t129 + "\r\n");
    carrega("blocos.Txt");

    const auto htf = registros("blocos.HTF");
    ASSERT_EQ(htf.size(), 3u);
    EXPECT_EQ(htf[0].Text, t128);
    EXPECT_EQ(htf[0].PrevChunk, 0);
    EXPECT_EQ(htf[1].Text, std::string(128, 'b'));
    EXPECT_EQ(htf[1].PrevChunk, 0);
    EXPECT_EQ(sem_brancos(htf[2].Text), "c");
    EXPECT_EQ(htf[2].PrevChunk, 2);

    const auto idx = registros("blocos.IDX");
    ASSERT_EQ(idx.size(), 2u);
    EXPECT_EQ(sem_brancos(idx[0].Text), "Cento e vinte e oito");
    EXPECT_EQ(idx[0].PrevChunk, 1);
    EXPECT_EQ(idx[1].PrevChunk, 3);
    EXPECT_EQ(le_arquivo(pasta_programa() / "blocos.IDX").size(), 2u * 132u);

    EXPECT_EQ(TopicCount, 2);
    EXPECT_EQ(GetTopicText("Cento e vinte e oito"), t128);
    EXPECT_EQ(GetTopicText("Cento e vinte e nove"), t129);
}

TEST_F(TopicosTest, BlankAtTheCutIsKeptAndTrailingBlanksAreNot) {
    const std::string texto = std::string(127, 'x') + " fim do texto   ";
    fonte("branco.Txt", "###T\r\n" + texto + "\r\n");
    carrega("branco.Txt");
    const auto htf = registros("branco.HTF");
    ASSERT_EQ(htf.size(), 2u);
    EXPECT_EQ(htf[0].Text, std::string(127, 'x') + "\x01");
    EXPECT_EQ(GetTopicText("T"), std::string(127, 'x') + " fim do texto");
}

TEST_F(TopicosTest, LinesJoinAndEmptyLinesBreakParagraphs) {
    fonte("linhas.Txt", "###Junta\r\numa linha \r\ne outra\r\n\r\nnovo paragrafo\r\n");
    carrega("linhas.Txt");
    EXPECT_EQ(GetTopicText("Junta"), "uma linha e outra \r\n novo paragrafo");
}

TEST_F(TopicosTest, HeadingsWithoutTextAndTextWithoutName) {
    fonte("titulos.Txt",
          "antes de tudo\r\n###Vazio\r\n###Cheio\r\ntexto\r\n###\r\nsem nome\r\n###Ultimo\r\n");
    carrega("titulos.Txt");
    const auto idx = registros("titulos.IDX");
    ASSERT_EQ(idx.size(), 3u);
    EXPECT_EQ(sem_brancos(idx[0].Text), "Vazio");
    EXPECT_EQ(idx[0].PrevChunk, 0);
    EXPECT_EQ(sem_brancos(idx[1].Text), "Cheio");
    EXPECT_EQ(sem_brancos(idx[2].Text), "Ultimo");
    EXPECT_EQ(idx[2].PrevChunk, 0);
    // The text before the first heading and the nameless topic's text are
    // stored all the same.
    EXPECT_EQ(registros("titulos.HTF").size(), 3u);
    EXPECT_EQ(GetTopicText("Vazio"), "");
    EXPECT_EQ(GetTopicText("Cheio"), "texto");
    EXPECT_EQ(GetTopicText(""), "");
}

TEST_F(TopicosTest, SourceWithoutHeadingGivesEmptyIndex) {
    fonte("semtitulo.Txt", "so texto\r\nmais texto\r\n");
    carrega("semtitulo.Txt");
    EXPECT_EQ(TopicCount, 0);
    EXPECT_EQ(registros("semtitulo.HTF").size(), 1u);
    EXPECT_TRUE(le_arquivo(pasta_programa() / "semtitulo.IDX").empty());
}

TEST_F(TopicosTest, NamesMatchExactlyAndTheFirstOfTwoWins) {
    fonte("nomes.Txt", "###Alface\r\nprimeira\r\n###Alface\r\nsegunda\r\n###alface\r\nminuscula\r\n"
                       "###Com brancos   \r\ncom\r\n###  Recuado\r\nrecuado\r\n");
    carrega("nomes.Txt");
    EXPECT_EQ(GetTopicText("Alface"), "primeira");
    EXPECT_EQ(GetTopicText("alface"), "minuscula");
    EXPECT_EQ(GetTopicText("ALFACE"), "");
    EXPECT_EQ(GetTopicText("Com brancos"), "com");
    EXPECT_EQ(GetTopicText("  Recuado"), "recuado");
    EXPECT_EQ(GetTopicText("Recuado"), "");
}

TEST_F(TopicosTest, AccentsAreOneByteInTheRecordsWhateverTheSourceEncoding) {
    // Windows-1252 source, as the help texts are written.
    fonte("ansi.Txt", "###Reposi\xE7\xE3o\r\nMudas de agri\xE3o\r\n");
    carrega("ansi.Txt");
    EXPECT_EQ(GetTopicText("Reposição"), "Mudas de agrião");
    EXPECT_EQ(registros("ansi.IDX")[0].Text.substr(0, 9), "Reposi\xE7\xE3o");

    // A source saved as UTF-8 (with its mark) gives the same records.
    fonte("utf8.Txt", "\xEF\xBB\xBF###Reposição\r\nMudas de agrião\r\n");
    carrega("utf8.Txt");
    EXPECT_EQ(GetTopicText("Reposição"), "Mudas de agrião");
    EXPECT_EQ(le_arquivo(pasta_programa() / "utf8.HTF"), le_arquivo(pasta_programa() / "ansi.HTF"));
}

TEST_F(TopicosTest, RecompilingReplacesThePairWhole) {
    fonte("refaz.Txt", "###Um\r\num\r\n###Dois\r\ndois\r\n");
    carrega("refaz.Txt");
    EXPECT_EQ(TopicCount, 2);
    fonte("refaz.Txt", "###Tres\r\ntres\r\n");
    carrega("refaz.Txt");
    EXPECT_EQ(TopicCount, 1);
    EXPECT_EQ(GetTopicText("Um"), "");
    EXPECT_EQ(GetTopicText("Tres"), "tres");
    EXPECT_EQ(registros("refaz.HTF").size(), 1u);
}

TEST_F(TopicosTest, BaseNameIsCutInTheFileNameOnly) {
    EXPECT_EQ(help::BaseName("C:\\jogo\\help.Txt"), "C:\\jogo\\help");
    EXPECT_EQ(help::BaseName("C:\\jogo\\help.XXX"), "C:\\jogo\\help");
    EXPECT_EQ(help::BaseName("/opt/versao.2/cult1.Txt"), "/opt/versao.2/cult1");
    EXPECT_EQ(help::BaseName("semponto"), "semponto");

    // A program folder with a "." in its name keeps the pair beside the source.
    const fs::path pasta = pasta_programa() / "versao.2";
    grava_texto(pasta / "ajuda.Txt", "###Topico\r\ntexto\r\n");
    const std::string fonte_ = (pasta / "ajuda.Txt").string();
    ASSERT_TRUE(help::CompileHypertextSource(fonte_));
    ASSERT_TRUE(help::LoadHypertextFile((pasta / "ajuda.XXX").string()));
    EXPECT_TRUE(fs::exists(pasta / "ajuda.HTF"));
    EXPECT_TRUE(fs::exists(pasta / "ajuda.IDX"));
    EXPECT_EQ(GetTopicText("Topico"), "texto");
}

TEST_F(TopicosTest, MissingSourceFailsAndLeavesNoTopic) {
    EXPECT_FALSE(help::CompileHypertextSource(platform::ProgramFolder() + "\\naoexiste.Txt"));
    EXPECT_FALSE(help::LoadHypertextFile(platform::ProgramFolder() + "\\naoexiste.XXX"));
    EXPECT_EQ(TopicCount, 0);
    EXPECT_EQ(GetTopicText("qualquer"), "");
}

TEST_F(TopicosTest, DamagedChainEndsInsteadOfLooping) {
    // The topic's last chunk points at itself, then one points past the end.
    std::string htf = help::EncodeRecord("volta", 1);
    grava_texto(pasta_programa() / "laco.HTF", htf);
    grava_texto(pasta_programa() / "laco.IDX", help::EncodeRecord("Laco", 1) + help::EncodeRecord("Longe", 7));
    ASSERT_TRUE(help::LoadHypertextFile(platform::ProgramFolder() + "\\laco.XXX"));
    EXPECT_EQ(GetTopicText("Laco"), "volta");
    EXPECT_EQ(GetTopicText("Longe"), "");
}

TEST_F(TopicosTest, IndexGrowsPastNinetyNineTopics) {
    std::string src;
    for (int k = 1; k <= 150; ++k) src += "###T" + std::to_string(k) + "\r\ntexto " + std::to_string(k) + "\r\n";
    fonte("muitos.Txt", src);
    carrega("muitos.Txt");
    EXPECT_EQ(TopicCount, 150);
    EXPECT_EQ(GetTopicText("T150"), "texto 150");
}

}  // namespace
}  // namespace help_test
