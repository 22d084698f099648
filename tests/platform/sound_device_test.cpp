// The mixer back end on a real sound server: what reaches the output is read
// back from the default sink's monitor with parec. The test command starts a
// private PulseAudio server with a null sink; without a sound server these
// tests skip.

#include "platform/log.h"
#include "platform/sound.h"
#include "platform/text.h"
#include "temp_folder.h"
#include "wav_file.h"

#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string_view>
#include <thread>
#include <vector>

using namespace platform;
using platform_test::TempFolder;
using Clock = std::chrono::steady_clock;

namespace {

// A WAV file of a 440 Hz tone.
std::string tone(double seconds, int rate = 22050) { return platform_test::WavFile(seconds, rate, false, 440.0); }

// A one-track MIDI song: an organ chord held for two seconds.
std::string song() {
    const unsigned char track[] = {0x00, 0xC0, 0x13,                    // organ
                                   0x00, 0x90, 0x3C, 0x70, 0x00, 0x90, 0x40, 0x70, 0x00, 0x90, 0x43, 0x70,
                                   0x83, 0x00, 0x80, 0x3C, 0x00,        // 384 ticks later
                                   0x00, 0x80, 0x40, 0x00, 0x00, 0x80, 0x43, 0x00,
                                   0x00, 0xFF, 0x2F, 0x00};
    std::string s("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
    s += "MTrk";
    s += std::string("\0\0\0", 3) + static_cast<char>(sizeof track);
    s.append(reinterpret_cast<const char*>(track), sizeof track);
    return s;
}

bool soundServerAnswers() { return std::system("pactl info >/dev/null 2>&1") == 0; }

// The lock that lets one test at a time use the sound server: in the folder
// of the server's socket when the test command started a server of its own
// (shared by whatever uses that server, gone with it), else beside the test
// program (shared by this build's tests).
std::string lockPath() {
    std::string folder;
    if (const char* server = std::getenv("PULSE_SERVER"); server && std::string_view(server).starts_with("unix:"))
        folder = std::filesystem::path(server + 5).parent_path().string();
    std::error_code ec;
    if (folder.empty() || !std::filesystem::is_directory(folder, ec))
        folder = std::filesystem::read_symlink("/proc/self/exe", ec).parent_path().string();
    return folder + "/brotalia-som.lock";
}

// Records the default sink's monitor (8000 Hz mono) in blocks of 5 ms, each
// kept with the moment it arrived and its peak.
class Monitor {
public:
    static constexpr int kBlock = 40;  // samples: 5 ms

    struct Block {
        Clock::time_point arrived;
        int peak;
    };

    ~Monitor() { stop(); }

    bool start() {
        int fds[2];
        if (pipe(fds) != 0) return false;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(fds[1], 1);
            ::close(fds[0]);
            ::close(fds[1]);
            execlp("parec", "parec", "--raw", "--format=s16le", "--rate=8000", "--channels=1", "--latency-msec=5",
                   "-d", "@DEFAULT_MONITOR@", static_cast<char*>(nullptr));
            _exit(127);
        }
        ::close(fds[1]);
        fd_ = fds[0];
        reader_ = std::thread([this] { read(); });
        // Ready once samples flow.
        const auto limit = Clock::now() + std::chrono::seconds(3);
        while (Clock::now() < limit) {
            if (size() > 4) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }

    void stop() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
            pid_ = -1;
        }
        if (reader_.joinable()) reader_.join();
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

    std::size_t size() {
        std::lock_guard<std::mutex> lock(mutex_);
        return blocks_.size();
    }
    std::vector<Block> blocks() {
        std::lock_guard<std::mutex> lock(mutex_);
        return blocks_;
    }
    void waitFor(std::chrono::milliseconds ms) { std::this_thread::sleep_for(ms); }

private:
    void read() {
        std::int16_t buf[kBlock];
        std::size_t have = 0;
        for (;;) {
            const ssize_t n = ::read(fd_, reinterpret_cast<char*>(buf) + have, sizeof buf - have);
            if (n <= 0) return;
            have += static_cast<std::size_t>(n);
            if (have < sizeof buf) continue;
            have = 0;
            int peak = 0;
            for (std::int16_t v : buf) peak = std::max(peak, std::abs(int(v)));
            std::lock_guard<std::mutex> lock(mutex_);
            blocks_.push_back({Clock::now(), peak});
        }
    }

    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    std::mutex mutex_;
    std::vector<Block> blocks_;
};

constexpr int kLoud = 2000, kQuiet = 300;

// Stretches of loud blocks from the index `from` on, as lengths in samples'
// time (blocks x 5 ms); quiet gaps shorter than 40 ms (an audio thread
// starved on a loaded machine) do not split a stretch.
std::vector<double> loudStretches(const std::vector<Monitor::Block>& b, std::size_t from = 0) {
    std::vector<double> out;
    std::size_t i = from;
    while (i < b.size()) {
        if (b[i].peak < kLoud) {
            ++i;
            continue;
        }
        std::size_t end = i, quiet = 0;
        for (std::size_t j = i; j < b.size() && quiet < 8; ++j) {
            if (b[j].peak >= kLoud) {
                end = j;
                quiet = 0;
            } else {
                ++quiet;
            }
        }
        out.push_back((end - i + 1) * 0.005);
        i = end + 1;
    }
    return out;
}

std::size_t indexAt(const std::vector<Monitor::Block>& b, Clock::time_point t) {
    return std::lower_bound(b.begin(), b.end(), t, [](const Monitor::Block& x, Clock::time_point v) {
               return x.arrived < v;
           }) - b.begin();
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

class SoundDeviceTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!soundServerAnswers()) GTEST_SKIP() << "nenhum servidor de som (PulseAudio) em execução";
        ResetLog();
        SetLogToStderr(false);
        SetCutSoundName("silencio.wav");
        folder.write("bip.wav", tone(0.120));
        folder.write("voz.wav", tone(2.0));
        folder.write("silencio.wav", tone(0.1));
        folder.write("cantiga.mid", song());
        folder.write("falso.wav", song());
        // One test at a time on the sound server, whatever runs in parallel:
        // each reads back only its own sounds.
        lock_ = ::open(lockPath().c_str(), O_CREAT | O_RDWR | O_CLOEXEC, 0600);
        if (lock_ >= 0) flock(lock_, LOCK_EX);
        SetSoundBackend(MakeMixerSoundBackend());
        ASSERT_TRUE(monitor.start()) << "parec não gravou o monitor da saída";
    }
    void TearDown() override {
        ShutdownSound();
        monitor.stop();
        if (lock_ >= 0) ::close(lock_);
        SetLogToStderr(true);
    }
    std::string game(const std::string& name) { return folder.path() + "\\" + name; }

    TempFolder folder;
    Monitor monitor;
    int lock_ = -1;
};

// Each synchronous play returns once its sound has ended: never before its
// length, the mixer's channel silent again, and it was heard.
TEST_F(SoundDeviceTest, SynchronousPlaysEndWithTheirSound) {
    PlaySound(game("silencio.wav"), SoundMode::Sync);  // opens the device
    const std::size_t from = monitor.size();
    for (int i = 0; i < 16; ++i) {
        const auto start = Clock::now();
        ASSERT_TRUE(PlaySound(game("bip.wav"), SoundMode::Sync));
        EXPECT_GE(seconds(Clock::now() - start), 0.120) << i;
        EXPECT_FALSE(Mix_Playing(-1)) << i << ": o som ainda tocava";
        std::this_thread::sleep_for(std::chrono::milliseconds(100));  // a gap that the monitor sees
    }
    monitor.waitFor(std::chrono::milliseconds(200));
    EXPECT_FALSE(loudStretches(monitor.blocks(), from).empty()) << "nenhum bipe soou";
    EXPECT_FALSE(WasLogged("som-sem-fim"));
}

// The silence file cuts an asynchronous voice at once, and the call to start
// the voice returned at once too.
TEST_F(SoundDeviceTest, SilenceCutsAVoiceAtOnce) {
    PlaySound(game("silencio.wav"), SoundMode::Sync);  // opens the device
    auto start = Clock::now();
    ASSERT_TRUE(PlaySound(game("voz.wav"), SoundMode::Async));
    EXPECT_LT(seconds(Clock::now() - start), 1.0);  // not the voice's two seconds
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    const auto cut = Clock::now();
    PlaySound(game("SILENCIO.WAV"), SoundMode::Async);
    EXPECT_FALSE(Mix_Playing(-1));
    monitor.waitFor(std::chrono::milliseconds(400));

    const auto b = monitor.blocks();
    ASSERT_FALSE(loudStretches(b, indexAt(b, cut - std::chrono::milliseconds(200))).empty()) << "a voz não tocou";
}

// The help's song plays through the MIDI synthesiser, and its WAV link on
// a channel of its own: the game's sounds, voices and the silence leave both
// playing, a song asked for while they play starts all the same, and only a
// newer song takes the song's place.
TEST_F(SoundDeviceTest, HelpMediaRunOnBesideTheGamesSounds) {
    PlaySound(game("silencio.wav"), SoundMode::Sync);  // opens the device
    const auto start = Clock::now();
    ASSERT_TRUE(PlayMedia(game("cantiga.mid")));
    PlaySound(game("silencio.wav"), SoundMode::Async);
    ASSERT_TRUE(PlaySound(game("bip.wav"), SoundMode::Async));
    AwaitSongs();
    EXPECT_TRUE(Mix_PlayingMusic()) << "a música não começou";
    std::vector<Monitor::Block> b;
    for (int i = 0; i < 50 && loudStretches(b, indexAt(b, start)).empty(); ++i) {
        monitor.waitFor(std::chrono::milliseconds(100));
        b = monitor.blocks();
    }
    EXPECT_FALSE(loudStretches(b, indexAt(b, start)).empty()) << "a música não soou";
    EXPECT_FALSE(WasLogged("midia-leitura:" + folder.path() + "/cantiga.mid"));

    ASSERT_TRUE(PlayMedia(game("voz.wav")));
    PlaySound(game("silencio.wav"), SoundMode::Sync);
    PlaySound(game("bip.wav"), SoundMode::Sync);
    StopSound();
    EXPECT_TRUE(Mix_PlayingMusic()) << "a música foi cortada";
    EXPECT_TRUE(Mix_Playing(1)) << "o som da ajuda foi cortado";
    EXPECT_FALSE(Mix_Playing(0));
    ASSERT_TRUE(PlayMedia(game("cantiga.mid")));
    AwaitSongs();
    EXPECT_TRUE(Mix_PlayingMusic());
}

// A missing file or one that is not a WAV file returns at once, logged once.
TEST_F(SoundDeviceTest, MissingOrForeignFilesReturnAtOnce) {
    PlaySound(game("silencio.wav"), SoundMode::Sync);  // opens the device
    const auto start = Clock::now();
    EXPECT_FALSE(PlaySound(game("faltando.wav"), SoundMode::Sync));
    EXPECT_TRUE(PlaySound(game("falso.wav"), SoundMode::Sync));
    EXPECT_TRUE(PlaySound(game("falso.wav"), SoundMode::Async));
    EXPECT_TRUE(PlaySound(game("cantiga.mid"), SoundMode::Sync));
    EXPECT_LT(seconds(Clock::now() - start), 1.0);  // none played its two seconds
    EXPECT_TRUE(WasLogged("som:" + LCase(game("faltando.wav"))));
    EXPECT_TRUE(WasLogged("som-formato:" + folder.path() + "/falso.wav"));
}

}  // namespace
