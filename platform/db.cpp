#include "platform/db.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "platform/schema.h"
#include "platform/text.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <set>
#include <thread>

namespace platform {
namespace {

// A short Portuguese reason for an SQLite result code.
std::string reason(sqlite3* db, int rc) {
    // A disk with no room left fails a write, a sync, a truncation or the
    // making of a file, which the engine reports in as many ways: the
    // system's own error says which it was.
    if (db && ((rc & 0xFF) == SQLITE_IOERR || (rc & 0xFF) == SQLITE_CANTOPEN || (rc & 0xFF) == SQLITE_FULL)) {
        const int e = sqlite3_system_errno(db);
        if (e == ENOSPC || e == EDQUOT) return "o disco está cheio";
    }
    // A trigger's refusal carries its own words.
    if (rc == SQLITE_CONSTRAINT_TRIGGER)
        return std::string("uma regra do banco de dados recusou a alteração (") + (db ? sqlite3_errmsg(db) : "") + ")";
    switch (rc & 0xFF) {
        case SQLITE_FULL: return "o disco está cheio";
        case SQLITE_READONLY: return "o arquivo não pode ser gravado";
        case SQLITE_PERM: return "sem permissão de acesso ao arquivo";
        case SQLITE_BUSY:
        case SQLITE_LOCKED: return "o arquivo está em uso por outro programa";
        case SQLITE_NOTADB: return "o arquivo não é um banco de dados válido";
        case SQLITE_CORRUPT: return "o arquivo está danificado";
        case SQLITE_IOERR: return "erro de leitura ou gravação no disco";
        case SQLITE_CANTOPEN: return "o arquivo não pode ser aberto";
        case SQLITE_CONSTRAINT: return "um valor não é aceito pelo campo";
        default: break;
    }
    return db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
}

std::string quoted(const std::string& s) { return "\"" + s + "\""; }

std::string notWritable(const std::string& path) {
    return "O banco de dados " + quoted(path) + " não pode ser gravado (sem permissão de escrita).";
}

constexpr const char* diskFull = "o disco está cheio";

std::string notValid(const std::string& path) {
    return "O arquivo " + quoted(path) + " não é um banco de dados válido do " + ApplicationDisplayName() + ".";
}

std::int64_t clampToInt(double d) {
    if (std::isnan(d)) return 0;
    d = std::nearbyint(d);  // halves to even, as the classic integer conversion
    if (d >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (d <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(d);
}

void bind(sqlite3_stmt* st, int idx, const Value& v) {
    std::visit(
        [&](const auto& x) {
            using T = std::decay_t<decltype(x)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                sqlite3_bind_null(st, idx);
            else if constexpr (std::is_same_v<T, std::int64_t>)
                sqlite3_bind_int64(st, idx, x);
            else if constexpr (std::is_same_v<T, double>)
                sqlite3_bind_double(st, idx, x);
            else
                sqlite3_bind_text(st, idx, x.data(), static_cast<int>(x.size()), SQLITE_STATIC);
        },
        v.raw());
}

Value columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
        case SQLITE_INTEGER: return Value(static_cast<long long>(sqlite3_column_int64(st, i)));
        case SQLITE_FLOAT: return Value(sqlite3_column_double(st, i));
        case SQLITE_NULL: return Value();
        default: {
            const char* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
            return Value(std::string(t ? t : "", static_cast<size_t>(sqlite3_column_bytes(st, i))));
        }
    }
}

// RAII for a one-off statement.
struct Stmt {
    sqlite3_stmt* st = nullptr;
    ~Stmt() { sqlite3_finalize(st); }
};

// Whether the file under a fresh connection starts with the SQLite header.
// The bytes are read through the connection's own file handle: opening and
// closing another descriptor on the file would release every POSIX lock this
// process holds on it, the engine's locks of other connections included.
bool looksLikeSqlite(sqlite3* h, bool& empty) {
    sqlite3_file* f = nullptr;
    if (sqlite3_file_control(h, "main", SQLITE_FCNTL_FILE_POINTER, &f) != SQLITE_OK || !f || !f->pMethods)
        return false;
    sqlite3_int64 size = 0;
    if (f->pMethods->xFileSize(f, &size) != SQLITE_OK) return false;
    empty = size == 0;
    char header[16] = {};
    if (size < static_cast<sqlite3_int64>(sizeof header) || f->pMethods->xRead(f, header, sizeof header, 0) != SQLITE_OK)
        return false;
    return std::memcmp(header, "SQLite format 3", 16) == 0;
}

// A database that holds tables (or views, indexes, triggers) of its own but
// none of the tables the game expects in a file of this name: some other
// program's data, which the game must not add its tables to.
bool isForeign(sqlite3* h, const std::string& path) {
    const auto& tables = SchemaFor(path);
    if (tables.empty()) return false;
    Stmt q;
    if (sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\'", -1, &q.st,
                           nullptr) != SQLITE_OK)
        return false;
    bool own = false;
    while (sqlite3_step(q.st) == SQLITE_ROW) {
        const char* t = reinterpret_cast<const char*>(sqlite3_column_text(q.st, 0));
        const std::string name = t ? t : "";
        for (const auto& def : tables)
            if (SameNameIgnoringCase(def.name, name)) return false;
        own = true;
    }
    return own;
}

// The URI of a file for the engine's open (only '%', '?' and '#' need escaping).
std::string uriOf(const std::string& path) {
    std::string uri = "file:";
    for (char c : path) {
        if (c == '%' || c == '?' || c == '#') {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned char>(c));
            uri += hex;
        } else {
            uri += c;
        }
    }
    return uri;
}

std::string folderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseName(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The file a path names once its symbolic links are followed (the engine
// keeps its log beside that file), or the path itself when it cannot be told.
std::string target(const std::string& path) {
    char* r = ::realpath(path.c_str(), nullptr);
    if (!r) return path;
    std::string t = r;
    std::free(r);
    return t;
}

// Whether the disk of a folder has less than `need` bytes that anyone may
// use (the superuser's reserve aside: a system may keep back more than it
// says).
bool lacksRoom(const std::string& folder, unsigned long long need) {
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) != 0) return false;
    return static_cast<unsigned long long>(fs.f_bavail) * fs.f_frsize < need;
}

// Why a file cannot be written at `place` (an existing file, or one to be
// made or copied there, `need` bytes): in Portuguese, naming the folder
// whose fault it is. A full disk is always said as such.
std::string whyNotWritable(const std::string& place, unsigned long long need) {
    struct stat st {};
    if (::stat(place.c_str(), &st) == 0 && ::access(place.c_str(), W_OK) != 0)
        return errno == EROFS ? "o disco só pode ser lido" : "sem permissão de escrita";
    const std::string folder = folderOf(place);
    // The folder, or the nearest folder above it that exists.
    std::string at = folder;
    while (::stat(at.c_str(), &st) != 0 && at != "/" && at != ".") at = folderOf(at);
    const std::string made = at == folder ? "gravada" : "criada";
    std::string why;
    if (::access(at.c_str(), W_OK) != 0)
        why = errno == EROFS ? "o disco só pode ser lido" : "sem permissão de escrita";
    else if (lacksRoom(at, need))
        return diskFull;
    else if (at == folder)
        return "o arquivo não pôde ser copiado para a pasta " + quoted(folder);
    if (at != folder && !why.empty()) why += " em " + quoted(at);
    return "a pasta " + quoted(folder) + " não pode ser " + made + (why.empty() ? "" : " (" + why + ")");
}

}  // namespace

std::string QuoteIdentifier(const std::string& name) {
    std::string r = "\"";
    for (char c : name) {
        if (c == '"') r += '"';
        r += c;
    }
    return r + "\"";
}

// ---------------------------------------------------------------- Value

std::int64_t Value::ToInt(std::int64_t ifNull) const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return *p;
    if (auto p = std::get_if<double>(&v_)) return clampToInt(*p);
    if (auto p = std::get_if<std::string>(&v_)) return clampToInt(Val(*p));
    return ifNull;
}

double Value::ToDouble(double ifNull) const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*p);
    if (auto p = std::get_if<double>(&v_)) return *p;
    if (auto p = std::get_if<std::string>(&v_)) return Val(*p);
    return ifNull;
}

std::string Value::ToString(const std::string& ifNull) const {
    if (auto p = std::get_if<std::int64_t>(&v_)) return std::to_string(*p);
    if (auto p = std::get_if<double>(&v_)) return NumText(*p);
    if (auto p = std::get_if<std::string>(&v_)) return *p;
    return ifNull;
}

bool Value::ToBool(bool ifNull) const {
    if (auto p = std::get_if<std::string>(&v_)) {
        std::string t = LCase(Trim(*p));
        if (t == "true" || t == "verdadeiro") return true;
        return Val(t) != 0;
    }
    if (IsNull()) return ifNull;
    return ToDouble() != 0;
}

DateTime Value::ToDate(DateTime ifNull) const {
    if (auto p = std::get_if<std::string>(&v_)) {
        int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0;
        int n = std::sscanf(p->c_str(), "%d-%d-%d%*[ T]%d:%d:%d", &y, &mo, &d, &h, &mi, &s);
        if (n >= 3) return MakeDateTime(y, mo, d, h, mi, s);
        return DateTime(Val(*p));
    }
    if (IsNull()) return ifNull;
    return DateTime(ToDouble());
}

// ---------------------------------------------------------------- Recordset

Recordset::Recordset(Database* db, std::string table, std::vector<std::string> orderBy)
    : db_(db), table_(std::move(table)), orderBy_(std::move(orderBy)) {
    reload();
}

Recordset::~Recordset() { Close(); }

void Recordset::requireOpen() const {
    if (closed_ || !db_) throw DbError("A tabela " + quoted(table_) + " já foi fechada.");
}

void Recordset::reload() {
    requireOpen();
    std::string sql = "SELECT rowid, * FROM " + QuoteIdentifier(table_) + " ORDER BY ";
    for (const auto& c : orderBy_) sql += QuoteIdentifier(c) + ", ";
    sql += "rowid";
    Stmt q;
    int rc = sqlite3_prepare_v2(db_->db_, sql.c_str(), -1, &q.st, nullptr);
    if (rc != SQLITE_OK) {
        if (!db_->TableExists(table_))
            throw DbError("A tabela " + quoted(table_) + " não existe no banco de dados " + quoted(db_->path_) + ".");
        throw DbError("Erro ao ler a tabela " + quoted(table_) + " do banco de dados " + quoted(db_->path_) + ": " +
                      reason(db_->db_, rc) + ".");
    }
    int n = sqlite3_column_count(q.st);
    columns_.clear();
    for (int i = 1; i < n; ++i) columns_.push_back(sqlite3_column_name(q.st, i));
    rowids_.clear();
    rows_.clear();
    while ((rc = sqlite3_step(q.st)) == SQLITE_ROW) {
        rowids_.push_back(sqlite3_column_int64(q.st, 0));
        std::vector<Value> row;
        row.reserve(columns_.size());
        for (int i = 1; i < n; ++i) row.push_back(columnValue(q.st, i));
        rows_.push_back(std::move(row));
    }
    if (rc != SQLITE_DONE)
        throw DbError("Erro ao ler a tabela " + quoted(table_) + " do banco de dados " + quoted(db_->path_) + ": " +
                      reason(db_->db_, rc) + ".");
    pos_ = 0;
    currentDeleted_ = false;
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::finalize() {
    sqlite3_finalize(insert_);
    sqlite3_finalize(update_);
    sqlite3_finalize(delete_);
    insert_ = update_ = delete_ = nullptr;
}

void Recordset::detach() {
    finalize();
    db_ = nullptr;
    closed_ = true;
}

void Recordset::Close() {
    if (closed_) return;
    finalize();
    if (db_) {
        auto& v = db_->open_;
        v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    db_ = nullptr;
    closed_ = true;
}

bool Recordset::EOF_() const { return !currentDeleted_ && pos_ >= static_cast<long>(rows_.size()); }
bool Recordset::BOF() const { return pos_ < 0 || rows_.empty(); }
long Recordset::RecordCount() const { return static_cast<long>(rows_.size()); }

void Recordset::MoveFirst() {
    requireOpen();
    mode_ = Mode::None;
    currentDeleted_ = false;
    pos_ = 0;
}

void Recordset::MoveLast() {
    requireOpen();
    mode_ = Mode::None;
    currentDeleted_ = false;
    pos_ = rows_.empty() ? 0 : static_cast<long>(rows_.size()) - 1;
}

void Recordset::MoveNext() {
    requireOpen();
    mode_ = Mode::None;
    if (currentDeleted_) {
        currentDeleted_ = false;  // the row after the deleted one moved into its place
        return;
    }
    if (pos_ < static_cast<long>(rows_.size())) ++pos_;
}

int Recordset::column(const std::string& name) const {
    // Exact spelling first (the common case, no allocation), then any case.
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i] == name) return static_cast<int>(i);
    for (size_t i = 0; i < columns_.size(); ++i)
        if (SameNameIgnoringCase(columns_[i], name)) return static_cast<int>(i);
    throw DbError("O campo " + quoted(name) + " não existe na tabela " + quoted(table_) + ".");
}

Value Recordset::Fields(const std::string& name) const {
    requireOpen();
    int c = column(name);
    if (mode_ != Mode::None) return pending_[c];
    if (currentDeleted_ || pos_ < 0 || pos_ >= static_cast<long>(rows_.size()))
        throw DbError("Não há registro atual na tabela " + quoted(table_) + ".");
    return rows_[pos_][c];
}

void Recordset::SetField(const std::string& name, Value v) {
    requireOpen();
    int c = column(name);
    if (mode_ == Mode::None)
        throw DbError("O campo " + quoted(name) + " da tabela " + quoted(table_) +
                      " só pode ser alterado durante uma edição ou inclusão.");
    pending_[c] = std::move(v);
    touched_[c] = true;
}

void Recordset::Edit() {
    requireOpen();
    if (currentDeleted_ || pos_ < 0 || pos_ >= static_cast<long>(rows_.size()))
        throw DbError("Não há registro atual na tabela " + quoted(table_) + " para editar.");
    pending_ = rows_[pos_];
    touched_.assign(columns_.size(), false);
    mode_ = Mode::Edit;
}

void Recordset::AddNew() {
    requireOpen();
    pending_.assign(columns_.size(), Value());
    touched_.assign(columns_.size(), false);
    mode_ = Mode::Add;
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
    pending_.clear();
}

sqlite3_stmt* Recordset::prepared(sqlite3_stmt*& slot, const std::function<std::string()>& sqlText) {
    if (!slot) {
        const std::string sql = sqlText();
        int rc = sqlite3_prepare_v3(db_->db_, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &slot, nullptr);
        if (rc != SQLITE_OK) {
            slot = nullptr;
            throw DbError("Erro ao gravar na tabela " + quoted(table_) + " do banco de dados " + quoted(db_->path_) +
                          ": " + reason(db_->db_, rc) + ".");
        }
    }
    return slot;
}

void Recordset::Update() {
    requireOpen();
    db_->requireWritable();
    if (mode_ == Mode::None)
        throw DbError("Não há edição nem inclusão em andamento na tabela " + quoted(table_) + ".");
    const int n = static_cast<int>(columns_.size());
    // Only the fields set are written: the others keep what the row holds
    // (or get the column's default in a new row), so fields this program
    // does not know are left as they are.
    std::vector<int> set;
    for (int i = 0; i < n; ++i)
        if (touched_[i]) set.push_back(i);
    if (mode_ == Mode::Edit && set.empty()) {
        mode_ = Mode::None;
        pending_.clear();
        return;
    }
    db_->wrote_ = true;
    sqlite3_stmt* st;
    auto& slot = mode_ == Mode::Add ? insert_ : update_;
    auto& slotFields = mode_ == Mode::Add ? insertFields_ : updateFields_;
    if (slotFields != set) {
        sqlite3_finalize(slot);
        slot = nullptr;
        slotFields = set;
    }
    if (mode_ == Mode::Add) {
        st = prepared(slot, [&] {
            if (set.empty()) return "INSERT INTO " + QuoteIdentifier(table_) + " DEFAULT VALUES RETURNING *";
            std::string sql = "INSERT INTO " + QuoteIdentifier(table_) + " (";
            std::string marks;
            for (size_t k = 0; k < set.size(); ++k) {
                sql += (k ? ", " : "") + QuoteIdentifier(columns_[set[k]]);
                marks += k ? ", ?" : "?";
            }
            return sql + ") VALUES (" + marks + ") RETURNING *";
        });
    } else {
        st = prepared(slot, [&] {
            std::string sql = "UPDATE " + QuoteIdentifier(table_) + " SET ";
            for (size_t k = 0; k < set.size(); ++k) sql += (k ? ", " : "") + QuoteIdentifier(columns_[set[k]]) + " = ?";
            return sql + " WHERE rowid = ? RETURNING *";
        });
        sqlite3_bind_int64(st, static_cast<int>(set.size()) + 1, rowids_[pos_]);
    }
    for (size_t k = 0; k < set.size(); ++k) bind(st, static_cast<int>(k) + 1, pending_[set[k]]);
    int rc = sqlite3_step(st);
    // RETURNING gives the row as stored (after the column's type conversion).
    std::vector<Value> stored;
    if (rc == SQLITE_ROW) {
        stored.reserve(n);
        for (int i = 0; i < n; ++i) stored.push_back(columnValue(st, i));
        rc = sqlite3_step(st);
    }
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    if (rc != SQLITE_DONE || stored.size() != static_cast<size_t>(n))
        throw DbError("Erro ao gravar na tabela " + quoted(table_) + " do banco de dados " + quoted(db_->path_) +
                      ": " + reason(db_->db_, rc) + ".");
    if (mode_ == Mode::Add) {
        const long oldSize = static_cast<long>(rows_.size());
        rowids_.push_back(sqlite3_last_insert_rowid(db_->db_));
        rows_.push_back(std::move(stored));
        if (pos_ >= oldSize) pos_ = oldSize + 1;  // at the end stays at the end
    } else {
        rows_[pos_] = std::move(stored);
    }
    mode_ = Mode::None;
    pending_.clear();
}

void Recordset::Delete() {
    requireOpen();
    db_->requireWritable();
    if (currentDeleted_ || pos_ < 0 || pos_ >= static_cast<long>(rows_.size()))
        throw DbError("Não há registro atual na tabela " + quoted(table_) + " para excluir.");
    db_->wrote_ = true;
    sqlite3_stmt* st = prepared(delete_, [&] { return "DELETE FROM " + QuoteIdentifier(table_) + " WHERE rowid = ?"; });
    sqlite3_bind_int64(st, 1, rowids_[pos_]);
    int rc = sqlite3_step(st);
    sqlite3_reset(st);
    if (rc != SQLITE_DONE)
        throw DbError("Erro ao excluir um registro da tabela " + quoted(table_) + " do banco de dados " +
                      quoted(db_->path_) + ": " + reason(db_->db_, rc) + ".");
    rowids_.erase(rowids_.begin() + pos_);
    rows_.erase(rows_.begin() + pos_);
    currentDeleted_ = true;
    mode_ = Mode::None;
}

void Recordset::Requery() { reload(); }

// ---------------------------------------------------------------- Database

Database::Database(sqlite3* db, std::string path, Workspace* keeper, bool readOnly)
    : db_(db), path_(std::move(path)), keeper_(keeper), readOnly_(readOnly) {}

Database::~Database() {
    try {
        Close();
    } catch (...) {
    }
}

void Database::requireOpen() const {
    if (!db_) throw DbError("O banco de dados " + quoted(path_) + " já foi fechado.");
}

void Database::requireWritable() const {
    if (readOnly_) throw DbError(readOnlyWhy_.empty() ? notWritable(path_) : readOnlyWhy_);
}

void Database::fail(const char* what) const {
    throw DbError(std::string("Erro ao ") + what + " no banco de dados " + quoted(path_) + ": " +
                  reason(db_, sqlite3_extended_errcode(db_)) + ".");
}

void Database::exec(const std::string& sql, const char* what) {
    requireOpen();
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) fail(what);
}

bool Database::TableExists(const std::string& table) const {
    requireOpen();
    Stmt q;
    if (sqlite3_prepare_v2(db_, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE", -1,
                           &q.st, nullptr) != SQLITE_OK)
        return false;
    sqlite3_bind_text(q.st, 1, table.c_str(), -1, SQLITE_TRANSIENT);
    return sqlite3_step(q.st) == SQLITE_ROW;
}

std::unique_ptr<Recordset> Database::OpenRecordset(const std::string& table, const std::vector<std::string>& orderBy) {
    requireOpen();
    std::unique_ptr<Recordset> rs(new Recordset(this, table, orderBy));
    open_.push_back(rs.get());
    return rs;
}

void Database::BeginTrans() {
    requireOpen();
    requireWritable();
    wrote_ = true;
    if (depth_ == 0)
        exec("BEGIN IMMEDIATE", "iniciar uma transação");
    else
        exec("SAVEPOINT t" + std::to_string(depth_), "iniciar uma transação");
    ++depth_;
}

void Database::CommitTrans() {
    requireOpen();
    if (depth_ == 0) return;  // nothing to commit: every change was already written
    if (depth_ == 1)
        exec("COMMIT", "confirmar a transação");
    else
        exec("RELEASE t" + std::to_string(depth_ - 1), "confirmar a transação");
    --depth_;
}

void Database::Rollback() {
    requireOpen();
    if (depth_ == 0) return;
    if (sqlite3_get_autocommit(db_)) {
        // The engine already undid the whole transaction itself (as it does
        // when the disk is full): nothing is left to undo, and the failure
        // that caused it is the one to report.
        depth_ = 0;
    } else if (depth_ == 1) {
        exec("ROLLBACK", "desfazer a transação");
        depth_ = 0;
    } else {
        std::string name = "t" + std::to_string(depth_ - 1);
        exec("ROLLBACK TO " + name + "; RELEASE " + name, "desfazer a transação");
        --depth_;
    }
    // The rows in memory may hold undone changes: read them again.
    for (Recordset* rs : open_) rs->reload();
}

bool Database::CopyTo(const std::string& path) {
    requireOpen();
    // The engine writes a consistent copy through this connection, so the
    // file itself is never opened a second time; the copy takes its name
    // only once it is whole.
    try {
        return CreateFileWhole(path, [&](const std::string& temporary) {
            Stmt q;
            int rc = sqlite3_prepare_v2(db_, "VACUUM INTO ?", -1, &q.st, nullptr);
            if (rc == SQLITE_OK) {
                sqlite3_bind_text(q.st, 1, temporary.c_str(), -1, SQLITE_TRANSIENT);
                rc = sqlite3_step(q.st);
            }
            if (rc != SQLITE_DONE)
                throw DbError("Não foi possível copiar o banco de dados " + quoted(path_) + " para " + quoted(path) +
                              ": " + reason(db_, sqlite3_extended_errcode(db_)) + ".");
        });
    } catch (const DbError&) {
        throw;
    } catch (const std::exception& e) {
        throw DbError(e.what());
    }
}

void Database::SetDurable(bool durable) {
    requireOpen();
    if (durable == durable_ || readOnly_) return;
    exec(durable ? "PRAGMA synchronous = FULL" : "PRAGMA synchronous = NORMAL", "preparar");
    durable_ = durable;
}

void Database::Close() {
    if (!db_) return;
    for (Recordset* rs : open_) rs->detach();
    open_.clear();
    if (depth_ > 0) sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    depth_ = 0;
    // The kept connection is handed on durable, as every opening expects.
    if (!durable_) {
        sqlite3_exec(db_, "PRAGMA synchronous = FULL", nullptr, nullptr, nullptr);
        durable_ = true;
    }
    // The log is not written into the file here: closing costs nothing
    // beyond the commits already made. The workspace does it for the
    // connections it keeps once no one is waiting (EmptyLogs); a connection
    // not kept does it as it closes.
    const bool wrote = wrote_ && !readOnly_;
    wrote_ = false;
    if (keeper_)
        keeper_->release(path_, db_, wrote);
    else
        sqlite3_close_v2(db_);
    db_ = nullptr;
}

// ---------------------------------------------------------------- Workspace

Workspace& Workspace::Default() {
    static Workspace ws;
    return ws;
}

Workspace::~Workspace() {
    onLogWritten_ = nullptr;  // the end of the program: whoever it told may be gone already
    CloseAll();
}

void Workspace::OnLogWritten(std::function<void()> hook) {
    onLogWritten_ = std::move(hook);
    hookThread_ = std::this_thread::get_id();
}

void Workspace::EmptyLogs() {
    for (auto& [path, k] : kept_) {
        if (k.inUse || !k.wrote) continue;
        // A failure (a full disk) loses nothing: every commit stays in the
        // log, and the next try or the closing of the connection does it.
        if (sqlite3_wal_checkpoint_v2(k.db, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr) == SQLITE_OK)
            k.wrote = false;
    }
}

void Workspace::CloseAll() {
    EmptyLogs();
    for (auto it = kept_.begin(); it != kept_.end();) {
        // A connection in use is closed by its database's Close, which no
        // longer finds it here.
        if (!it->second.inUse) sqlite3_close_v2(it->second.db);
        it = kept_.erase(it);
    }
}

void Workspace::release(const std::string& path, sqlite3* db, bool wrote) {
    auto it = kept_.find(path);
    if (it == kept_.end() || it->second.db != db) {
        sqlite3_close_v2(db);
        return;
    }
    it->second.inUse = false;
    if (!wrote) return;
    it->second.wrote = true;
    if (onLogWritten_ && std::this_thread::get_id() == hookThread_) onLogWritten_();
}

namespace {

void createMissingTables(Database& db, sqlite3* h, const std::string& path) {
    const auto& tables = SchemaFor(path);
    if (tables.empty()) return;
    // The file's tables, in one reading of its catalogue: this runs at every
    // opening of the database.
    std::set<std::string> present;
    {
        Stmt q;
        if (sqlite3_prepare_v2(h, "SELECT name FROM sqlite_master WHERE type = 'table'", -1, &q.st, nullptr) == SQLITE_OK)
            while (sqlite3_step(q.st) == SQLITE_ROW)
                if (const unsigned char* n = sqlite3_column_text(q.st, 0)) present.insert(LCase(reinterpret_cast<const char*>(n)));
    }
    std::vector<const TableDef*> toCreate, toFill;
    for (const auto& t : tables) {
        if (!present.count(LCase(t.name))) {
            toCreate.push_back(&t);
        } else if (t.refillWhenEmpty && t.initialRows) {
            Stmt q;
            std::string sql = "SELECT 1 FROM " + QuoteIdentifier(t.name) + " LIMIT 1";
            if (sqlite3_prepare_v2(h, sql.c_str(), -1, &q.st, nullptr) == SQLITE_OK && sqlite3_step(q.st) == SQLITE_DONE)
                toFill.push_back(&t);
        }
    }
    if (toCreate.empty() && toFill.empty()) return;
    db.BeginTrans();
    auto fill = [&](const TableDef& t) {
        if (!t.initialRows) return;
        auto rs = db.OpenRecordset(t.name);
        for (const auto& row : t.initialRows()) {
            rs->AddNew();
            for (size_t i = 0; i < row.size(); ++i) rs->SetField(t.columns[i].name, row[i]);
            rs->Update();
        }
    };
    try {
        for (const TableDef* t : toCreate) {
            std::string sql = "CREATE TABLE " + QuoteIdentifier(t->name) + " (";
            for (size_t i = 0; i < t->columns.size(); ++i)
                sql += (i ? ", " : "") + QuoteIdentifier(t->columns[i].name) + " " + t->columns[i].type;
            if (sqlite3_exec(h, (sql + ")").c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
                throw DbError("Erro ao criar a tabela " + quoted(t->name) + " no banco de dados " + quoted(path) +
                              ": " + reason(h, sqlite3_extended_errcode(h)) + ".");
            fill(*t);
        }
        for (const TableDef* t : toFill) fill(*t);
        db.CommitTrans();
    } catch (...) {
        db.Rollback();
        throw;
    }
}

// A connection that only reads a file with a log beside it reads the log
// through a shared-memory index the engine maps beside the file and fills
// through the mapping: on a full disk that would end the program (SIGBUS)
// instead of failing. Such a file is opened only when the disk of the file
// the path leads to (links followed, as the engine does) has room for that
// index (32 KB for every 4062 pages of log, the pages 512 bytes at the
// least), with some to spare. A connection that writes keeps its index in
// its own memory (see OpenDatabase) and needs no such room.
void requireRoomForIndex(const std::string& real) {
    const std::string file = target(real);
    struct stat log {};
    if (::stat((file + "-wal").c_str(), &log) != 0 || log.st_size == 0) return;
    if (lacksRoom(folderOf(file), 64 * 1024 + static_cast<unsigned long long>(log.st_size) / 64))
        throw DbError("Não foi possível abrir o banco de dados " + quoted(real) + ": " + diskFull + ".");
}

}  // namespace

std::unique_ptr<Database> Workspace::OpenDatabase(const std::string& path) {
    std::string real = ResolvePath(path);
    // Where this run writes in a data folder of its own, the file is opened
    // there (copied from the program folder first); a file that cannot be
    // copied is read where it is.
    std::string forWrite;
    if (!real.empty()) {
        forWrite = ResolvePathForWrite(path);
        if (!forWrite.empty() && ::access(forWrite.c_str(), F_OK) == 0) real = forWrite;
    }
    bool creating = real.empty();
    bool readOnly = false;
    std::string readOnlyWhy;
    if (creating) {
        real = ResolvePathForWrite(path);
        if (real.empty())
            throw DbError("Não foi possível criar o banco de dados " + quoted(path) + ": a pasta não existe.");
        if (::access(folderOf(real).c_str(), W_OK) != 0)
            throw DbError("Não foi possível criar o banco de dados " + quoted(real) + ": " +
                          whyNotWritable(real, 64 * 1024) + ".");
    } else {
        struct stat st;
        if (::stat(real.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
            throw DbError(quoted(real) + " não é um arquivo de banco de dados.");
        // The engine keeps its log beside the file the path leads to: without
        // a writable file and folder the game can only be read.
        readOnly = ::access(real.c_str(), W_OK) != 0 || ::access(folderOf(target(real)).c_str(), W_OK) != 0;
        if (readOnly) {
            // The writes go to the file itself, or to its copy in this run's
            // data folder when that could not be made: the message names the
            // place and why it refuses them.
            std::string place = real;
            if (forWrite.empty() && DataFolder() != folderOf(real)) place = DataFolder() + "/" + baseName(real);
            else if (!forWrite.empty()) place = forWrite;
            const std::string why = whyNotWritable(place == real ? target(real) : place,
                                                   64 * 1024 + static_cast<unsigned long long>(st.st_size));
            readOnlyWhy = "O banco de dados " + quoted(place) + " não pode ser gravado: " + why + ".";
        }
    }

    if (creating) {
        // A new file is made whole under a temporary name, already in the
        // log mode and with its tables, none of those steps synced: it is
        // synced once as it takes its name, and the opening below only reads
        // it. A run cut short leaves no file, or the whole one.
        try {
            const bool made = CreateFileWhole(real, [&](const std::string& temporary) {
                sqlite3* t = nullptr;
                int rc = sqlite3_open_v2(temporary.c_str(), &t, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
                std::unique_ptr<Database> novo(new Database(t, temporary, nullptr));
                auto falha = [&](int code) {
                    const std::string why = reason(t, code);
                    novo->Close();
                    for (const char* s : {"-wal", "-journal", "-shm"}) std::remove((temporary + s).c_str());
                    throw DbError("Não foi possível criar o banco de dados " + quoted(real) + ": " + why + ".");
                };
                if (rc != SQLITE_OK) falha(rc);
                sqlite3_extended_result_codes(t, 1);
                sqlite3_db_config(t, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
                sqlite3_db_config(t, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
                for (const char* sql : {"PRAGMA synchronous = OFF", "PRAGMA mmap_size = 0",
                                        "PRAGMA locking_mode = EXCLUSIVE", "PRAGMA journal_mode = WAL"})
                    if ((rc = sqlite3_exec(t, sql, nullptr, nullptr, nullptr)) != SQLITE_OK)
                        falha(sqlite3_extended_errcode(t));
                try {
                    createMissingTables(*novo, t, real);
                } catch (...) {
                    novo->Close();
                    for (const char* s : {"-wal", "-journal", "-shm"}) std::remove((temporary + s).c_str());
                    throw;
                }
                // The log goes into the file (a full disk fails here, never
                // as a file without its tables); closing removes it.
                if ((rc = sqlite3_wal_checkpoint_v2(t, nullptr, SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr)) !=
                    SQLITE_OK)
                    falha(sqlite3_extended_errcode(t));
                novo->Close();
                // A log left beside the missing file (a connection to a removed
                // file leaves it) belongs to no file: the engine would read it
                // into the new one, as it does not for an empty file.
                for (const char* s : {"-wal", "-journal", "-shm"}) {
                    std::remove((temporary + s).c_str());
                    std::remove((real + s).c_str());
                }
            });
            // Made meanwhile by someone else: it is opened as it stands.
            if (!made) creating = false;
        } catch (const DbError&) {
            throw;
        } catch (const std::exception& e) {
            throw DbError(e.what());
        }
    }

    struct stat fileStat {};
    if (!creating) ::stat(real.c_str(), &fileStat);
    auto kept = kept_.find(real);
    if (kept != kept_.end()) {
        bool sameFile = !creating && kept->second.dev == static_cast<std::uint64_t>(fileStat.st_dev) &&
                        kept->second.ino == static_cast<std::uint64_t>(fileStat.st_ino);
        if (sameFile && !readOnly && !kept->second.inUse) {
            kept->second.inUse = true;
            std::unique_ptr<Database> db(new Database(kept->second.db, real, this));
            createMissingTables(*db, kept->second.db, real);
            return db;
        }
        if (!sameFile) {  // the file was replaced or removed: forget the old connection
            if (!kept->second.inUse) sqlite3_close_v2(kept->second.db);
            kept_.erase(kept);
        } else if (readOnly && !kept->second.inUse) {
            // The file can no longer be written: the kept connection, which
            // holds it alone, goes, so that the new one can read it.
            sqlite3_close_v2(kept->second.db);
            kept_.erase(kept);
        }
        kept = kept_.end();
    }
    // A second opening of a file whose connection is in use gets its own; a
    // connection for reading only is never kept.
    bool keep = !readOnly && kept_.find(real) == kept_.end();

    // For reading only: with a log beside the file the engine reads it too;
    // without one, the file is all there is, read as it stands so that no
    // log or shared-memory file is made beside it.
    const bool hasLog = ::access((target(real) + "-wal").c_str(), F_OK) == 0;
    std::vector<std::string> names;
    if (!readOnly) {
        names.push_back(real);
    } else {
        if (hasLog) names.push_back(uriOf(real) + "?mode=ro");
        names.push_back(uriOf(real) + "?immutable=1");
    }
    if (readOnly && hasLog) requireRoomForIndex(real);
    const int flags = readOnly ? SQLITE_OPEN_READONLY | SQLITE_OPEN_URI
                               : SQLITE_OPEN_READWRITE | (creating ? SQLITE_OPEN_CREATE : 0);
    std::unique_ptr<Database> db;
    sqlite3* h = nullptr;
    for (size_t attempt = 0; attempt < names.size(); ++attempt) {
        const bool last = attempt + 1 == names.size();
        h = nullptr;
        int rc = sqlite3_open_v2(names[attempt].c_str(), &h, flags, nullptr);
        if (rc != SQLITE_OK) {
            std::string why = reason(h, rc);
            sqlite3_close_v2(h);
            if (!last) continue;
            throw DbError("Não foi possível abrir o banco de dados " + quoted(real) + ": " + why + ".");
        }
        db.reset(new Database(h, real, nullptr, readOnly));
        db->readOnlyWhy_ = readOnlyWhy;
        sqlite3_extended_result_codes(h, 1);
        sqlite3_busy_timeout(h, 2000);
        // Nothing of the file is mapped into memory: a mapped page that the
        // disk cannot hold or give back ends the program instead of failing.
        // A connection that writes holds its file alone (the folder lock keeps
        // other runs away), which lets the engine keep the log's index in its
        // own memory instead of a shared file mapped beside the database;
        // set before the first read, which is when the engine chooses.
        sqlite3_exec(h, "PRAGMA mmap_size = 0", nullptr, nullptr, nullptr);
        if (!readOnly) sqlite3_exec(h, "PRAGMA locking_mode = EXCLUSIVE", nullptr, nullptr, nullptr);
        // A quoted name is always a name: an unknown field is an error, never a text literal.
        sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(h, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        bool empty = false;
        // The header is checked before any statement runs, so a file of some
        // other kind is reported and left exactly as it is.
        if (!creating && !looksLikeSqlite(h, empty) && !empty) {
            db->Close();
            throw DbError(notValid(real));
        }
        // Reading the catalogue proves the file is a sound database.
        rc = sqlite3_exec(h, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
        if (rc == SQLITE_OK) break;
        const int code = sqlite3_extended_errcode(h) & 0xFF;
        if (!last && (code == SQLITE_READONLY || code == SQLITE_CANTOPEN)) {  // the log cannot be read here
            db->Close();
            continue;
        }
        std::string message = code == SQLITE_NOTADB || code == SQLITE_CORRUPT
                                  ? notValid(real)
                                  : "Erro ao ler no banco de dados " + quoted(real) + ": " + reason(h, code) + ".";
        db->Close();
        if (creating) std::remove(real.c_str());  // only a file made by this call
        throw DbError(message);
    }
    try {
        // Another program's database gets none of the game's tables.
        if (!creating && isForeign(h, real)) throw DbError(notValid(real));
        if (!readOnly) {
            // Write-ahead log with full sync: one sync per commit, and a
            // commit that returned is on the disk.
            db->exec("PRAGMA journal_mode = WAL", "preparar");
            db->exec("PRAGMA synchronous = FULL", "preparar");
            // The log is written into the file where no one waits (see
            // EmptyLogs, CloseAll), not by the commit that happens to make
            // it pass the engine's 1000 pages: that commit would wait for
            // two syncs more. A log that grows far beyond (no quiet moment
            // for long) is still emptied by a commit.
            sqlite3_wal_autocheckpoint(h, 8000);
            if (sqlite3_db_readonly(h, "main") == 1) throw DbError(notWritable(real));
            createMissingTables(*db, h, real);
        }
    } catch (...) {
        db->Close();
        if (creating) std::remove(real.c_str());  // only a file made by this call
        throw;
    }
    if (keep) {
        struct stat now {};
        if (::stat(real.c_str(), &now) == 0) {
            kept_[real] = Kept{h, static_cast<std::uint64_t>(now.st_dev), static_cast<std::uint64_t>(now.st_ino), true,
                               false};
            db->keeper_ = this;
        }
    }
    return db;
}

// ---------------------------------------------------------------- FolderLock

// The lock is the system's own lock on the open lock file: the system lets
// it go when the run ends, however it ends, so a crash leaves nothing to
// clean up and taking the lock is one open and one call.
struct FolderLock::Impl {
    int fd = -1;
    bool held = false;
};

FolderLock::FolderLock(const std::string& folder)
    : file_((folder.empty() ? std::string(".") : folder) + "/" + ApplicationName() + ".lock"), impl_(std::make_unique<Impl>()) {}

FolderLock::~FolderLock() {
    if (impl_->fd >= 0) ::close(impl_->fd);  // closing the file lets the lock go
}

FolderLock::Result FolderLock::Acquire() {
    if (impl_->held) return Result::Acquired;
    if (impl_->fd < 0) {
        bool writable = true;
        impl_->fd = ::open(file_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
        // A lock file left in a folder this run cannot write still serves.
        if (impl_->fd < 0) {
            writable = false;
            impl_->fd = ::open(file_.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        }
        if (impl_->fd < 0) return Result::Unavailable;
        if (::flock(impl_->fd, LOCK_EX | LOCK_NB) != 0) {
            const bool busy = errno == EWOULDBLOCK;
            ::close(impl_->fd);
            impl_->fd = -1;
            return busy ? Result::HeldByAnother : Result::Unavailable;
        }
        // The holder's process number, for whoever looks at the file: written
        // over the last run's and cut to its length, which keeps the file's
        // block (emptying it first costs a journal commit of its own).
        if (writable) {
            const std::string pid = std::to_string(::getpid()) + "\n";
            if (::pwrite(impl_->fd, pid.data(), pid.size(), 0) == static_cast<ssize_t>(pid.size()))
                (void)!::ftruncate(impl_->fd, static_cast<off_t>(pid.size()));
        }
    }
    impl_->held = true;
    return Result::Acquired;
}

}  // namespace platform
