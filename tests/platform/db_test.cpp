#include "platform/clock.h"
#include "platform/db.h"
#include "platform/files.h"
#include "platform/schema.h"
#include "temp_folder.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>

#include <fstream>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <cstdlib>
#include <functional>
#include <thread>

using namespace platform;
using platform_test::readAll;
using platform_test::TempFolder;

namespace {

// The database layer knows no program's tables: these stand for what the
// parts of a program register, a file with a week row that comes back when
// emptied, counts that a new file starts with, and a second file.
std::vector<std::vector<Value>> weekRow() { return {{Value(0), Value(Now())}}; }
std::vector<std::vector<Value>> countRows() {
    std::vector<std::vector<Value>> rows;
    for (int i = 1; i <= 21; ++i) rows.push_back({Value(i), Value(0)});
    return rows;
}
std::vector<ColumnDef> mapColumns() {
    std::vector<ColumnDef> cols{{"ordem", "TEXT"}};
    for (int c = 1; c <= 10; ++c)
        for (const char* f : {"cult", "idade", "trato", "p_fim"}) cols.push_back({f + std::to_string(c), "TEXT"});
    return cols;
}
[[maybe_unused]] const bool registered =
    RegisterTables("hortas00.mdb",
                   {{"semana", {{"cd", "INTEGER"}, {"data", "REAL"}}, weekRow, true},
                    {"st",
                     {{"indice", "INTEGER"},
                      {"cod_cult", "INTEGER"},
                      {"idade", "INTEGER"},
                      {"check", "INTEGER"},
                      {"last_i_cu", "INTEGER"},
                      {"last_last_i_cu", "INTEGER"}}},
                    {"sem", {{"indice", "INTEGER"}, {"cod_cult", "INTEGER"}, {"idade", "INTEGER"}, {"check", "INTEGER"}}},
                    {"seq", {{"indice", "INTEGER"}, {"seq", "INTEGER"}}, countRows}}) &&
    RegisterTables("\\HORTAS00.MDB",  // a second part of the program, the same file
                   {{"relat",
                     {{"hs", "INTEGER"},
                      {"ord", "INTEGER"},
                      {"trato", "TEXT"},
                      {"aonde", "TEXT"},
                      {"cultura", "TEXT"},
                      {"sem", "INTEGER"},
                      {"cabec1", "TEXT"}}},
                    {"rr", {{"mod", "TEXT"}, {"cult", "TEXT"}, {"fam", "TEXT"}, {"ucult", "TEXT"}, {"ufam", "TEXT"}}},
                    {"mapa_horta", mapColumns()},
                    {"ST", {{"outro", "TEXT"}}}}) &&  // already known: keeps its first definition
    RegisterTables("gm.mdb",
                   {{"gm", {{"peq_gra", "TEXT"}, {"tipo", "TEXT"}, {"nome", "TEXT"}, {"valor", "TEXT"}, {"dta", "TEXT"}}}});

class DbTest : public ::testing::Test {
protected:
    void SetUp() override { SetNow(MakeDateTime(2026, 12, 9, 8, 0, 0)); }
    void TearDown() override { SetNow(std::nullopt); }

    std::unique_ptr<Database> open(const std::string& name = "\\hortas00.mdb") {
        return Workspace::Default().OpenDatabase(ProgramFolder() + name);
    }
    static std::vector<std::vector<Value>> rows(Database& db, const std::string& table) {
        auto rs = db.OpenRecordset(table);
        std::vector<std::vector<Value>> out;
        auto names = rs->FieldNames();
        for (; !rs->EOF_(); rs->MoveNext()) {
            std::vector<Value> row;
            for (const auto& n : names) row.push_back(rs->Fields(n));
            out.push_back(row);
        }
        return out;
    }
    // The game's save: delete every row, then add the given rows, in one transaction.
    static void rewrite(Database& db, const std::string& table, const std::vector<std::vector<Value>>& data) {
        auto rs = db.OpenRecordset(table);
        db.BeginTrans();
        if (!rs->EOF_()) rs->MoveFirst();
        while (!rs->EOF_()) {
            rs->Delete();
            rs->MoveNext();
        }
        auto names = rs->FieldNames();
        for (const auto& row : data) {
            rs->AddNew();
            for (size_t i = 0; i < row.size(); ++i) rs->SetField(names[i], row[i]);
            rs->Update();
        }
        db.CommitTrans();
        rs->Close();
    }

    TempFolder folder;
};

TEST_F(DbTest, NewGameDatabaseGetsEveryTableAndItsFirstRows) {
    auto db = open();
    EXPECT_TRUE(std::filesystem::exists(folder.path() + "/hortas00.mdb"));
    struct Expect {
        const char* table;
        std::vector<std::string> fields;
        long rows;
    } expected[] = {
        {"semana", {"cd", "data"}, 1},
        {"st", {"indice", "cod_cult", "idade", "check", "last_i_cu", "last_last_i_cu"}, 0},
        {"sem", {"indice", "cod_cult", "idade", "check"}, 0},
        {"seq", {"indice", "seq"}, 21},
        {"relat", {"hs", "ord", "trato", "aonde", "cultura", "sem", "cabec1"}, 0},
        {"rr", {"mod", "cult", "fam", "ucult", "ufam"}, 0},
    };
    for (const auto& e : expected) {
        auto rs = db->OpenRecordset(e.table);
        EXPECT_EQ(rs->FieldNames(), e.fields) << e.table;
        EXPECT_EQ(rs->RecordCount(), e.rows) << e.table;
    }
    auto mapa = db->OpenRecordset("mapa_horta");
    ASSERT_EQ(mapa->FieldNames().size(), 41u);
    EXPECT_EQ(mapa->FieldNames()[0], "ordem");
    EXPECT_EQ(mapa->FieldNames()[40], "p_fim10");

    auto semana = db->OpenRecordset("semana");
    EXPECT_EQ(semana->Fields("cd").ToInt(), 0);
    EXPECT_EQ(semana->Fields("DATA").ToDate(), MakeDateTime(2026, 12, 9, 8, 0, 0));

    auto seq = rows(*db, "seq");
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(seq[i][0].ToInt(), i + 1);
        EXPECT_EQ(seq[i][1].ToInt(), 0);
    }

    auto gm = open("\\gm.mdb");
    auto rank = gm->OpenRecordset("gm");
    EXPECT_EQ(rank->FieldNames(), (std::vector<std::string>{"peq_gra", "tipo", "nome", "valor", "dta"}));
    EXPECT_FALSE(gm->TableExists("st"));
}

TEST_F(DbTest, SavedStateSurvivesReopeningUnderAnyCase) {
    std::vector<std::vector<Value>> beds = {
        {0, 0, 0, false, -1, -1},
        {45, 14, 3, true, 7, Value()},
        {99, 21, 9, false, 2, 5},
    };
    {
        auto db = open();
        rewrite(*db, "st", beds);
        rewrite(*db, "seq", {{1, 2}, {21, 3}});
        auto semana = db->OpenRecordset("semana");
        semana->Edit();
        semana->SetField("cd", 3);
        semana->Update();
    }
    SetNow(MakeDateTime(2027, 1, 1, 0, 0, 0));
    auto db = open("\\HORTAS00.MDB");
    auto st = rows(*db, "st");
    ASSERT_EQ(st.size(), 3u);
    EXPECT_EQ(st[0][0].ToInt(), 0);
    EXPECT_EQ(st[1][3].ToInt(), -1);  // booleans are stored as -1 / 0
    EXPECT_TRUE(st[1][3].ToBool());
    EXPECT_EQ(st[0][3].ToInt(), 0);
    EXPECT_EQ(st[1][4].ToInt(), 7);
    EXPECT_TRUE(st[1][5].IsNull());
    EXPECT_EQ(st[2][5].ToInt(), 5);
    EXPECT_EQ(rows(*db, "seq").size(), 2u);  // an existing table is not refilled
    auto semana = rows(*db, "semana");
    ASSERT_EQ(semana.size(), 1u);
    EXPECT_EQ(semana[0][0].ToInt(), 3);
    EXPECT_EQ(semana[0][1].ToDate(), MakeDateTime(2026, 12, 9, 8, 0, 0));
}

TEST_F(DbTest, RollbackKeepsThePreviousRows) {
    auto db = open();
    rewrite(*db, "sem", {{0, 5, 2, 0}, {1, 9, 1, -1}});
    auto rs = db->OpenRecordset("sem");
    db->BeginTrans();
    rs->MoveFirst();
    rs->Delete();
    rs->MoveNext();
    rs->Edit();
    rs->SetField("idade", 8);
    rs->Update();
    rs->AddNew();
    rs->SetField("indice", 2);
    rs->Update();
    EXPECT_EQ(rs->RecordCount(), 2);
    db->Rollback();
    EXPECT_FALSE(db->InTransaction());
    // The open recordset is read again, and so is the file.
    EXPECT_EQ(rs->RecordCount(), 2);
    EXPECT_EQ(rs->Fields("cod_cult").ToInt(), 5);
    rs->Close();
    db->Close();
    auto again = open();
    auto sem = rows(*again, "sem");
    ASSERT_EQ(sem.size(), 2u);
    EXPECT_EQ(sem[1][2].ToInt(), 1);

    // A nested rollback undoes only the inner transaction.
    again->BeginTrans();
    rewrite(*again, "sem", {});
    again->Rollback();
    again->CommitTrans();
    EXPECT_EQ(rows(*again, "sem").size(), 2u);
    again->BeginTrans();
    rewrite(*again, "sem", {});
    again->CommitTrans();
    EXPECT_TRUE(rows(*again, "sem").empty());

    // Closing with a transaction open undoes it.
    again->BeginTrans();
    rewrite(*again, "seq", {});
    again->Close();
    EXPECT_EQ(rows(*open(), "seq").size(), 21u);
}

TEST_F(DbTest, ValuesAreBoundNotPasted) {
    const std::string tricky[] = {
        "O'Brien \"o\" ; DROP TABLE gm; --",
        "Chicória, Ação, Pimentão — ç ã õ",
        "",
        "a\\b%_?",
    };
    auto db = open("\\gm.mdb");
    {
        auto rs = db->OpenRecordset("gm");
        for (const auto& t : tricky) {
            rs->AddNew();
            rs->SetField("nome", t);
            rs->SetField("valor", "00042");
            rs->Update();
        }
    }
    auto back = rows(*db, "gm");
    ASSERT_EQ(back.size(), std::size(tricky));
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i][2].ToString(), tricky[i]);
        EXPECT_TRUE(back[i][2].IsText());
        EXPECT_EQ(back[i][3].ToString(), "00042");  // text keeps its zeros
        EXPECT_EQ(back[i][3].ToInt(), 42);
    }
    EXPECT_TRUE(db->TableExists("gm"));
    EXPECT_THROW(db->OpenRecordset("gm\"; DROP TABLE gm; --"), DbError);
    EXPECT_TRUE(db->TableExists("gm"));
    EXPECT_EQ(QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}

TEST_F(DbTest, AFileThatIsNotADatabaseIsReportedAndLeftAlone) {
    const std::string contents[] = {
        std::string("\0\1\0\0Standard Jet DB\0", 19) + std::string(4000, 'j'),
        "uma horta de texto\n",
        "SQLite format 3",  // too short to be one
    };
    for (const auto& content : contents) {
        std::string path = folder.write("hortas00.mdb", content);
        try {
            open();
            FAIL() << "no error";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find("não é um banco de dados"), std::string::npos) << e.what();
        }
        EXPECT_EQ(readAll(path), content);
        EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
        EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
    }
}

TEST_F(DbTest, FilesThatCannotBeWrittenGiveDbError) {
    EXPECT_THROW(Workspace::Default().OpenDatabase(ProgramFolder() + "\\nada\\hortas00.mdb"), DbError);
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind the superuser";
    open()->Close();
    Workspace::Default().EmptyLogs();  // the file alone holds the tables
    std::string path = folder.path() + "/hortas00.mdb";
    std::string before = readAll(path);
    ::chmod(path.c_str(), 0444);
    {
        auto db = open();  // opens for reading only
        EXPECT_TRUE(db->ReadOnly());
        EXPECT_EQ(rows(*db, "seq").size(), 21u);
        EXPECT_THROW(db->BeginTrans(), DbError);
        auto rs = db->OpenRecordset("seq");
        EXPECT_THROW(rs->Delete(), DbError);
    }
    EXPECT_EQ(readAll(path), before);
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_THROW(open("\\gm.mdb"), DbError);
}

TEST_F(DbTest, RecordsetNavigationAndMisuse) {
    auto db = open();
    auto rs = db->OpenRecordset("st");
    EXPECT_TRUE(rs->EOF_());
    EXPECT_TRUE(rs->BOF());
    EXPECT_THROW(rs->Fields("indice"), DbError);
    EXPECT_THROW(rs->Edit(), DbError);
    EXPECT_THROW(rs->Delete(), DbError);
    EXPECT_THROW(rs->Update(), DbError);
    EXPECT_THROW(rs->SetField("indice", 1), DbError);

    // Adding at the end leaves the recordset at the end.
    for (int i = 0; i < 3; ++i) {
        rs->AddNew();
        rs->SetField("INDICE", i);
        EXPECT_EQ(rs->Fields("indice").ToInt(), i);
        rs->Update();
        EXPECT_TRUE(rs->EOF_());
    }
    EXPECT_EQ(rs->RecordCount(), 3);
    try {
        rs->MoveFirst();
        rs->Fields("nome");
        FAIL();
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("\"nome\""), std::string::npos);
    }
    // Deleting the current row: the next MoveNext reaches the row after it.
    rs->MoveFirst();
    rs->MoveNext();
    rs->Delete();
    EXPECT_THROW(rs->Fields("indice"), DbError);
    rs->MoveNext();
    EXPECT_EQ(rs->Fields("indice").ToInt(), 2);
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF_());
    rs->MoveNext();  // stays at the end
    EXPECT_TRUE(rs->EOF_());
    rs->MoveLast();
    rs->Edit();
    rs->SetField("idade", 4);
    rs->CancelUpdate();
    EXPECT_TRUE(rs->Fields("idade").IsNull());

    // Text into an integer field is stored as the field's type.
    rs->AddNew();
    rs->SetField("indice", "7");
    rs->Update();
    rs->MoveLast();
    EXPECT_EQ(rs->Fields("indice"), Value(7));

    // A recordset left open after its database closed fails cleanly.
    db->Close();
    EXPECT_THROW(rs->MoveFirst(), DbError);
}

TEST_F(DbTest, OrderedRecordsetSortsTiesByInsertion) {
    auto db = open("\\gm.mdb");
    auto rs = db->OpenRecordset("gm", {"tipo", "valor"});
    const char* data[][2] = {{"1", "03:05"}, {"1", "01:10"}, {"2", "00040"}, {"1", "02:00"}, {"2", "00040"}};
    for (int i = 0; i < 5; ++i) {
        rs->AddNew();
        rs->SetField("tipo", data[i][0]);
        rs->SetField("valor", data[i][1]);
        rs->SetField("nome", std::to_string(i));
        rs->Update();
    }
    rs->Requery();
    std::vector<std::string> order;
    for (rs->MoveFirst(); !rs->EOF_(); rs->MoveNext()) order.push_back(rs->Fields("nome").ToString());
    EXPECT_EQ(order, (std::vector<std::string>{"1", "3", "0", "2", "4"}));
    EXPECT_THROW(db->OpenRecordset("gm", {"nada"}), DbError);
}

TEST_F(DbTest, AKeptConnectionIsNotReusedForAReplacedFile) {
    std::string path = folder.path() + "/hortas00.mdb";
    {
        auto db = open();
        rewrite(*db, "st", {{1, 2, 3, false, -1, -1}});
    }
    EXPECT_EQ(rows(*open(), "st").size(), 1u);  // the same file again
    std::filesystem::remove(path);
    EXPECT_TRUE(rows(*open(), "st").empty());    // a new file with its tables
    EXPECT_EQ(rows(*open(), "seq").size(), 21u);
    Workspace::Default().CloseAll();
    std::filesystem::remove(path);
    folder.write("hortas00.mdb", "texto");
    EXPECT_THROW(open(), DbError);
    EXPECT_EQ(readAll(path), "texto");
}

TEST_F(DbTest, EmptyWeekTableGetsItsRowBack) {
    {
        auto db = open();
        rewrite(*db, "semana", {});
    }
    auto db = open();
    auto semana = rows(*db, "semana");
    ASSERT_EQ(semana.size(), 1u);
    EXPECT_EQ(semana[0][0].ToInt(), 0);
}

// Makes a database file straight with the engine, around the game's layer.
void makeDatabase(const std::string& path, const std::string& sql) {
    Workspace::Default().CloseAll();  // the game's layer holds a file it opened alone
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(path.c_str(), &h), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(h, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    sqlite3_close(h);
}

TEST_F(DbTest, ThePlatformNamesTheProgramAsTheApplicationGaveIt) {
    SetApplicationName("horta", "Horta Viva");
    EXPECT_EQ(FolderLock(folder.path()).FileName(), folder.path() + "/horta.lock");
    makeDatabase(folder.path() + "/gm.mdb", "CREATE TABLE clientes (nome TEXT);");
    try {
        open("\\gm.mdb");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_NE(std::string(e.what()).find("não é um banco de dados válido do Horta Viva."), std::string::npos)
            << e.what();
    }
    SetApplicationName("");
}

TEST_F(DbTest, AnotherProgramsDatabaseIsRefusedUntouched) {
    const std::string own =
        "CREATE TABLE clientes (nome TEXT, saldo REAL); INSERT INTO clientes VALUES ('Ana', 10.5);"
        "CREATE INDEX por_nome ON clientes (nome);";
    for (const char* name : {"hortas00.mdb", "gm.mdb"}) {
        for (const char* journal : {"", "PRAGMA journal_mode = WAL;"}) {
            const std::string path = folder.path() + "/" + name;
            std::filesystem::remove(path);
            makeDatabase(path, journal + own);
            const std::string before = readAll(path);
            try {
                open(std::string("\\") + name);
                FAIL() << "no error for " << name;
            } catch (const DbError& e) {
                EXPECT_NE(std::string(e.what()).find("não é um banco de dados válido"), std::string::npos) << e.what();
            }
            EXPECT_EQ(readAll(path), before) << name << " " << journal;
            EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
            EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
        }
    }

    // An empty file, and a game database that lacks some tables, get the
    // missing tables as before.
    Workspace::Default().CloseAll();
    std::filesystem::remove(folder.path() + "/hortas00.mdb");
    folder.write("hortas00.mdb", "");
    EXPECT_EQ(rows(*open(), "seq").size(), 21u);
    makeDatabase(folder.path() + "/hortas00.mdb", "DROP TABLE st; DROP TABLE seq;");
    EXPECT_EQ(rows(*open(), "seq").size(), 21u);
    EXPECT_TRUE(open()->TableExists("st"));
}

// Runs f in a child process (as another user when run by the superuser, whom
// permissions do not bind) and returns its exit code.
int inChild(const std::function<int()>& f, bool anotherUser) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (anotherUser && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(100);
        ::_exit(f());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(DbTest, ALockLeftByAnEndedRunKeepsNoOneOut) {
    // A run that ended without releasing its lock (the lock file stays).
    ASSERT_EQ(inChild(
                  [&] {
                      FolderLock lock(folder.path());
                      if (lock.Acquire() != FolderLock::Result::Acquired) return 1;
                      ::_exit(0);  // without releasing it
                  },
                  false),
              0);
    ASSERT_TRUE(std::filesystem::exists(FolderLock(folder.path()).FileName()));
    // In a folder this run cannot write, the old lock file still serves; with
    // none there, no lock can be taken, which keeps no one out either.
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_EQ(inChild([&] { return static_cast<int>(FolderLock(folder.path()).Acquire()); }, true),
              static_cast<int>(FolderLock::Result::Acquired));
    ::chmod(folder.path().c_str(), 0755);
    {
        const std::string semLock = folder.path() + "/sem_trava";
        std::filesystem::create_directory(semLock);
        ::chmod(semLock.c_str(), 0555);
        EXPECT_EQ(inChild([&] { return static_cast<int>(FolderLock(semLock).Acquire()); }, true),
                  static_cast<int>(FolderLock::Result::Unavailable));
    }
    // The file then names this run alone, however long the last run's entry.
    {
        std::ofstream(FolderLock(folder.path()).FileName()) << "123456789012\n";
    }
    FolderLock lock(folder.path());
    EXPECT_EQ(lock.Acquire(), FolderLock::Result::Acquired);
    std::ifstream nome(FolderLock(folder.path()).FileName());
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(nome), {}), std::to_string(::getpid()) + "\n");
    EXPECT_EQ(inChild([&] { return static_cast<int>(FolderLock(folder.path()).Acquire()); }, false),
              static_cast<int>(FolderLock::Result::HeldByAnother));
}

bool sh(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// A small disk of 1 KB blocks (what mkfs.ext4 makes of a small file system,
// a USB stick included) that an ordinary user fills but for a few
// kilobytes: the game there, and reached through a link from another disk,
// opens and reads; a write that finds no room is refused as "o disco está
// cheio" and leaves the rows as they were; nothing ends the program.
TEST_F(DbTest, AFullDiskIsARefusedWriteNeverACrash) {
    const std::string disk = folder.path() + "/disco", image = folder.path() + "/disco.img";
    std::filesystem::create_directory(disk);
    if (::geteuid() != 0 || !sh("truncate -s 8M '" + image + "' && mkfs.ext4 -q -F -b 1024 '" + image +
                                 "' && mount -o loop '" + image + "' '" + disk + "'"))
        GTEST_SKIP() << "no small disk can be mounted here (it takes the superuser and a loop device)";
    struct Unmount {
        std::string disk;
        ~Unmount() { sh("umount '" + disk + "'"); }
    } unmount{disk};
    ::chmod(folder.path().c_str(), 0755);
    ::chown(disk.c_str(), 65534, 65534);
    ::chown(folder.path().c_str(), 65534, 65534);
    const std::string file = disk + "/hortas00.mdb", link = folder.path() + "/ligado.mdb";
    std::filesystem::create_symlink(file, link);
    auto write = [](const std::string& path, int rows) {
        auto db = Workspace::Default().OpenDatabase(path);
        auto rs = db->OpenRecordset("relat");
        db->BeginTrans();
        try {
            for (int i = 0; i < rows; ++i) {
                rs->AddNew();
                rs->SetField("cultura", std::string(500, 'a' + i % 26));
                rs->Update();
            }
            db->CommitTrans();
        } catch (const DbError&) {
            db->Rollback();  // after the engine's own: says nothing of its own
            throw;
        }
    };
    auto count = [](const std::string& path) {
        return static_cast<int>(Workspace::Default().OpenDatabase(path)->OpenRecordset("relat")->RecordCount());
    };
    ASSERT_EQ(inChild([&] { return write(file, 10), Workspace::Default().CloseAll(), 0; }, true), 0);
    ASSERT_FALSE(std::filesystem::exists(file + "-wal"));

    for (int free : {29, 19, 9}) {
        // Filled by the user: a spare file of `free` KB, the rest, then the spare goes.
        ASSERT_EQ(inChild(
                      [&] {
                          std::ofstream(disk + "/folga") << std::string(free * 1024, 'f');
                          std::ofstream fill(disk + "/cheio", std::ios::app);
                          const std::string block(1024, 'c');
                          while (fill.write(block.data(), block.size()) && fill.flush()) {
                          }
                          ::sync();
                          return std::remove((disk + "/folga").c_str()) == 0 ? 0 : 1;
                      },
                      true),
                  0);
        for (const std::string& path : {file, link}) {
            const int result = inChild(
                [&] {
                    if (count(path) != 10) return 1;
                    try {
                        write(path, 200);
                        return 2;
                    } catch (const DbError& e) {
                        if (std::string(e.what()).find("o disco está cheio") == std::string::npos) return 3;
                    }
                    if (count(path) != 10) return 4;
                    ::_exit(0);  // as a kill: the log stays for the next opening
                },
                true);
            EXPECT_EQ(result, 0) << free << " KB free, " << path
                                 << " (-1: killed by a signal, 1 or 4: rows lost, 2: written, 3: another message)";
        }
        EXPECT_FALSE(std::filesystem::exists(file + "-shm"));
    }
    // Where only reading is possible, a log left beside the file is read
    // back only with room for its index.
    if (std::filesystem::exists(file + "-wal") && std::filesystem::file_size(file + "-wal") > 0) {
        ::chmod(file.c_str(), 0444);
        const int result = inChild(
            [&] {
                try {
                    return count(link) == 10 ? 0 : 1;
                } catch (const DbError& e) {
                    return std::string(e.what()).find("o disco está cheio") != std::string::npos ? 0 : 2;
                }
            },
            true);
        EXPECT_EQ(result, 0) << "-1: killed by a signal, 1: rows lost, 2: another message";
    }
}

TEST_F(DbTest, WritesKeepWhatTheyDoNotSetAndATriggerSpeaksForItself) {
    {
        auto db = open();
        sqlite3_exec(db->handle(),
                     "ALTER TABLE st ADD COLUMN nota TEXT NOT NULL DEFAULT 'nova';"
                     "CREATE TRIGGER sem_21 BEFORE INSERT ON st WHEN NEW.cod_cult = 21 "
                     "BEGIN SELECT RAISE(ABORT, 'pepino não'); END;",
                     nullptr, nullptr, nullptr);
        auto rs = db->OpenRecordset("st");
        rs->AddNew();
        rs->SetField("indice", 1);
        rs->SetField("cod_cult", 2);
        rs->Update();  // the field not set gets its default, not a null it refuses
        rs->MoveFirst();
        EXPECT_EQ(rs->Fields("nota").ToString(), "nova");
        sqlite3_exec(db->handle(), "UPDATE st SET nota = 'guardada'", nullptr, nullptr, nullptr);
        rs->Requery();
        rs->Edit();
        rs->SetField("cod_cult", 3);
        rs->Update();
        EXPECT_EQ(rows(*db, "st")[0][6].ToString(), "guardada");
        rs->AddNew();
        rs->SetField("indice", 2);
        rs->SetField("cod_cult", 21);
        try {
            rs->Update();
            ADD_FAILURE() << "the trigger let the row in";
        } catch (const DbError& e) {
            EXPECT_NE(std::string(e.what()).find("recusou a alteração (pepino não)"), std::string::npos) << e.what();
        }
    }
}

// The program is told of each connection handed back with writes in its log
// (to have the logs emptied at a quiet moment), on its own thread only: a
// read tells nothing, nor does another thread's write.
TEST_F(DbTest, AWriteHandedBackIsToldOnTheThreadThatAsked) {
    open()->Close();  // made, with its tables
    int ditos = 0;
    Workspace::Default().OnLogWritten([&] { ++ditos; });
    rows(*open(), "seq");
    EXPECT_EQ(ditos, 0);
    rewrite(*open(), "seq", {{1, 2}});
    EXPECT_EQ(ditos, 1);
    std::thread([&] { rewrite(*open(), "seq", {{3, 4}}); }).join();
    EXPECT_EQ(ditos, 1);
    Workspace::Default().OnLogWritten(nullptr);
}

// Writes that need not wait for the disk are still committed and seen by the
// next opening, which gets the connection back waiting for the disk. A close
// leaves the log as it is; emptying the logs, and the end of the program,
// write it into the file, whatever the durability of the writes.
TEST_F(DbTest, WritesThatNeedNotWaitForTheDiskKeepTheNextOnesDurable) {
    auto synchronous = [](Database& db) {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db.handle(), "PRAGMA synchronous", -1, &st, nullptr);
        const int v = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : -1;
        sqlite3_finalize(st);
        return v;
    };
    const std::string wal = folder.path() + "/hortas00.mdb-wal";
    {
        auto db = open();
        db->SetDurable(false);
        rewrite(*db, "seq", {{1, 2}, {21, 3}});
    }
    EXPECT_GT(std::filesystem::file_size(wal), 0u);
    auto db = open();
    EXPECT_EQ(synchronous(*db), 2);  // FULL
    EXPECT_EQ(rows(*db, "seq").size(), 2u);
    rewrite(*db, "seq", {{4, 5}});
    db->Close();
    EXPECT_GT(std::filesystem::file_size(wal), 0u);
    Workspace::Default().EmptyLogs();
    EXPECT_EQ(std::filesystem::file_size(wal), 0u);
    db = open();
    db->SetDurable(false);
    rewrite(*db, "seq", {{6, 7}});
    db->Close();
    Workspace::Default().CloseAll();
    EXPECT_FALSE(std::filesystem::exists(wal));
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/hortas00.mdb-shm"));
    EXPECT_EQ(rows(*open(), "seq"), (std::vector<std::vector<Value>>{{6, 7}}));
}

TEST_F(DbTest, ACopyIsWholeUnderItsNameAndReplacesNothing) {
    auto db = open();
    const std::string copy = folder.path() + "/copia.mdb";
    folder.write("copia.mdb.tmp", "a copy cut short");
    EXPECT_TRUE(db->CopyTo(copy));
    EXPECT_FALSE(std::filesystem::exists(copy + ".tmp"));
    EXPECT_EQ(readAll(copy).substr(0, 15), "SQLite format 3");
    EXPECT_FALSE(db->CopyTo(copy));
    folder.write("outra", "x");
    EXPECT_FALSE(CopyFileWhole(copy, folder.path() + "/outra"));
    EXPECT_EQ(readAll(folder.path() + "/outra"), "x");
    // A write that fails part-way (the disk takes no more than 64 KB a file):
    // the copy does not take its name.
    folder.write("grande", std::string(1 << 20, 'g'));
    EXPECT_EQ(inChild(
                  [&] {
                      ::signal(SIGXFSZ, SIG_IGN);
                      const rlimit disco{1 << 16, 1 << 16};
                      ::setrlimit(RLIMIT_FSIZE, &disco);
                      try {
                          return CopyFileWhole(folder.path() + "/grande", folder.path() + "/nova") ? 1 : 0;
                      } catch (const std::exception&) {
                          return 0;
                      }
                  },
                  false),
              0);
    EXPECT_FALSE(std::filesystem::exists(folder.path() + "/nova"));
    EXPECT_EQ(FreeFileName(folder.path() + "/outra", ""), folder.path() + "/outra-2");
    EXPECT_THROW(db->CopyTo(folder.path() + "/nao/existe.mdb"), DbError);
}

TEST(ValueTest, Conversions) {
    EXPECT_EQ(Value(true).ToInt(), -1);
    EXPECT_EQ(Value(false).ToInt(), 0);
    EXPECT_EQ(Value(2.5).ToInt(), 2);  // halves to even
    EXPECT_EQ(Value(3.5).ToInt(), 4);
    EXPECT_EQ(Value(-1.5).ToInt(), -2);
    EXPECT_EQ(Value("12abc").ToInt(), 12);
    EXPECT_EQ(Value().ToInt(-1), -1);
    EXPECT_EQ(Value(7).ToString(), "7");
    EXPECT_EQ(Value(0.25).ToString(), "0.25");
    EXPECT_TRUE(Value("True").ToBool());
    EXPECT_TRUE(Value(-1).ToBool());
    EXPECT_FALSE(Value("0").ToBool());
    EXPECT_EQ(Value("2026-12-09 08:30:00").ToDate(), MakeDateTime(2026, 12, 9, 8, 30, 0));
    EXPECT_EQ(Value("2026-12-09").ToDate(), DateSerial(2026, 12, 9));
    EXPECT_EQ(Value(MakeDateTime(2026, 12, 9, 8, 30, 0)).ToDate(), MakeDateTime(2026, 12, 9, 8, 30, 0));
}

}  // namespace

// A new file is made whole: what a cut creation left under the temporary
// name is no obstacle and does not stay, and the file comes already in its
// log mode with its tables, so that its next openings only read it.
TEST_F(DbTest, ANewFileIsMadeWholeInItsLogMode) {
    const std::string path = folder.path() + "/gm.mdb";
    folder.write("gm.mdb.tmp", "parte de uma cópia");
    {
        auto db = open("\\gm.mdb");
        EXPECT_TRUE(rows(*db, "gm").empty());
        rewrite(*db, "gm", {{"F", "1", "Ana", "00012", "09/12/26"}});
    }
    Workspace::Default().CloseAll();
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    const std::string header = readAll(path).substr(18, 2);
    EXPECT_EQ(header, std::string("\x02\x02", 2));  // write-ahead log, to read and to write
    EXPECT_EQ(rows(*open("\\gm.mdb"), "gm").size(), 1u);
}

// A commit that makes the log pass the engine's usual 1000 pages leaves it
// for later (no one waits then); the end of the program empties it.
TEST_F(DbTest, TheLogIsEmptiedAtTheEndNotByALargeCommit) {
    const std::string log = folder.path() + "/hortas00.mdb-wal";
    {
        auto db = open();
        std::vector<std::vector<Value>> linhas(1500, {1, 0, "LI", std::string(3000, 'x'), "alface", 1, "HORTA"});
        rewrite(*db, "relat", linhas);
    }
    const std::string file = folder.path() + "/hortas00.mdb";
    EXPECT_LT(std::filesystem::file_size(file), 1000u * 4096u);  // the rows are all in the log yet
    EXPECT_EQ(rows(*open(), "relat").size(), 1500u);
    Workspace::Default().CloseAll();
    EXPECT_GT(std::filesystem::file_size(file), 1000u * 4096u);
    EXPECT_TRUE(!std::filesystem::exists(log) || std::filesystem::file_size(log) == 0);
}
