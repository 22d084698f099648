#include "apoio.h"
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <csignal>
#include <cstdio>

#include "platform/log.h"
#include "shell/semana.h"

namespace {

using namespace apoio;
using platform::DateTime;

TEST(SemanasDecorridas, ContaDoDomingoNaHoraGuardada) {
    struct Caso {
        DateTime guardada, agora;
        int semanas;
    };
    const Caso casos[] = {
        {dt(2026, 12, 9, 10), dt(2026, 12, 13, 9), 0},   // Wednesday 10:00 -> Sunday 09:00
        {dt(2026, 12, 9, 10), dt(2026, 12, 13, 11), 1},  // -> Sunday 11:00
        {dt(2026, 12, 7, 8), dt(2026, 12, 14, 9), 1},    // Monday 08:00 -> next Monday 09:00
        {dt(2026, 12, 9, 10), dt(2026, 12, 30, 10), 3},
        {dt(2026, 12, 9, 10), dt(2026, 12, 9, 10), 0},   // same moment
        {dt(2026, 12, 9, 10), dt(2026, 12, 1, 10), 0},   // clock set back
        {DateTime(-1.0e6), dt(2026, 12, 9), 32767},      // millennia ago: capped, no overflow
    };
    for (const Caso& c : casos) EXPECT_EQ(shell::semanas_decorridas(c.guardada, c.agora), c.semanas);
}

TEST(AutoAbastecimento, VerdadeiroComAlgumaEncomenda) {
    model::reinicia_estado();
    EXPECT_FALSE(shell::auto_abastecimento());
    model::horta().seq_cult[21] = 1;
    EXPECT_TRUE(shell::auto_abastecimento());
    model::reinicia_estado();
}

class NovaSemana : public Ambiente {
protected:
    void SetUp() override {
        Ambiente::SetUp();
        model::inicia_culturas();
        model::sessao().dir_anima = "C:";
        grava_semana(0, dt(2026, 12, 9, 10));
    }
    // A lettuce in bed 0 one week before the end of its cycle.
    void planta_alface() {
        auto& h = model::horta();
        h.cult_can[0] = model::cod_alface;
        h.nome_can[0] = "Alface";
        h.idade_can[0] = model::catalogo().ciclo_cult[model::cod_alface] - 1;
        h.check_can[0] = true;
        h.ult_cult[0] = model::cod_couve;
    }
    int linhas_st() {
        auto db = banco();
        auto rs = db->OpenRecordset("st");
        return rs->RecordCount();
    }
};

TEST_F(NovaSemana, UmaSemanaComCulturaAvisaEnvelheceEGuardaTudo) {
    planta_alface();
    auto& h = model::horta();
    h.cult_sem[3] = model::cod_alface;  // seedlings ready this week: emptied by the step
    h.idade_sem[3] = model::catalogo().sem_cult[model::cod_alface];
    platform::SetNow(dt(2026, 12, 13, 11));
    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 2u);
    EXPECT_EQ(dialogos[0].legenda, "Nova Semana");
    EXPECT_EQ(dialogos[0].texto, "C:\\anima\\novasema.jpg");
    EXPECT_EQ(dialogos[0].linha, "Passou uma semana!");
    EXPECT_EQ(dialogos[1].texto, "Um canteiro da horta chegou ao fim do ciclo da verdura enquanto o jogo estava "
                                 "fechado: o canteiro está vago. As mudas de um lote da sementeira passaram do tempo "
                                 "de transplante e foram retiradas: o lote está livre.");
    EXPECT_EQ(h.cult_sem[3], model::nenhuma);
    EXPECT_EQ(h.cult_can[0], 0);
    EXPECT_EQ(h.ult_cult[0], model::cod_alface);
    EXPECT_EQ(h.penult_cult[0], model::cod_couve);
    EXPECT_EQ(h.nome_can[0], "");
    EXPECT_EQ(linhas_st(), 1);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 13, 11));
}

TEST_F(NovaSemana, DomingoAntesDaHoraGuardaADataSemEnvelhecer) {
    planta_alface();
    platform::SetNow(dt(2026, 12, 13, 9));
    shell::nova_semana(false);
    EXPECT_TRUE(dialogos.empty());
    EXPECT_EQ(model::horta().cult_can[0], model::cod_alface);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 13, 9));
}

TEST_F(NovaSemana, RelogioAtrasadoNaoMudaNadaEAvisaQuandoPassaDeUmDia) {
    planta_alface();
    platform::SetNow(dt(2026, 12, 9, 9));  // an hour back: nothing to tell
    shell::nova_semana(false);
    EXPECT_TRUE(dialogos.empty());
    platform::SetNow(dt(2026, 12, 1, 10));
    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 1u);
    EXPECT_EQ(dialogos[0].texto.rfind("A data do computador está antes da data do jogo (09/12/2026)", 0), 0u)
        << dialogos[0].texto;
    EXPECT_EQ(model::horta().idade_can[0], model::catalogo().ciclo_cult[model::cod_alface] - 1);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 9, 10));
    EXPECT_EQ(linhas_st(), 0);
}

TEST_F(NovaSemana, SaltoGrandeGuardaACopiaDaHortaEContaAsSemanas) {
    planta_alface();
    {
        auto db = banco();
        auto rs = db->OpenRecordset("st");
        rs->AddNew();
        rs->SetField("indice", 0);
        rs->SetField("cod_cult", model::cod_alface);
        rs->Update();
    }
    platform::SetNow(dt(2036, 12, 10, 11));  // a clock ten years ahead

    // First on a disk that takes no more than 100 KB a file: the copy cannot
    // be made, so the garden is neither aged nor saved.
    platform::Workspace::Default().CloseAll();
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(platform::ResolvePath(model::caminho_banco()).c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, "CREATE TABLE lastro (x BLOB); INSERT INTO lastro VALUES (randomblob(300000));",
                               nullptr, nullptr, nullptr),
                  SQLITE_OK);
        sqlite3_close(db);
    }
    const pid_t jogo = ::fork();
    ASSERT_GE(jogo, 0);
    if (jogo == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit disco{100000, 100000};
        ::setrlimit(RLIMIT_FSIZE, &disco);
        shell::nova_semana(false);
        t::ProcessEvents();
        for (const auto& d : dialogos) std::fprintf(stderr, "%s\n", d.texto.c_str());
        ::_exit(dialogos.size() == 1 && dialogos[0].texto.find("A horta não foi avançada.") != std::string::npos &&
                        model::horta().idade_can[0] == model::catalogo().ciclo_cult[model::cod_alface] - 1
                    ? 0
                    : 1);
    }
    int status = 0;
    ::waitpid(jogo, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 9, 10));
    EXPECT_EQ(linhas_st(), 1);

    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(dialogos[0].linha, "Passaram 522 semanas!");
    EXPECT_NE(dialogos[2].texto.find("Passaram 522 semanas desde o último jogo"), std::string::npos);
    const std::string nome = "hortas00.mdb.2036-12-10_11-00.antes-de-522-semanas.bak";
    EXPECT_NE(dialogos[2].texto.find("\"" + nome + "\""), std::string::npos) << dialogos[2].texto;
    const auto copia = pasta / nome;
    ASSERT_TRUE(std::filesystem::exists(copia));
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(copia.c_str(), &db), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT cod_cult FROM st WHERE indice = 0", -1, &st, nullptr);
    EXPECT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), model::cod_alface);
    sqlite3_finalize(st);
    sqlite3_close(db);

    // The clock set right: every start says where the garden before the
    // jump is kept and how to go back to it.
    dialogos.clear();
    platform::SetNow(dt(2026, 12, 11, 9));
    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 1u);
    const std::string& t = dialogos[0].texto;
    EXPECT_EQ(t.rfind("A data do computador está antes da data do jogo (10/12/2036)", 0), 0u) << t;
    EXPECT_NE(t.find("pulou 522 semanas"), std::string::npos) << t;
    EXPECT_NE(t.find("\"" + nome + "\", ao lado de \"hortas00.mdb\"; para voltar à cópia"), std::string::npos) << t;
}

TEST_F(NovaSemana, NoveSemanasForaDizQuantosCanteirosELotesTerminaram) {
    planta_alface();
    auto& h = model::horta();
    h.cult_can[1] = h.cult_can[2] = model::cod_rabanete;  // 6 weeks in the bed
    h.cult_can[3] = model::cod_couve;                      // 24: still growing
    h.cult_sem[0] = model::cod_alface;
    h.cult_sem[1] = model::cod_couve;
    platform::SetNow(dt(2027, 2, 10, 11));
    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(dialogos[0].linha, "Passaram 9 semanas!");
    EXPECT_EQ(dialogos[1].texto, "3 canteiros da horta chegaram ao fim do ciclo das verduras enquanto o jogo estava "
                                 "fechado: esses canteiros estão vagos. As mudas de 2 lotes da sementeira passaram do "
                                 "tempo de transplante e foram retiradas: esses lotes estão livres.");
    EXPECT_EQ(h.cult_can[3], model::cod_couve);
}

TEST_F(NovaSemana, HortaVaziaNaoAvisaMasGuarda) {
    platform::SetNow(dt(2026, 12, 30, 12));
    shell::nova_semana(true);
    EXPECT_TRUE(dialogos.empty());
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 30, 12));
}

TEST_F(NovaSemana, DataAusenteEPrimeiraExecucao) {
    planta_alface();
    grava_semana(0, platform::Value());
    platform::SetNow(dt(2026, 12, 30, 12));
    shell::nova_semana(false);
    EXPECT_TRUE(dialogos.empty());
    EXPECT_EQ(model::horta().cult_can[0], model::cod_alface);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 30, 12));
}

TEST_F(NovaSemana, JogoNaoLidoNaoEGravadoPorCima) {
    platform::SetNow(dt(2026, 12, 30, 12));
    shell::nova_semana(true, /*estado_carregado=*/false);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 9, 10));
}

TEST_F(NovaSemana, GravacaoEDataNaMesmaTransacao) {
    planta_alface();
    {
        // The date cannot be written: the aged state must not be stored either.
        auto db = banco();
        sqlite3_exec(db->handle(),
                     "CREATE TRIGGER trava BEFORE UPDATE ON semana BEGIN SELECT RAISE(ABORT, 'bloqueado'); END;",
                     nullptr, nullptr, nullptr);
        db->Close();
    }
    platform::SetNow(dt(2026, 12, 13, 11));
    shell::nova_semana(false);
    ASSERT_EQ(dialogos.size(), 3u);
    EXPECT_EQ(dialogos[2].nome, "ok");
    EXPECT_NE(dialogos[2].texto.find("Não foi possível salvar"), std::string::npos);
    EXPECT_EQ(linhas_st(), 0);
    EXPECT_EQ(le_semana("data").ToDate(), dt(2026, 12, 9, 10));
}

}  // namespace
