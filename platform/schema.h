#pragma once
// The tables expected in a database file, with the rows a new table starts
// with. Each part of the program registers the tables it keeps in a file of
// a given name; the database layer creates a missing table from here when it
// opens a file of that name.

#include "platform/db.h"

#include <string>
#include <vector>

namespace platform {

struct ColumnDef {
    std::string name;
    std::string type;  // SQLite declared type: "INTEGER", "REAL" or "TEXT"
};

struct TableDef {
    std::string name;
    std::vector<ColumnDef> columns;
    // Rows added when the table is created (and, for a table that must hold
    // them, when it is found empty), values in column order.
    std::vector<std::vector<Value>> (*initialRows)() = nullptr;
    bool refillWhenEmpty = false;
};

// Adds tables to those of the database files of a name, given with or
// without its folder and in any case ("\DADOS.MDB" is "dados.mdb"). A
// table already registered for that name keeps its first definition.
// Returns true, so that a part of the program can register its tables in the
// initialiser of a namespace-scope constant of the file that uses them.
bool RegisterTables(const std::string& fileName, const std::vector<TableDef>& tables);

// The tables registered for a database file, looked up by the file's name as
// above, in the order they were registered. Empty for an unknown file.
const std::vector<TableDef>& SchemaFor(const std::string& fileName);

}  // namespace platform
