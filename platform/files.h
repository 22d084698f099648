#pragma once
// Files made whole or not at all. A new file is written under a temporary
// name in its own folder, synced, and only then given its name, never
// replacing a file already there: a copy cut short (a kill, a power cut, a
// full disk) never stands under the final name, and no existing file is
// ever overwritten.

#include <functional>
#include <string>

namespace platform {

// Makes the new file `path`: `fill` writes the temporary file whose path it
// is given (a file that does not exist yet, in the same folder). Returns
// false, writing nothing, when `path` already exists. Throws
// std::runtime_error with the reason when the file cannot be made (the
// temporary file is removed).
bool CreateFileWhole(const std::string& path, const std::function<void(const std::string& temporary)>& fill);

// Copies the file `from` to the new file `to` the same way.
bool CopyFileWhole(const std::string& from, const std::string& to);

// The first name of the form base + suffix, base + "-2" + suffix,
// base + "-3" + suffix ... that names no existing file.
std::string FreeFileName(const std::string& base, const std::string& suffix);

}  // namespace platform
