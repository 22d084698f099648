#pragma once
// What a module of the platform layer receives from the program that loads
// it: the program's own log (so that a line is written once per run, whoever
// writes it) and the helpers the module shares with it, among them the one
// that opens media files (see media_file.h). Modules and program
// are built together from the same sources.

#include "platform/media_file.h"

#include <optional>
#include <string>

namespace platform {

struct ModuleHost {
    bool (*logOnce)(const std::string& key, const std::string& message);
    std::string (*lowerCase)(const std::string& text);
    std::optional<double> (*wavDuration)(const std::string& realPath);
    MediaFile (*openMediaFile)(const std::string& realPath, MediaKind kind);
    std::string (*applicationDisplayName)();
};

// The host of this program (defined in platform_core, not in the modules).
const ModuleHost& ThisModuleHost();

class SoundBackend;
struct Conversa;

}  // namespace platform

class QWindow;

// The entries of the modules, one each, looked up by name with ModuleEntry
// (the only names a module exports).
extern "C" {
#pragma GCC visibility push(default)
// sound_mixer: a new mixer sound back end (see MakeMixerSoundBackend).
platform::SoundBackend* brotalia_sound_mixer_create(const platform::ModuleHost* host);
// sound_mixer: joins the songs' loaders that ended back ends left loading and
// closes the audio output they kept open (see shutdown.h).
void brotalia_sound_mixer_end();
// sound_mixer: holds (1) or releases (0) the loading of songs (tests); the
// number of songs held at that moment.
int brotalia_sound_mixer_hold_songs(int hold);
// film_window: a new film window for a real file path, not shown yet (see ShowFilm).
QWindow* brotalia_film_window_open(const platform::ModuleHost* host, const char* realPath);
// film_window: loads the media back end (its plugin, its codecs, the list of
// sound outputs) on the calling thread and opens the film at that real path
// there (not played; nothing when empty), so that a film window made later
// finds them ready (see PrepareFilms).
void brotalia_film_window_prepare(const platform::ModuleHost* host, const char* realPath);
// print_server: the talk with the print server (see print_server.h); runs on
// the caller's thread until done or out of time.
void brotalia_print_server_talk(platform::Conversa* talk);
#pragma GCC visibility pop
}
