#pragma once
// Sound: plays WAV files by their game path (Windows-style, resolved like any
// game path), either asynchronously (the call returns at once and the sound
// replaces any sound playing) or synchronously (the call returns when the
// sound has ended and no other event of the program runs in between). Playing
// a file named "silencio.wav" (in any folder, any case) cuts the sound
// playing. PlayMedia plays the media links of the help (MID, WAV, AVI) by
// path. A missing file or a machine without sound is silent and quick: the
// call returns at once and the problem is logged once.
//
// The work is done by a pluggable back end chosen by the application at
// start-up with SetSoundBackend: the mixer back end for real play, a silent
// one, or the recording back end that tests inspect. Until one is chosen, the
// first call picks the mixer back end when a Qt application object is running
// (the game), else the silent one (plain unit tests).

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
    // Sync: return when the sound has ended. Async and Media: start it,
    // replacing the sound playing, and return. Cut: stop the sound playing.
    // A call with an empty resolved path must return at once.
    virtual void Play(const SoundCall& call) = 0;
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

// Plays sounds through the SDL mixer: WAV files on one channel, MIDI songs
// through the General MIDI synthesiser. A synchronous sound blocks the caller
// until the mixer reports the end of its samples, and never less than the
// sound's length; a device that never reports it releases the caller after the
// length and a margin. Creating it is cheap: the audio device opens at the
// first play, and when it cannot be opened the back end stays silent (logged
// once). The mixer is a module loaded by the first call (see module.h); when
// it cannot be loaded, the back end returned is the silent one (logged once).
std::unique_ptr<SoundBackend> MakeMixerSoundBackend();

// The mixer back end when a Qt application object is running, else the silent one.
std::unique_ptr<SoundBackend> MakeDefaultSoundBackend();

// Chooses the back end (nullptr: choose again automatically at the next call).
void SetSoundBackend(std::unique_ptr<SoundBackend> backend);
// Installs a fresh recording back end and returns it (owned by the sound module).
RecordingSoundBackend& UseRecordingSoundBackend();
// Releases the back end (stops its thread); call before the application object ends.
void ShutdownSound();

// Plays a WAV file by game path. Returns false when the file is missing.
bool PlaySound(const std::string& path, SoundMode mode);
// Stops the sound playing.
void StopSound();
// Plays a help media link (MID, WAV or AVI) by path, asynchronously.
// Returns false when the file is missing.
bool PlayMedia(const std::string& path);

// Duration in seconds of a PCM WAV file from its header, or nothing when the
// file is missing or not a WAV file.
std::optional<double> WavDuration(const std::string& realPath);

}  // namespace platform
