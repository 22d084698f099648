#pragma once
// Diagnostic log of the platform layer: one line to stderr per key, once per
// run, so that a missing picture or sound drawn at every timer tick is
// reported a single time. Tests reset it with ResetLog().

#include <string>

namespace platform {

// Writes message to stderr the first time key is seen; later calls with the
// same key do nothing. Returns true when the line was written.
bool LogOnce(const std::string& key, const std::string& message);

// Whether a key has been logged since the last reset.
bool WasLogged(const std::string& key);

// Forgets every logged key.
void ResetLog();

// When false, LogOnce still records its keys but writes nothing (tests that
// provoke many failures on purpose keep their output short).
void SetLogToStderr(bool on);

// The name that starts each line written (SetApplicationName gives it);
// until then, the executable's file name.
void SetLogName(const std::string& name);

}  // namespace platform
