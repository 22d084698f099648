#include "platform/schema.h"

#include <map>

#include "platform/text.h"

namespace platform {
namespace {

std::map<std::string, std::vector<TableDef>>& registry() {
    static std::map<std::string, std::vector<TableDef>> r;
    return r;
}

std::string fileKey(const std::string& fileName) {
    const auto slash = fileName.find_last_of("/\\");
    return LCase(slash == std::string::npos ? fileName : fileName.substr(slash + 1));
}

}  // namespace

bool RegisterTables(const std::string& fileName, const std::vector<TableDef>& tables) {
    auto& known = registry()[fileKey(fileName)];
    for (const auto& t : tables) {
        bool present = false;
        for (const auto& k : known) present = present || LCase(k.name) == LCase(t.name);
        if (!present) known.push_back(t);
    }
    return true;
}

const std::vector<TableDef>& SchemaFor(const std::string& fileName) {
    static const std::vector<TableDef> none;
    const auto& r = registry();
    const auto it = r.find(fileKey(fileName));
    return it == r.end() ? none : it->second;
}

}  // namespace platform
