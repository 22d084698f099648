#include "platform/log.h"
#include "platform/shutdown.h"
#include "platform/sound.h"
#include "pipe_writer.h"
#include "temp_folder.h"
#include "wav_file.h"

#include <QCoreApplication>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <thread>

using namespace platform;
using platform_test::PipeWriter;
using platform_test::TempFolder;

namespace {

std::string wav(double seconds, int rate = 8000, bool extraChunk = false) {
    return platform_test::WavFile(seconds, rate, extraChunk);
}

double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// A one-track MIDI song: one note held for half a second.
std::string song() {
    const unsigned char track[] = {0x00, 0x90, 0x3C, 0x70, 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};
    std::string s("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14);
    s += "MTrk";
    s += std::string("\0\0\0", 3) + static_cast<char>(sizeof track);
    s.append(reinterpret_cast<const char*>(track), sizeof track);
    return s;
}

// Chooses an audio driver for the test's span (the dummy one plays into
// nothing, in real time), and restores the one before.
class AudioDriver {
public:
    explicit AudioDriver(const char* name) {
        if (const char* old = std::getenv("SDL_AUDIODRIVER")) kept_ = old;
        setenv("SDL_AUDIODRIVER", name, 1);
    }
    ~AudioDriver() {
        if (kept_)
            setenv("SDL_AUDIODRIVER", kept_->c_str(), 1);
        else
            unsetenv("SDL_AUDIODRIVER");
    }

private:
    std::optional<std::string> kept_;
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLog();
        SetLogToStderr(false);
        SetCutSoundName("silencio.wav");
        folder.write("drives/C/audio/caipira/oi.wav", wav(0.2));
        folder.write("blip.wav", wav(0.3));
        folder.write("silencio.wav", wav(0.1));
        folder.write("ajuda.mid", "MThd");
    }
    void TearDown() override {
        ShutdownSound();
        SetLogToStderr(true);
    }
    TempFolder folder;
};

TEST_F(SoundTest, RecordingBackendKeepsEveryRequestInOrder) {
    auto& rec = UseRecordingSoundBackend();
    const std::string pf = folder.path();
    EXPECT_TRUE(PlaySound("\\audio\\CAIPIRA\\oi.wav", SoundMode::Async));
    EXPECT_TRUE(PlaySound(pf + "\\BLIP.wav", SoundMode::Sync));
    EXPECT_TRUE(PlaySound(pf + "\\silencio.wav", SoundMode::Async));
    EXPECT_FALSE(PlaySound("E:\\audio\\correto\\oi.wav", SoundMode::Sync));
    EXPECT_TRUE(PlayMedia(pf + "\\AJUDA.MID"));
    StopSound();

    using K = SoundCall::Kind;
    struct Expect {
        K kind;
        std::string path, resolved;
    } expected[] = {
        {K::Async, "\\audio\\CAIPIRA\\oi.wav", pf + "/drives/C/audio/caipira/oi.wav"},
        {K::Sync, pf + "\\BLIP.wav", pf + "/blip.wav"},
        {K::Cut, pf + "\\silencio.wav", pf + "/silencio.wav"},
        {K::Sync, "E:\\audio\\correto\\oi.wav", ""},
        {K::Media, pf + "\\AJUDA.MID", pf + "/ajuda.mid"},
        {K::Cut, "", ""},
    };
    ASSERT_EQ(rec.calls.size(), std::size(expected));
    for (size_t i = 0; i < rec.calls.size(); ++i) {
        EXPECT_EQ(rec.calls[i].kind, expected[i].kind) << i;
        EXPECT_EQ(rec.calls[i].path, expected[i].path) << i;
        EXPECT_EQ(rec.calls[i].resolved, expected[i].resolved) << i;
    }
    EXPECT_TRUE(WasLogged("som:e:\\audio\\correto\\oi.wav"));
}

TEST_F(SoundTest, SilenceIsRecognisedByTheFileNameAlone) {
    auto& rec = UseRecordingSoundBackend();
    PlaySound("C:\\SILENCIO.WAV", SoundMode::Async);  // missing, still a cut
    PlaySound("\\naosilencio.wav", SoundMode::Async);
    PlaySound("silencio.wav", SoundMode::Sync);
    ASSERT_EQ(rec.calls.size(), 3u);
    EXPECT_EQ(rec.calls[0].kind, SoundCall::Kind::Cut);
    EXPECT_EQ(rec.calls[1].kind, SoundCall::Kind::Async);
    EXPECT_EQ(rec.calls[2].kind, SoundCall::Kind::Cut);
    EXPECT_FALSE(WasLogged("som:c:\\silencio.wav"));  // nothing to report for a cut
}

TEST_F(SoundTest, WithoutAnApplicationTheDefaultIsSilentAndQuick) {
    ASSERT_EQ(QCoreApplication::instance(), nullptr);
    SetSoundBackend(nullptr);
    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(PlaySound("\\audio\\caipira\\nada.wav", SoundMode::Sync));
    folder.write("tres.wav", wav(3));
    EXPECT_TRUE(PlaySound(folder.path() + "\\tres.wav", SoundMode::Sync));
    EXPECT_LT(secondsSince(start), 1.0);  // not the sound's three seconds
}

TEST_F(SoundTest, WavDurationFromTheHeader) {
    EXPECT_NEAR(*WavDuration(folder.path() + "/blip.wav"), 0.3, 1e-9);
    EXPECT_NEAR(*WavDuration(folder.write("b.wav", wav(1.5, 22050, true))), 1.5, 1e-4);
    EXPECT_FALSE(WavDuration(folder.path() + "/ajuda.mid"));
    EXPECT_FALSE(WavDuration(folder.path() + "/nada.wav"));
    EXPECT_FALSE(WavDuration(folder.write("curto.wav", "RIFF\x10\0\0\0WAVE")));
}

// The mixer back end where no audio output can be opened: every call returns
// at once, and the missing device is logged once.
TEST_F(SoundTest, MixerBackendWithoutADeviceIsSilentAndQuick) {
    const char* oldDriver = std::getenv("SDL_AUDIODRIVER");
    const std::string keptDriver = oldDriver ? oldDriver : "";
    setenv("SDL_AUDIODRIVER", "sem-saida", 1);
    SetSoundBackend(MakeMixerSoundBackend());

    auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(PlaySound(folder.path() + "\\faltando.wav", SoundMode::Sync));
    EXPECT_TRUE(PlaySound("\\audio\\caipira\\oi.wav", SoundMode::Async));
    EXPECT_TRUE(PlayMedia(folder.path() + "\\ajuda.mid"));
    folder.write("tres.wav", wav(3));
    EXPECT_TRUE(PlaySound(folder.path() + "\\tres.wav", SoundMode::Sync));
    PlaySound(folder.path() + "\\silencio.wav", SoundMode::Async);
    EXPECT_LT(secondsSince(start), 1.0);  // not the sound's three seconds
    EXPECT_TRUE(WasLogged("som-sem-saida"));
    ShutdownSound();

    if (oldDriver)
        setenv("SDL_AUDIODRIVER", keptDriver.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

// What a drive can hold in a sound's or a song's place: a named pipe, a
// folder, a link to an endless device, a file of a gigabyte, a header whose
// rate makes 6 KB last half a minute. Every call returns at once, nothing
// is read that is not a sound, and the end of sound does not wait.
TEST_F(SoundTest, WhatIsNoSoundInASoundsPlaceIsRefusedAtOnce) {
    AudioDriver dummy("dummy");
    const std::string pf = folder.path();
    for (const char* pipe : {"cano.wav", "cano.mid"}) ASSERT_EQ(::mkfifo((pf + "/" + pipe).c_str(), 0600), 0);
    std::filesystem::create_directory(pf + "/pasta.mid");
    std::filesystem::create_symlink("/dev/zero", pf + "/zero.mid");
    std::filesystem::create_symlink("/dev/zero", pf + "/zero.wav");
    folder.write("enorme.wav", wav(0.1, 22050));
    std::filesystem::resize_file(pf + "/enorme.wav", std::uintmax_t(1) << 30);  // sparse
    std::string lie = wav(0.1, 22050);
    lie.resize(6000, '\0');
    for (int i = 0; i < 4; ++i) lie[24 + i] = static_cast<char>((100u >> (8 * i)) & 0xFF);        // 100 Hz
    for (int i = 0; i < 4; ++i) lie[28 + i] = static_cast<char>((200u >> (8 * i)) & 0xFF);        // 200 bytes/s
    folder.write("mentira.wav", lie);
    SetSoundBackend(MakeMixerSoundBackend());

    PipeWriter unblock({pf + "/cano.wav", pf + "/cano.mid"}, std::chrono::milliseconds(3000));
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(PlaySound(pf + "\\cano.wav", SoundMode::Sync));
    EXPECT_FALSE(PlaySound(pf + "\\zero.wav", SoundMode::Sync));
    EXPECT_FALSE(PlaySound(pf + "\\enorme.wav", SoundMode::Async));
    EXPECT_TRUE(PlaySound(pf + "\\mentira.wav", SoundMode::Sync));
    EXPECT_FALSE(PlayMedia(pf + "\\cano.mid"));
    EXPECT_FALSE(PlayMedia(pf + "\\pasta.mid"));
    EXPECT_FALSE(PlayMedia(pf + "\\zero.mid"));
    EXPECT_FALSE(PlayMedia(pf + "\\enorme.wav"));
    ShutdownSound();
    EXPECT_LT(secondsSince(start), 1.0);
    EXPECT_TRUE(WasLogged("midia-inadequada:" + pf + "/pasta.mid"));
    EXPECT_TRUE(WasLogged("midia-inadequada:" + pf + "/enorme.wav"));
    EXPECT_TRUE(WasLogged("som-formato:" + pf + "/mentira.wav"));
}

// Releases the songs' loading when the test ends, or by itself after ten
// seconds: a call that waited for a held song then returns, and `forced`
// tells it did.
class SongHold {
public:
    SongHold() {
        HoldSongLoading(true);
        watchdog_ = std::thread([this] {
            std::unique_lock<std::mutex> lock(mutex_);
            if (!over_.wait_for(lock, std::chrono::seconds(10), [this] { return done_; })) forced = true;
            HoldSongLoading(false);
        });
    }
    ~SongHold() { release(); }
    // Returns once the loader holds a song (at most ten seconds).
    void awaitHeld() {
        for (int i = 0; i < 1000 && HoldSongLoading(true) == 0; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    void release() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        over_.notify_all();
        if (watchdog_.joinable()) watchdog_.join();
        HoldSongLoading(false);
    }
    std::atomic<bool> forced{false};

private:
    std::mutex mutex_;
    std::condition_variable over_;
    bool done_ = false;
    std::thread watchdog_;
};

// Songs load on the back end's own thread: while a song loads (held), songs
// asked for meanwhile and the end of sound return; a cut or a sound asked
// for while it loads does not keep it from starting; the songs left loading
// are joined by the platform's end.
TEST_F(SoundTest, SongsLoadAsideAndNothingWaitsForThem) {
    AudioDriver dummy("dummy");
    folder.write("um.mid", song());
    folder.write("dois.mid", song());
    const std::string um = folder.path() + "\\um.mid", dois = folder.path() + "\\dois.mid";
    SetSoundBackend(MakeMixerSoundBackend());
    PlaySound(folder.path() + "\\blip.wav", SoundMode::Async);  // opens the device
    {
        SongHold hold;
        EXPECT_TRUE(PlayMedia(um));
        hold.awaitHeld();
        EXPECT_TRUE(PlayMedia(dois));
        EXPECT_TRUE(PlayMedia(um));
        ShutdownSound();
        EXPECT_FALSE(hold.forced) << "o fim do som esperou uma música carregar";
    }
    Shutdown();

    SetSoundBackend(MakeMixerSoundBackend());
    PlaySound(folder.path() + "\\blip.wav", SoundMode::Async);
    for (int corte = 0; corte < 3; ++corte) {
        SongHold hold;
        EXPECT_TRUE(PlayMedia(um));
        hold.awaitHeld();
        if (corte == 0) StopSound();
        if (corte == 1) PlaySound(folder.path() + "\\silencio.wav", SoundMode::Async);
        if (corte == 2) PlaySound(folder.path() + "\\blip.wav", SoundMode::Async);
        hold.release();
        AwaitSongs();
        EXPECT_TRUE(Mix_PlayingMusic()) << corte;
    }
}

// A synchronous sound returns once it has ended, never before its length:
// the mixer reports the end when it has mixed the last samples, up to one
// device buffer (512 frames) before they are heard. The sound is just short
// of two buffers, so the report nearly always comes before its length.
TEST_F(SoundTest, ASynchronousSoundReturnsAfterItsEnd) {
    AudioDriver dummy("dummy");
    const double length = 1023.0 / 22050;
    folder.write("curto.wav", wav(length, 22050));
    SetSoundBackend(MakeMixerSoundBackend());
    PlaySound(folder.path() + "\\silencio.wav", SoundMode::Sync);  // opens the device
    for (int i = 0; i < 16; ++i) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(PlaySound(folder.path() + "\\curto.wav", SoundMode::Sync));
        EXPECT_GE(secondsSince(start), length) << i;
        EXPECT_FALSE(Mix_Playing(-1)) << i;
    }
}

// No synchronous sound holds the game more than 10 seconds, whatever its
// header says its length is.
TEST_F(SoundTest, ASynchronousSoundHoldsTheCallerAtMostTenSeconds) {
    AudioDriver dummy("dummy");
    folder.write("longo.wav", wav(60, 8000));
    SetSoundBackend(MakeMixerSoundBackend());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_TRUE(PlaySound(folder.path() + "\\longo.wav", SoundMode::Sync));
    EXPECT_GE(secondsSince(start), 9.9);
    EXPECT_LT(secondsSince(start), 30.0);  // not the sound's minute
    EXPECT_TRUE(WasLogged("som-longo:" + folder.path() + "/longo.wav"));
}

}  // namespace
