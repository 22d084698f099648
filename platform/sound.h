#pragma once
// Sound: plays WAV files by their game path (Windows-style, resolved like any
// game path), either asynchronously (the call returns at once and the sound
// replaces any sound playing) or synchronously (the call returns when the
// sound has ended and no other event of the program runs in between). Playing
// a file of the name given to SetCutSoundName (in any folder, any case) cuts
// the sound playing. PlayMedia plays the media links of the help (MID, WAV, AVI) by
// path, beside those sounds: a song or a WAV link runs to its end whatever
// sounds, cuts or voices come after it; a newer link of its kind replaces it,
// and the end of sound ends it. A missing file or a machine without sound is silent and quick: the
// call returns at once and the problem is logged once.
//
// The work is done by a pluggable back end: the mixer back end for real play,
// a silent one, or the recording back end that tests inspect. The program
// loads the mixer aside with LoadSoundAside; tests choose one with
// SetSoundBackend. When none is chosen or loading, the first call picks the
// mixer back end when a Qt application object is running (the game), else
// the silent one (plain unit tests).
//
// Only files that can be sounds are played: a regular file of a sane size
// (see media_file.h); anything else in a sound's place is logged and counts
// as missing.

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

enum class SoundMode { Sync = 0, Async = 1 };  // the classic flags 0 and 1

// One request as the back end receives it.
struct SoundCall {
    enum class Kind { Sync, Async, Cut, Media };
    Kind kind;
    std::string path;      // as the game gave it
    std::string resolved;  // real path, empty when the file is missing
};

class SoundBackend {
public:
    virtual ~SoundBackend() = default;
    // Sync: return when the sound has ended. Async: start it, replacing the
    // sound playing, and return. Media: start it beside the sounds, replacing
    // the media of its kind playing (a song, a WAV link), and return. Cut:
    // stop the sound playing (not the media).
    // A call with an empty resolved path must return at once.
    virtual void Play(const SoundCall& call) = 0;
    // Opens the output ahead of the first sound. Called at most once, on the
    // thread that made the back end, before any Play.
    virtual void Prepare() {}
    // Returns once the songs asked for are loaded and started, or dropped.
    virtual void AwaitSongs() {}
};

class SilentSoundBackend : public SoundBackend {
public:
    void Play(const SoundCall&) override {}
};

// Keeps every request, in order, and plays nothing.
class RecordingSoundBackend : public SoundBackend {
public:
    void Play(const SoundCall& call) override { calls.push_back(call); }
    std::vector<SoundCall> calls;
};

// Plays sounds through the SDL mixer: WAV files on one channel, the help's
// WAV links on another, MIDI songs through the General MIDI synthesiser. A synchronous sound blocks the caller
// until the mixer reports the end of its samples, and never less than the
// sound's length; a device that never reports it releases the caller after the
// length and a margin, and no sound holds the caller more than 10 seconds
// (the game's longest is about 8; a longer one is stopped there). A WAV file
// whose header gives no rate a sound can have is not played. Songs load on a
// thread of the back end's own, one after the other, and start when loaded
// unless a newer song came first, or the song took more than a few
// seconds to load; the caller never waits for a song, and neither does the
// back end's end. Creating it is cheap: the audio device opens at the first
// play, and when it cannot be opened the back end stays silent (logged once).
// The mixer is a module (see module.h); when it cannot be loaded, the back
// end returned is the silent one (logged once).
std::unique_ptr<SoundBackend> MakeMixerSoundBackend();

// The mixer back end when a Qt application object is running, else the silent one.
std::unique_ptr<SoundBackend> MakeDefaultSoundBackend();

// Chooses the back end (nullptr: choose again automatically at the next call).
void SetSoundBackend(std::unique_ptr<SoundBackend> backend);
// Loads the mixer back end (its module pulls in some forty shared libraries)
// on a thread of its own, and makes it the back end when it is in; the
// caller does not wait. A sound asked for meanwhile waits for it. Call from
// the program's main thread, with the application object running.
void LoadSoundAside();
// Installs a fresh recording back end and returns it (owned by the sound module).
RecordingSoundBackend& UseRecordingSoundBackend();
// Releases the back end (stops its thread); call before the application object ends.
void ShutdownSound();

// For tests: holds the mixer's loading of songs (a song asked for waits
// before it loads, as a slow synthesiser would make it) or releases it; and
// waits until the back end's songs are loaded and started, or dropped.
// Returns the number of songs held at that moment.
int HoldSongLoading(bool hold);
void AwaitSongs();

// True for the file name of a song (MIDI), given in lower case.
inline bool IsSongName(const std::string& lowerPath) {
    return lowerPath.ends_with(".mid") || lowerPath.ends_with(".midi") || lowerPath.ends_with(".rmi");
}

// The file name (without folder, any case) whose play cuts the sound playing
// instead of playing; none until one is given.
void SetCutSoundName(const std::string& fileName);

// Plays a WAV file by game path. Returns false when the file is missing.
bool PlaySound(const std::string& path, SoundMode mode);
// Stops the sound playing (the help's media play on).
void StopSound();
// Plays a help media link (MID, WAV or AVI) by path, asynchronously.
// Returns false when the file is missing.
bool PlayMedia(const std::string& path);

// Duration in seconds of a PCM WAV file from its header, or nothing when the
// file is missing, not a WAV file, or its header gives a rate no sound is
// recorded at (below 4000 Hz or above 192000 Hz).
std::optional<double> WavDuration(const std::string& realPath);

}  // namespace platform
