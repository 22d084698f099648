#include "platform/sound.h"

#include "platform/log.h"
#include "platform/media_file.h"
#include "platform/module.h"
#include "platform/modules/host.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/text.h"
#include "platform/video.h"

#include <QCoreApplication>

#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

namespace platform {
namespace {

// ------------------------------------------------------------ front end

// Used from the program's main thread only; the loader thread writes
// `loaded`, sets `ready` and ends, and the main thread reads `loaded` once it
// has joined it.
struct SoundState {
    std::unique_ptr<SoundBackend> backend;
    std::thread loader;
    std::unique_ptr<SoundBackend> loaded;
    std::atomic<bool> ready{false};
    // Sounds played without waiting, asked for while the loader still runs:
    // they start, in order, as soon as it is done, instead of the caller
    // waiting for it.
    std::vector<SoundCall> waiting;
};

// True once the mixer module was loaded: its songs still loading are then
// ended at the process's end.
std::atomic<bool> g_mixerLoaded{false};

// The sound's threads are ended at the process's end (see shutdown.h).
void endAtShutdown();

SoundState& state() {
    static SoundState s;
    static const bool ended = (AtShutdown(endAtShutdown), true);
    (void)ended;
    return s;
}

void releaseAtExit() { ShutdownSound(); }

// The back end and its loader end; then the songs an ended mixer left
// loading, which the module joins (only when it is loaded: the end does not
// load it).
void endAtShutdown() {
    ShutdownSound();
    if (!g_mixerLoaded) return;
    if (auto end = reinterpret_cast<decltype(&brotalia_sound_mixer_end)>(
            ModuleEntry("sound_mixer", "brotalia_sound_mixer_end")))
        end();
}

// The device closes before the application object ends.
void releaseBeforeTheApplicationEnds() {
    static bool hooked = false;
    if (!hooked && QCoreApplication::instance()) {
        qAddPostRoutine(releaseAtExit);
        hooked = true;
    }
}

// The mixer lives in a module of its own: without it, sound is silent.
std::unique_ptr<SoundBackend> createMixer() {
    auto create = reinterpret_cast<decltype(&brotalia_sound_mixer_create)>(ModuleEntry("sound_mixer", "brotalia_sound_mixer_create"));
    if (!create) return std::make_unique<SilentSoundBackend>();
    g_mixerLoaded = true;
    return std::unique_ptr<SoundBackend>(create(&ThisModuleHost()));
}

// Ends the loading aside, waiting for it if it is not done; what it made is
// the back end unless one was chosen meanwhile.
void joinLoader(SoundState& s) {
    if (!s.loader.joinable()) return;
    s.loader.join();
    if (!s.backend) s.backend = std::move(s.loaded);
    s.loaded.reset();
    std::vector<SoundCall> waiting;
    waiting.swap(s.waiting);
    if (s.backend)
        for (const SoundCall& call : waiting) s.backend->Play(call);
}

// Called on the main thread once the loader is done.
void loaderDone() {
    auto& s = state();
    if (s.ready) joinLoader(s);
}

SoundBackend& backend() {
    auto& s = state();
    joinLoader(s);
    if (!s.backend) s.backend = MakeDefaultSoundBackend();
    return *s.backend;
}

// The name given to SetCutSoundName, in lower case.
std::string& cutSoundName() {
    static std::string name;
    return name;
}

bool endsWithSilence(const std::string& path) {
    const std::string& name = cutSoundName();
    if (name.empty() || path.size() < name.size()) return false;
    std::string tail = LCase(path.substr(path.size() - name.size()));
    if (tail != name) return false;
    if (path.size() == name.size()) return true;
    char before = path[path.size() - name.size() - 1];
    return before == '\\' || before == '/' || before == ':';
}

// The resolved path when the file there can be played as that kind;
// anything else in its place (a folder, a pipe, a device, a huge file) is
// logged once and counts as missing.
std::string playable(const std::string& gamePath, std::string resolved, MediaKind kind) {
    std::string why;
    if (resolved.empty() || IsMediaFile(resolved, kind, &why)) return resolved;
    LogOnce("midia-inadequada:" + resolved, "arquivo de som ou mídia inadequado (" + why + "): " + gamePath);
    return {};
}

// The sample rates of sounds: telephone quality to studio recordings.
constexpr std::uint32_t kLowestRate = 4000, kHighestRate = 192000;

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }

}  // namespace

std::unique_ptr<SoundBackend> MakeMixerSoundBackend() {
    releaseBeforeTheApplicationEnds();
    return createMixer();
}

std::unique_ptr<SoundBackend> MakeDefaultSoundBackend() {
    if (QCoreApplication::instance()) return MakeMixerSoundBackend();
    return std::make_unique<SilentSoundBackend>();
}

void SetSoundBackend(std::unique_ptr<SoundBackend> b) {
    auto& s = state();
    joinLoader(s);
    s.backend = std::move(b);
}

void LoadSoundAside() {
    auto& s = state();
    if (s.backend || s.loader.joinable() || !QCoreApplication::instance()) return;
    releaseBeforeTheApplicationEnds();
    // The output is opened there too: connecting to the sound server takes
    // longer than loading the module, and would otherwise hold up the
    // screen that plays the first sound.
    s.ready = false;
    s.loader = std::thread([&s] {
        s.loaded = createMixer();
        s.loaded->Prepare();
        s.ready = true;
        if (auto* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, loaderDone, Qt::QueuedConnection);
    });
}

RecordingSoundBackend& UseRecordingSoundBackend() {
    auto rec = std::make_unique<RecordingSoundBackend>();
    RecordingSoundBackend& ref = *rec;
    SetSoundBackend(std::move(rec));
    return ref;
}

void ShutdownSound() {
    auto& s = state();
    joinLoader(s);
    s.backend.reset();
}

int HoldSongLoading(bool hold) {
    auto h = reinterpret_cast<decltype(&brotalia_sound_mixer_hold_songs)>(
        ModuleEntry("sound_mixer", "brotalia_sound_mixer_hold_songs"));
    return h ? h(hold ? 1 : 0) : 0;
}

void AwaitSongs() {
    if (state().backend) state().backend->AwaitSongs();
}

void SetCutSoundName(const std::string& fileName) { cutSoundName() = LCase(fileName); }

bool PlaySound(const std::string& path, SoundMode mode) {
    SoundCall call{mode == SoundMode::Sync ? SoundCall::Kind::Sync : SoundCall::Kind::Async, path, ResolvePath(path)};
    if (endsWithSilence(path)) {
        call.kind = SoundCall::Kind::Cut;
        // Before the first sound nothing can be playing: no need to wait
        // for a back end still loading; the sounds waiting for it are cut.
        if (!state().backend) {
            state().waiting.clear();
            return !call.resolved.empty();
        }
    } else {
        call.resolved = playable(path, std::move(call.resolved), MediaKind::Sound);
    }
    bool found = !call.resolved.empty();
    if (!found && call.kind != SoundCall::Kind::Cut) LogOnce("som:" + LCase(path), "som não encontrado: " + path);
    auto& s = state();
    if (call.kind == SoundCall::Kind::Async && !s.backend && s.loader.joinable() && !s.ready) {
        s.waiting.push_back(std::move(call));
        return found;
    }
    backend().Play(call);
    return found;
}

void StopSound() {
    state().waiting.clear();
    if (!state().backend) return;
    backend().Play(SoundCall{SoundCall::Kind::Cut, {}, {}});
}

bool PlayMedia(const std::string& path) {
    SoundCall call{SoundCall::Kind::Media, path, ResolvePath(path)};
    const MediaKind kind = IsFilm(path) ? MediaKind::Film : IsSongName(LCase(path)) ? MediaKind::Song : MediaKind::Sound;
    call.resolved = playable(path, std::move(call.resolved), kind);
    bool found = !call.resolved.empty();
    if (!found) LogOnce("midia:" + LCase(path), "arquivo de mídia não encontrado: " + path);
    if (found && IsFilm(call.resolved) && ShowFilm(call.resolved)) return true;
    backend().Play(call);
    return found;
}

std::optional<double> WavDuration(const std::string& realPath) {
    MediaFile file = OpenMediaFile(realPath, MediaKind::Sound);
    if (!file) return std::nullopt;
    std::uint64_t at = 0;
    auto read = [&](unsigned char* into, std::size_t n) {
        if (::pread(file.Descriptor(), into, n, static_cast<off_t>(at)) != static_cast<ssize_t>(n)) return false;
        at += n;
        return true;
    };
    unsigned char riff[12];
    if (!read(riff, 12)) return std::nullopt;
    if (std::string(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    for (int chunks = 0; chunks < 64; ++chunks) {
        unsigned char head[8];
        if (!read(head, 8)) return std::nullopt;
        std::string id(reinterpret_cast<char*>(head), 4);
        std::uint32_t size = le32(head + 4);
        if (id == "fmt ") {
            unsigned char fmt[16];
            if (size < 16 || !read(fmt, 16)) return std::nullopt;
            // A rate no sound is recorded at is a header that lies: its
            // length would be anything.
            const std::uint32_t rate = le32(fmt + 4);
            if (rate < kLowestRate || rate > kHighestRate || le16(fmt + 2) == 0) return std::nullopt;
            byteRate = le32(fmt + 8);
            at += size - 16 + (size & 1);
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            return static_cast<double>(size) / byteRate;
        } else {
            at += size + (size & 1);
        }
    }
    return std::nullopt;
}

}  // namespace platform
