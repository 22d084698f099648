// Save and reload of the game state (100 beds, 22 lots, 21 order rows in the
// tables "st", "sem" and "seq") through the database layer, with durable
// commits, the way the game does it: open the database, open a table, delete
// every row and add the new ones inside a transaction, close.

#include "platform/clock.h"
#include "platform/db.h"
#include "platform/paths.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

using namespace platform;

namespace {

struct State {
    int crop[100], age[100], last[100], beforeLast[100];
    bool done[100];
    int lotCrop[22], lotAge[22], lotDone[22];
    int order[22];
};

State sample() {
    State s{};
    for (int i = 0; i < 100; ++i) {
        s.crop[i] = i % 22;
        s.age[i] = i % 9;
        s.done[i] = i % 2;
        s.last[i] = i % 5 - 1;
        s.beforeLast[i] = i % 7 - 1;
    }
    for (int i = 0; i < 22; ++i) {
        s.lotCrop[i] = i % 14;
        s.lotAge[i] = i % 4;
        s.lotDone[i] = -(i % 2);
        s.order[i] = i % 3;
    }
    return s;
}

const std::string kDb = "\\hortas00.mdb";

void prepareFolder() {
    static bool done = false;
    if (done) return;
    std::string dir = std::string(BROTALIA_BENCH_SCRATCH) + "/core_db";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    SetProgramFolder(dir);
    done = true;
}

void clear(Recordset& rs) {
    if (!rs.EOF_()) rs.MoveFirst();
    while (!rs.EOF_()) {
        rs.Delete();
        rs.MoveNext();
    }
}

void writeBeds(Recordset& rs, const State& s) {
    for (int i = 0; i < 100; ++i) {
        rs.AddNew();
        rs.SetField("indice", i);
        rs.SetField("cod_cult", s.crop[i]);
        rs.SetField("idade", s.age[i]);
        rs.SetField("check", s.done[i]);
        rs.SetField("last_i_cu", s.last[i]);
        rs.SetField("last_last_i_cu", s.beforeLast[i]);
        rs.Update();
    }
}

void writeLots(Recordset& rs, const State& s) {
    for (int i = 0; i < 22; ++i) {
        rs.AddNew();
        rs.SetField("indice", i);
        rs.SetField("cod_cult", s.lotCrop[i]);
        rs.SetField("idade", s.lotAge[i]);
        rs.SetField("check", s.lotDone[i]);
        rs.Update();
    }
}

void writeOrder(Recordset& rs, const State& s) {
    for (int i = 1; i <= 21; ++i) {
        rs.AddNew();
        rs.SetField("indice", i);
        rs.SetField("seq", s.order[i]);
        rs.Update();
    }
}

// The game's save: each table in its own opening and transaction.
void saveGame(const State& s) {
    auto table = [&](const char* name, void (*write)(Recordset&, const State&)) {
        auto db = Workspace::Default().OpenDatabase(ProgramFolder() + kDb);
        auto rs = db->OpenRecordset(name);
        db->BeginTrans();
        clear(*rs);
        write(*rs, s);
        db->CommitTrans();
        rs->Close();
        db->Close();
    };
    table("st", writeBeds);
    table("sem", writeLots);
    table("seq", writeOrder);
}

long loadGame(State& s) {
    long rows = 0;
    auto db = Workspace::Default().OpenDatabase(ProgramFolder() + kDb);
    for (auto rs = db->OpenRecordset("st"); !rs->EOF_(); rs->MoveNext(), ++rows) {
        int i = static_cast<int>(rs->Fields("indice").ToInt());
        s.crop[i] = static_cast<int>(rs->Fields("cod_cult").ToInt());
        s.age[i] = static_cast<int>(rs->Fields("idade").ToInt());
        s.done[i] = rs->Fields("check").ToBool();
        s.last[i] = static_cast<int>(rs->Fields("last_i_cu").ToInt(-1));
        s.beforeLast[i] = static_cast<int>(rs->Fields("last_last_i_cu").ToInt(-1));
    }
    for (auto rs = db->OpenRecordset("sem"); !rs->EOF_(); rs->MoveNext(), ++rows) {
        int i = static_cast<int>(rs->Fields("indice").ToInt());
        s.lotCrop[i] = static_cast<int>(rs->Fields("cod_cult").ToInt());
        s.lotAge[i] = static_cast<int>(rs->Fields("idade").ToInt());
        s.lotDone[i] = static_cast<int>(rs->Fields("check").ToInt());
    }
    for (auto rs = db->OpenRecordset("seq"); !rs->EOF_(); rs->MoveNext(), ++rows)
        s.order[rs->Fields("indice").ToInt()] = static_cast<int>(rs->Fields("seq").ToInt());
    db->Close();
    return rows;
}

void BM_SaveGameState(benchmark::State& st) {
    prepareFolder();
    State s = sample();
    for (auto _ : st) saveGame(s);
}
BENCHMARK(BM_SaveGameState)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

// All three tables in one opening and one transaction.
void BM_SaveGameStateOneTransaction(benchmark::State& st) {
    prepareFolder();
    State s = sample();
    for (auto _ : st) {
        auto db = Workspace::Default().OpenDatabase(ProgramFolder() + kDb);
        auto beds = db->OpenRecordset("st");
        auto lots = db->OpenRecordset("sem");
        auto order = db->OpenRecordset("seq");
        db->BeginTrans();
        clear(*beds);
        writeBeds(*beds, s);
        clear(*lots);
        writeLots(*lots, s);
        clear(*order);
        writeOrder(*order, s);
        db->CommitTrans();
        db->Close();
    }
}
BENCHMARK(BM_SaveGameStateOneTransaction)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

void BM_LoadGameState(benchmark::State& st) {
    prepareFolder();
    saveGame(sample());
    State s{};
    for (auto _ : st) {
        long rows = loadGame(s);
        if (rows != 143) st.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_LoadGameState)->Unit(benchmark::kMillisecond)->UseRealTime()->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
