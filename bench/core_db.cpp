// The game's save and load of its state (100 beds, 22 lots, 21 order rows in
// the tables "st", "sem" and "seq"), timed through the game's own code
// (model::grava_horta, model::le_horta and model::le_seq). A save is timed
// after a week has passed, every bed's and lot's age changed, as the week's
// save at start-up and the saves of a season write; its reference is raw
// SQLite writing the same changes (an UPDATE of each row) in one transaction
// with the same durability (write-ahead log, full sync at the commit) on a
// connection kept open and holding its file, as the database layer keeps its
// own. The two saves alternate, so both see the same disk at the same
// moment; the result is the medians and the median of the per-pair ratios.
//
// The first opening of a database file that does not exist yet (as the
// ranking's at the first memory game) is timed through the layer against
// raw SQLite making the same file as the layer made it before (log mode set
// on the new file, then its table created in a transaction, full sync) and
// against one commit of one row on a file already made (the cost the opening
// may have), the three alternating.

#include <sqlite3.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/modelo.h"
#include "model/persistencia.h"
#include "platform/db.h"
#include "platform/paths.h"
#include "platform/schema.h"
#include "inicio/mediana.h"

namespace {

namespace fs = std::filesystem;

const fs::path& pasta() {
    static const fs::path p = [] {
        fs::path d = fs::path(BROTALIA_BENCH_SCRATCH) / "core_db";
        fs::remove_all(d);
        fs::create_directories(d);
        return d;
    }();
    return p;
}

// A season's state: every bed and lot in use, as late in the game.
void prepara_estado() {
    model::reinicia_estado();
    model::reinicia_banco();
    model::define_caminho_banco((pasta() / "hortas00.mdb").string());
    auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i) {
        h.cult_can[i] = i % (model::n_culturas + 1);
        h.idade_can[i] = i % 9;
        h.check_can[i] = i % 2;
        h.ult_cult[i] = i % 5 - 1;
        h.penult_cult[i] = i % 7 - 1;
    }
    for (int j = 0; j < model::n_lotes; ++j) {
        h.cult_sem[j] = j % 14;
        h.idade_sem[j] = j % 4;
        h.check_sem[j] = j % 2;
    }
    for (int k = 1; k <= model::n_culturas; ++k) h.seq_cult[k] = k % 3;
}

// A week passes: every age moves on (kept small, so that no crop reaches
// the end of its cycle and every row changes at every week).
void passa_uma_semana() {
    auto& h = model::horta();
    for (int i = 0; i < model::n_canteiros; ++i) {
        h.idade_can[i] = (h.idade_can[i] + 1) % 9;
        h.check_can[i] = false;
    }
    for (int j = 0; j < model::n_lotes; ++j) {
        h.idade_sem[j] = (h.idade_sem[j] + 1) % 4;
        h.check_sem[j] = false;
    }
}

// The same changes written by raw SQLite into a database of the same tables
// holding the same rows.
class Cru {
public:
    explicit Cru(const std::string& arquivo) {
        // The tables made as the game makes them.
        platform::Workspace::Default().OpenDatabase(arquivo)->Close();
        platform::Workspace::Default().CloseAll();
        sqlite3_open(arquivo.c_str(), &db_);
        sqlite3_exec(db_, "PRAGMA locking_mode = EXCLUSIVE; PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL;",
                     nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "DELETE FROM st; DELETE FROM sem; DELETE FROM seq;", nullptr, nullptr, nullptr);
        for (int i = 0; i < model::n_canteiros; ++i)
            sqlite3_exec(db_, ("INSERT INTO st (indice) VALUES (" + std::to_string(i) + ")").c_str(), nullptr, nullptr,
                         nullptr);
        for (int j = 0; j < model::n_lotes; ++j)
            sqlite3_exec(db_, ("INSERT INTO sem (indice) VALUES (" + std::to_string(j) + ")").c_str(), nullptr,
                         nullptr, nullptr);
        for (int k = 1; k <= model::n_culturas; ++k)
            sqlite3_exec(db_, ("INSERT INTO seq (indice) VALUES (" + std::to_string(k) + ")").c_str(), nullptr,
                         nullptr, nullptr);
        sqlite3_prepare_v2(db_, "UPDATE st SET cod_cult = ?, idade = ?, \"check\" = ?, last_i_cu = ?, "
                                "last_last_i_cu = ? WHERE indice = ?", -1, &st_, nullptr);
        sqlite3_prepare_v2(db_, "UPDATE sem SET cod_cult = ?, idade = ?, \"check\" = ? WHERE indice = ?", -1, &sem_,
                           nullptr);
        sqlite3_prepare_v2(db_, "UPDATE seq SET seq = ? WHERE indice = ?", -1, &seq_, nullptr);
    }
    ~Cru() {
        sqlite3_finalize(st_);
        sqlite3_finalize(sem_);
        sqlite3_finalize(seq_);
        sqlite3_close(db_);
    }
    bool ok() const { return st_ && sem_ && seq_; }

    bool grava() {
        const auto& h = model::horta();
        bool ok = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        auto passo = [&](sqlite3_stmt* s, std::initializer_list<int> v) {
            int i = 1;
            for (int x : v) sqlite3_bind_int(s, i++, x);
            ok = ok && sqlite3_step(s) == SQLITE_DONE && sqlite3_changes(db_) == 1;
            sqlite3_reset(s);
        };
        for (int i = 0; i < model::n_canteiros; ++i)
            passo(st_, {h.cult_can[i], h.idade_can[i], h.check_can[i] ? -1 : 0, h.ult_cult[i], h.penult_cult[i], i});
        for (int j = 0; j < model::n_lotes; ++j) passo(sem_, {h.cult_sem[j], h.idade_sem[j], h.check_sem[j] ? -1 : 0, j});
        for (int k = 1; k <= model::n_culturas; ++k) passo(seq_, {h.seq_cult[k], k});
        return sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
    }

private:
    sqlite3* db_ = nullptr;
    sqlite3_stmt *st_ = nullptr, *sem_ = nullptr, *seq_ = nullptr;
};

double ms_de(const std::function<void()>& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

void BM_GravacaoDoJogoContraSqliteCru(benchmark::State& state) {
    prepara_estado();
    // The raw file has the game's name (its tables are made by that name)
    // in a folder of its own.
    fs::create_directories(pasta() / "cru");
    Cru cru((pasta() / "cru" / "hortas00.mdb").string());
    std::string erro;
    if (!cru.ok() || !model::grava_horta(&erro) || !cru.grava()) {
        state.SkipWithError(("a gravação falhou: " + erro + (cru.ok() ? "" : " (SQLite cru sem as tabelas)")).c_str());
        return;
    }
    std::vector<double> jogo, ref, razao;
    for (auto _ : state) {
        passa_uma_semana();
        bool ok = true;
        const double j = ms_de([&] { ok = model::grava_horta(&erro); });
        const double r = ms_de([&] { ok = cru.grava() && ok; });
        if (!ok) {
            state.SkipWithError(("a gravação falhou: " + erro).c_str());
            return;
        }
        jogo.push_back(j);
        ref.push_back(r);
        razao.push_back(j / r);
        state.SetIterationTime(j / 1000);
    }
    state.counters["jogo_mediana_ms"] = mediana(jogo);
    state.counters["sqlite_cru_mediana_ms"] = mediana(ref);
    state.counters["razao_mediana"] = mediana(razao);
    std::printf("Gravação depois de uma semana (143 linhas, todas as idades mudadas, uma transação, log WAL com "
                "sincronia total), %zu pares: jogo %.2f ms, "
                "SQLite cru %.2f ms, razão mediana %.2f\n",
                jogo.size(), mediana(jogo), mediana(ref), mediana(razao));
    std::fflush(stdout);
}
BENCHMARK(BM_GravacaoDoJogoContraSqliteCru)->UseManualTime()->Iterations(101)->Unit(benchmark::kMillisecond);

// The ranking's one table, under a name of the benchmark's own.
[[maybe_unused]] const bool ranking_registrado = platform::RegisterTables(
    "novo.mdb", {{"gm", {{"peq_gra", "TEXT"}, {"tipo", "TEXT"}, {"nome", "TEXT"}, {"valor", "TEXT"}, {"dta", "TEXT"}}}});

constexpr const char* kCriaRanking =
    "CREATE TABLE \"gm\" (\"peq_gra\" TEXT, \"tipo\" TEXT, \"nome\" TEXT, \"valor\" TEXT, \"dta\" TEXT)";

void apaga_banco(const fs::path& f) {
    for (const char* s : {"", "-wal", "-journal", "-shm"}) fs::remove(f.string() + s);
}

void BM_PrimeiraAberturaContraSqliteCru(benchmark::State& state) {
    const fs::path dir = pasta() / "abertura";
    fs::create_directories(dir);
    const fs::path jogo_f = dir / "novo.mdb", cru_f = dir / "cru.mdb", commit_f = dir / "commit.mdb";
    sqlite3* c = nullptr;
    sqlite3_open(commit_f.string().c_str(), &c);
    sqlite3_exec(c, (std::string("PRAGMA locking_mode = EXCLUSIVE; PRAGMA journal_mode = WAL; "
                                 "PRAGMA synchronous = FULL; ") + kCriaRanking).c_str(), nullptr, nullptr, nullptr);
    std::vector<double> jogo, cru, commit;
    for (auto _ : state) {
        apaga_banco(jogo_f);
        apaga_banco(cru_f);
        bool ok = true;
        const double j = ms_de([&] {
            try {
                platform::Workspace::Default().OpenDatabase(jogo_f.string())->Close();
            } catch (const std::exception&) {
                ok = false;
            }
        });
        sqlite3* h = nullptr;
        const double r = ms_de([&] {
            ok = sqlite3_open(cru_f.string().c_str(), &h) == SQLITE_OK && ok;
            ok = sqlite3_exec(h, "PRAGMA mmap_size = 0; PRAGMA locking_mode = EXCLUSIVE; PRAGMA journal_mode = WAL; "
                                 "PRAGMA synchronous = FULL; BEGIN IMMEDIATE",
                              nullptr, nullptr, nullptr) == SQLITE_OK && ok;
            ok = sqlite3_exec(h, kCriaRanking, nullptr, nullptr, nullptr) == SQLITE_OK && ok;
            ok = sqlite3_exec(h, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && ok;
        });
        const double u = ms_de([&] {
            ok = sqlite3_exec(c, "BEGIN IMMEDIATE; INSERT INTO gm (nome) VALUES ('Ana'); COMMIT", nullptr, nullptr,
                              nullptr) == SQLITE_OK && ok;
        });
        sqlite3_close(h);
        platform::Workspace::Default().CloseAll();
        if (!ok) {
            state.SkipWithError("a abertura falhou");
            sqlite3_close(c);
            return;
        }
        jogo.push_back(j);
        cru.push_back(r);
        commit.push_back(u);
        state.SetIterationTime(j / 1000);
    }
    sqlite3_close(c);
    state.counters["jogo_mediana_ms"] = mediana(jogo);
    state.counters["cru_como_antes_mediana_ms"] = mediana(cru);
    state.counters["um_commit_mediana_ms"] = mediana(commit);
    std::printf("Primeira abertura de um banco que não existe, %zu vezes: jogo %.2f ms, SQLite cru como era feito "
                "%.2f ms, um commit de uma linha %.2f ms\n",
                jogo.size(), mediana(jogo), mediana(cru), mediana(commit));
    std::fflush(stdout);
}
BENCHMARK(BM_PrimeiraAberturaContraSqliteCru)->UseManualTime()->Iterations(31)->Unit(benchmark::kMillisecond);

void BM_LeituraDoJogo(benchmark::State& state) {
    prepara_estado();
    std::string erro;
    if (!model::grava_horta(&erro)) {
        state.SkipWithError(("a gravação falhou: " + erro).c_str());
        return;
    }
    for (auto _ : state) {
        const bool ok = model::le_horta(&erro) && model::le_seq(&erro);
        if (!ok) {
            state.SkipWithError(("a leitura falhou: " + erro).c_str());
            return;
        }
    }
}
BENCHMARK(BM_LeituraDoJogo)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
