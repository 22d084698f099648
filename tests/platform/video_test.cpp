#include "platform/log.h"
#include "platform/video.h"
#include "pipe_writer.h"
#include "platform/sound.h"
#include "temp_folder.h"

#include <sys/stat.h>

#include <filesystem>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <gtest/gtest.h>

using namespace platform;

// A film the machine cannot decode leaves its window with a message (not a
// black window and not a hang), logged once, and the window can be closed.
TEST(FilmWindowTest, AFilmThatCannotBeDecodedShowsAMessage) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    platform_test::TempFolder folder;
    ResetLog();
    SetLogToStderr(false);
    const std::string film = folder.write("ruim.avi", std::string("RIFF\x10\0\0\0AVI LIST", 16));

    EnableFilmWindow(true);
    ASSERT_TRUE(ShowFilm(film));
    QElapsedTimer t;
    t.start();
    while (!WasLogged("filme:" + film) && t.elapsed() < 8000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_TRUE(WasLogged("filme:" + film));
    EXPECT_TRUE(FilmWindowOpen());  // the message stays a moment
    EnableFilmWindow(false);
    EXPECT_FALSE(FilmWindowOpen());

    // A named pipe or a folder in a film's place is never opened: the help's
    // link returns at once, and the window shown for one says it cannot be
    // shown.
    const std::string pipe = folder.path() + "/cano.avi", pasta = folder.path() + "/pasta.avi";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::filesystem::create_directory(pasta);
    EnableFilmWindow(true);
    UseRecordingSoundBackend();
    platform_test::PipeWriter unblock({pipe}, std::chrono::milliseconds(3000));
    t.restart();
    EXPECT_FALSE(PlayMedia(folder.path() + "\\cano.avi"));
    EXPECT_FALSE(PlayMedia(folder.path() + "\\pasta.avi"));
    EXPECT_FALSE(FilmWindowOpen());
    ASSERT_TRUE(ShowFilm(pipe));
    EXPECT_TRUE(WasLogged("filme:" + pipe));
    ASSERT_TRUE(ShowFilm(pasta));
    EXPECT_TRUE(WasLogged("filme:" + pasta));
    EXPECT_LT(t.elapsed(), 1000);
    EnableFilmWindow(false);
    ShutdownSound();
    QCoreApplication::processEvents();
    SetLogToStderr(true);
}
