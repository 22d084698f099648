#include "platform/sound.h"

#include "platform/log.h"
#include "platform/module.h"
#include "platform/modules/host.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/video.h"

#include <QCoreApplication>

#include <cstdint>
#include <fstream>

namespace platform {
namespace {

// ------------------------------------------------------------ front end

struct SoundState {
    std::unique_ptr<SoundBackend> backend;
};

SoundState& state() {
    static SoundState s;
    return s;
}

void releaseAtExit() { ShutdownSound(); }

SoundBackend& backend() {
    auto& s = state();
    if (!s.backend) s.backend = MakeDefaultSoundBackend();
    return *s.backend;
}

bool endsWithSilence(const std::string& path) {
    static const std::string name = "silencio.wav";
    if (path.size() < name.size()) return false;
    std::string tail = LCase(path.substr(path.size() - name.size()));
    if (tail != name) return false;
    if (path.size() == name.size()) return true;
    char before = path[path.size() - name.size() - 1];
    return before == '\\' || before == '/' || before == ':';
}

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

}  // namespace

std::unique_ptr<SoundBackend> MakeMixerSoundBackend() {
    static bool hooked = false;
    if (!hooked && QCoreApplication::instance()) {
        qAddPostRoutine(releaseAtExit);  // the device closes before the application object ends
        hooked = true;
    }
    // The mixer lives in a module of its own: without it, sound is silent.
    auto create = reinterpret_cast<decltype(&brotalia_sound_mixer_create)>(ModuleEntry("sound_mixer", "brotalia_sound_mixer_create"));
    if (!create) return std::make_unique<SilentSoundBackend>();
    return std::unique_ptr<SoundBackend>(create(&ThisModuleHost()));
}

std::unique_ptr<SoundBackend> MakeDefaultSoundBackend() {
    if (QCoreApplication::instance()) return MakeMixerSoundBackend();
    return std::make_unique<SilentSoundBackend>();
}

void SetSoundBackend(std::unique_ptr<SoundBackend> b) { state().backend = std::move(b); }

RecordingSoundBackend& UseRecordingSoundBackend() {
    auto rec = std::make_unique<RecordingSoundBackend>();
    RecordingSoundBackend& ref = *rec;
    state().backend = std::move(rec);
    return ref;
}

void ShutdownSound() { state().backend.reset(); }

bool PlaySound(const std::string& path, SoundMode mode) {
    SoundCall call{mode == SoundMode::Sync ? SoundCall::Kind::Sync : SoundCall::Kind::Async, path, ResolvePath(path)};
    if (endsWithSilence(path)) call.kind = SoundCall::Kind::Cut;
    bool found = !call.resolved.empty();
    if (!found && call.kind != SoundCall::Kind::Cut) LogOnce("som:" + LCase(path), "som não encontrado: " + path);
    backend().Play(call);
    return found;
}

void StopSound() { backend().Play(SoundCall{SoundCall::Kind::Cut, {}, {}}); }

bool PlayMedia(const std::string& path) {
    SoundCall call{SoundCall::Kind::Media, path, ResolvePath(path)};
    bool found = !call.resolved.empty();
    if (!found) LogOnce("midia:" + LCase(path), "arquivo de mídia não encontrado: " + path);
    if (found && IsFilm(call.resolved) && ShowFilm(call.resolved)) return true;
    backend().Play(call);
    return found;
}

std::optional<double> WavDuration(const std::string& realPath) {
    std::ifstream in(realPath, std::ios::binary);
    unsigned char riff[12];
    if (!in.read(reinterpret_cast<char*>(riff), 12)) return std::nullopt;
    if (std::string(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    for (int chunks = 0; chunks < 64; ++chunks) {
        unsigned char head[8];
        if (!in.read(reinterpret_cast<char*>(head), 8)) return std::nullopt;
        std::string id(reinterpret_cast<char*>(head), 4);
        std::uint32_t size = le32(head + 4);
        if (id == "fmt ") {
            unsigned char fmt[16];
            if (size < 16 || !in.read(reinterpret_cast<char*>(fmt), 16)) return std::nullopt;
            byteRate = le32(fmt + 8);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            return static_cast<double>(size) / byteRate;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

}  // namespace platform
