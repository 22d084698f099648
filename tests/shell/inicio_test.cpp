#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "apoio.h"
#include "shell/fundo.h"
#include "shell/intronew.h"
#include "shell/saida.h"
#include "platform/end_request.h"
#include "tests/comum/outro_usuario.h"

namespace {

using namespace apoio;

class Inicio : public Ambiente {
protected:
    // Starts the program; the drive dialog is answered by `escolhe`.
    void inicia(std::function<void(shell::Conf_cd&)> escolhe) {
        outro_modal = [escolhe](pf::Form& f) {
            if (f.Name() == "Conf_cd") escolhe(static_cast<shell::Conf_cd&>(f));
        };
        pf::Forms::Show("fundo");
        t::ProcessEvents();
    }
    int preselecionado = -2;
};

TEST_F(Inicio, UnidadeGuardadaEPreselecionadaEGravada) {
    struct Caso {
        int guardada;
        int escolha;  // -1: leave the list as it is
        int esperada_na_lista;
        int gravada;
        const char* raiz;
    };
    const Caso casos[] = {
        {3, -1, 3, 3, "F:"},   // unchanged "&Ok" writes the same drive again
        {0, 1, 0, 1, "D:"},    // "D:" chosen
        {7, -1, -1, 7, ""},    // no list position: nothing selected, the stored value stays
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.guardada);
        reinicia_formularios();
        model::reinicia_estado();
        grava_semana(c.guardada, dt(2026, 12, 9, 9));
        inicia([&](shell::Conf_cd& d) {
            preselecionado = d.Combo1.ListIndex();
            if (c.escolha >= 0) d.Combo1.SetListIndex(c.escolha);
            t::Click(d.Command1);
        });
        EXPECT_EQ(preselecionado, c.esperada_na_lista);
        EXPECT_EQ(le_semana("cd").ToInt(), c.gravada);
        EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
        EXPECT_EQ(model::sessao().dir_anima, c.raiz);
    }
}

TEST_F(Inicio, SairTerminaSemTocarNoBanco) {
    // "Sair", and the dialog closed by its close box, which would otherwise
    // leave an empty screen and no way on.
    for (bool pela_caixa : {false, true}) {
        SCOPED_TRACE(pela_caixa);
        reinicia_formularios();
        model::reinicia_estado();
        grava_semana(2, dt(2026, 12, 1, 9));
        inicia([&](shell::Conf_cd& d) {
            if (pela_caixa)
                d.Unload();
            else
                t::Click(d.Command2);
        });
        EXPECT_TRUE(pf::Forms::Ended());
        EXPECT_FALSE(pf::Forms::IsLoaded("INTRONEW"));
        EXPECT_EQ(le_semana("cd").ToInt(), 2);
        EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 1, 9));
    }
}

TEST_F(Inicio, UmSinalDeFimGravaComoUmSimMasNaoDepoisDeUmNao) {
    // What a logout or a shutdown sends (SIGTERM) and what a closed session
    // sends (SIGHUP), during play, and once the player answered "&Não" to
    // "Deseja salvar ?" (the "Pendências" notice still up). The game's end
    // comes once per process, so each case plays in a child of its own.
    grava_semana(0, dt(2026, 12, 9, 9));
    platform::Workspace::Default().CloseAll();  // no connection is shared with a child
    // Each case plants a bed of its own, which a save would store.
    auto joga = [this](int sinal, bool depois_do_nao, int canteiro) {
        platform::OnEndRequest(shell::encerra_de_fora);
        inicia([](shell::Conf_cd& d) { t::Click(d.Command1); });
        if (!pf::Forms::IsLoaded("INTRONEW")) return 1;
        model::horta().cult_can[canteiro] = model::cod_alface;
        model::horta().nome_can[canteiro] = "Alface";
        const auto envia = [sinal] {
            ::kill(::getpid(), sinal);
            for (int i = 0; i < 1000 && !pf::Forms::Ended(); ++i) t::RunFor(10);
        };
        const auto perguntas = dialogos.size();
        if (!depois_do_nao) {
            envia();
            return pf::Forms::Ended() && dialogos.size() == perguntas ? 0 : 2;  // no one is asked
        }
        model::horta().seq_cult[model::cod_vagem] = 1;  // a planting due: the notice shows
        responde({Resposta::sim, Resposta::nao});
        durante_aviso = envia;
        auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
        t::Click(m.saida);
        for (int i = 0; i < 10 && !pf::Forms::Ended(); ++i) t::TickTimer(m.timer_);
        return pf::Forms::Ended() && dialogos.size() == perguntas + 3 && dialogos.back().legenda == "Pendências" ? 0 : 3;
    };
    int canteiro = 0;
    for (int sinal : {SIGTERM, SIGHUP}) {
        for (bool depois_do_nao : {false, true}) {
            SCOPED_TRACE(std::to_string(sinal) + (depois_do_nao ? " depois do não" : " durante o jogo"));
            ++canteiro;
            const pid_t filho = ::fork();
            if (filho == 0) ::_exit(joga(sinal, depois_do_nao, canteiro));
            int status = 0;
            ASSERT_EQ(::waitpid(filho, &status, 0), filho);
            EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
            model::reinicia_estado();
            model::reinicia_banco();
            model::le_horta();
            EXPECT_EQ(model::horta().cult_can[canteiro] == model::cod_alface, !depois_do_nao);
            platform::Workspace::Default().CloseAll();
        }
    }
}

TEST_F(Inicio, PrimeiraCargaUmaVezPorExecucao) {
    {
        auto db = banco();
        auto rs = db->OpenRecordset("seq");
        rs->MoveFirst();
        rs->Edit();
        rs->SetField("seq", 2);
        rs->Update();
    }
    model::sessao().som_ligado = true;  // start-up turns it off
    inicia([](shell::Conf_cd& d) { t::Click(d.Command1); });
    auto& s = model::sessao();
    EXPECT_FALSE(s.som_ligado);
    EXPECT_FALSE(s.trilha_fundo);
    EXPECT_FALSE(s.primeira_carga);
    EXPECT_EQ(s.area_maxima, 100);
    EXPECT_TRUE(s.modo_guiado);
    EXPECT_EQ(model::horta().seq_cult[1], 2);
    EXPECT_TRUE(sons().empty());  // sound is off: not even the silence is played

    // Back from another screen: the menu reloads its pictures, not the game.
    model::horta().seq_cult[1] = 5;
    grava_semana(4, dt(2026, 12, 1, 9));
    pf::Forms::Unload("INTRONEW");
    limpa_figuras();
    s.som_ligado = true;  // turned on at the options screen since
    limpa_sons();
    pf::Forms::Show("INTRONEW");
    t::ProcessEvents();
    // The reloaded menu cuts off whatever was still playing (a market cry).
    EXPECT_EQ(sons(), std::vector<std::string>{"C:silencio.wav"});
    EXPECT_EQ(model::horta().seq_cult[1], 5);
    EXPECT_EQ(s.dir_anima, "G:");
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 1, 9));  // no second week cycle
    EXPECT_NE(std::find(figuras.begin(), figuras.end(), "G:\\anima\\port00.bmp"), figuras.end());
}

}  // namespace

namespace {

using namespace apoio;

TEST_F(Inicio, BancoIlegivelAvisaUmaVezENaoEApagado) {
    const auto arquivo = pasta / "hortas00.mdb";
    {
        std::ofstream f(arquivo, std::ios::binary);
        f << "isto não é um banco de dados";
    }
    inicia([](shell::Conf_cd& d) { t::Click(d.Command1); });
    EXPECT_TRUE(pf::Forms::IsLoaded("INTRONEW"));
    std::vector<Dialogo> avisos;
    for (const auto& d : dialogos)
        if (d.nome == "ok") avisos.push_back(d);
    ASSERT_EQ(avisos.size(), 1u);
    EXPECT_NE(avisos[0].texto.find("Não foi possível ler o jogo salvo"), std::string::npos);
    std::ifstream f(arquivo, std::ios::binary);
    std::string conteudo((std::istreambuf_iterator<char>(f)), {});
    EXPECT_EQ(conteudo, "isto não é um banco de dados");
}

TEST_F(Inicio, NumaPastaQueOJogadorNaoGravaOJogoFicaNaPastaDele) {
    namespace fs = std::filesystem;
    grava_semana(2, dt(2026, 12, 1, 9));  // the garden of a week ago, left by the administrator
    fs::permissions(pasta, static_cast<fs::perms>(0755));
    platform::Workspace::Default().CloseAll();
    const auto instalado = comum::listagem(pasta);
    const fs::path casa = pasta.string() + "-casa";
    const std::string programa = fs::read_symlink("/proc/self/exe").filename().string();

    // The pupil starts, a week goes by, and leaves saving the garden.
    EXPECT_EQ(comum::como_outro_usuario(casa, [&] {
                  inicia([](shell::Conf_cd& d) { t::Click(d.Command1); });
                  if (!pf::Forms::IsLoaded("INTRONEW")) return 1;
                  model::horta().cult_can[7] = model::cod_alface;
                  model::horta().nome_can[7] = "Alface";
                  model::horta().idade_can[7] = 1;
                  responde({Resposta::sim, Resposta::sim});
                  auto& m = pf::Forms::Get<shell::INTRONEW>("INTRONEW");
                  t::Click(m.saida);
                  for (int i = 0; i < 10; ++i) t::TickTimer(m.timer_);
                  t::ProcessEvents();
                  for (const auto& d : dialogos)
                      if (d.nome == "ok") std::fprintf(stderr, "%s\n", d.texto.c_str());
                  return pf::Forms::Ended() && std::none_of(dialogos.begin(), dialogos.end(),
                                                            [](const Dialogo& d) { return d.nome == "ok"; })
                             ? 0
                             : 2;
              }),
              0);
    // The next start of the same pupil finds the week and the garden.
    EXPECT_EQ(comum::como_outro_usuario(casa, [&] {
                  model::reinicia_estado();
                  model::reinicia_banco();
                  if (!model::le_horta() || model::horta().cult_can[7] != model::cod_alface) return 3;
                  return le_semana("data").ToDate() == dt(2026, 12, 9, 10) ? 0 : 4;
              }),
              0);
    EXPECT_TRUE(fs::exists(casa / programa / "hortas00.mdb"));
    EXPECT_EQ(comum::listagem(pasta), instalado);
    fs::remove_all(casa);
}

}  // namespace
