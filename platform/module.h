#pragma once
// Parts of the platform layer that pull in many shared libraries (the SDL
// mixer and its synthesiser, Qt Multimedia, the print server's library) are
// built as modules of their own and loaded on first use, so that starting the
// program does not wait for them. A module lives in the folder "modules"
// beside the executable (the build gives every program it makes such a
// folder, a link to the program folder's).

#include <string>

namespace platform {

// The address of an entry of a module ("sound_mixer" is the file
// modules/libbrotalia_sound_mixer.so), loading the module the first time;
// nullptr when the module or the entry cannot be found, logged once per
// module. A loaded module stays loaded until the program ends. Safe to call
// from any thread.
void* ModuleEntry(const std::string& module, const char* entry);

}  // namespace platform
