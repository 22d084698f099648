#include "platform/log.h"
#include "platform/sound.h"
#include "temp_folder.h"
#include "wav_file.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>

using namespace platform;
using platform_test::TempFolder;

namespace {

std::string wav(double seconds, int rate = 8000, bool extraChunk = false) {
    return platform_test::WavFile(seconds, rate, extraChunk);
}

double secondsSince(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLog();
        SetLogToStderr(false);
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
    EXPECT_TRUE(PlaySound(folder.path() + "\\blip.wav", SoundMode::Sync));
    EXPECT_LT(secondsSince(start), 0.1);
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
    EXPECT_TRUE(PlaySound(folder.path() + "\\blip.wav", SoundMode::Sync));
    PlaySound(folder.path() + "\\silencio.wav", SoundMode::Async);
    EXPECT_LT(secondsSince(start), 0.2);
    EXPECT_TRUE(WasLogged("som-sem-saida"));
    ShutdownSound();

    if (oldDriver)
        setenv("SDL_AUDIODRIVER", keptDriver.c_str(), 1);
    else
        unsetenv("SDL_AUDIODRIVER");
}

}  // namespace
