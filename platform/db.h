#pragma once
// A small data-access layer in the style the game code expects (workspace,
// database, recordset), on SQLite 3. Tables are small, so a recordset holds
// its rows in memory and writes each change through at once with bound values
// (never pasted into SQL text; table and field names are quoted).
//
// Opening a database creates a missing file and every missing table of the
// game's schema (platform/schema.h); an existing file is never overwritten or
// deleted. Commits are durable: the file runs in write-ahead-log mode with
// full synchronisation, so a committed transaction survives a power cut. A
// commit costs one sync and a Close nothing more: the log is written into
// the file and emptied later, where no one waits for it (see Workspace), and
// at the end of the program, so that between runs the file alone holds the
// data. (A run that is killed leaves its log beside the file; a copy put in
// the file's place must go without that log, or the log is read over it.)
//
// A connection that writes holds its file alone until it is closed (one run
// plays a folder's games, see FolderLock): the engine then keeps the log's
// index in its own memory, and nothing of the file is mapped, so a full disk
// is a failed write ("o disco está cheio"), never the end of the program.
//
// A file or folder that cannot be written opens for reading only: the rows can
// be read, and every write (a transaction, an update, a delete) throws the
// reason, naming the file the writes would go to (a copy in the data folder
// that could not be made, see platform/paths.h) and why it refuses them.
//
// Errors (a file that is not a database, or a database of some other program,
// a file that cannot be written, a missing table or field, a failed write) are
// thrown as DbError with a message in Portuguese that can be shown to the
// player as it stands.
//
// Booleans travel as -1/0. Dates (DateTime of platform/clock.h) are stored as
// their REAL day serial; Value::ToDate also reads ISO text.

#include "platform/clock.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <variant>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class DbError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A field value: null, integer, real or text (booleans travel as -1/0).
class Value {
public:
    Value() = default;                       // null
    Value(std::nullptr_t) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(long long v) : v_(static_cast<std::int64_t>(v)) {}
    Value(short v) : v_(static_cast<std::int64_t>(v)) {}
    Value(double v) : v_(v) {}
    Value(bool v) : v_(static_cast<std::int64_t>(v ? -1 : 0)) {}
    Value(DateTime d) : v_(d.serial) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    // Numbers convert with rounding to the nearest integer (halves to even);
    // text converts by its leading number.
    std::int64_t ToInt(std::int64_t ifNull = 0) const;
    double ToDouble(double ifNull = 0.0) const;
    std::string ToString(const std::string& ifNull = {}) const;
    bool ToBool(bool ifNull = false) const;  // any non-zero number is true
    // A day serial, or text "yyyy-mm-dd[ hh:mm[:ss]]".
    DateTime ToDate(DateTime ifNull = DateTime()) const;

    bool operator==(const Value& o) const = default;

    using Storage = std::variant<std::monostate, std::int64_t, double, std::string>;
    const Storage& raw() const { return v_; }

private:
    Storage v_;
};

class Database;
class Workspace;

// One table opened as a recordset. Obtain it from Database::OpenRecordset.
// Rows come in the order given at opening (by default the order of insertion).
class Recordset {
public:
    ~Recordset();
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool EOF_() const;                       // past the last row (EOF is a C macro)
    bool BOF() const;                        // before the first row, or no rows
    long RecordCount() const;
    void MoveFirst();
    void MoveNext();
    void MoveLast();

    // Field of the current row by name (case-insensitive); during Edit/AddNew
    // the value being set. Throws when no row is current or the field does not
    // exist.
    Value Fields(const std::string& name) const;
    // Sets a field of the row being edited or added (between Edit/AddNew and
    // Update). Update writes only the fields set: the others keep their value
    // (or, in a new row, get the column's default).
    void SetField(const std::string& name, Value v);

    void Edit();
    void AddNew();
    // Writes the row being edited or added. After an AddNew the current row
    // is the one that was current before it (at the end stays at the end).
    void Update();
    void CancelUpdate();
    void Delete();                           // deletes the current row; no row is current after
    // Reads the table again (rows added since come into their place in the order).
    void Requery();
    void Close();

    const std::string& TableName() const { return table_; }
    std::vector<std::string> FieldNames() const { return columns_; }

private:
    friend class Database;
    Recordset(Database* db, std::string table, std::vector<std::string> orderBy);
    void reload();
    void finalize();
    void detach();
    int column(const std::string& name) const;
    void requireOpen() const;
    sqlite3_stmt* prepared(sqlite3_stmt*& slot, const std::function<std::string()>& sqlText);

    Database* db_;
    std::string table_;
    std::vector<std::string> orderBy_;
    std::vector<std::string> columns_;
    std::vector<std::int64_t> rowids_;
    std::vector<std::vector<Value>> rows_;
    long pos_ = 0;                           // -1 before the first row, size() at the end
    bool currentDeleted_ = false;
    enum class Mode { None, Edit, Add } mode_ = Mode::None;
    std::vector<Value> pending_;
    std::vector<bool> touched_;              // the fields set since Edit/AddNew
    std::vector<int> insertFields_, updateFields_;  // the fields insert_ and update_ write
    bool closed_ = false;
    sqlite3_stmt* insert_ = nullptr;
    sqlite3_stmt* update_ = nullptr;
    sqlite3_stmt* delete_ = nullptr;
};

class Database {
public:
    ~Database();                             // closes; an open transaction is rolled back
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens a table as a recordset. Throws DbError if the table does not exist.
    // orderBy names fields to sort the rows by (ascending, ties in insertion order).
    std::unique_ptr<Recordset> OpenRecordset(const std::string& table,
                                             const std::vector<std::string>& orderBy = {});

    // Transactions nest; Rollback undoes the innermost one and re-reads every
    // open recordset of this database. After a failure the engine undid
    // itself (a full disk), Rollback only ends the transaction.
    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return depth_ > 0; }

    // Until Close, commits return without waiting for the disk. For tables
    // that can be made again from others: a crash keeps the file sound and
    // may lose only these writes. The next durable commit or close makes
    // them durable too.
    void SetDurable(bool durable);

    void Close();
    const std::string& Name() const { return path_; }
    bool TableExists(const std::string& table) const;
    // Opened for reading only (the file or its folder cannot be written).
    bool ReadOnly() const { return readOnly_; }
    sqlite3* handle() const { return db_; }

    // Writes a copy of the database as it stands (every committed row) to a
    // new file at path, under a temporary name until it is whole (see
    // platform/files.h). Returns false, writing nothing, when that file
    // already exists; throws DbError when the copy cannot be made. Not inside
    // a transaction.
    bool CopyTo(const std::string& path);

private:
    friend class Workspace;
    friend class Recordset;
    Database(sqlite3* db, std::string path, Workspace* keeper, bool readOnly = false);
    void exec(const std::string& sql, const char* what);
    void requireOpen() const;
    void requireWritable() const;
    [[noreturn]] void fail(const char* what) const;
    sqlite3* db_ = nullptr;
    std::string path_;
    Workspace* keeper_ = nullptr;  // the workspace that keeps the connection, if any
    bool readOnly_ = false;
    std::string readOnlyWhy_;  // what a write is refused with, when known
    int depth_ = 0;
    bool wrote_ = false;  // something was written since the opening
    bool durable_ = true;
    std::vector<Recordset*> open_;
};

// The default workspace: opens databases by path. The path may be written
// Windows-style (program folder & "\dados.mdb"); it is resolved like any
// other game path. A missing file is created with the game's schema; a file
// that exists but lacks a table gets that table created; an existing file is
// never overwritten or deleted. A file of another kind, and a database that
// holds tables of its own but none of the game's, are refused untouched.
// A file that can only be read, with a log left beside it, is refused as on
// a full disk when the disk of the file the path leads to has no room to
// read the log back.
//
// Opening and closing a database is cheap: the workspace keeps the connection
// to each file open between a Close and the next OpenDatabase of the same
// file (checking that the file is still the same one), and closes them all at
// the end of the program or on CloseAll. A file opened again while its
// connection is in use gets a connection of its own, which the first keeps
// out of the file until it is closed (the opening says the file is in use).
//
// The logs of the kept connections written since are written into their files
// and emptied by EmptyLogs, which the program calls at a quiet moment (told of
// each write by OnLogWritten), and by CloseAll.
class Workspace {
public:
    static Workspace& Default();
    ~Workspace();
    std::unique_ptr<Database> OpenDatabase(const std::string& path);
    // Writes the log of every kept connection not in use into its file and
    // empties it (a failure, a full disk, keeps the log for the next time).
    void EmptyLogs();
    // Empties the logs, then closes every connection kept between openings
    // (those of databases still open close when the database closes).
    void CloseAll();
    // Called each time a kept connection is handed back with writes in its
    // log by the thread that set it (none by default; other threads' writes
    // are not told).
    void OnLogWritten(std::function<void()> hook);

private:
    friend class Database;
    struct Kept {
        sqlite3* db;
        std::uint64_t dev, ino;
        bool inUse;
        bool wrote;  // its log holds writes not yet in the file
    };
    void release(const std::string& path, sqlite3* db, bool wrote);
    std::map<std::string, Kept> kept_;
    std::function<void()> onLogWritten_;
    std::thread::id hookThread_;
};

// Keeps a second run of the game away from a folder's databases: a lock file
// in the folder, held from a successful Acquire until destruction. A lock
// left by a run that ended without releasing it (a crash) is taken over.
class FolderLock {
public:
    enum class Result {
        Acquired,       // this run holds the folder
        HeldByAnother,  // another run that is still open holds it
        Unavailable,    // no lock can be taken there (no lock file can be made or opened)
    };
    explicit FolderLock(const std::string& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;
    Result Acquire();
    // The lock file: the application's name with ".lock", in the folder.
    const std::string& FileName() const { return file_; }

private:
    std::string file_;
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Quotes a table or field name for SQL ("a\"b" -> "\"a\"\"b\"").
std::string QuoteIdentifier(const std::string& name);

}  // namespace platform
