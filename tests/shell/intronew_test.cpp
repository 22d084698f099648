#include <sqlite3.h>

#include <QImage>

#include "apoio.h"
#include "shell/intronew.h"
#include "shell/navegacao.h"

namespace {

using namespace apoio;

class Menu : public Ambiente {
protected:
    shell::INTRONEW& abre_menu() {
        pf::Forms::Show("INTRONEW");
        t::ProcessEvents();
        auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
        m.Timer1.SetEnabled(false);  // the earthworm stays out of the frame records
        model::sessao().som_ligado = true;
        model::sessao().dir_som = "C:\\audio\\correto";
        limpa_figuras();
        limpa_sons();
        return m;
    }
    // Frames loaded so far whose names start with `prefixo`, names only.
    std::vector<std::string> quadros(const std::string& prefixo) {
        std::vector<std::string> r;
        for (const auto& f : figuras) {
            auto p = f.find_last_of('\\');
            std::string nome = f.substr(p + 1);
            if (nome.rfind(prefixo, 0) == 0) r.push_back(nome.substr(0, nome.size() - 4));
        }
        return r;
    }
};

TEST_F(Menu, CadaBotaoTocaSeusQuadrosEVaiParaSuaTela) {
    struct Caso {
        const char* botao;
        const char* prefixo;
        std::vector<std::string> quadros;
        std::string som;
        const char* destino;
        bool menu_fica;
    };
    const std::vector<Caso> casos = {
        {"pic_agenda", "age",
         {"age00", "age01", "age02", "age03", "age04", "age05", "age06", "age07", "age08", "age09", "age10"},
         "S:vamage.wav", "age", false},
        {"pic_semen", "mudas",
         {"mudas000", "mudas001", "mudas002", "mudas003", "mudas004", "mudas005", "mudas006", "mudas007"},
         "S:vamsem.wav", "controle_da_sementeira", false},
        {"pic_horta", "enx",
         {"enx00c", "enx01c", "enx02c", "enx03c", "enx04c", "enx05c", "enx06c", "enx07c", "enx08c", "enx09c",
          "enx10c", "enx00c"},
         "S:vamhor.wav", "trabalhando_na_horta", false},
        {"pic_feira", "cesta",
         {"cesta0", "cesta1", "cesta2", "cesta3", "cesta4", "cesta5", "cesta6", "cesta7", "cesta8", "cesta9"},
         "S:vamfei.wav", "feira_horta", false},
        {"interroga", "int", {"int05", "int04", "int03", "int02", "int01", "int00"}, "C:silencio.wav", "help",
         true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.botao);
        reinicia_formularios();
        auto& m = abre_menu();
        const std::string nome = c.botao;
        pf::Control* botao = &m.interroga;
        if (nome == "pic_agenda") botao = &m.pic_agenda;
        if (nome == "pic_semen") botao = &m.pic_semen;
        if (nome == "pic_horta") botao = &m.pic_horta;
        if (nome == "pic_feira") botao = &m.pic_feira;
        t::Click(*botao);
        t::TickTimer(m.timer_);
        // A notice opens on the way and the timer goes on beneath it, past
        // the last frame: the button's end waits for the notice to close.
        t::SetModalHook([&](pf::Form& aviso) {
            for (size_t i = 0; i < c.quadros.size() + 2; ++i) t::TickTimer(m.timer_);
            aviso.Hide();
        });
        m.Label1_Click(0);
        t::ProcessEvents();
        EXPECT_EQ(quadros(c.prefixo), c.quadros);
        EXPECT_FALSE(pf::Forms::IsLoaded(c.destino));
        EXPECT_TRUE(sons().empty());
        t::TickTimer(m.timer_);
        t::ProcessEvents();
        EXPECT_TRUE(pf::Forms::IsLoaded(c.destino));
        EXPECT_EQ(pf::Forms::IsLoaded("INTRONEW"), c.menu_fica);
        ASSERT_EQ(sons().size(), 1u);
        EXPECT_EQ(sons()[0].substr(2), c.som.substr(2));
    }
    EXPECT_EQ(shell::estado_telas().tela_atual, "Orgânico");
    EXPECT_EQ(shell::estado_telas().assunto_help, "Orgânico");
}

TEST_F(Menu, SemSomATrocaNaoEspera) {
    auto& m = abre_menu();
    model::sessao().som_ligado = false;
    t::Click(m.pic_agenda);
    for (int i = 0; i < 12; ++i) t::TickTimer(m.timer_);
    t::ProcessEvents();
    EXPECT_TRUE(pf::Forms::IsLoaded("age"));
    EXPECT_TRUE(sons().empty());
}

// The target screen's pictures are decoded while the button's frames play,
// and the screen takes them by path as it loads: a file changed on the disk
// after that still shows as it was decoded.
TEST_F(Menu, BotaoDecodificaAsFigurasDaTelaDeDestinoDuranteOsQuadros) {
    const std::string figura = platform::ProgramFolder() + "\\fundo_destino.png";
    auto grava = [&](int lado) {
        QImage img(lado, lado, QImage::Format_RGB32);
        img.fill(Qt::darkGreen);
        ASSERT_TRUE(img.save(QString::fromStdString((pasta / "fundo_destino.png").string())));
    };
    grava(4);
    pf::ClearPictureCache();
    pf::SetScreenPictures("trabalhando_na_horta", [&] { return std::vector<std::string>{figura}; });
    auto& m = abre_menu();
    t::Click(m.pic_horta);
    t::WaitForPrefetch();
    grava(8);
    EXPECT_EQ(pf::LoadPicture(figura).PixelWidth(), 4);
    // A button that leads to no screen (the exit) prefetches nothing.
    pf::ClearPictureCache();
    t::Click(m.saida);
    t::WaitForPrefetch();
    EXPECT_EQ(pf::LoadPicture(figura).PixelWidth(), 8);
    pf::SetScreenPictures("trabalhando_na_horta", {});
    pf::ClearPictureCache();
}

TEST_F(Menu, CliqueDuranteAnimacaoAssumeONovoBotao) {
    struct Aviso : pf::Form { Aviso() : pf::Form("aviso") {} };
    pf::Forms::Register<Aviso>("aviso");
    auto& m = abre_menu();
    t::Click(m.pic_horta);
    for (int i = 0; i < 5; ++i) t::TickTimer(m.timer_);
    t::Click(m.pic_agenda);
    for (int i = 0; i < 11; ++i) t::TickTimer(m.timer_);
    EXPECT_EQ(quadros("age").size(), 11u);
    EXPECT_EQ(quadros("enx").back(), "enx04c");
    t::SetModalHook([&](pf::Form& aviso) { t::TickTimer(m.timer_); aviso.Hide(); });
    pf::Forms::Show("aviso", pf::vbModal);  // the last tick comes under an open dialog: the menu stays
    t::SetModalHook({});
    EXPECT_FALSE(pf::Forms::IsLoaded("age"));
    t::TickTimer(m.timer_);
    t::ProcessEvents();
    EXPECT_TRUE(pf::Forms::IsLoaded("age"));
    EXPECT_FALSE(pf::Forms::IsLoaded("trabalhando_na_horta"));
}

TEST_F(Menu, MinhocaAndaVoltaEVira) {
    auto& m = abre_menu();
    m.pic_nhoca.SetLeft(3000);
    m.fase_nhoca = 0;
    m.nhoca_esq = true;
    for (int i = 0; i < 7; ++i) m.Timer1_Timer();
    EXPECT_EQ(quadros("nh"),
              (std::vector<std::string>{"nhoca0p", "nhoca1p", "nhoca2p", "nhoca3p", "nhoca2p", "nhoca1p", "nhoca0p"}));
    EXPECT_EQ(m.pic_nhoca.Left(), 2850);
    for (int i = 7; i < 28; ++i) m.Timer1_Timer();  // 12 moves
    EXPECT_EQ(m.pic_nhoca.Left(), 2400);
    EXPECT_TRUE(m.nhoca_esq);  // strictly below 2400 turns
    for (int i = 28; i < 33; ++i) m.Timer1_Timer();  // the 13th move
    EXPECT_EQ(m.pic_nhoca.Left(), 2350);
    EXPECT_FALSE(m.nhoca_esq);
    EXPECT_EQ(quadros("nh").back(), "nhoca2p");  // the turning tick keeps the old direction
    m.Timer1_Timer();
    EXPECT_EQ(m.pic_nhoca.Left(), 2400);
    EXPECT_EQ(quadros("nh").back(), "nh1p");
}

TEST_F(Menu, AvisosDosTrezePontos) {
    const std::pair<const char*, const char*> esperado[13] = {
        {"Vaso ou Canteiro", "help1b"},     {"Requisitos", "help111"},
        {"Auto Abastecimento", "helpauto"}, {"Escolher Verduras", "helpfeir"},
        {"Plantar as Verduras", "help4"},   {"Sementeira", "help5"},
        {"Tempo Real", "help6"},            {"Previsão", "help6"},
        {"Quais Atividades", "help7"},      {"Confirmar", "help8"},
        {"Vaso ou Canteiro", "help9"},      {"Help", "help10"},
        {"Pergunte que o Hortelão responde", "help101"},
    };
    auto& m = abre_menu();
    for (int i = 0; i < 13; ++i) t::Click(m.Label1(i));
    ASSERT_EQ(dialogos.size(), 13u);
    for (int i = 0; i < 13; ++i) {
        EXPECT_EQ(dialogos[i].legenda, esperado[i].first);
        EXPECT_EQ(dialogos[i].texto, std::string("C:\\anima\\") + esperado[i].second + ".jpg");
    }
}

TEST_F(Menu, OpcoesParaAMinhocaEVoltaAoAtivar) {
    auto& m = abre_menu();
    m.Timer1.SetEnabled(true);
    t::Click(m.Label2);
    t::ProcessEvents();
    EXPECT_FALSE(m.Timer1.Enabled());
    EXPECT_TRUE(pf::Forms::IsLoaded("conf"));
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
}

// ------------------------------------------------------------------- exit

class Saida : public Menu {
protected:
    void SetUp() override {
        Menu::SetUp();
        model::inicia_culturas();
    }
    void sai(std::initializer_list<Resposta> r) {
        auto& m = abre_menu();
        responde(r);
        t::Click(m.saida);
        for (int i = 0; i < 10; ++i) t::TickTimer(m.timer_);
        t::ProcessEvents();
    }
    long linhas(const char* tabela) {
        auto db = banco();
        return db->OpenRecordset(tabela)->RecordCount();
    }
};

TEST_F(Saida, NaoFicaNoMenuComAPortaFechada) {
    // "&Não", and the close box or Escape after an earlier "&Sim", stay.
    for (Resposta r : {Resposta::nao, Resposta::fechar, Resposta::escape}) {
        dialogos.clear();
        model::sessao().resp_ok_nao = true;
        sai({r});
        EXPECT_FALSE(pf::Forms::Ended());
        EXPECT_EQ(sons(), (std::vector<std::string>{"A:s1.wav", "S:s3.wav"}));
        ASSERT_EQ(dialogos.size(), 1u);
        EXPECT_EQ(dialogos[0].legenda, "Saindo ...");
        EXPECT_EQ(dialogos[0].texto, "Deseja sair");
        auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
        EXPECT_EQ(m.timer_.Interval(), 0);
        EXPECT_EQ(quadros("port").back(), "port00");
    }
}

// Ending the program ends the toolkit's event loops for the rest of the
// process, so each case of the exit matrix is a test of its own.
struct CasoSaida {
    Resposta gravar;  // the answer to "Deseja salvar ?"
    bool pendente;
};
void PrintTo(const CasoSaida& c, std::ostream* os) { *os << static_cast<int>(c.gravar) << (c.pendente ? " pendente" : ""); }

class SaidaMatriz : public Saida, public ::testing::WithParamInterface<CasoSaida> {};

TEST_P(SaidaMatriz, GravarEPendencias) {
    const CasoSaida c = GetParam();
    // A free bed to be saved; an order with nothing planted yet is a
    // planting due this week.
    model::horta().cult_can[7] = model::nenhuma;
    model::horta().nome_can[7] = "Vago";
    model::horta().seq_cult[model::cod_vagem] = c.pendente ? 1 : 0;
    sai({Resposta::sim, c.gravar});
    EXPECT_TRUE(pf::Forms::Ended());
    EXPECT_EQ(sons(), (std::vector<std::string>{"A:s1.wav", "A:s2.wav"}));
    ASSERT_EQ(dialogos.size(), c.pendente ? 3u : 2u);
    EXPECT_EQ(dialogos[1].texto, "Deseja salvar ?");
    if (c.pendente) {
        EXPECT_EQ(dialogos[2].legenda, "Pendências");
        EXPECT_EQ(dialogos[2].texto, "C:\\anima\\noaca.jpg");
    }
    EXPECT_EQ(linhas("st"), c.gravar == Resposta::nao ? 0 : 1);  // Enter and the close box save
}

INSTANTIATE_TEST_SUITE_P(SimGravarPendente, SaidaMatriz,
                         ::testing::Values(CasoSaida{Resposta::nao, false}, CasoSaida{Resposta::nao, true},
                                           CasoSaida{Resposta::sim, false}, CasoSaida{Resposta::sim, true},
                                           CasoSaida{Resposta::enter, false}, CasoSaida{Resposta::fechar, true}),
                         [](const auto& i) { return "caso" + std::to_string(i.index); });

TEST_F(Saida, PrevisaoNaTelaNuncaEGravada) {
    auto& h = model::horta();
    h.cult_can[5] = model::cod_rabanete;
    h.idade_can[5] = 1;
    model::guarda_previsao();
    model::passa_semana();
    h.data_agenda = h.data_real + 7;
    sai({Resposta::sim, Resposta::sim});
    EXPECT_TRUE(pf::Forms::Ended());
    EXPECT_FALSE(model::previsao_ativa());
    auto db = banco();
    auto rs = db->OpenRecordset("st");
    ASSERT_EQ(rs->RecordCount(), 1);
    rs->MoveFirst();
    EXPECT_EQ(rs->Fields("idade").ToInt(), 1);
}

TEST_F(Saida, FalhaAoGravarAvisaENaoFecha) {
    {
        auto db = banco();
        sqlite3_exec(db->handle(), "CREATE TRIGGER trava BEFORE UPDATE ON seq BEGIN SELECT RAISE(ABORT, 'x'); END;",
                     nullptr, nullptr, nullptr);
    }
    sai({Resposta::sim, Resposta::sim});
    EXPECT_FALSE(pf::Forms::Ended());
    ASSERT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(dialogos[2].nome, "ok");
    EXPECT_NE(dialogos[2].texto.find("Não foi possível salvar"), std::string::npos);
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
}

}  // namespace
