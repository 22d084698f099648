#include "platform/log.h"

#include <cerrno>
#include <cstdio>
#include <mutex>
#include <unordered_set>

namespace platform {
namespace {

// The sound back end's song loader logs from a thread of its own.
struct LogState {
    std::mutex mutex;
    std::unordered_set<std::string> keys;
    bool toStderr = true;
    std::string name = program_invocation_short_name;
};

LogState& state() {
    static LogState s;
    return s;
}

}  // namespace

bool LogOnce(const std::string& key, const std::string& message) {
    auto& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    if (!s.keys.insert(key).second) return false;
    if (s.toStderr) std::fprintf(stderr, "%s: %s\n", s.name.c_str(), message.c_str());
    return true;
}

bool WasLogged(const std::string& key) {
    std::lock_guard<std::mutex> lock(state().mutex);
    return state().keys.count(key) != 0;
}

void ResetLog() {
    std::lock_guard<std::mutex> lock(state().mutex);
    state().keys.clear();
}

void SetLogToStderr(bool on) { state().toStderr = on; }

void SetLogName(const std::string& name) {
    std::lock_guard<std::mutex> lock(state().mutex);
    state().name = name;
}

}  // namespace platform
