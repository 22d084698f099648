// The animation engine: frame sequences, the entry presentation and the
// navigation to the other screens and to help.

#include "apoio.h"
#include "shell/navegacao.h"

namespace seedbed_test {
namespace {

std::vector<std::string> nomes(std::initializer_list<const char*> l) {
    std::vector<std::string> r;
    for (const char* n : l) r.push_back(std::string("\\anima\\") + n + ".bmp");
    return r;
}

// Frames from..to of a prefix ("tra", 4, 12).
void sequencia(std::vector<std::string>& r, const char* prefixo, int de, int ate, const char* sufixo = "") {
    for (int n = de; n <= ate; ++n)
        r.push_back(std::string("\\anima\\") + prefixo + (n < 10 ? "0" : "") + std::to_string(n) + sufixo + ".bmp");
}

bool carregada() { return pf::Forms::IsLoaded(seedbed::nome_tela_sementeira); }

// Ticks the animation timer until it stops or the screen is left.
int corre(controle_da_sementeira& f, int maximo = 40) {
    int ticks = 0;
    // A screen left (too early, or for itself anew) is not ticked.
    while (pf::Forms::Find(seedbed::nome_tela_sementeira) == &f && f.timer_.Interval() != 0 && ticks < maximo) {
        t::TickTimer(f.timer_);
        ++ticks;
    }
    return ticks;
}

TEST_F(SementeiraTest, QuadrosDosCuidados) {
    struct Caso {
        int botao;
        std::vector<std::string> quadros;
    };
    std::vector<std::string> des, tra;
    sequencia(des, "des", 6, 12);
    sequencia(des, "des", 0, 6);
    sequencia(tra, "tra", 4, 12);
    sequencia(tra, "tra", 0, 4);
    const Caso casos[] = {
        {1, nomes({"li06", "li07", "li08", "li09", "li11", "li12", "li00", "li01", "li02", "li03", "li04", "li05",
                   "li06"})},
        {2, des},
        {3, tra},
    };
    for (const Caso& c : casos) {
        SetUp();
        auto& f = abre();
        f.command4_Click(c.botao);  // disabled buttons animate in their disabled picture
        novas_figuras();
        EXPECT_EQ(corre(f), static_cast<int>(c.quadros.size()) + 1);
        EXPECT_EQ(novas_figuras(), c.quadros) << c.botao;
        EXPECT_EQ(caminho(f.Command4(c.botao).DisabledPicture()), c.quadros.back());
        EXPECT_EQ(shell::estado_telas().quadro, 0);
        TearDown();
    }
}

TEST_F(SementeiraTest, QuadrosDaPrevisaoEDoTempoReal) {
    auto& f = abre();
    f.previsao_Click();
    novas_figuras();
    EXPECT_EQ(corre(f), 23);
    std::vector<std::string> esperado = nomes({"planet09", "planet10"});
    for (int volta = 0; volta < 2; ++volta) sequencia(esperado, "planet", 1, 10);
    esperado.push_back("\\anima\\planet01.bmp");
    EXPECT_EQ(novas_figuras(), esperado);

    f.tempo_real_Click();
    novas_figuras();
    EXPECT_EQ(corre(f), 8);
    std::vector<std::string> dias;
    for (const std::string& fig : novas_figuras())
        if (fig.find("seman") != std::string::npos) dias.push_back(fig);
    // Wednesday: 1 to 7 days back, ending on today.
    EXPECT_EQ(dias, nomes({"seman03", "seman02", "seman01", "seman07", "seman06", "seman05", "seman04"}));
}

TEST_F(SementeiraTest, NavegacaoPelasFiguras) {
    struct Caso {
        std::function<void(controle_da_sementeira&)> clique;
        std::vector<std::string> quadros;
        const char* destino;
        const char* cue;
    };
    std::vector<std::string> enx, enxc, hort, age;
    sequencia(enx, "enx", 0, 10);
    enx.push_back("\\anima\\enx00.bmp");
    sequencia(enxc, "enx", 0, 10, "c");
    enxc.push_back("\\anima\\enx00c.bmp");
    enxc.push_back("\\anima\\enx00c.bmp");
    sequencia(hort, "hort", 1, 7);
    for (int n = 6; n >= 0; --n) hort.push_back("\\anima\\hort0" + std::to_string(n) + ".bmp");
    sequencia(age, "age", 0, 10);
    const Caso casos[] = {
        {[](controle_da_sementeira& f) { t::Click(f.pic_horta); }, enxc, "trabalhando_na_horta", "\\vamhor.wav"},
        {[](controle_da_sementeira& f) { f.command4_Click(4); }, enx, "trabalhando_na_horta", "\\vamhor.wav"},
        {[](controle_da_sementeira& f) { t::Click(f.hortelino); }, hort, "INTRONEW", nullptr},
        {[](controle_da_sementeira& f) { t::Click(f.pic_agenda); }, age, "age", "\\vamage.wav"},
    };
    for (bool som : {true, false}) {
        for (const Caso& c : casos) {
            SetUp();
            model::sessao().som_ligado = som;
            auto& f = abre();
            c.clique(f);
            novas_figuras();
            sons->calls.clear();
            corre(f);
            EXPECT_FALSE(carregada()) << c.destino;
            EXPECT_TRUE(pf::Forms::IsLoaded(c.destino)) << c.destino;
            std::vector<std::string> vistas;
            for (const std::string& fig : novas_figuras())
                if (fig.find("\\anima\\") == 0) vistas.push_back(fig);
            EXPECT_EQ(vistas, c.quadros) << c.destino;
            EXPECT_EQ(sons->calls.size(), c.cue && som ? 1u : 0u) << c.destino;
            if (c.cue && som) {
                EXPECT_EQ(tocou(c.cue), 1);
                EXPECT_EQ(sons->calls[0].kind, platform::SoundCall::Kind::Sync);
            }
            TearDown();
        }
    }
}

TEST_F(SementeiraTest, NavegacaoEsperaODialogoFechar) {
    // With the entry song on, the "Tempos" notice opens while a picture's
    // frames play and the timer goes on beneath it, past the last frame: the
    // screen stays while the notice is open and reaches the picture's screen
    // once it closes, whatever its activation does.
    const std::pair<void (*)(controle_da_sementeira&), const char*> casos[] = {
        {[](controle_da_sementeira& f) { t::Click(f.pic_horta); }, "trabalhando_na_horta"},
        {[](controle_da_sementeira& f) { f.command4_Click(4); }, "trabalhando_na_horta"},
        {[](controle_da_sementeira& f) { t::Click(f.hortelino); }, "INTRONEW"},
        {[](controle_da_sementeira& f) { t::Click(f.pic_agenda); }, "age"},
    };
    for (const auto& [clique, destino] : casos) {
        SetUp();
        model::sessao().trilha_fundo = true;
        auto& f = abre();
        clique(f);
        corre(f, 3);
        durante_dialogo = [&] { corre(f, 20); };
        f.lbl_tempo_Click();
        EXPECT_TRUE(carregada()) << "never unloaded under an open dialog";
        durante_dialogo = nullptr;
        t::ProcessEvents();
        corre(f);
        EXPECT_FALSE(carregada()) << destino;
        EXPECT_TRUE(pf::Forms::IsLoaded(destino)) << destino;
        TearDown();
    }
}

TEST_F(SementeiraTest, ApresentacaoDeEntrada) {
    auto& s = model::sessao();
    s.trilha_fundo = true;
    s.som_entrada_sem = "E:\\audio\\caipira\\semefim.wav";
    semeia(0, model::cod_alface, 2, true);  // Limpar: coloured, disabled at first
    auto& f = abre();
    EXPECT_TRUE(f.em_intro);
    EXPECT_EQ(f.Timer1.Interval(), 12000);
    EXPECT_EQ(f.timer_.Interval(), 100);
    EXPECT_EQ(shell::estado_telas().acao, shell::AcaoAtual{});
    EXPECT_EQ(tocou("\\semefim.wav"), 1);
    novas_figuras();
    t::TickTimer(f.timer_);
    EXPECT_EQ(novas_figuras(), nomes({"li00", "des00", "tra00", "enx00"}));
    EXPECT_EQ(shell::estado_telas().quadro, 10000 - 4);
    EXPECT_EQ(caminho(f.Command4(1).DisabledPicture()), "\\anima\\li00.bmp");
    for (int tick = 0; tick < 30; ++tick) t::TickTimer(f.timer_);
    EXPECT_TRUE(carregada()) << "the garden button animates without leaving";

    t::TickTimer(f.Timer1);  // twelve seconds on
    EXPECT_FALSE(f.em_intro);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    EXPECT_EQ(f.timer_.Interval(), 0);
    EXPECT_TRUE(f.Command4(1).Enabled()) << "the later redraw enables it";
    EXPECT_EQ(caminho(f.Command4(1).Picture()), "\\anima\\li06.bmp");
    EXPECT_EQ(f.Command4(4).Picture().GamePath(), platform::ProgramFolder() + "\\trab3.bmp");
}

TEST_F(SementeiraTest, CliqueEncerraAApresentacao) {
    model::sessao().trilha_fundo = true;
    auto& f = abre();
    for (int tick = 0; tick < 5; ++tick) t::TickTimer(f.timer_);
    t::Click(f.pic_agenda);
    EXPECT_FALSE(f.em_intro);
    EXPECT_EQ(f.Timer1.Interval(), 0);
    EXPECT_EQ(shell::estado_telas().acao, seedbed::AcaoSementeira::agenda);
    EXPECT_EQ(shell::estado_telas().quadro, 11);
    EXPECT_EQ(f.timer_.Interval(), 100);
    EXPECT_EQ(caminho(f.Command4(2).DisabledPicture()), "\\anima\\des06bw.bmp");
    novas_figuras();
    t::TickTimer(f.timer_);
    EXPECT_EQ(novas_figuras(), nomes({"age00"}));
    corre(f);
    EXPECT_TRUE(pf::Forms::IsLoaded("age"));
}

TEST_F(SementeiraTest, CuidadoSubstituiOutraAnimacao) {
    semeia(0, model::cod_alface, 2);
    semeia(1, model::cod_couve, 3);
    auto& f = abre();
    t::Click(f.Command4(1));
    for (int tick = 0; tick < 3; ++tick) t::TickTimer(f.timer_);
    t::Click(f.Command4(2));
    corre(f);
    EXPECT_EQ(caminho(f.Command4(1).Picture()), "\\anima\\li08.bmp") << "keeps the frame it showed";
    EXPECT_EQ(caminho(f.Command4(2).Picture()), "\\anima\\des06.bmp");
}

TEST_F(SementeiraTest, RotulosDeAjuda) {
    struct Caso {
        std::function<void(controle_da_sementeira&)> clique;
        const char* assunto;
    };
    const Caso casos[] = {
        {[](controle_da_sementeira& f) { t::Click(f.lbl_atividades); }, "Atividades_Sem"},
        {[](controle_da_sementeira& f) { t::Click(f.lbl_verduras); }, "Culturas2"},
    };
    for (const Caso& c : casos) {
        SetUp();
        model::sessao().som_ligado = true;
        auto& f = abre();
        c.clique(f);
        EXPECT_FALSE(carregada());
        EXPECT_TRUE(pf::Forms::IsLoaded("help"));
        EXPECT_EQ(shell::estado_telas().assunto_help, c.assunto);
        EXPECT_EQ(shell::estado_telas().tela_atual, "sementeira");
        EXPECT_EQ(tocou("\\ajuda.wav"), 1);
        TearDown();
    }
}

TEST_F(SementeiraTest, TelaAusenteNaoDerruba) {
    pf::Forms::Reset();
    shell::registra_dialogos();
    seedbed::registra_formularios();
    auto& f = abre();
    t::Click(f.pic_agenda);
    corre(f);
    EXPECT_TRUE(carregada());
    EXPECT_EQ(f.pic_agenda.MousePointer(), pf::vbCustom);
    t::Click(f.lbl_verduras);
    EXPECT_TRUE(carregada());
}

}  // namespace
}  // namespace seedbed_test
