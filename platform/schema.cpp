#include "platform/schema.h"

#include "platform/clock.h"
#include "platform/text.h"

namespace platform {
namespace {

std::vector<std::vector<Value>> semanaRows() {
    // Drive index 0 ("C:") and the creation time as the last processing date.
    return {{Value(0), Value(Now())}};
}

std::vector<std::vector<Value>> seqRows() {
    // One order count per crop code 1 to 21, all zero.
    std::vector<std::vector<Value>> rows;
    for (int crop = 1; crop <= 21; ++crop) rows.push_back({Value(crop), Value(0)});
    return rows;
}

std::vector<ColumnDef> mapaHortaColumns() {
    std::vector<ColumnDef> cols{{"ordem", "TEXT"}};
    for (int c = 1; c <= 10; ++c) {
        std::string n = std::to_string(c);
        cols.push_back({"cult" + n, "TEXT"});
        cols.push_back({"idade" + n, "TEXT"});
        cols.push_back({"trato" + n, "TEXT"});
        cols.push_back({"p_fim" + n, "TEXT"});
    }
    return cols;
}

const std::vector<TableDef>& gameTables() {
    static const std::vector<TableDef> tables{
        {"semana", {{"cd", "INTEGER"}, {"data", "REAL"}}, semanaRows, true},
        {"st",
         {{"indice", "INTEGER"},
          {"cod_cult", "INTEGER"},
          {"idade", "INTEGER"},
          {"check", "INTEGER"},
          {"last_i_cu", "INTEGER"},
          {"last_last_i_cu", "INTEGER"}}},
        {"sem", {{"indice", "INTEGER"}, {"cod_cult", "INTEGER"}, {"idade", "INTEGER"}, {"check", "INTEGER"}}},
        {"seq", {{"indice", "INTEGER"}, {"seq", "INTEGER"}}, seqRows},
        {"relat",
         {{"hs", "INTEGER"},
          {"ord", "INTEGER"},
          {"trato", "TEXT"},
          {"aonde", "TEXT"},
          {"cultura", "TEXT"},
          {"sem", "INTEGER"},
          {"cabec1", "TEXT"}}},
        {"rr", {{"mod", "TEXT"}, {"cult", "TEXT"}, {"fam", "TEXT"}, {"ucult", "TEXT"}, {"ufam", "TEXT"}}},
        {"mapa_horta", mapaHortaColumns()},
    };
    return tables;
}

const std::vector<TableDef>& rankingTables() {
    static const std::vector<TableDef> tables{
        {"gm", {{"peq_gra", "TEXT"}, {"tipo", "TEXT"}, {"nome", "TEXT"}, {"valor", "TEXT"}, {"dta", "TEXT"}}},
    };
    return tables;
}

}  // namespace

const std::vector<TableDef>& SchemaFor(const std::string& fileName) {
    static const std::vector<TableDef> none;
    std::string name = fileName;
    auto slash = name.find_last_of("/\\");
    if (slash != std::string::npos) name = name.substr(slash + 1);
    name = LCase(name);
    if (name == "hortas00.mdb") return gameTables();
    if (name == "gm.mdb") return rankingTables();
    return none;
}

}  // namespace platform
