#pragma once
// The tables that the game expects in each of its database files, with the
// rows a new table starts with. The database layer creates a missing table
// from here when it opens a file.

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

// The tables of a database file, looked up by the file's name without its
// folder and without regard to case ("HORTAS00.MDB" is "hortas00.mdb").
// Empty for an unknown file.
const std::vector<TableDef>& SchemaFor(const std::string& fileName);

}  // namespace platform
