// The mixer sound back end, a module of its own: the SDL mixer and the
// synthesiser it plays songs with pull in some forty shared libraries, loaded
// only when the program first asks for real sound.

#include "platform/modules/host.h"
#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <thread>

namespace platform {
namespace {

const ModuleHost* g_host = nullptr;

const ModuleHost& host() { return *g_host; }

using Clock = std::chrono::steady_clock;

// A synchronous sound that never reports its end releases the caller this
// long after its length.
constexpr auto kEndMargin = std::chrono::milliseconds(1000);
// The game's sounds are 16-bit mono at 22050 Hz: the mixer runs in their
// format, so loading one is a copy (resampling a voice of a few seconds costs
// tens of milliseconds), and the sound server adapts it to the output.
constexpr int kRate = 22050;
// Frames the mixer fills at a time (23 ms): the most a synchronous sound's
// end can be reported before its length has passed.
constexpr int kDeviceBuffer = 512;
// At most this many decoded sounds are kept ready.
constexpr std::size_t kCachedSounds = 48;

// The end of play of the sound channel, reported by the mixer on its audio
// thread (while it holds the audio lock: the callback only flags and wakes).
struct EndOfPlay {
    std::mutex mutex;
    std::condition_variable changed;
    bool ended = true;
};

EndOfPlay& endOfPlay() {
    static auto* e = new EndOfPlay;  // outlives every audio thread
    return *e;
}

void channelFinished(int) {
    EndOfPlay& e = endOfPlay();
    {
        std::lock_guard<std::mutex> lock(e.mutex);
        e.ended = true;
    }
    e.changed.notify_all();
}

std::string generalMidiSoundFont() {
    if (const char* chosen = std::getenv("SDL_SOUNDFONTS"); chosen && *chosen) return chosen;
    // The small General MIDI font first: the large one takes seconds to load.
    for (const char* f : {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
                          "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        std::error_code ec;
        if (std::filesystem::exists(f, ec)) return f;
    }
    return {};
}

bool isSong(const std::string& lowerPath) {
    return lowerPath.ends_with(".mid") || lowerPath.ends_with(".midi") || lowerPath.ends_with(".rmi");
}

// Play is called from the program's main thread; a song loads on a thread of
// its own (see playMedia). Mixer functions take the audio lock, and the mixer
// calls channelFinished with that lock held, so no mixer function is called
// while EndOfPlay's mutex is held.
class MixerSoundBackend : public SoundBackend {
public:
    ~MixerSoundBackend() override { close(); }

    void Play(const SoundCall& call) override {
        switch (call.kind) {
            case SoundCall::Kind::Cut:
                // A cut before any sound has nothing to stop: no device needed.
                if (device_ == Device::Open) haltAll();
                return;
            case SoundCall::Kind::Media: playMedia(call); return;
            case SoundCall::Kind::Async: playEffect(call, false); return;
            case SoundCall::Kind::Sync: playEffect(call, true); return;
        }
    }

private:
    enum class Device { Closed, Open, Failed };

    bool ensureOpen() {
        if (device_ == Device::Open) return true;
        if (device_ == Device::Failed) return false;
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "Brotalia");
        std::string why;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            why = SDL_GetError();
        } else if (Mix_OpenAudioDevice(kRate, AUDIO_S16SYS, 1, kDeviceBuffer, nullptr, 0) != 0) {
            why = Mix_GetError();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        if (!why.empty()) {
            device_ = Device::Failed;
            host().logOnce("som-sem-saida", "nenhuma saída de áudio disponível: os sons ficam em silêncio (" + why + ")");
            return false;
        }
        Mix_AllocateChannels(1);  // one sound at a time
        Mix_ChannelFinished(channelFinished);
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        bytesPerSecond_ = double(frequency) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
        device_ = Device::Open;
        return true;
    }

    void close() {
        if (device_ != Device::Open) return;
        Mix_ChannelFinished(nullptr);
        haltAll();
        if (songLoader_.joinable()) songLoader_.join();
        for (auto& [path, chunk] : chunks_)
            if (chunk) Mix_FreeChunk(chunk);
        chunks_.clear();
        if (song_) Mix_FreeMusic(song_);
        song_ = nullptr;
        songPath_.clear();
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        device_ = Device::Closed;
    }

    void haltAll() {
        {
            std::lock_guard<std::mutex> lock(songMutex_);
            ++songTicket_;
        }
        Mix_HaltChannel(-1);
        Mix_HaltMusic();
    }

    // The decoded sound, converted to the device's format; nullptr (logged
    // once) when the mixer cannot read it.
    Mix_Chunk* chunkFor(const SoundCall& call) {
        auto it = chunks_.find(call.resolved);
        if (it != chunks_.end()) return it->second;
        if (chunks_.size() >= kCachedSounds) {
            // The channel is halted before the next sound starts, so any of
            // them can go; a freed sound that was playing simply stops.
            auto victim = chunks_.begin();
            if (victim->second) Mix_FreeChunk(victim->second);
            chunks_.erase(victim);
        }
        Mix_Chunk* chunk = Mix_LoadWAV(call.resolved.c_str());
        if (!chunk)
            host().logOnce("som-leitura:" + call.resolved,
                    "não foi possível ler o som " + call.path + ": " + std::string(Mix_GetError()));
        chunks_.emplace(call.resolved, chunk);
        return chunk;
    }

    void playEffect(const SoundCall& call, bool wait) {
        if (call.resolved.empty()) return;
        if (!host().wavDuration(call.resolved)) {
            host().logOnce("som-formato:" + call.resolved, "som em formato não reconhecido: " + call.path);
            return;
        }
        if (!ensureOpen()) return;
        Mix_Chunk* chunk = chunkFor(call);
        if (!chunk) return;
        haltAll();
        EndOfPlay& e = endOfPlay();
        {
            std::lock_guard<std::mutex> lock(e.mutex);
            e.ended = false;
        }
        const auto start = Clock::now();
        if (Mix_PlayChannel(0, chunk, 0) < 0) {
            host().logOnce("som-tocar:" + call.resolved,
                    "não foi possível tocar o som " + call.path + ": " + std::string(Mix_GetError()));
            return;
        }
        if (!wait) return;

        // The mixer reports the end when it has mixed the last samples, which
        // can be up to one device buffer before the sound's length has passed
        // since the call; the caller is released at the later of the two.
        const auto length = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(chunk->alen / bytesPerSecond_));
        bool ended;
        {
            std::unique_lock<std::mutex> lock(e.mutex);
            ended = e.changed.wait_until(lock, start + length + kEndMargin, [&e] { return e.ended; });
        }
        if (!ended) {
            Mix_HaltChannel(-1);
            host().logOnce("som-sem-fim", "a saída de áudio não informou o fim do som " + call.path);
            return;
        }
        std::this_thread::sleep_until(start + length);
    }

    void playMedia(const SoundCall& call) {
        if (call.resolved.empty()) return;
        const std::string lower = host().lowerCase(call.resolved);
        if (lower.ends_with(".wav")) {
            playEffect(call, false);
            return;
        }
        if (!isSong(lower)) {
            host().logOnce("midia-formato:" + call.resolved, "formato de mídia não reconhecido: " + call.path);
            return;
        }
        if (!ensureOpen()) return;
        haltAll();
        // Loading a song starts the synthesiser and reads its sound font,
        // a few hundred milliseconds: done aside, so the click returns at
        // once. The song starts when loaded unless another sound came first.
        if (songLoader_.joinable()) songLoader_.join();
        const std::uint64_t ticket = songTicket_;
        songLoader_ = std::thread([this, call, ticket] { loadAndPlaySong(call, ticket); });
    }

    // Runs on the song loader's thread, the only one touching the song
    // while it runs.
    void loadAndPlaySong(const SoundCall& call, std::uint64_t ticket) {
        if (ticket != songTicket_) return;
        if (songPath_ != call.resolved) {
            if (song_) Mix_FreeMusic(song_);
            song_ = nullptr;
            songPath_.clear();
            if (!synthReady_) {
                synthReady_ = true;
                const std::string font = generalMidiSoundFont();
                if (!font.empty()) Mix_SetSoundFonts(font.c_str());
                Mix_Init(MIX_INIT_MID);
            }
            song_ = Mix_LoadMUS(call.resolved.c_str());
            if (!song_) {
                host().logOnce("midia-leitura:" + call.resolved,
                        "não foi possível tocar a música " + call.path + ": " + std::string(Mix_GetError()));
                return;
            }
            songPath_ = call.resolved;
        }
        // A sound asked for while the song loaded wins over it.
        std::lock_guard<std::mutex> lock(songMutex_);
        if (ticket == songTicket_ && Mix_PlayMusic(song_, 1) != 0)
            host().logOnce("midia-tocar:" + call.resolved,
                    "não foi possível tocar a música " + call.path + ": " + std::string(Mix_GetError()));
    }

    Device device_ = Device::Closed;
    double bytesPerSecond_ = kRate * 2.0;
    std::map<std::string, Mix_Chunk*> chunks_;
    std::thread songLoader_;
    // Shared with the song loader: a sound asked for after a song moves the
    // ticket on, so the song, still loading, does not start.
    std::mutex songMutex_;
    std::atomic<std::uint64_t> songTicket_{0};
    Mix_Music* song_ = nullptr;
    std::string songPath_;
    bool synthReady_ = false;
};

}  // namespace
}  // namespace platform

extern "C" platform::SoundBackend* brotalia_sound_mixer_create(const platform::ModuleHost* host) {
    platform::g_host = host;
    return new platform::MixerSoundBackend;
}
