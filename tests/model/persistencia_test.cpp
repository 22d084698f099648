#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "model/catalogo.h"
#include "model/estado.h"
#include "model/persistencia.h"
#include "platform/clock.h"
#include "platform/db.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace {

using namespace model;
namespace fs = std::filesystem;

class Persistencia : public ::testing::Test {
protected:
    void SetUp() override {
        reinicia_estado();
        platform::ResetLog();
        platform::SetLogToStderr(false);
        pasta_ = fs::temp_directory_path() /
                 ("brotalia-model-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(pasta_);
        fs::create_directories(pasta_);
        arquivo_ = (pasta_ / "hortas00.mdb").string();
        define_caminho_banco(arquivo_);
    }
    void TearDown() override {
        define_caminho_banco("");
        define_dialogos(nullptr);
        platform::SetProgramFolder("");
        platform::SetLogToStderr(true);
        reinicia_estado();
        fs::remove_all(pasta_);
    }

    // Runs SQL straight on the database file, around the game's layer (as
    // another program would, with the game's connection closed: the game
    // holds its file alone).
    void sql(const std::string& comando) {
        platform::Workspace::Default().CloseAll();
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(arquivo_.c_str(), &db), SQLITE_OK);
        char* erro = nullptr;
        const int rc = sqlite3_exec(db, comando.c_str(), nullptr, nullptr, &erro);
        std::string msg = erro ? erro : "";
        sqlite3_free(erro);
        sqlite3_close(db);
        ASSERT_EQ(rc, SQLITE_OK) << msg << "\n" << comando;
    }

    // Rows of a query, each as text fields joined by '|' ("NULL" for null).
    std::vector<std::string> linhas(const std::string& consulta) {
        std::vector<std::string> out;
        platform::Workspace::Default().CloseAll();
        sqlite3* db = nullptr;
        if (sqlite3_open(arquivo_.c_str(), &db) != SQLITE_OK) return out;
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, consulta.c_str(), -1, &st, nullptr) == SQLITE_OK) {
            while (sqlite3_step(st) == SQLITE_ROW) {
                std::string linha;
                for (int c = 0; c < sqlite3_column_count(st); ++c) {
                    if (c) linha += "|";
                    const unsigned char* t = sqlite3_column_text(st, c);
                    linha += t ? reinterpret_cast<const char*>(t) : "NULL";
                }
                out.push_back(linha);
            }
        }
        sqlite3_finalize(st);
        sqlite3_close(db);
        return out;
    }

    // Creates the database with its tables through one load.
    void cria_banco() {
        ASSERT_FALSE(le_horta());
        ASSERT_EQ(ultimo_erro_banco(), "");
    }

    static void planta(int i, int cult, int idade, bool feito, int ult, int penult) {
        EstadoHorta& h = horta();
        h.cult_can[i] = cult;
        h.nome_can[i] = catalogo().nome_cult[cult];
        h.idade_can[i] = idade;
        h.check_can[i] = feito;
        h.ult_cult[i] = ult;
        h.penult_cult[i] = penult;
    }
    static void semeia(int j, int cult, int idade, bool feito) {
        EstadoHorta& h = horta();
        h.cult_sem[j] = cult;
        h.nome_sem[j] = catalogo().nome_cult[cult];
        h.idade_sem[j] = idade;
        h.check_sem[j] = feito;
    }

    fs::path pasta_;
    std::string arquivo_;
};

TEST_F(Persistencia, NewDatabaseHoldsNoBedsNoLotsAndNoOrder) {
    EXPECT_FALSE(le_horta());
    EXPECT_TRUE(le_seq());
    const EstadoHorta& h = horta();
    for (int i = 0; i < n_canteiros; ++i) {
        ASSERT_EQ(h.cult_can[i], nao_usado);
        ASSERT_EQ(h.nome_can[i], "");
        ASSERT_EQ(h.ult_cult[i], nao_usado);
    }
    for (int j = 0; j < n_lotes; ++j) ASSERT_EQ(h.cult_sem[j], nao_usado);
    for (int k = 1; k <= n_culturas; ++k) ASSERT_EQ(h.seq_cult[k], 0);

    // Saving it writes no bed or lot rows, and an order row for every crop.
    ASSERT_TRUE(grava_horta());
    EXPECT_EQ(linhas("SELECT COUNT(*), MIN(indice), MAX(indice), SUM(seq) FROM seq"),
              std::vector<std::string>{"21|1|21|0"});
    EXPECT_EQ(linhas("SELECT (SELECT COUNT(*) FROM st), (SELECT COUNT(*) FROM sem)"),
              std::vector<std::string>{"0|0"});
}

TEST_F(Persistencia, SaveAndLoadRoundTrip) {
    cria_banco();
    planta(0, cod_alface, 3, true, cod_tomate, cod_cenoura);
    planta(45, nenhuma, 0, false, 7, -1);          // free bed, one crop of history
    planta(99, cod_pepino, 11, false, -1, -1);
    horta().nome_can[45] = "";                      // as the weekly step leaves a freed bed
    semeia(0, cod_couve, 2, true);
    semeia(21, nenhuma, 0, false);
    semeia(10, cod_berinjela, 8, false);
    horta().seq_cult[cod_alface] = 2;
    horta().seq_cult[cod_pepino] = 1;
    const EstadoHorta salvo = horta();

    std::string erro = "x";
    ASSERT_TRUE(grava_horta(&erro));
    EXPECT_EQ(erro, "");

    // Only the cells and lots in use are stored; booleans as -1 / 0.
    EXPECT_EQ(linhas("SELECT indice, cod_cult, idade, \"check\", last_i_cu, last_last_i_cu FROM st ORDER BY indice"),
              (std::vector<std::string>{"0|1|3|-1|14|9", "45|0|0|0|7|-1", "99|21|11|0|-1|-1"}));
    EXPECT_EQ(linhas("SELECT indice, cod_cult, idade, \"check\" FROM sem ORDER BY indice"),
              (std::vector<std::string>{"0|5|2|-1", "10|16|8|0", "21|0|0|0"}));
    EXPECT_EQ(linhas("SELECT COUNT(*), SUM(seq) FROM seq"), std::vector<std::string>{"21|3"});

    reinicia_estado();
    EXPECT_TRUE(le_horta());
    EXPECT_TRUE(le_seq());
    const EstadoHorta& h = horta();
    EXPECT_EQ(h.cult_can, salvo.cult_can);
    EXPECT_EQ(h.idade_can, salvo.idade_can);
    EXPECT_EQ(h.check_can, salvo.check_can);
    EXPECT_EQ(h.ult_cult, salvo.ult_cult);
    EXPECT_EQ(h.penult_cult, salvo.penult_cult);
    EXPECT_EQ(h.cult_sem, salvo.cult_sem);
    EXPECT_EQ(h.idade_sem, salvo.idade_sem);
    EXPECT_EQ(h.check_sem, salvo.check_sem);
    EXPECT_EQ(h.seq_cult, salvo.seq_cult);
    EXPECT_EQ(h.nome_can[0], "Alface");
    EXPECT_EQ(h.nome_can[45], "Vago");
    EXPECT_EQ(h.nome_can[1], "");
    EXPECT_EQ(h.nome_sem[21], "Vago");
}

TEST_F(Persistencia, DuringAForecastTheRealWeekIsSaved) {
    cria_banco();
    horta().data_real = horta().data_agenda = platform::MakeDateTime(2026, 6, 3, 10);
    planta(2, cod_rabanete, 5, true, -1, -1);  // freed by the forecast step
    semeia(0, cod_alface, 1, true);
    avanca_previsao();
    ASSERT_TRUE(grava_horta());
    EXPECT_EQ(linhas("SELECT indice, cod_cult, idade, \"check\", last_i_cu FROM st"),
              std::vector<std::string>{"2|12|5|-1|-1"});
    EXPECT_EQ(linhas("SELECT indice, cod_cult, idade, \"check\" FROM sem"),
              std::vector<std::string>{"0|1|1|-1"});
    EXPECT_EQ(horta().cult_can[2], nenhuma);  // the forecast on screen is left as it is
}

TEST_F(Persistencia, FreeBedsOnlyDoNotCountAsCrops) {
    cria_banco();
    sql("INSERT INTO st VALUES (3, 0, 0, 0, 7, NULL); INSERT INTO sem VALUES (4, 0, 0, 0);");
    EXPECT_FALSE(le_horta());
    EXPECT_EQ(horta().cult_can[3], nenhuma);
    EXPECT_EQ(horta().ult_cult[3], 7);
    EXPECT_EQ(horta().penult_cult[3], -1);

    sql("INSERT INTO sem VALUES (5, 14, 1, -1);");
    EXPECT_TRUE(le_horta());  // the seedbed's crop alone makes the result true
    EXPECT_TRUE(horta().check_sem[5]);
}

TEST_F(Persistencia, RowsOutOfRangeAreSkippedAndLogged) {
    cria_banco();
    sql("INSERT INTO st VALUES (100, 1, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (-1, 1, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (NULL, 1, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (7, 22, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (8, -1, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (9, NULL, 0, 0, NULL, NULL);"
        "INSERT INTO st VALUES (10, 2, 1, 1, 99, -5);"
        "INSERT INTO sem VALUES (22, 1, 0, 0);"
        "INSERT INTO sem VALUES (3, 40, 0, 0);"
        "INSERT INTO sem VALUES (2, 1, 1, 0);"
        "DELETE FROM seq; INSERT INTO seq VALUES (0, 5); INSERT INTO seq VALUES (22, 5);"
        "INSERT INTO seq VALUES (4, 2);");
    EXPECT_TRUE(le_horta());
    EXPECT_TRUE(le_seq());
    const EstadoHorta& h = horta();
    for (int i = 0; i < n_canteiros; ++i)
        if (i != 10) {
            ASSERT_EQ(h.cult_can[i], nao_usado) << i;
        }
    EXPECT_EQ(h.cult_can[10], cod_chicoria);
    EXPECT_EQ(h.ult_cult[10], -1);  // an unknown crop in the history reads as none
    EXPECT_EQ(h.penult_cult[10], -1);
    EXPECT_EQ(h.cult_sem[3], nao_usado);
    EXPECT_EQ(h.cult_sem[2], cod_alface);
    EXPECT_EQ(h.seq_cult[4], 2);
    EXPECT_EQ(h.seq_cult[0], 0);

    EXPECT_TRUE(platform::WasLogged("model.st.indice.100"));
    EXPECT_TRUE(platform::WasLogged("model.st.cod_cult.22"));
    EXPECT_TRUE(platform::WasLogged("model.sem.indice.22"));
    EXPECT_TRUE(platform::WasLogged("model.seq.indice.0"));
}

TEST_F(Persistencia, AFailedSaveLeavesThePreviousGameWhole) {
    cria_banco();
    planta(5, cod_tomate, 4, true, -1, -1);
    semeia(1, cod_alface, 2, false);
    horta().seq_cult[cod_tomate] = 1;
    ASSERT_TRUE(grava_horta());
    const auto st_antes = linhas("SELECT * FROM st ORDER BY indice");
    const auto sem_antes = linhas("SELECT * FROM sem ORDER BY indice");

    // The order table loses its "seq" field: the third rewrite fails.
    sql("DROP TABLE seq; CREATE TABLE seq (indice INTEGER); INSERT INTO seq VALUES (1);");
    reinicia_estado();
    planta(60, cod_pepino, 0, false, -1, -1);
    semeia(9, cod_couve, 0, false);
    std::string erro;
    EXPECT_FALSE(grava_horta(&erro));
    EXPECT_FALSE(erro.empty());
    EXPECT_EQ(erro, ultimo_erro_banco());
    EXPECT_NE(erro.find("Não foi possível salvar"), std::string::npos) << erro;

    EXPECT_EQ(linhas("SELECT * FROM st ORDER BY indice"), st_antes);
    EXPECT_EQ(linhas("SELECT * FROM sem ORDER BY indice"), sem_antes);
    EXPECT_EQ(linhas("SELECT * FROM seq"), std::vector<std::string>{"1"});
}

TEST_F(Persistencia, AGameThatCouldNotBeReadIsNotOverwritten) {
    cria_banco();
    planta(5, cod_tomate, 4, true, -1, -1);
    ASSERT_TRUE(grava_horta());
    const auto st_antes = linhas("SELECT * FROM st");

    // A seedbed table without its "check" field cannot be read.
    sql("DROP TABLE sem; CREATE TABLE sem (indice INTEGER, cod_cult INTEGER, idade INTEGER);"
        "INSERT INTO sem VALUES (0, 1, 1);");
    reinicia_estado();
    std::string erro;
    EXPECT_FALSE(le_horta(&erro));
    EXPECT_NE(erro.find("Não foi possível ler"), std::string::npos) << erro;
    for (int j = 0; j < n_lotes; ++j) ASSERT_EQ(horta().cult_sem[j], nao_usado);

    EXPECT_FALSE(grava_horta(&erro));
    EXPECT_FALSE(erro.empty());
    EXPECT_EQ(linhas("SELECT * FROM st"), st_antes);

    // Once the table is mended, a load that succeeds lets the game be saved again.
    sql("DROP TABLE sem; CREATE TABLE sem (indice INTEGER, cod_cult INTEGER, idade INTEGER, \"check\" INTEGER);");
    EXPECT_TRUE(le_horta(&erro));
    EXPECT_TRUE(grava_horta(&erro)) << erro;
}

TEST_F(Persistencia, AFileThatIsNotADatabaseIsReportedNotThrown) {
    {
        std::ofstream f(arquivo_, std::ios::binary);
        f << "isto nao e um banco de dados, apenas texto qualquer com mais de cem bytes para nao parecer vazio "
             "nem por acaso, repetido: isto nao e um banco de dados.";
    }
    std::string erro;
    EXPECT_FALSE(le_horta(&erro));
    EXPECT_FALSE(erro.empty());
    EXPECT_FALSE(le_seq(&erro));
    EXPECT_FALSE(grava_horta(&erro));
    EXPECT_FALSE(erro.empty());
}

TEST_F(Persistencia, DefaultPathIsTheProgramFoldersDatabase) {
    platform::SetProgramFolder(pasta_.string());
    define_caminho_banco("");
    EXPECT_EQ(caminho_banco(), pasta_.string() + "\\hortas00.mdb");
    planta(0, cod_nabo, 1, false, -1, -1);
    ASSERT_TRUE(grava_horta());
    EXPECT_EQ(linhas("SELECT indice, cod_cult FROM st"), std::vector<std::string>{"0|11"});
}

// Output of the sqlite3 command run on a file (another process reading it).
std::string leitor(const std::string& arquivo, const std::string& consulta) {
    std::string saida;
    const std::string comando = "sqlite3 '" + arquivo + "' \"" + consulta + "\" 2>&1";
    if (FILE* p = ::popen(comando.c_str(), "r")) {
        char buf[256];
        while (std::fgets(buf, sizeof buf, p)) saida += buf;
        ::pclose(p);
    }
    return saida;
}

TEST_F(Persistencia, AnotherProcessIsKeptOutWhileTheGameRunsAndNothingIsLost) {
    platform::Workspace::Default().CloseAll();  // the game process below opens its own
    int para_teste[2], para_jogo[2];
    ASSERT_EQ(::pipe(para_teste), 0);
    ASSERT_EQ(::pipe(para_jogo), 0);
    const pid_t jogo = ::fork();
    ASSERT_GE(jogo, 0);
    if (jogo == 0) {
        // The game: a save, a load as the screens do, another save, then it
        // stays open until it is killed.
        char c = 0;
        planta(0, cod_tomate, 1, false, -1, -1);
        bool ok = grava_horta() && le_seq();
        ok = ::write(para_teste[1], ok ? "1" : "0", 1) == 1 && ::read(para_jogo[0], &c, 1) == 1 && ok;
        planta(1, cod_alface, 2, false, -1, -1);
        ok = grava_horta() && ok;
        if (::write(para_teste[1], ok ? "1" : "0", 1) != 1) ::_exit(1);
        for (;;) ::pause();
    }
    // The game process is killed (as a crash would end it) however the test goes.
    struct Mata {
        pid_t pid;
        ~Mata() {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
        }
    };
    std::optional<Mata> mata;
    mata.emplace(jogo);
    ::close(para_teste[1]);  // a game process that ended reads as the end of the pipe
    ::close(para_jogo[0]);
    char c = 0;
    ASSERT_EQ(::read(para_teste[0], &c, 1), 1);
    EXPECT_EQ(c, '1');
    // The running game holds its file alone, its log's index in its own memory.
    EXPECT_NE(leitor(arquivo_, "SELECT indice, cod_cult FROM st").find("locked"), std::string::npos);
    EXPECT_TRUE(fs::exists(arquivo_ + "-wal"));
    EXPECT_FALSE(fs::exists(arquivo_ + "-shm"));
    ASSERT_EQ(::write(para_jogo[1], "x", 1), 1);
    ASSERT_EQ(::read(para_teste[0], &c, 1), 1);
    EXPECT_EQ(c, '1');
    mata.reset();
    for (int fd : {para_teste[0], para_jogo[1]}) ::close(fd);
    EXPECT_EQ(leitor(arquivo_, "SELECT indice, cod_cult FROM st ORDER BY indice"), "0|14\n1|1\n");
}

TEST_F(Persistencia, UnreadableRowsAreCountedAndEachTimeKeptInACopyOfTheirOwn) {
    platform::SetNow(platform::MakeDateTime(2026, 12, 9, 10, 5, 0));
    platform::SetProgramFolder(pasta_.string());  // the game's folder, whoever runs the test
    cria_banco();
    planta(7, cod_tomate, 2, false, -1, -1);
    horta().seq_cult[cod_alface] = 3;
    ASSERT_TRUE(grava_horta());
    sql("INSERT INTO st VALUES (3, 3.5, 1, 0, NULL, NULL);"
        "INSERT INTO st VALUES (4, 'Alface', 1, 0, NULL, NULL);"
        "INSERT INTO st VALUES (5, NULL, 1, 0, NULL, NULL);"
        "INSERT INTO st VALUES (2.5, 1, 1, 0, NULL, NULL);"
        "INSERT INTO st VALUES (100, 1, 1, 0, NULL, NULL);"
        "INSERT INTO st VALUES (6, 1, 2.5, 0, NULL, NULL);"
        "INSERT INTO st VALUES (8, 1, 1, 0, 3.5, NULL);"
        "INSERT INTO sem VALUES (1, 22, 0, 0);"
        "INSERT INTO sem VALUES ('dois', 1, 0, 0);"
        "UPDATE seq SET seq = 1.5 WHERE indice = 2;"
        "INSERT INTO seq VALUES (NULL, 4);");
    const auto st = linhas("SELECT * FROM st ORDER BY rowid");
    const auto sem = linhas("SELECT * FROM sem ORDER BY rowid");
    const auto seq = linhas("SELECT * FROM seq ORDER BY rowid");
    const std::string copia = arquivo_ + ".2026-12-09_10-05.bak";

    reinicia_estado();
    std::string erro;
    EXPECT_TRUE(le_horta(&erro));
    EXPECT_TRUE(le_seq(&erro));
    EXPECT_EQ(erro, "");
    EXPECT_EQ(horta().cult_can[3], nao_usado);  // 3.5 is no crop code, not crop 4
    EXPECT_EQ(horta().cult_can[6], nao_usado);  // nor is 2.5 an age, or 3.5 a crop of the history
    EXPECT_EQ(horta().cult_can[8], nao_usado);
    EXPECT_EQ(horta().cult_can[7], cod_tomate);
    EXPECT_EQ(horta().seq_cult[cod_alface], 3);
    EXPECT_EQ(aviso_linhas_ilegiveis(),
              "Não foi possível ler parte do jogo salvo (canteiros: 7; lotes da sementeira: 2; pedido da feira: 2). "
              "O arquivo como estava foi guardado em \"hortas00.mdb.2026-12-09_10-05.bak\", ao lado de "
              "\"hortas00.mdb\"; para voltar à cópia, feche o jogo, copie-a sobre esse arquivo e apague o arquivo "
              "\"hortas00.mdb-wal\" ao lado dele, se houver.");

    // The start-up save drops the rows; the copy keeps them.
    ASSERT_TRUE(grava_horta());
    EXPECT_EQ(linhas("SELECT COUNT(*) FROM st"), std::vector<std::string>{"1"});
    const std::string arquivo = arquivo_;
    arquivo_ = copia;
    EXPECT_EQ(linhas("SELECT * FROM st ORDER BY rowid"), st);
    EXPECT_EQ(linhas("SELECT * FROM sem ORDER BY rowid"), sem);
    EXPECT_EQ(linhas("SELECT * FROM seq ORDER BY rowid"), seq);
    EXPECT_EQ(linhas("SELECT typeof(cod_cult) FROM st WHERE indice = 3"), std::vector<std::string>{"real"});

    // A later start with other unreadable rows, in the same minute, gets a
    // copy of its own that holds them; the first copy stays as it was.
    arquivo_ = arquivo;
    sql("INSERT INTO st VALUES (6, 99, 1, 0, NULL, NULL);");
    reinicia_estado();
    EXPECT_TRUE(le_horta());
    EXPECT_NE(aviso_linhas_ilegiveis().find("canteiros: 1;"), std::string::npos);
    EXPECT_NE(aviso_linhas_ilegiveis().find("\"hortas00.mdb.2026-12-09_10-05-2.bak\""), std::string::npos);
    ASSERT_TRUE(grava_horta());
    arquivo_ = copia;
    EXPECT_EQ(linhas("SELECT * FROM st ORDER BY rowid"), st);
    arquivo_ = arquivo_.substr(0, arquivo_.size() - 4) + "-2.bak";
    EXPECT_EQ(linhas("SELECT cod_cult FROM st WHERE indice = 6"), std::vector<std::string>{"99"});
    arquivo_ = arquivo;

    // With every row readable there is nothing to tell.
    reinicia_estado();
    EXPECT_TRUE(le_horta());
    EXPECT_TRUE(le_seq());
    EXPECT_EQ(aviso_linhas_ilegiveis(), "");
    platform::SetNow(std::nullopt);
}

TEST_F(Persistencia, ACopyThatCouldNotBeMadeIsTriedAgainAtTheNextSave) {
    cria_banco();
    sql("INSERT INTO st VALUES (3, 3.5, 1, 0, NULL, NULL); INSERT INTO st VALUES (4, 1, 1, 0, NULL, NULL);");
    platform::Workspace::Default().CloseAll();  // the game process below opens its own
    fs::permissions(arquivo_, static_cast<fs::perms>(0666));
    // The folder is first closed to writing (no copy, no save), then opened
    // again. Permissions do not bind the superuser, so the game runs as
    // another user, who owns the folder, in a child process.
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(pasta_.c_str(), 65534, 65534), 0);
    }
    const pid_t jogo = ::fork();
    ASSERT_GE(jogo, 0);
    if (jogo == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
        reinicia_estado();
        fs::permissions(pasta_, static_cast<fs::perms>(0555));
        if (!le_horta() || aviso_linhas_ilegiveis().find("nem guardar uma cópia") == std::string::npos) ::_exit(11);
        if (grava_horta()) ::_exit(12);
        fs::permissions(pasta_, static_cast<fs::perms>(0755));
        std::string erro;
        if (!grava_horta(&erro)) ::_exit(13);
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(jogo, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
    int copias = 0;
    for (const auto& f : fs::directory_iterator(pasta_)) {
        if (f.path().extension() != ".bak") continue;
        ++copias;
        arquivo_ = f.path().string();
        EXPECT_EQ(linhas("SELECT cod_cult FROM st WHERE indice = 3"), std::vector<std::string>{"3.5"});
    }
    EXPECT_EQ(copias, 1);
}

TEST_F(Persistencia, ACopyRestoredAsTheMessageSaysAfterACrashIsReadAlone) {
    cria_banco();
    planta(1, cod_alface, 1, false, -1, -1);
    ASSERT_TRUE(grava_horta());
    std::string copia;
    ASSERT_TRUE(guarda_copia_datada(&copia));
    EXPECT_NE(local_da_copia(copia).find("feche o jogo, copie-a sobre esse arquivo e apague o arquivo "
                                         "\"hortas00.mdb-wal\" ao lado dele, se houver."),
              std::string::npos);
    platform::Workspace::Default().CloseAll();
    // The game saves once more, then ends without closing (a crash): its log stays.
    const pid_t jogo = ::fork();
    ASSERT_GE(jogo, 0);
    if (jogo == 0) {
        planta(2, cod_tomate, 1, false, -1, -1);
        ::_exit(grava_horta() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(jogo, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    ASSERT_GT(fs::file_size(arquivo_ + "-wal"), 0u);
    // A teacher puts the copy in the file's place with the game closed, and
    // removes the log as the message says.
    fs::copy_file(copia, arquivo_, fs::copy_options::overwrite_existing);
    fs::remove(arquivo_ + "-wal");
    reinicia_estado();
    EXPECT_TRUE(le_horta());
    EXPECT_EQ(horta().cult_can[1], cod_alface);
    EXPECT_EQ(horta().cult_can[2], nao_usado);
    // A game that ends leaves no log, writes that did not wait for the disk included.
    ASSERT_TRUE(grava_horta());
    {
        auto db = platform::Workspace::Default().OpenDatabase(arquivo_);
        db->SetDurable(false);
        db->OpenRecordset("seq")->Delete();
    }
    platform::Workspace::Default().CloseAll();
    EXPECT_FALSE(fs::exists(arquivo_ + "-wal"));
}

TEST_F(Persistencia, FieldsOfANewerVersionKeepTheirValues) {
    cria_banco();
    planta(1, cod_alface, 1, false, -1, -1);
    planta(2, cod_tomate, 1, false, -1, -1);
    ASSERT_TRUE(grava_horta());
    sql("ALTER TABLE st ADD COLUMN nota TEXT NOT NULL DEFAULT '';"
        "UPDATE st SET nota = 'canteiro ' || indice; ALTER TABLE seq ADD COLUMN cor INTEGER; UPDATE seq SET cor = 7;");
    reinicia_estado();
    ASSERT_TRUE(le_horta());
    ASSERT_TRUE(le_seq());
    horta().idade_can[1] = 2;
    horta().cult_can[2] = nao_usado;
    planta(3, cod_cenoura, 0, false, -1, -1);
    ASSERT_TRUE(grava_horta());
    EXPECT_EQ(linhas("SELECT indice, idade, nota FROM st ORDER BY indice"),
              (std::vector<std::string>{"1|2|canteiro 1", "3|0|"}));
    EXPECT_EQ(linhas("SELECT COUNT(*), SUM(cor) FROM seq"), std::vector<std::string>{"21|147"});
}

TEST_F(Persistencia, AGameThatCannotBeWrittenLoads) {
    cria_banco();
    planta(5, cod_tomate, 4, true, -1, -1);
    semeia(2, cod_couve, 1, false);
    horta().seq_cult[cod_tomate] = 2;
    ASSERT_TRUE(grava_horta());
    platform::Workspace::Default().CloseAll();
    const auto antes = linhas("SELECT * FROM st");

    // A read-only file in a writable folder, then a folder that cannot be
    // written. Permissions do not bind the superuser, so the game runs as
    // another user in a child process.
    for (const auto& [arquivo, pasta] : {std::pair{0444, 0777}, std::pair{0644, 0555}}) {
        fs::permissions(arquivo_, static_cast<fs::perms>(arquivo));
        fs::permissions(pasta_, static_cast<fs::perms>(pasta));
        const pid_t jogo = ::fork();
        ASSERT_GE(jogo, 0);
        if (jogo == 0) {
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
            reinicia_estado();
            std::string erro;
            if (!le_horta(&erro) || horta().cult_can[5] != cod_tomate || horta().cult_sem[2] != cod_couve) ::_exit(11);
            if (!le_seq(&erro) || horta().seq_cult[cod_tomate] != 2) ::_exit(12);
            if (grava_horta(&erro) || erro.find("não pode ser gravado") == std::string::npos) ::_exit(13);
            ::_exit(0);
        }
        int status = 0;
        ::waitpid(jogo, &status, 0);
        EXPECT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << std::oct << arquivo << " " << pasta;
        fs::permissions(pasta_, fs::perms::owner_all);
        EXPECT_FALSE(fs::exists(arquivo_ + "-wal"));  // nothing was made beside the file
        EXPECT_FALSE(fs::exists(arquivo_ + "-shm"));
        fs::permissions(arquivo_, static_cast<fs::perms>(0644));  // read as its owner reads it
        EXPECT_EQ(linhas("SELECT * FROM st"), antes);
    }

    // The game in a program folder that cannot be written, for a user whose
    // data folder cannot be made (no home): the save names that folder and why.
    fs::permissions(pasta_, static_cast<fs::perms>(0555));
    const pid_t jogo = ::fork();
    ASSERT_GE(jogo, 0);
    if (jogo == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(10);
        ::unsetenv("XDG_DATA_HOME");
        ::setenv("HOME", "/nonexistent", 1);
        platform::SetProgramFolder(pasta_.string());
        define_caminho_banco("");
        reinicia_estado();
        std::string erro;
        if (!le_horta(&erro) || horta().cult_can[5] != cod_tomate) ::_exit(11);
        if (grava_horta(&erro)) ::_exit(12);
        if (erro.find("\"/nonexistent/.local/share/") == std::string::npos ||
            erro.find("não pode ser criada (sem permissão de escrita em \"/\")") == std::string::npos) {
            std::fprintf(stderr, "%s\n", erro.c_str());
            ::_exit(13);
        }
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(jogo, &status, 0);
    EXPECT_EQ(WIFEXITED(status) ? WEXITSTATUS(status) : -1, 0);
    fs::permissions(pasta_, fs::perms::owner_all);
    EXPECT_EQ(linhas("SELECT * FROM st"), antes);
}

TEST(Rotulos, BedAndLotLabels) {
    const std::pair<int, const char*> canteiros[] = {
        {0, "A 1"}, {9, "A 10"}, {10, "B 1"}, {45, "E 6"}, {99, "J 10"}, {100, ""}, {-1, ""}};
    for (const auto& [n, rotulo] : canteiros) EXPECT_EQ(nome_canteiro(n), rotulo) << n;
    const std::pair<int, const char*> lotes[] = {
        {0, "A 1"}, {10, "A 11"}, {11, "B 1"}, {21, "B 11"}, {22, ""}, {-1, ""}};
    for (const auto& [n, rotulo] : lotes) EXPECT_EQ(nome_leira(n), rotulo) << n;
}

struct DialogosDeTeste : Dialogos {
    bool resposta = false, padrao = false;
    std::string titulo, mensagem;
    int chamadas = 0;
    bool sim_nao(const std::string& t, const std::string& m, bool p) override {
        ++chamadas;
        titulo = t;
        mensagem = m;
        padrao = p;
        return resposta;
    }
};

TEST(PerguntaGrava, AsksThroughTheSharedDialog) {
    reinicia_estado();
    DialogosDeTeste d;
    define_dialogos(&d);
    for (bool resposta : {true, false}) {
        d.resposta = resposta;
        EXPECT_EQ(pergunta_grava(), resposta);
        EXPECT_EQ(sessao().resp_ok_nao, resposta);
    }
    EXPECT_EQ(d.chamadas, 2);
    EXPECT_EQ(d.titulo, "Gravar alterações");
    EXPECT_EQ(d.mensagem, "Deseja salvar ?");
    EXPECT_TRUE(d.padrao);  // Enter or a close keeps the work
    EXPECT_EQ(sessao().msg_ok_nao, "Deseja salvar ?");

    define_dialogos(nullptr);
    platform::SetLogToStderr(false);
    EXPECT_FALSE(pergunta_grava());
    platform::SetLogToStderr(true);
    reinicia_estado();
}

}  // namespace
