// Laying a topic out in display lines, painting it with its links, the hit
// test of the links and the scroll bar of the topic.

#include "apoio.h"

namespace help_test {
namespace {

using help::HotSpotAt;
using help::LineCount;
using help::NextWord;
using help::TextLines;

class LayoutTest : public HelpTest {
protected:
    void SetUp() override {
        HelpTest::SetUp();
        pf::Forms::Register<FormTexto>("texto");
        form = &pf::Forms::Get<FormTexto>("texto");
        help::TopLine = 0;
    }

    // Compiles one topic and shows it.
    void mostra(const std::string& texto, const std::string& nome = "T") {
        fonte("layout.Txt", "###" + nome + "\r\n" + texto + "\r\n");
        carrega("layout.Txt");
        help::ShowTopic(nome, form->caixa, form->rolagem);
    }

    // Width of a word in the body font.
    double largura(const std::string& palavra, bool sublinhado = false) {
        form->caixa.SetFontSize(9);
        form->caixa.SetFontUnderline(sublinhado);
        const double w = form->caixa.TextWidth(palavra);
        form->caixa.SetFontUnderline(false);
        return w;
    }

    FormTexto* form = nullptr;
};

TEST(PalavrasTest, WordsLinksAndTheirMarkup) {
    std::string t = "uma palavra";
    EXPECT_EQ(NextWord(t), "uma ");
    EXPECT_EQ(NextWord(t), "palavra");
    EXPECT_EQ(t, "");
    EXPECT_EQ(NextWord(t), "");

    t = "##duas palavras|Alvo~, resto";
    EXPECT_EQ(NextWord(t), "##duas palavras|Alvo~");
    EXPECT_EQ(t, ", resto");

    // A single "#" runs to the next "~", blanks included, as plain text.
    t = "#um dois~ tres";
    EXPECT_EQ(NextWord(t), "#um dois~");
    // No "~" anywhere after a "#": no word, the text stays.
    t = "#sem fim";
    EXPECT_EQ(NextWord(t), "");
    EXPECT_EQ(t, "#sem fim");

    std::string token = "##a couve|COUVE~", shown, target;
    EXPECT_TRUE(help::ParseHotLink(token, shown, target));
    EXPECT_EQ(shown, "a couve");
    EXPECT_EQ(target, "COUVE");
    // A token without "|" is not a link: its words are shown as they are.
    token = "##sem alvo~";
    EXPECT_FALSE(help::ParseHotLink(token, shown, target));
    EXPECT_EQ(shown, "sem alvo");
    EXPECT_EQ(target, "");
}

TEST_F(LayoutTest, TopicWithoutTextShowsItsTitleOnly) {
    fonte("vazio.Txt", "###Vazio\r\n###Outro\r\ntexto\r\n");
    carrega("vazio.Txt");
    help::ShowTopic("Vazio", form->caixa, form->rolagem);
    EXPECT_EQ(LineCount, 3);
    EXPECT_EQ(TextLines[0], "Vazio");
    EXPECT_EQ(form->rolagem.Max(), 0);
    EXPECT_EQ(form->rolagem.LargeChange(), 2);
    // A topic that is not there shows its name with an empty body.
    help::ShowTopic("Nenhum", form->caixa, form->rolagem);
    EXPECT_EQ(LineCount, 3);
    EXPECT_EQ(TextLines[0], "Nenhum");
}

TEST_F(LayoutTest, WordThatEndsAtTheEdgeStaysOnItsLine) {
    const double wa = largura("aaa "), wb = largura("bbb");
    // The box is made just wide enough for both words, then one twip less.
    for (int folga : {0, -1}) {
        const int w = static_cast<int>(std::ceil(std::round(200 + wa) + wb)) + folga;
        form->caixa.SetWidth(w);
        const double exato = std::round(200 + wa) + wb;
        mostra("aaa bbb");
        if (exato <= form->caixa.ScaleWidth()) {
            EXPECT_EQ(TextLines[2], "aaa bbb") << w;
            EXPECT_EQ(LineCount, 3);
        } else {
            EXPECT_EQ(TextLines[2], "aaa ") << w;
            EXPECT_EQ(TextLines[3], "bbb");
            EXPECT_EQ(LineCount, 4);
        }
    }
}

TEST_F(LayoutTest, LinkStaysWholeWithTheCharacterAfterIt) {
    form->caixa.SetWidth(3000);
    mostra("palavras antes do ##link de muitas palavras|Alvo~, e depois");
    bool achou = false;
    for (int n = 2; n < LineCount; ++n)
        if (TextLines[n].find("##link de muitas palavras|Alvo~,") != std::string::npos) achou = true;
    EXPECT_TRUE(achou);
}

TEST_F(LayoutTest, ParagraphBreaksLeaveThinBlankLines) {
    mostra("um\r\n\r\ndois\r\n\r\n\r\ntres");
    // "um", a thin line, "dois", a thin line, a line holding one blank, a
    // thin line, "tres".
    EXPECT_EQ(TextLines[2], "um ");
    EXPECT_EQ(TextLines[3], "");
    EXPECT_EQ(TextLines[4], "dois ");
    EXPECT_EQ(TextLines[5], "");
    EXPECT_EQ(TextLines[6], " ");
    EXPECT_EQ(TextLines[7], "");
    EXPECT_EQ(TextLines[8], "tres");
    EXPECT_EQ(LineCount, 9);
}

TEST_F(LayoutTest, StrayHashEndsTheLayout) {
    mostra("antes #sem til depois");
    EXPECT_EQ(TextLines[2], "antes ");
    EXPECT_EQ(LineCount, 3);
}

TEST_F(LayoutTest, PaintedLinksAreHitInsideTheirBordersOnly) {
    mostra("Veja a ##alface|ALFACE~ e o ##tomate|TOMATE~.");
    ASSERT_EQ(help::HotSpotCount, 2);
    const help::HotSpot a = help::HotSpots[1];
    const help::HotSpot b = help::HotSpots[2];
    EXPECT_EQ(a.Target, "ALFACE");
    EXPECT_EQ(b.Target, "TOMATE");
    EXPECT_EQ(a.Top, b.Top);
    EXPECT_GT(a.Bottom, a.Top);
    EXPECT_GT(b.Left, a.Right);
    // The link's rectangle holds its shown words and the glued character.
    EXPECT_NEAR(b.Right - b.Left, largura("tomate.", true), 1.0);

    const float meio_y = (a.Top + a.Bottom) / 2.0f;
    EXPECT_EQ(HotSpotAt(a.Left + 1, meio_y), "ALFACE");
    EXPECT_EQ(HotSpotAt(a.Left, meio_y), "");
    EXPECT_EQ(HotSpotAt(a.Left + 1, a.Top), "");
    EXPECT_EQ(HotSpotAt(a.Right, meio_y), "");
    EXPECT_EQ(HotSpotAt(b.Right - 1, b.Bottom - 1), "TOMATE");
    EXPECT_TRUE(help::IsOverHotSpot(b.Left + 1, meio_y));
    EXPECT_FALSE(help::IsOverHotSpot(10, 10));

    // The painted text: the title at 14 points, the body at 9, links in red.
    const auto& ops = form->caixa.DrawOps();
    ASSERT_FALSE(ops.empty());
    EXPECT_EQ(ops[0].text, "T");
    EXPECT_DOUBLE_EQ(ops[0].font.Size, 14);
    int vermelhos = 0;
    for (const auto& op : ops)
        if (op.color == help::kCorLink) {
            ++vermelhos;
            EXPECT_TRUE(op.font.Underline);
        }
    EXPECT_EQ(vermelhos, 2);
}

TEST_F(LayoutTest, LongTargetIsCutTo128Characters) {
    const std::string alvo(140, 'x');
    mostra("##longo|" + alvo + "~ fim");
    ASSERT_EQ(help::HotSpotCount, 1);
    EXPECT_EQ(help::HotSpots[1].Target, std::string(128, 'x'));
}

TEST_F(LayoutTest, ScrollingPaintsFromTheTopLineAndDropsLinksOutOfView) {
    std::string texto = "##primeiro|P~ ";
    for (int k = 0; k < 120; ++k) texto += "linha" + std::to_string(k) + "\r\n\r\n";
    mostra(texto);
    auto& sb = form->rolagem;
    const long altura = std::lround(form->caixa.TextHeight("Any Text"));
    const int pagina = static_cast<int>(std::lround(form->caixa.ScaleHeight()) / altura);
    EXPECT_EQ(sb.Min(), 0);
    EXPECT_EQ(sb.SmallChange(), 1);
    EXPECT_EQ(sb.LargeChange(), std::min(pagina - 2, LineCount - 1));
    EXPECT_EQ(sb.Max(), std::max(LineCount - pagina, 0));
    EXPECT_EQ(help::HotSpotCount, 1);

    // TopLine 1: no title, the first line painted is the thin line 1.
    sb.SetValue(1);
    EXPECT_EQ(help::TopLine, 1);
    EXPECT_NE(form->caixa.DrawOps().front().text, "T");
    EXPECT_EQ(help::HotSpotCount, 1);
    sb.SetValue(10);
    EXPECT_EQ(help::HotSpotCount, 0);
    EXPECT_EQ(HotSpotAt(help::HotSpots[1].Left + 1, help::HotSpots[1].Top + 1), "");
    // Only the lines that fit are painted.
    const int escritos = static_cast<int>(form->caixa.DrawOps().size());
    EXPECT_LT(escritos, LineCount - 10);
    EXPECT_GT(form->caixa.DrawOps().back().y * 15, form->caixa.ScaleHeight() - 3 * altura);

    // A new topic starts from the top again.
    const int antes = form->pinturas;
    help::ShowTopic("T", form->caixa, form->rolagem);
    EXPECT_EQ(sb.Value(), 0);
    EXPECT_EQ(help::TopLine, 0);
    EXPECT_GT(form->pinturas, antes);
}

TEST_F(LayoutTest, TinyBoxStillScrollsByAtLeastOneLine) {
    form->caixa.SetHeight(200);
    mostra("um\r\n\r\ndois\r\n\r\ntres");
    EXPECT_GE(form->rolagem.LargeChange(), 1);
}

}  // namespace
}  // namespace help_test
