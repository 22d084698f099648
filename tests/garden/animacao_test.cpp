// The animation engine: frame sequences, the entry presentation and the
// navigation to the other screens.

#include <algorithm>

#include "apoio.h"
#include "shell/navegacao.h"

namespace garden_test {
namespace {

std::vector<std::string> nomes(std::initializer_list<const char*> l) {
    std::vector<std::string> r;
    for (const char* n : l) r.push_back(std::string("\\anima\\") + n + ".bmp");
    return r;
}

// Ticks the animation timer until it stops (at most `maximo` ticks).
int corre(trabalhando_na_horta& f, int maximo = 40) {
    int ticks = 0;
    // A navigation unloads the screen: stop looking at it then.
    while (pf::Forms::Find(garden::nome_tela_horta) == &f && f.timer_.Interval() != 0 && ticks < maximo) {
        t::TickTimer(f.timer_);
        ++ticks;
    }
    return ticks;
}

TEST_F(HortaTest, QuadrosDosCuidados) {
    struct Caso {
        int botao;
        std::vector<std::string> quadros;
    };
    const Caso casos[] = {
        {5, nomes({"li06", "li07", "li08", "li09", "li11", "li12", "li00", "li01", "li02", "li03", "li04", "li05",
                   "li06"})},
        {6, nomes({"des06", "des07", "des08", "des09", "des10", "des11", "des12", "des00", "des01", "des02",
                   "des03", "des04", "des05"})},
        {7, nomes({"amo05", "amo06", "amo07", "amo08", "amo09", "amo10", "amo11", "amo00", "amo01", "amo02",
                   "amo03", "amo04"})},
        {8, nomes({"cop05", "cop06", "cop07", "cop08", "cop09", "cop10", "cop11", "cop12", "cop13", "cop00",
                   "cop01", "cop02", "cop03", "cop04", "cop05"})},
        {9, nomes({"cof07", "cof08", "cof09", "cof10", "cof11", "cof12", "cof13", "cof00", "cof01", "cof02",
                   "cof03", "cof04", "cof05", "cof06"})},
    };
    for (const Caso& c : casos) {
        SetUp();
        auto& f = abre();
        f.Command2_Click(c.botao);  // disabled buttons animate in their disabled picture
        novas_figuras();
        EXPECT_EQ(corre(f), static_cast<int>(c.quadros.size()) + 1);
        EXPECT_EQ(novas_figuras(), c.quadros) << c.botao;
        EXPECT_EQ(f.Command2(c.botao).DisabledPicture().GamePath(), "E:" + c.quadros.back());
        TearDown();
    }
}

TEST_F(HortaTest, QuadrosDaPrevisaoEDoTempoReal) {
    auto& f = abre();
    f.previsao_Click();
    novas_figuras();
    EXPECT_EQ(corre(f), 23);
    std::vector<std::string> esperado = nomes({"planet09", "planet10"});
    for (int volta = 0; volta < 2; ++volta)
        for (int n = 1; n <= 10; ++n) esperado.push_back(n < 10 ? "\\anima\\planet0" + std::to_string(n) + ".bmp"
                                                                : "\\anima\\planet10.bmp");
    esperado.push_back("\\anima\\planet01.bmp");
    EXPECT_EQ(novas_figuras(), esperado);

    f.tempo_real_Click();
    novas_figuras();
    EXPECT_EQ(corre(f), 8);
    // Wednesday: 1 to 7 days back, ending on today.
    EXPECT_EQ(novas_figuras(), nomes({"seman03", "seman02", "seman01", "seman07", "seman06", "seman05", "seman04"}));
}

TEST_F(HortaTest, NavegacaoPelasFiguras) {
    struct Caso {
        void (trabalhando_na_horta::*clique)();
        std::vector<std::string> quadros;
        const char* destino;
        const char* cue;  // nullptr: none
    };
    const Caso casos[] = {
        {&trabalhando_na_horta::hortelino_Click,
         nomes({"hort01", "hort02", "hort03", "hort04", "hort05", "hort06", "hort07", "hort06", "hort05", "hort04",
                "hort03", "hort02", "hort01", "hort00"}),
         "INTRONEW", nullptr},
        {&trabalhando_na_horta::pic_agenda_Click,
         nomes({"age00", "age01", "age02", "age03", "age04", "age05", "age06", "age07", "age08", "age09", "age10"}),
         "age", "\\vamage.wav"},
        {&trabalhando_na_horta::pic_semen_Click,
         nomes({"mudas000", "mudas001", "mudas002", "mudas003", "mudas004", "mudas005", "mudas006", "mudas007",
                "mudas007"}),
         "controle_da_sementeira", "\\vamsem.wav"},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::sessao().som_ligado = true;
        auto& f = abre();
        (f.*c.clique)();
        novas_figuras();
        corre(f);
        EXPECT_EQ(novas_figuras(), c.quadros) << c.destino;
        EXPECT_FALSE(pf::Forms::IsLoaded(garden::nome_tela_horta)) << c.destino;
        EXPECT_TRUE(pf::Forms::IsLoaded(c.destino));
        if (c.cue) {
            EXPECT_EQ(tocou(c.cue), 1);
        }
        TearDown();
    }
    // The seedbed button goes there too, after its eight frames.
    SetUp();
    auto& f = abre();
    f.Command2_Click(2);
    novas_figuras();
    corre(f);
    EXPECT_EQ(novas_figuras(), nomes({"ssem00", "ssem01", "ssem02", "ssem03", "ssem04", "ssem05", "ssem06", "ssem07"}));
    EXPECT_TRUE(pf::Forms::IsLoaded("controle_da_sementeira"));
    EXPECT_EQ(tocou("\\vamsem.wav"), 0);  // voice off
}

TEST_F(HortaTest, NavegacaoEsperaODialogoFechar) {
    // With the entry song on, a notice opens while a picture's frames play
    // and the timer goes on beneath it, past the last frame: the garden stays
    // while the notice is open and reaches the picture's screen once it
    // closes, whatever its activation does.
    struct Caso {
        void (*clique)(trabalhando_na_horta&);
        const char* destino;
    };
    const Caso casos[] = {
        {[](trabalhando_na_horta& f) { t::Click(f.hortelino); }, "INTRONEW"},
        {[](trabalhando_na_horta& f) { t::Click(f.pic_agenda); }, "age"},
        {[](trabalhando_na_horta& f) { t::Click(f.pic_semen); }, "controle_da_sementeira"},
        {[](trabalhando_na_horta& f) { f.Command2_Click(2); }, "controle_da_sementeira"},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::sessao().trilha_fundo = true;
        auto& f = abre();
        c.clique(f);
        corre(f, 3);
        bool ficou = false;
        durante_dialogo = [&] {
            corre(f, 20);
            ficou = pf::Forms::Find(garden::nome_tela_horta) == &f && !pf::Forms::IsLoaded(c.destino);
        };
        f.cant_DragDrop(0, f.c_alf, 5, 5);  // "Ocupado"
        EXPECT_TRUE(ficou) << c.destino;
        durante_dialogo = nullptr;
        t::ProcessEvents();
        corre(f);
        EXPECT_TRUE(pf::Forms::IsLoaded(c.destino)) << c.destino;
        EXPECT_FALSE(pf::Forms::IsLoaded(garden::nome_tela_horta)) << c.destino;
        TearDown();
    }
}

TEST_F(HortaTest, ApresentacaoDeEntradaEInterrupcao) {
    auto& s = model::sessao();
    s.trilha_fundo = true;
    s.som_entrada_horta = "E:\\audio\\caipira\\hortafim.wav";
    auto& f = abre();
    EXPECT_TRUE(f.intro_ativa);
    EXPECT_EQ(f.Timer1.Interval(), 12000);
    EXPECT_EQ(f.timer_.Interval(), 100);
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoAtual{});
    EXPECT_EQ(tocou("\\hortafim.wav"), 1);  // whatever the voice option
    novas_figuras();
    t::TickTimer(f.timer_);
    EXPECT_EQ(novas_figuras(), nomes({"li00", "des00", "amo00", "cop00", "cof00", "ssem00"}));
    EXPECT_EQ(shell::estado_telas().quadro, 10000 - 6);

    // A second activation replays nothing.
    f.Form_Activate();
    EXPECT_EQ(tocou("\\hortafim.wav"), 1);

    t::Click(f.pic_agenda);  // cuts the presentation short
    EXPECT_FALSE(f.intro_ativa);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    EXPECT_EQ(shell::estado_telas().acao, garden::AcaoHorta::agenda);
    const auto depois = novas_figuras();
    EXPECT_NE(std::find(depois.begin(), depois.end(), "\\anima\\li06.bmp"), depois.end());

    // The twelve-second timer ends it on its own as well.
    SetUp();
    model::sessao().trilha_fundo = true;
    auto& g = abre();
    t::TickTimer(g.Timer1);
    EXPECT_FALSE(g.intro_ativa);
    EXPECT_EQ(g.timer_.Interval(), 0);
}

TEST_F(HortaTest, SemTrilhaNaoHaApresentacao) {
    auto& f = abre();
    EXPECT_FALSE(f.intro_ativa);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoAtual{});
    EXPECT_EQ(shell::estado_telas().tela_atual, "horta");
}

TEST_F(HortaTest, RotulosDeAjuda) {
    auto& f = abre();
    t::Click(f.lbl_verduras(1));
    EXPECT_EQ(shell::estado_telas().assunto_help, "Culturas2");
    EXPECT_TRUE(pf::Forms::IsLoaded("help"));
    EXPECT_FALSE(pf::Forms::IsLoaded(garden::nome_tela_horta));
    auto& g = abre();
    t::Click(g.lbl_tempo);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].titulo, "Tempo Real");
    EXPECT_EQ(dialogos[0].figura, "E:\\anima\\help6.jpg");
}

}  // namespace
}  // namespace garden_test
