// The help window: opening a subject, following links to topics, pictures
// and sounds, the illustrations and their animations, the earthworm and the
// way back to the screen that opened help.

#include "apoio.h"
#include "platform/text.h"
#include "shell/navegacao.h"

namespace help_test {
namespace {

using Janela = ::help::help;

class JanelaTest : public HelpTest {
protected:
    void SetUp() override {
        HelpTest::SetUp();
        fonte("help.Txt",
              "###Atividades da Horta\r\nVeja ##a limpeza|A Limpeza~, ##o planeta|O botão do planeta (tempo virtual)~, "
              "##a alface|alface~, ##um aviso|\\anima\\Parah.JPG~, ##uma dica|\\anima\\dica.Jpg~, "
              "##um som|\\anima\\toque.wav~, ##a música|\\anima\\musica.MID~, ##nada|\\anima\\falta.xyz~, "
              "##um documento|\\anima\\texto.doc~, ##o disco|Z:\\falta.wav~, ##a colheita|A Colheita Final e Parcial~ "
              "e ##a reposição|A Reposição~.\r\n"
              "###A Limpeza\r\nTirar o mato. ##Voltar|Atividades da Horta~.\r\n"
              "###O botão do planeta (tempo virtual)\r\nA previsão.\r\n"
              "###A Colheita Final e Parcial\r\nColher.\r\n"
              "###A Reposição\r\nRepor.\r\n");
        fonte("cult1.Txt", "###Verduras de Semente\r\nAs verduras.\r\n");
        shell::estado_telas().assunto_help = "Atividades";
        shell::estado_telas().tela_atual = "horta";
    }

    Janela& abre() {
        pf::Forms::Show(help::nome_tela_help);
        t::ProcessEvents();
        return pf::Forms::Get<Janela>(help::nome_tela_help);
    }

    // Presses a mouse button on the link of that target, as painted now.
    void clica_link(Janela& h, const std::string& target, int botao = pf::vbLeftButton) {
        for (int k = 1; k <= help::HotSpotCount; ++k) {
            const auto& s = help::HotSpots[k];
            std::string alvo = s.Target;
            if (alvo != target) continue;
            ASSERT_TRUE(h.TextPictureBox.OnMouseDown);
            h.TextPictureBox.OnMouseDown(botao, 0, (s.Left + s.Right) / 2.0f, (s.Top + s.Bottom) / 2.0f);
            return;
        }
        FAIL() << "link não pintado: " << target;
    }
};

TEST_F(JanelaTest, OpeningCompilesTheSubjectAndShowsItsFirstTopic) {
    Janela& h = abre();
    EXPECT_TRUE(fs::exists(pasta_programa() / "help.HTF"));
    EXPECT_TRUE(fs::exists(pasta_programa() / "help.IDX"));
    EXPECT_TRUE(help::FilesOpen);
    EXPECT_EQ(help::TextLines[0], "Atividades da Horta");
    EXPECT_EQ(help::HotSpotCount, 12);
    // No illustration for the first topic, even when it has one.
    EXPECT_FALSE(h.imagespicturebox.Visible());
    EXPECT_EQ(h.timer_.Interval(), 0);
    EXPECT_EQ(h.MousePointer(), pf::vbCrosshair);
    EXPECT_EQ(h.TextPictureBox.MousePointer(), pf::vbCrosshair);
    EXPECT_EQ(h.TextVScroll.Top(), 0);
    EXPECT_EQ(h.TextVScroll.Height(), h.ClientHeight());
    EXPECT_EQ(h.TextVScroll.Left() + h.TextVScroll.Width(), h.ClientWidth());
    EXPECT_EQ(h.Picture().GamePath(), platform::ProgramFolder() + "\\back_in.jpg");
    EXPECT_EQ(h.TextPictureBox.Picture().GamePath(), platform::ProgramFolder() + "\\textura.jpg");
    EXPECT_EQ(h.theLabel1.Caption(), "Retornar");

    // Over a link the custom pointer, elsewhere the default one.
    const auto& s = help::HotSpots[1];
    h.TextPictureBox.OnMouseMove(0, 0, s.Left + 1, s.Top + 1);
    EXPECT_EQ(h.TextPictureBox.MousePointer(), pf::vbCustom);
    h.TextPictureBox.OnMouseMove(0, 0, 5, 5);
    EXPECT_EQ(h.TextPictureBox.MousePointer(), pf::vbDefault);
}

TEST_F(JanelaTest, EachSubjectOpensItsOwnFileAndOthersOpenNone) {
    shell::estado_telas().assunto_help = "Culturas1";
    abre();
    EXPECT_EQ(help::TextLines[0], "Verduras de Semente");
    pf::Forms::Unload(help::nome_tela_help);

    // Opening the same subject again compiles it again.
    fs::remove(pasta_programa() / "cult1.HTF");
    abre();
    EXPECT_TRUE(fs::exists(pasta_programa() / "cult1.HTF"));
    pf::Forms::Unload(help::nome_tela_help);

    for (const char* assunto : {"agenda", "PGM ", ""}) {
        shell::estado_telas().assunto_help = assunto;
        abre();
        EXPECT_EQ(help::TopicCount, 0) << assunto;
        EXPECT_EQ(help::TextLines[0], "Ajuda indisponível");
        pf::Forms::Unload(help::nome_tela_help);
    }
    EXPECT_STREQ(help::arquivo_do_assunto("Agenda")->fonte, "\\helpss.Txt");
    EXPECT_STREQ(help::arquivo_do_assunto("PGM")->aberto_como, "\\pgm.XXX");
    EXPECT_STREQ(help::arquivo_do_assunto("Orgânico")->fonte, "\\Organico.Txt");
    EXPECT_EQ(help::assuntos_help().size(), 7u);
}

TEST_F(JanelaTest, MissingSourceGivesANoticeInsteadOfAStop) {
    // No pgm source in this folder, nor topic files an earlier test compiled.
    for (const auto& e : fs::directory_iterator(pasta_programa()))
        if (platform::LCase(e.path().stem().string()) == "pgm") fs::remove(e.path());
    shell::estado_telas().assunto_help = "PGM";
    Janela& h = abre();
    EXPECT_EQ(help::TextLines[0], "Ajuda indisponível");
    EXPECT_NE(help::TextLines[2].find("O "), std::string::npos);
    t::Click(h.theLabel1);
    EXPECT_TRUE(pf::Forms::IsLoaded("trabalhando_na_horta"));
}

TEST_F(JanelaTest, TopicLinkShowsTheTopicAndItsIllustration) {
    Janela& h = abre();
    clica_link(h, "A Limpeza", pf::vbRightButton);  // any button follows a link
    EXPECT_EQ(help::TextLines[0], "A Limpeza");
    EXPECT_EQ(h.TextPictureBox.MousePointer(), pf::vbDefault);
    EXPECT_TRUE(h.imagespicturebox.Visible());
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\li06.bmp");
    EXPECT_EQ(h.imagespicturebox.Top(), 1200);
    EXPECT_EQ(h.imagespicturebox.Left(), (1600 - h.imagespicturebox.Width()) / 2);
    EXPECT_EQ(help::anima_topico, 8);
    EXPECT_EQ(help::quadro_inicial, 7);
    EXPECT_EQ(help::qt_quadros, 85);

    // A button topic after it: the animation id is cleared by the link, the
    // other values stay, and a click on the still picture hides it.
    clica_link(h, "Atividades da Horta");
    EXPECT_FALSE(h.imagespicturebox.Visible());
    clica_link(h, "O botão do planeta (tempo virtual)");
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\planet01.bmp");
    EXPECT_EQ(help::anima_topico, 0);
    EXPECT_EQ(help::qt_quadros, 85);
    t::Click(h.imagespicturebox);
    EXPECT_FALSE(h.imagespicturebox.Visible());
    EXPECT_TRUE(h.TextPictureBox.Visible());
    EXPECT_EQ(h.timer_.Interval(), 0);
}

TEST_F(JanelaTest, IllustrationTableFollowsTheTopicNameExactly) {
    Janela& h = abre();
    h.timer_.SetInterval(100);
    help::mostra_ilustracao("alface", h.imagespicturebox, h.timer_);
    EXPECT_FALSE(h.imagespicturebox.Visible());
    EXPECT_EQ(h.timer_.Interval(), 0);

    help::mostra_ilustracao("ALFACE", h.imagespicturebox, h.timer_);
    EXPECT_TRUE(h.imagespicturebox.Visible());
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\az_ALF.bmp");

    help::mostra_ilustracao("O Plantio Definitivo (Direto)", h.imagespicturebox, h.timer_);
    EXPECT_EQ(help::anima_topico, 4);
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\pla06.bmp");
    help::anima_topico = 0;
    help::mostra_ilustracao("O Plantio Definitivo", h.imagespicturebox, h.timer_);
    EXPECT_EQ(help::anima_topico, 4);
    EXPECT_EQ(help::quadro_inicial, 6);
    EXPECT_EQ(help::qt_quadros, 61);

    auto figura = [&](const char* topico) {
        help::mostra_ilustracao(topico, h.imagespicturebox, h.timer_);
        return h.imagespicturebox.Picture().GamePath();
    };
    EXPECT_EQ(figura("CEBOLINHA"), "E:\\anima\\az_che.bmp");
    EXPECT_EQ(figura("O botão da agenda"), platform::ProgramFolder() + "\\agenda.bmp");
    // The calendar button shows the picture of today's weekday.
    platform::SetNow(platform::MakeDateTime(2026, 12, 9, 10, 0, 0));  // a Wednesday
    EXPECT_EQ(figura("O botão do calendário (tempo real)"), "E:\\anima\\seman04.bmp");
    platform::SetNow(platform::MakeDateTime(2026, 12, 13, 10, 0, 0));  // a Sunday
    EXPECT_EQ(figura("O botão do calendário (tempo real)"), "E:\\anima\\seman01.bmp");
}

TEST_F(JanelaTest, PictureLinksShowThePictureInPlaceOfTheText) {
    Janela& h = abre();
    clica_link(h, "\\anima\\Parah.JPG");
    EXPECT_TRUE(mensagens.empty());
    EXPECT_TRUE(h.imagespicturebox.Visible());
    EXPECT_FALSE(h.TextPictureBox.Visible());
    EXPECT_FALSE(h.TextVScroll.Visible());
    EXPECT_EQ(h.imagespicturebox.Left(), (h.ClientWidth() - h.imagespicturebox.Width()) / 2);
    EXPECT_EQ(h.imagespicturebox.Top(), (h.ClientHeight() - h.imagespicturebox.Height()) / 2);
    // A click on the picture brings the text back as it was.
    t::Click(h.imagespicturebox);
    EXPECT_FALSE(h.imagespicturebox.Visible());
    EXPECT_TRUE(h.TextPictureBox.Visible());
    EXPECT_TRUE(h.TextVScroll.Visible());
    EXPECT_EQ(help::TextLines[0], "Atividades da Horta");

    clica_link(h, "\\anima\\dica.Jpg");  // any letter case of the extension
    EXPECT_TRUE(h.imagespicturebox.Visible());
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\dica.Jpg");
}

TEST_F(JanelaTest, SoundLinksPlayAndBadLinksSayWhy) {
    model::sessao().som_ligado = false;  // a clicked link plays all the same
    Janela& h = abre();
    clica_link(h, "\\anima\\toque.wav");
    clica_link(h, "\\anima\\musica.MID");
    ASSERT_EQ(sons->calls.size(), 2u);
    EXPECT_EQ(sons->calls[0].kind, platform::SoundCall::Kind::Media);
    EXPECT_EQ(sons->calls[0].path, "E:\\anima\\toque.wav");
    EXPECT_EQ(sons->calls[1].path, "E:\\anima\\musica.MID");
    EXPECT_TRUE(mensagens.empty());
    EXPECT_EQ(help::TextLines[0], "Atividades da Horta");

    // A missing file is told first, whatever its type; a path with a drive
    // is taken as written.
    clica_link(h, "\\anima\\falta.xyz");
    clica_link(h, "Z:\\falta.wav");
    clica_link(h, "\\anima\\texto.doc");
    ASSERT_EQ(mensagens.size(), 3u);
    EXPECT_EQ(mensagens[0].texto, "Unable to locate media file E:\\anima\\falta.xyz");
    EXPECT_EQ(mensagens[0].estilo, 48);
    EXPECT_EQ(mensagens[0].titulo, "Hyperlink Error");
    EXPECT_EQ(mensagens[1].texto, "Unable to locate media file Z:\\falta.wav");
    EXPECT_EQ(mensagens[2].texto, "Unknown media file type E:\\anima\\texto.doc");
    EXPECT_EQ(sons->calls.size(), 2u);
    EXPECT_TRUE(h.TextPictureBox.Visible());
}

TEST_F(JanelaTest, AnyLinkStopsARunningAnimation) {
    Janela& h = abre();
    clica_link(h, "A Colheita Final e Parcial");
    t::Click(h.imagespicturebox);
    EXPECT_EQ(h.timer_.Interval(), 100);
    // Even a link that fails.
    help::HyperlinkJump("\\anima\\falta.xyz", h.TextPictureBox, h.imagespicturebox, h.TextVScroll, h.timer_);
    EXPECT_EQ(h.timer_.Interval(), 0);
    EXPECT_EQ(help::anima_topico, 0);
}

TEST_F(JanelaTest, TopicAnimationCyclesFromItsStartFrameAndStops) {
    Janela& h = abre();
    clica_link(h, "A Limpeza");
    novas_figuras();
    t::Click(h.imagespicturebox);
    EXPECT_EQ(shell::estado_telas().acao, help::AcaoHelp{8});
    EXPECT_EQ(shell::estado_telas().quadro, 85);
    for (int k = 0; k < 85; ++k) t::TickTimer(h.timer_);
    const auto quadros = novas_figuras();
    ASSERT_EQ(quadros.size(), 85u);
    EXPECT_EQ(quadros[0], "\\anima\\li06.bmp");
    EXPECT_EQ(quadros[1], "\\anima\\li07.bmp");
    EXPECT_EQ(quadros[3], "\\anima\\li09.bmp");
    EXPECT_EQ(quadros[4], "\\anima\\li11.bmp");
    EXPECT_EQ(quadros[5], "\\anima\\li12.bmp");
    EXPECT_EQ(quadros[6], "\\anima\\li00.bmp");
    EXPECT_EQ(quadros[84], "\\anima\\li06.bmp");
    EXPECT_EQ(std::count(quadros.begin(), quadros.end(), "\\anima\\li10.bmp"), 0);
    EXPECT_EQ(h.timer_.Interval(), 100);
    t::TickTimer(h.timer_);
    EXPECT_EQ(h.timer_.Interval(), 0);
    EXPECT_TRUE(novas_figuras().empty());
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\li06.bmp");

    // Clicked again, it starts over from its start frame.
    t::Click(h.imagespicturebox);
    t::TickTimer(h.timer_);
    EXPECT_EQ(novas_figuras(), std::vector<std::string>{"\\anima\\li06.bmp"});
}

TEST_F(JanelaTest, EveryAnimatedTopicEndsOnTheFrameItStarted) {
    Janela& h = abre();
    struct Caso {
        const char* topico;
        const char* primeiro;
        int quadros;
    };
    for (Caso c : {Caso{"Construindo sua Horta", "\\anima\\hortel07.bmp", 61},
                   Caso{"A Colheita Final e Parcial", "\\anima\\cof07.bmp", 85},
                   Caso{"O Plantio em Sementeira", "\\anima\\sem08.bmp", 79},
                   Caso{"O Transplante", "\\anima\\tra04.bmp", 79}, Caso{"A Reposição", "\\anima\\rep03.bmp", 79},
                   Caso{"O Desbaste", "\\anima\\des06.bmp", 79}, Caso{"A Amontoa", "\\anima\\amo05.bmp", 73}}) {
        SCOPED_TRACE(c.topico);
        help::anima_topico = 0;
        help::mostra_ilustracao(c.topico, h.imagespicturebox, h.timer_);
        t::Click(h.imagespicturebox);
        novas_figuras();
        for (int k = 0; k < 200 && h.timer_.Interval() != 0; ++k) t::TickTimer(h.timer_);
        const auto q = novas_figuras();
        ASSERT_EQ(static_cast<int>(q.size()), c.quadros);
        EXPECT_EQ(q.front(), c.primeiro);
        EXPECT_EQ(q.back(), c.primeiro);
    }
}

TEST_F(JanelaTest, EarthwormCrawlsAndTurnsAtTheEdges) {
    Janela& h = abre();
    EXPECT_EQ(h.pic_nhoca.Left(), 11130);
    novas_figuras();
    t::Click(h.pic_nhoca);
    EXPECT_EQ(shell::estado_telas().acao, help::AcaoHelp::nhoca);
    std::vector<int> lefts;
    for (int k = 0; k < 21; ++k) {
        t::TickTimer(h.timer_);
        lefts.push_back(h.pic_nhoca.Left());
    }
    const auto q = novas_figuras();
    ASSERT_EQ(q.size(), 21u);
    const char* digitos = "0123210";
    for (int k = 0; k < 21; ++k) EXPECT_EQ(q[k], std::string("\\anima\\nhoca") + digitos[k % 7] + "p.bmp") << k;
    EXPECT_EQ(lefts[3], 11130);   // phases 0 to 3 stand still
    EXPECT_EQ(lefts[4], 11080);   // 2, 1, 0 after 3 move
    EXPECT_EQ(h.pic_nhoca.Left(), 11130 - 450);
    EXPECT_EQ(h.timer_.Interval(), 0);

    // A second click before the end restarts the count, keeps the phase.
    t::Click(h.pic_nhoca);
    for (int k = 0; k < 5; ++k) t::TickTimer(h.timer_);
    const int fase = h.fase_nhoca;
    t::Click(h.pic_nhoca);
    EXPECT_EQ(h.passos_nhoca, 21);
    EXPECT_EQ(h.fase_nhoca, fase);

    // Near the left edge it turns and comes back with the other frames.
    h.pic_nhoca.SetLeft(2420);
    h.fase_nhoca = 4;
    h.nhoca_esq = true;
    novas_figuras();
    t::TickTimer(h.timer_);
    EXPECT_EQ(h.pic_nhoca.Left(), 2370);
    EXPECT_FALSE(h.nhoca_esq);
    t::TickTimer(h.timer_);
    EXPECT_EQ(h.pic_nhoca.Left(), 2420);
    EXPECT_EQ(novas_figuras().back(), "\\anima\\nh1p.bmp");
}

TEST_F(JanelaTest, EarthwormAndTopicAnimationShareTheTimer) {
    Janela& h = abre();
    clica_link(h, "A Limpeza");
    t::Click(h.imagespicturebox);
    t::TickTimer(h.timer_);
    const std::string quadro = h.imagespicturebox.Picture().GamePath();
    t::Click(h.pic_nhoca);
    t::TickTimer(h.timer_);
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), quadro);
    EXPECT_EQ(h.fase_nhoca, 1);
    EXPECT_EQ(h.pic_nhoca.Picture().GamePath(), "E:\\anima\\nhoca0p.bmp");
    // The illustration click takes the timer back, from the start frame.
    novas_figuras();
    t::Click(h.imagespicturebox);
    t::TickTimer(h.timer_);
    EXPECT_EQ(novas_figuras(), std::vector<std::string>{"\\anima\\li06.bmp"});
}

TEST_F(JanelaTest, ReturnGoesBackToTheScreenThatOpenedHelp) {
    const std::pair<const char*, const char*> casos[] = {
        {"horta", "trabalhando_na_horta"}, {"Orgânico", "INTRONEW"}, {"PGM", "conf"}, {"Agenda", "age"},
        {"sementeira", "controle_da_sementeira"}, {"agenda", "controle_da_sementeira"},
        {"", "controle_da_sementeira"}};
    for (auto [tela, destino] : casos) {
        SCOPED_TRACE(tela);
        pf::Forms::Reset();
        help::registra_formularios();
        for (const char* nome : {"INTRONEW", "conf", "trabalhando_na_horta", "controle_da_sementeira", "age"})
            pf::Forms::Register<TelaVazia>(nome);
        shell::estado_telas().tela_atual = tela;
        Janela& h = abre();
        // During an animation, too: it ends with the window.
        clica_link(h, "A Limpeza");
        t::Click(h.imagespicturebox);
        t::Click(h.theLabel1);
        t::ProcessEvents();
        EXPECT_FALSE(pf::Forms::IsLoaded(help::nome_tela_help));
        EXPECT_TRUE(pf::Forms::IsLoaded(destino));
        EXPECT_TRUE(sons->calls.empty());
    }
    // The topic files are closed, so the next opening can rewrite them.
    EXPECT_EQ(help::GetTopicText("A Limpeza"), "");
}

TEST_F(JanelaTest, MissingFramesLeaveTheLastPictureOnShow) {
    Janela& h = abre();
    clica_link(h, "A Limpeza");
    model::sessao().dir_anima = "G:";  // a drive with nothing on it
    t::Click(h.imagespicturebox);
    t::TickTimer(h.timer_);
    t::Click(h.pic_nhoca);
    t::TickTimer(h.timer_);
    EXPECT_EQ(h.imagespicturebox.Picture().GamePath(), "E:\\anima\\li06.bmp");
    EXPECT_TRUE(h.imagespicturebox.Visible());
    EXPECT_FALSE(h.pic_nhoca.Picture().IsEmpty());
}

}  // namespace
}  // namespace help_test
