#include "platform/log.h"
#include "platform/video.h"
#include "temp_folder.h"

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
    QCoreApplication::processEvents();
    SetLogToStderr(true);
}
