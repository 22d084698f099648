#pragma once
// Files made whole or not at all. A new file is written under a temporary
// name in its own folder, synced, and only then given its name, never
// replacing a file already there: a copy cut short (a kill, a power cut, a
// full disk) never stands under the final name, and no existing file is
// ever overwritten. Every file made here is the user's alone (mode 0600)
// and no symbolic link is followed where a file is made.

#include <functional>
#include <string>
#include <vector>

namespace platform {

// Makes the new file `path`: `fill` writes the temporary file whose path it
// is given (a file that does not exist yet, in the same folder). Returns
// false, writing nothing, when `path` already exists. Throws
// std::runtime_error with the reason when the file cannot be made (the
// temporary file is removed).
bool CreateFileWhole(const std::string& path, const std::function<void(const std::string& temporary)>& fill);

// Copies the file `from` to the new file `to` the same way.
bool CopyFileWhole(const std::string& from, const std::string& to);

// Makes the file `path` anew, or replaces the one there, whole or not at
// all: `fill` writes to (and may read back) the open descriptor of a new
// temporary file in the same folder, which is then synced and only then
// given the name (the name itself is replaced, never a file a link there
// points at). Throws
// std::runtime_error with the reason, in Portuguese, when `fill` throws or
// the file cannot be written whole; the file under `path` is then as it was.
// With `durable` false the file is not synced to the disk first: what was
// written is checked, but a power cut may leave it empty (for a file that
// is made again at will, such as a report).
void ReplaceFileWhole(const std::string& path, const std::function<void(int fd)>& fill, bool durable = true);

// Removes the temporary files ("*.tmp") a run cut short left directly in
// `folder` while making a file whole. Call only while no other run uses the
// folder (after taking its lock).
void RemoveLeftoverTemporaries(const std::string& folder);

// The paths of the files directly in the folder of `pathPrefix` whose names
// start with its last component, sorted by name.
std::vector<std::string> FilesStartingWith(const std::string& pathPrefix);

// Why a write failed (an errno value), in Portuguese: "o disco está cheio"...
std::string WriteErrorText(int err);

// The first name of the form base + suffix, base + "-2" + suffix,
// base + "-3" + suffix ... that names no existing file.
std::string FreeFileName(const std::string& base, const std::string& suffix);

}  // namespace platform
