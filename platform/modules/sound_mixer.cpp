// The mixer sound back end, a module of its own: the SDL mixer and the
// synthesiser it plays songs with pull in some forty shared libraries, loaded
// aside while the program starts (see LoadSoundAside).

#include "platform/modules/host.h"
#include "platform/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <dlfcn.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

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
// No synchronous sound holds its caller longer than this (the game's
// longest is about 8 s); a longer one is stopped there.
constexpr auto kLongestWait = std::chrono::seconds(10);
// A sound file longer than this (in its header's account) is not played:
// decoded at the device's rate it would take tens of megabytes.
constexpr double kLongestSound = 300;
// A song that takes longer than this to load does not start: the player has
// gone on meanwhile.
constexpr auto kSongPatience = std::chrono::seconds(5);
// How often the song loader looks whether the song it holds has ended.
constexpr auto kSongRelease = std::chrono::seconds(1);
// The game's sounds (voices, cues, the cut) take turns on one channel; the
// help's WAV links play on a channel of their own, and its songs on the
// mixer's music stream, so neither is cut by the game's sounds.
constexpr int kSoundChannel = 0, kMediaChannel = 1;

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

void channelFinished(int channel) {
    if (channel != kSoundChannel) return;
    EndOfPlay& e = endOfPlay();
    {
        std::lock_guard<std::mutex> lock(e.mutex);
        e.ended = true;
    }
    e.changed.notify_all();
}

}  // namespace
}  // namespace platform

// The mixer makes the synthesiser's settings through this function; taken
// here first (the module comes before the mixer's own libraries when its
// calls are bound), it asks the synthesiser to read from the sound font only
// the instruments a song selects, as it selects them, instead of every
// instrument's samples when the song loads: the same sound, some megabytes
// fewer while a song plays.
extern "C" {
struct brotalia_fluid_settings;
__attribute__((visibility("default"))) brotalia_fluid_settings* new_fluid_settings() {
    using New = brotalia_fluid_settings* (*)();
    using SetInt = int (*)(brotalia_fluid_settings*, const char*, int);
    static const auto make = reinterpret_cast<New>(dlsym(RTLD_NEXT, "new_fluid_settings"));
    static const auto setInt = reinterpret_cast<SetInt>(dlsym(RTLD_NEXT, "fluid_settings_setint"));
    brotalia_fluid_settings* settings = make ? make() : nullptr;
    if (settings && setInt) setInt(settings, "synth.dynamic-sample-loading", 1);
    return settings;
}
}

namespace platform {
namespace {

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

// A media file opened by the host's rules, read by the mixer through a
// stream that closes it; nullptr (why set) when it cannot be opened.
SDL_RWops* openForMixer(const std::string& realPath, MediaKind kind, std::string* why) {
    MediaFile file = host().openMediaFile(realPath, kind);
    if (!file) {
        *why = file.Why();
        return nullptr;
    }
    FILE* f = ::fdopen(file.Descriptor(), "rb");
    if (!f) {
        *why = "não pôde ser aberto";
        return nullptr;
    }
    file.Release();
    SDL_RWops* rw = SDL_RWFromFP(f, SDL_TRUE);
    if (!rw) {
        std::fclose(f);
        *why = SDL_GetError();
    }
    return rw;
}

// Held by tests (HoldSongLoading): a song taken by the loader waits here,
// counted as loading, until released.
struct Hold {
    std::mutex mutex;
    std::condition_variable released;
    bool held = false;
    int waiting = 0;  // songs waiting here
};

Hold& songHold() {
    static auto* h = new Hold;
    return *h;
}

void waitWhileHeld() {
    Hold& h = songHold();
    std::unique_lock<std::mutex> lock(h.mutex);
    ++h.waiting;
    h.released.wait(lock, [&h] { return !h.held; });
    --h.waiting;
}

// The songs' loader: one thread for the life of the back end, fed with the
// latest song asked for. Loading a song starts the synthesiser and reads its
// sound font, a few hundred milliseconds, so the main thread only hands the
// request over and never waits for it. Kept by the thread and by the back
// end alike: a back end that ends while a song is still loading leaves the
// thread to finish on its own.
struct SongLoader {
    struct Request {
        SoundCall call;
        std::uint64_t ticket;
        Clock::time_point asked;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable settled;  // the loader has nothing to do
    std::optional<Request> next;  // a request not yet begun; a newer one replaces it
    // Moved on by every song and by the back end's end: a song asked for
    // under an older ticket does not start.
    std::uint64_t ticket = 0;
    bool loading = false;
    bool stop = false;
    // The loader thread's own.
    Mix_Music* song = nullptr;
    std::string songPath;
    bool synthReady = false;

    void run() {
        for (;;) {
            Request r;
            {
                std::unique_lock<std::mutex> lock(mutex);
                if (!next) settled.notify_all();
                // A song that has ended (or never started) gives back its
                // synthesiser and the sound font it read, some megabytes,
                // checked now and then while nothing is asked for.
                while (!stop && !next) {
                    if (!song) {
                        wake.wait(lock, [this] { return stop || next; });
                        break;
                    }
                    if (wake.wait_for(lock, kSongRelease, [this] { return stop || next; })) break;
                    // The mixer is asked without the lock, which the program's
                    // thread takes to hand a request over.
                    lock.unlock();
                    if (!Mix_PlayingMusic()) {
                        Mix_FreeMusic(song);
                        song = nullptr;
                        songPath.clear();
                        malloc_trim(0);  // else the allocator keeps what it freed
                    }
                    lock.lock();
                }
                if (stop) break;
                r = std::move(*next);
                next.reset();
                if (r.ticket != ticket) continue;
                loading = true;
            }
            waitWhileHeld();
            const bool loaded = load(r.call);
            // A song asked for while this one loaded wins over it, and a
            // song that took too long is no longer what the player waits for.
            std::lock_guard<std::mutex> lock(mutex);
            loading = false;
            if (stop) break;
            if (!loaded || r.ticket != ticket) continue;
            if (Clock::now() - r.asked > kSongPatience) {
                host().logOnce("midia-demorou:" + r.call.resolved, "a música demorou demais para carregar: " + r.call.path);
                continue;
            }
            if (Mix_PlayMusic(song, 1) != 0)
                host().logOnce("midia-tocar:" + r.call.resolved,
                        "não foi possível tocar a música " + r.call.path + ": " + std::string(Mix_GetError()));
        }
        if (song) Mix_FreeMusic(song);
        song = nullptr;
    }

    bool load(const SoundCall& call) {
        if (song && songPath == call.resolved) return true;
        if (song) Mix_FreeMusic(song);
        song = nullptr;
        songPath.clear();
        if (!synthReady) {
            synthReady = true;
            const std::string font = generalMidiSoundFont();
            if (!font.empty()) Mix_SetSoundFonts(font.c_str());
            Mix_Init(MIX_INIT_MID);
        }
        std::string why;
        if (SDL_RWops* rw = openForMixer(call.resolved, MediaKind::Song, &why)) {
            song = Mix_LoadMUS_RW(rw, SDL_TRUE);
            if (!song) why = Mix_GetError();
        }
        if (!song) {
            host().logOnce("midia-leitura:" + call.resolved, "não foi possível tocar a música " + call.path + ": " + why);
            return false;
        }
        songPath = call.resolved;
        return true;
    }
};

// The songs' loaders that ended back ends left loading, each with the audio
// output it keeps open until it is done; joined and closed when the process
// ends (brotalia_sound_mixer_end).
struct Abandoned {
    std::mutex mutex;
    std::vector<std::thread> threads;
    int openOutputs = 0;
};

Abandoned& abandoned() {
    static auto* a = new Abandoned;  // a loader left running never meets it destroyed
    return *a;
}

// Play is called from the program's main thread; songs load on the song
// loader's thread. Mixer functions take the audio lock, and the mixer calls
// channelFinished with that lock held, so no mixer function is called while
// EndOfPlay's mutex is held.
class MixerSoundBackend : public SoundBackend {
public:
    ~MixerSoundBackend() override { close(); }

    void Play(const SoundCall& call) override {
        switch (call.kind) {
            case SoundCall::Kind::Cut:
                // A cut before any sound has nothing to stop: no device
                // needed. It stops the game's sound, not the help's media.
                if (device_ == Device::Open) Mix_HaltChannel(kSoundChannel);
                return;
            case SoundCall::Kind::Media: playMedia(call); return;
            case SoundCall::Kind::Async: playEffect(call, false, kSoundChannel); return;
            case SoundCall::Kind::Sync: playEffect(call, true, kSoundChannel); return;
        }
    }

    void Prepare() override { ensureOpen(); }

    void AwaitSongs() override {
        if (!songThread_.joinable()) return;
        std::unique_lock<std::mutex> lock(songs_->mutex);
        songs_->settled.wait(lock, [this] { return !songs_->loading && !songs_->next; });
    }

private:
    enum class Device { Closed, Open, Failed };

    bool ensureOpen() {
        if (device_ == Device::Open) return true;
        if (device_ == Device::Failed) return false;
        SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
        SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, host().applicationDisplayName().c_str());
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
        Mix_AllocateChannels(2);  // the game's sound and the help's WAV link
        Mix_ChannelFinished(channelFinished);
        int frequency = 0, channels = 0;
        Uint16 format = 0;
        Mix_QuerySpec(&frequency, &format, &channels);
        bytesPerSecond_ = double(frequency) * channels * (SDL_AUDIO_BITSIZE(format) / 8);
        device_ = Device::Open;
        return true;
    }

    // Ends the song loader without waiting for a song it is loading: that
    // one is left to finish on its own, with the device, and is joined when
    // the process ends (brotalia_sound_mixer_end).
    bool endSongLoader() {
        if (!songThread_.joinable()) return true;
        bool busy;
        {
            std::lock_guard<std::mutex> lock(songs_->mutex);
            songs_->stop = true;
            ++songs_->ticket;
            busy = songs_->loading;
        }
        songs_->wake.notify_all();
        if (busy) {
            Abandoned& a = abandoned();
            std::lock_guard<std::mutex> lock(a.mutex);
            a.threads.push_back(std::move(songThread_));
            ++a.openOutputs;
            host().logOnce("midia-abandonada", "uma música ainda carregava ao fechar a saída de áudio");
            return false;
        }
        songThread_.join();
        return true;
    }

    void close() {
        if (device_ != Device::Open) return;
        Mix_ChannelFinished(nullptr);
        haltAll();
        const bool songsDone = endSongLoader();
        for (auto& [path, chunk] : chunks_)
            if (chunk) Mix_FreeChunk(chunk);
        chunks_.clear();
        if (songsDone) {
            Mix_CloseAudio();
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        device_ = Device::Closed;
    }

    void haltAll() {
        {
            std::lock_guard<std::mutex> lock(songs_->mutex);
            ++songs_->ticket;
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
            // The game's channel is halted before its next sound starts, so
            // any sound can go but the help's one still playing.
            Mix_Chunk* media = Mix_Playing(kMediaChannel) ? Mix_GetChunk(kMediaChannel) : nullptr;
            auto victim = chunks_.begin();
            if (victim->second && victim->second == media) ++victim;
            if (victim->second) Mix_FreeChunk(victim->second);
            chunks_.erase(victim);
        }
        std::string why;
        Mix_Chunk* chunk = nullptr;
        if (SDL_RWops* rw = openForMixer(call.resolved, MediaKind::Sound, &why)) {
            chunk = Mix_LoadWAV_RW(rw, SDL_TRUE);
            if (!chunk) why = Mix_GetError();
        }
        if (!chunk) host().logOnce("som-leitura:" + call.resolved, "não foi possível ler o som " + call.path + ": " + why);
        chunks_.emplace(call.resolved, chunk);
        return chunk;
    }

    // Plays a WAV file on the channel, replacing what that channel plays.
    void playEffect(const SoundCall& call, bool wait, int channel) {
        if (call.resolved.empty()) return;
        const std::optional<double> seconds = host().wavDuration(call.resolved);
        if (!seconds || *seconds > kLongestSound) {
            host().logOnce("som-formato:" + call.resolved, "som em formato não reconhecido: " + call.path);
            return;
        }
        if (!ensureOpen()) return;
        Mix_Chunk* chunk = chunkFor(call);
        if (!chunk) return;
        Mix_HaltChannel(channel);
        // Only the game's channel reports its end (the help's plays on alone).
        EndOfPlay& e = endOfPlay();
        if (channel == kSoundChannel) {
            std::lock_guard<std::mutex> lock(e.mutex);
            e.ended = false;
        }
        const auto start = Clock::now();
        if (Mix_PlayChannel(channel, chunk, 0) < 0) {
            host().logOnce("som-tocar:" + call.resolved,
                    "não foi possível tocar o som " + call.path + ": " + std::string(Mix_GetError()));
            return;
        }
        if (channel != kSoundChannel) return;
        if (!wait) return;

        // The mixer reports the end when it has mixed the last samples, which
        // can be up to one device buffer before the sound's length has passed
        // since the call; the caller is released at the later of the two,
        // and never held longer than kLongestWait.
        const auto length = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(chunk->alen / bytesPerSecond_));
        const bool tooLong = length > kLongestWait;
        bool ended;
        {
            std::unique_lock<std::mutex> lock(e.mutex);
            ended = e.changed.wait_until(lock, start + std::min<Clock::duration>(length + kEndMargin, kLongestWait),
                                         [&e] { return e.ended; });
        }
        if (!ended && !tooLong) {
            Mix_HaltChannel(kSoundChannel);
            host().logOnce("som-sem-fim", "a saída de áudio não informou o fim do som " + call.path);
            return;
        }
        if (ended) std::this_thread::sleep_until(start + std::min<Clock::duration>(length, kLongestWait));
        if (tooLong) {
            Mix_HaltChannel(kSoundChannel);
            host().logOnce("som-longo:" + call.resolved, "som longo demais para esperar, interrompido: " + call.path);
        }
    }

    void playMedia(const SoundCall& call) {
        if (call.resolved.empty()) return;
        const std::string lower = host().lowerCase(call.resolved);
        if (lower.ends_with(".wav")) {
            playEffect(call, false, kMediaChannel);
            return;
        }
        if (!IsSongName(lower)) {
            host().logOnce("midia-formato:" + call.resolved, "formato de mídia não reconhecido: " + call.path);
            return;
        }
        if (!ensureOpen()) return;
        // A new song replaces the one playing and any still loading (halted
        // before the loader can start the new one); the game's sounds leave
        // songs alone.
        Mix_HaltMusic();
        {
            std::lock_guard<std::mutex> lock(songs_->mutex);
            songs_->next = SongLoader::Request{call, ++songs_->ticket, Clock::now()};
        }
        songs_->wake.notify_one();
        if (!songThread_.joinable()) songThread_ = std::thread([songs = songs_] { songs->run(); });
    }

    Device device_ = Device::Closed;
    double bytesPerSecond_ = kRate * 2.0;
    std::map<std::string, Mix_Chunk*> chunks_;
    std::shared_ptr<SongLoader> songs_ = std::make_shared<SongLoader>();
    std::thread songThread_;
};

}  // namespace
}  // namespace platform

extern "C" platform::SoundBackend* brotalia_sound_mixer_create(const platform::ModuleHost* host) {
    platform::g_host = host;
    return new platform::MixerSoundBackend;
}

extern "C" void brotalia_sound_mixer_end() {
    platform::Abandoned& a = platform::abandoned();
    std::vector<std::thread> threads;
    int outputs;
    {
        std::lock_guard<std::mutex> lock(a.mutex);
        threads.swap(a.threads);
        outputs = a.openOutputs;
        a.openOutputs = 0;
    }
    for (std::thread& t : threads) t.join();
    for (int i = 0; i < outputs; ++i) {
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

extern "C" int brotalia_sound_mixer_hold_songs(int hold) {
    platform::Hold& h = platform::songHold();
    int waiting;
    {
        std::lock_guard<std::mutex> lock(h.mutex);
        h.held = hold != 0;
        waiting = h.waiting;
    }
    h.released.notify_all();
    return waiting;
}
