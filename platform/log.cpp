#include "platform/log.h"

#include <cstdio>
#include <unordered_set>

namespace platform {
namespace {

struct LogState {
    std::unordered_set<std::string> keys;
    bool toStderr = true;
};

LogState& state() {
    static LogState s;
    return s;
}

}  // namespace

bool LogOnce(const std::string& key, const std::string& message) {
    auto& s = state();
    if (!s.keys.insert(key).second) return false;
    if (s.toStderr) std::fprintf(stderr, "brotalia: %s\n", message.c_str());
    return true;
}

bool WasLogged(const std::string& key) { return state().keys.count(key) != 0; }

void ResetLog() { state().keys.clear(); }

void SetLogToStderr(bool on) { state().toStderr = on; }

}  // namespace platform
