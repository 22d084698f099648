#pragma once
// A small data-access layer in the style the game code expects (workspace,
// database, recordset), on SQLite 3. Tables are small, so a recordset holds
// its rows in memory and writes each change through at once with bound values.
//
// Errors (a file that is not a database, a missing table or field, a failed
// write) are thrown as DbError with a message in Portuguese that can be shown
// to the player as it stands.

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

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
    Value(std::int64_t v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(bool v) : v_(static_cast<std::int64_t>(v ? -1 : 0)) {}
    Value(const char* s) : v_(std::string(s)) {}
    Value(std::string s) : v_(std::move(s)) {}

    bool IsNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool IsText() const { return std::holds_alternative<std::string>(v_); }
    std::int64_t ToInt(std::int64_t ifNull = 0) const;
    double ToDouble(double ifNull = 0.0) const;
    std::string ToString(const std::string& ifNull = {}) const;
    bool ToBool(bool ifNull = false) const;  // any non-zero number is true

    bool operator==(const Value& o) const = default;

    using Storage = std::variant<std::monostate, std::int64_t, double, std::string>;
    const Storage& raw() const { return v_; }

private:
    Storage v_;
};

class Database;

// One table opened as a recordset. Obtain it from Database::OpenRecordset.
class Recordset {
public:
    bool EOF_() const;                       // past the last row (EOF is a C macro)
    bool BOF() const;
    long RecordCount() const;
    void MoveFirst();
    void MoveNext();
    void MoveLast();

    // Field of the current row by name (case-insensitive). Throws when no row
    // is current or the field does not exist.
    Value Fields(const std::string& name) const;
    // Sets a field of the row being edited or added (between Edit/AddNew and Update).
    void SetField(const std::string& name, Value v);

    void Edit();
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();                           // deletes the current row; no row is current after
    void Close();

    const std::string& TableName() const { return table_; }
    std::vector<std::string> FieldNames() const { return columns_; }

private:
    friend class Database;
    Recordset(Database* db, std::string table);
    void reload();

    Database* db_;
    std::string table_;
    std::vector<std::string> columns_;
    std::vector<std::int64_t> rowids_;
    std::vector<std::vector<Value>> rows_;
    long pos_ = 0;
    enum class Mode { None, Edit, Add } mode_ = Mode::None;
    std::vector<Value> pending_;
    bool closed_ = false;
};

class Database {
public:
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens a table as a recordset. Throws DbError if the table does not exist.
    std::unique_ptr<Recordset> OpenRecordset(const std::string& table);

    void BeginTrans();
    void CommitTrans();
    void Rollback();
    bool InTransaction() const { return inTrans_; }

    void Close();
    const std::string& Name() const { return path_; }
    bool TableExists(const std::string& table) const;
    sqlite3* handle() const { return db_; }

private:
    friend class Workspace;
    Database(sqlite3* db, std::string path);
    sqlite3* db_ = nullptr;
    std::string path_;
    bool inTrans_ = false;
};

// The default workspace: opens databases by path. The path may be written
// Windows-style (program folder & "\hortas00.mdb"); it is resolved like any
// other game path. A missing file is created with the game's schema; a file
// that exists but lacks a table gets that table created; an existing file is
// never overwritten or deleted.
class Workspace {
public:
    static Workspace& Default();
    std::unique_ptr<Database> OpenDatabase(const std::string& path);
};

}  // namespace platform
