// The agenda screen: load, activity clicks and their animations, navigation,
// the entry presentation, the forecast and printing.

#include <set>

#include "apoio.h"
#include "shell/navegacao.h"

namespace agenda_test {
namespace {

using agenda::age;

class TelaTest : public AgendaTest {
protected:
    // Ticks the animation timer while `f` is still the agenda: a screen
    // left too early is a failure to report, not a screen to tick.
    static bool na_tela(const age& f) { return pf::Forms::Find(agenda::nome_tela_agenda) == &f; }
    void tique(age& f, int n = 1) {
        for (int k = 0; k < n && na_tela(f); ++k) t::TickTimer(f.timer_);
    }
    static std::string figura(const pf::PictureBox& p) { return p.Picture().GamePath(); }
};

TEST_F(TelaTest, CargaMostraASemanaEOsSemanarios) {
    auto& f = abre();
    EXPECT_EQ(f.tempo.Text(), "23");
    EXPECT_EQ(f.terra.Text(), "23");
    EXPECT_EQ(shell::estado_telas().tela_atual, "Agenda");
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoAtual{});
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(f.relat.ReportFileName(), pasta_programa() + "\\relatb.rpt");
    EXPECT_EQ(f.regrot.ReportFileName(), pasta_programa() + "\\rrr.rpt");
    EXPECT_EQ(figura(f.pld), "E:\\anima\\pla06.bmp");
    EXPECT_EQ(f.MousePointer(), pf::vbCrosshair);
}

TEST_F(TelaTest, CliqueDeAtividadeFalaEAnimaAteORepouso) {
    model::sessao().som_ligado = true;
    auto& f = abre();
    t::Click(f.pld);  // empty list
    EXPECT_EQ(tocou("\\agenpla.wav"), 1);
    EXPECT_EQ(shell::estado_telas().acao, agenda::Acao::pld);
    EXPECT_EQ(shell::estado_telas().quadro, 61);
    tique(f);
    EXPECT_EQ(figura(f.pld), "E:\\anima\\pla06.bmp");
    tique(f);
    EXPECT_EQ(figura(f.pld), "E:\\anima\\pla07.bmp");
    tique(f, 59);
    EXPECT_EQ(shell::estado_telas().quadro, 0);
    EXPECT_EQ(figura(f.pld), "E:\\anima\\pla06.bmp");
    tique(f);
    EXPECT_EQ(f.timer_.Interval(), 0);

}

TEST_F(TelaTest, CicloDaLimpezaPulaOQuadroDez) {
    // A list with lines speaks the other cue.
    model::sessao().som_ligado = true;
    planta(0, model::cod_cenoura, 2);
    auto& g = abre();
    t::Click(g.limp);
    EXPECT_EQ(tocou("\\agelim.wav"), 1);
    std::vector<std::string> vistos;
    for (int k = 0; k < 13; ++k) {  // one whole cycle of 12 frames, then the resting frame
        tique(g);
        vistos.push_back(figura(g.limp));
    }
    EXPECT_EQ(std::count(vistos.begin(), vistos.end(), "E:\\anima\\li10.bmp"), 0);
    EXPECT_EQ(vistos.back(), "E:\\anima\\li06.bmp");
}

TEST_F(TelaTest, NavegacaoTocaADeixaETrocaDeTela) {
    model::sessao().som_ligado = true;
    auto& f = abre();
    t::Click(f.pic_horta);
    tique(f, 12);
    ASSERT_TRUE(na_tela(f));
    EXPECT_EQ(figura(f.pic_horta), "E:\\anima\\enx00c.bmp");
    tique(f);
    EXPECT_EQ(tocou("\\vamhor.wav"), 1);
    EXPECT_FALSE(pf::Forms::IsLoaded("age"));
    EXPECT_TRUE(pf::Forms::IsLoaded("trabalhando_na_horta"));

    auto& g = abre();
    t::Click(g.hortelino);
    tique(g, 15);
    EXPECT_FALSE(pf::Forms::IsLoaded("age"));
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
}

TEST_F(TelaTest, ApresentacaoDeEntradaEASementeiraSemQuadros) {
    auto& s = model::sessao();
    s.trilha_fundo = true;
    s.som_entrada_agenda = "E:\\audio\\caipira\\agendfim.wav";
    auto& f = abre();
    EXPECT_TRUE(f.intro_ativa);
    EXPECT_EQ(f.Timer1.Interval(), 12000);
    EXPECT_EQ(tocou("agendfim.wav"), 1);
    tique(f);
    EXPECT_EQ(shell::estado_telas().quadro, 10000 - 8);
    EXPECT_EQ(figura(f.tr), "E:\\anima\\tra00.bmp");

    t::Click(f.pic_semen);  // does not end the presentation
    EXPECT_TRUE(f.intro_ativa);
    tique(f);
    EXPECT_FALSE(pf::Forms::IsLoaded("age"));
    EXPECT_TRUE(pf::Forms::IsLoaded("controle_da_sementeira"));

    // A care click ends it; Timer1 would have too.
    auto& g = abre();
    t::Click(g.cof);
    EXPECT_FALSE(g.intro_ativa);
    EXPECT_EQ(g.Timer1.Interval(), 0);
    EXPECT_EQ(figura(g.tr), "E:\\anima\\tra04.bmp");
}

TEST_F(TelaTest, AvisoDuranteOsQuadrosNaoDesfazONavegarNemORepouso) {
    // With the entry song on, the "Tempos" notice opens while a picture's
    // frames play and the timer goes on beneath it: once it closes, the
    // picture ends as it would have, on its screen or on its resting frame,
    // and never shows a frame that does not exist.
    struct Caso {
        pf::PictureBox age::*figura;
        const char* destino;  // nullptr: the agenda stays
        std::string repouso;
    };
    const Caso casos[] = {
        {&age::hortelino, "INTRONEW", ""},
        {&age::pic_semen, "controle_da_sementeira", ""},
        {&age::pic_horta, "trabalhando_na_horta", ""},
        {&age::tempo_real, nullptr, "hoje"},
        {&age::previsao, nullptr, "E:\\anima\\planet01.bmp"},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::sessao().trilha_fundo = true;
        auto& f = abre();
        const auto tiques = [&](int n) {
            for (int k = 0; k < n && na_tela(f) && f.timer_.Interval() != 0; ++k) {
                tique(f);
                if (na_tela(f)) EXPECT_NE(figura(f.*c.figura).find("\\anima\\"), std::string::npos) << k;
            }
        };
        t::TickTimer(f.Timer1);  // the presentation is over
        t::Click(f.*c.figura);
        tiques(3);
        durante_dialogo = [&] { tiques(20); };
        t::Click(f.lbl_tempo);
        ASSERT_TRUE(na_tela(f)) << "never left under the open notice";
        t::ProcessEvents();
        tiques(40);
        if (c.destino) {
            EXPECT_TRUE(pf::Forms::IsLoaded(c.destino)) << c.destino;
            EXPECT_FALSE(na_tela(f)) << c.destino;
        } else {
            ASSERT_TRUE(na_tela(f));
            EXPECT_EQ(figura(f.*c.figura), c.repouso == "hoje" ? model::pict_semana() : c.repouso);
        }
        TearDown();
    }
}

TEST_F(TelaTest, PrevisaoETempoReal) {
    auto& h = model::horta();
    planta(0, model::cod_alface, 7);          // freed by the first step (cycle 8)
    h.check_can[0] = true;
    semeia(0, model::cod_alface, 4);          // emptied at age 5
    auto& f = abre();
    t::Click(f.previsao);
    EXPECT_EQ(f.terra.Text(), "24");
    EXPECT_EQ(f.tempo.Text(), "23");
    EXPECT_EQ(h.cult_can[0], model::nenhuma);
    EXPECT_EQ(h.ult_cult[0], model::cod_alface);
    EXPECT_EQ(h.cult_sem[0], model::nenhuma);
    t::Click(f.previsao);
    EXPECT_EQ(f.terra.Text(), "25");
    for (const auto& l : linhas_tabela("relat", {"sem"})) EXPECT_EQ(l[0], "25");
    EXPECT_EQ(linhas_tabela("rr", {"mod"}).size(), 100u);

    tique(f, 23);
    EXPECT_EQ(figura(f.previsao), "E:\\anima\\planet01.bmp");

    t::Click(f.tempo_real);
    EXPECT_EQ(f.terra.Text(), "23");
    EXPECT_EQ(h.cult_can[0], model::cod_alface);
    EXPECT_EQ(h.idade_can[0], 7);
    EXPECT_TRUE(h.check_can[0]);
    EXPECT_EQ(h.cult_sem[0], model::cod_alface);
    EXPECT_EQ(f.cof1(0).Caption(), "Alface");
    tique(f, 7);
    EXPECT_EQ(figura(f.tempo_real), model::pict_semana());
}

TEST_F(TelaTest, ImpressaoPerguntaPelaSemanaMostrada) {
    auto& f = abre();
    t::Click(f.previsao);
    t::Click(f.previsao);
    respostas = {false};
    t::Click(f.pic_imp);
    tique(f, 8);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Impressão");
    EXPECT_EQ(dialogos[0].mensagem, "Deseja imprimir o relatório da semana 25 ?");
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(figura(f.pic_imp), "E:\\anima\\imp06.bmp");
    EXPECT_FALSE(fs::exists(fs::path(pasta_programa()) / "relatorio_da_semana_2026-25.pdf"));

    // With the entry song on, the presentation that starts again once the
    // question is answered leaves the print picture resting on its last frame.
    model::sessao().trilha_fundo = true;
    respostas = {false};
    t::Click(f.pic_imp);
    tique(f, 8);
    t::ProcessEvents();
    ASSERT_TRUE(f.intro_ativa);
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(figura(f.pic_imp), "E:\\anima\\imp06.bmp") << k;
        tique(f);
    }
    t::TickTimer(f.Timer1);
    EXPECT_EQ(figura(f.pic_imp), "E:\\anima\\imp06.bmp");
}

TEST_F(TelaTest, ImprimeOsDoisRelatoriosEmPdf) {
    if (!tem_pdftotext()) GTEST_SKIP() << "pdftotext ausente";
    auto& h = model::horta();
    h.seq_cult[model::cod_cenoura] = 2;
    h.seq_cult[model::cod_tomate] = 1;
    semeia(1, model::cod_tomate, 5);  // a transplant of a pending order, with its density
    planta(0, model::cod_alface, 6);
    h.ult_cult[99] = model::cod_repolho;
    auto& f = abre();
    respostas = {true};
    t::Click(f.pic_imp);
    tique(f, 8);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[1].titulo, "Impressão");
    const std::string semana = pasta_programa() + "/relatorio_da_semana_2026-23.pdf";
    const std::string rotacao = pasta_programa() + "/relatorio_de_rotacao_2026-23.pdf";
    EXPECT_EQ(dialogos[1].mensagem, "Não há impressora disponível. Os relatórios foram salvos na pasta " +
                                        pasta_programa() +
                                        ":\nrelatorio_da_semana_2026-23.pdf\nrelatorio_de_rotacao_2026-23.pdf");

    const std::string t1 = texto_pdf(semana);
    EXPECT_NE(t1.find("Semana 23"), std::string::npos) << t1;
    EXPECT_NE(t1.find("HORTA"), std::string::npos);
    EXPECT_NE(t1.find("Colheita Parcial"), std::string::npos);
    EXPECT_NE(t1.find("Cenoura (30 / m2)"), std::string::npos);
    EXPECT_NE(t1.find("Tomate (1 / m2)"), std::string::npos) << "the densities print the one way";
    EXPECT_NE(t1.find("Mapa da Horta"), std::string::npos);
    EXPECT_NE(t1.find("Alf COP"), std::string::npos);
    // The map's legend says what a blank cell and a free bed's "0 / 0" are.
    EXPECT_NE(t1.find("Casa em branco: canteiro sem verdura (não plantado, ou a verdura foi retirada)."),
              std::string::npos) << t1;
    EXPECT_NE(t1.find("0 / 0: canteiro livre depois da colheita"), std::string::npos) << t1;
    const std::string t2 = texto_pdf(rotacao);
    EXPECT_NE(t2.find("J 10"), std::string::npos) << t2;
    EXPECT_NE(t2.find("Repolho"), std::string::npos);
    EXPECT_NE(t2.find("BRASSICAS"), std::string::npos);
}

TEST_F(TelaTest, TabelasDeOutraSemanaNaoSaoImpressas) {
    auto pdfs = [] {
        std::set<std::string> r;
        for (const auto& e : fs::directory_iterator(pasta_programa()))
            if (e.path().extension() == ".pdf") r.insert(e.path().filename().string());
        return r;
    };
    const auto antes = pdfs();
    auto& f = abre();
    bloqueia_tabela("rr");
    t::Click(f.previsao);  // the tables keep week 23
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_NE(dialogos[0].mensagem.find("Não foi possível gravar"), std::string::npos) << dialogos[0].mensagem;
    EXPECT_EQ(f.terra.Text(), "24");

    respostas = {true};
    t::Click(f.pic_imp);
    tique(f, 8);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[1].nome, "ok");
    EXPECT_EQ(dialogos[1].titulo, "Impressão");
    EXPECT_NE(dialogos[1].mensagem.find("O relatório da semana 24 não foi impresso"), std::string::npos)
        << dialogos[1].mensagem;
    EXPECT_EQ(pdfs(), antes);
    EXPECT_EQ(f.timer_.Interval(), 0);

    // Once the tables can be written again, the next print asks as usual.
    bloqueia_tabela("rr", false);
    respostas = {false};
    t::Click(f.pic_imp);
    tique(f, 8);
    ASSERT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(dialogos[2].mensagem, "Deseja imprimir o relatório da semana 24 ?");
}

TEST_F(TelaTest, SemCanteiroLivreSoORelatorioDaSemana) {
    auto& h = model::horta();
    h.cult_can.fill(model::nao_usado);
    planta(0, model::cod_alface, 3);
    auto& f = abre();
    respostas = {true};
    t::Click(f.pic_imp);
    tique(f, 8);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_NE(dialogos[1].mensagem.find("relatorio_da_semana_2026-23.pdf"), std::string::npos) << dialogos[1].mensagem;
    EXPECT_EQ(dialogos[1].mensagem.find("rotacao"), std::string::npos);
    EXPECT_FALSE(fs::exists(fs::path(pasta_programa()) / "relatorio_de_rotacao_2026-23.pdf"));
}

TEST_F(TelaTest, BancoComDefeitoAvisaEAAgendaAbreMesmoAssim) {
    const std::string ruim = pasta_programa() + "/estragado.mdb";
    std::ofstream(ruim) << "isto não é um banco de dados";
    model::define_caminho_banco(ruim);
    planta(0, model::cod_cenoura, 2);
    auto& f = abre();
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].nome, "ok");
    EXPECT_NE(dialogos[0].mensagem.find("Não foi possível gravar"), std::string::npos) << dialogos[0].mensagem;
    EXPECT_EQ(f.LI1(0).Caption(), "Cenoura");
    EXPECT_TRUE(pf::Forms::IsLoaded("age"));
}

TEST_F(TelaTest, TituloDeListaAbreAAjuda) {
    auto& f = abre();
    t::Click(f.Label1(7));
    EXPECT_FALSE(pf::Forms::IsLoaded("age"));
    EXPECT_TRUE(pf::Forms::IsLoaded("help"));
    EXPECT_EQ(shell::estado_telas().assunto_help, "Agenda");
}

}  // namespace
}  // namespace agenda_test
