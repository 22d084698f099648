#include "platform/log.h"
#include "platform/video.h"
#include "pipe_writer.h"
#include "platform/sound.h"
#include "temp_folder.h"

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>

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

namespace {
// The children of this process not yet reaped.
int children() {
    int n = 0;
    for (const auto& task : std::filesystem::directory_iterator("/proc/self/task")) {
        std::ifstream in(task.path() / "children");
        for (int pid; in >> pid;) ++n;
    }
    return n;
}

bool waitFor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 30000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}
}  // namespace

// A film plays to its end in a process of its own, started ahead and ended
// with the window (or when the page with the film is left): the program
// never loads the media back end.
TEST(FilmWindowTest, AFilmPlaysInAProcessThatEndsWithIt) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    ResetLog();
    const std::string film = BROTALIA_PROGRAM_DIR "/drives/C/anima/broto.avi";
    EnableFilmWindow(true);
    PrepareFilms("");
    PrepareFilms("");
    EXPECT_TRUE(waitFor([] { return children() == 1; }));
    ReleaseFilms();
    EXPECT_TRUE(waitFor([] { return children() == 0; }));

    PrepareFilms("");
    ASSERT_TRUE(ShowFilm(film));
    ReleaseFilms();  // a film playing is not cut short
    EXPECT_TRUE(FilmWindowOpen());
    EXPECT_TRUE(waitFor([] { return !FilmWindowOpen(); }));
    EXPECT_FALSE(WasLogged("filme:" + film));
    EXPECT_TRUE(waitFor([] { return children() == 0; }));

    std::ifstream maps("/proc/self/maps");
    const std::string mapped((std::istreambuf_iterator<char>(maps)), std::istreambuf_iterator<char>());
    EXPECT_EQ(mapped.find("Multimedia"), std::string::npos);
    EnableFilmWindow(false);
}

// A film that shows no picture says so whatever ends it: a cut file (its
// end before its first picture) in the film's window, and a film process
// that dies (here without a media back end it can load) in the program.
TEST(FilmWindowTest, AFilmWithoutAPictureSaysSoWhateverEndsIt) {
    int argc = 1;
    char name[] = "platform_tests";
    char* argv[] = {name, nullptr};
    QGuiApplication app(argc, argv);
    platform_test::TempFolder folder;
    ResetLog();
    SetLogToStderr(false);
    std::ifstream in(BROTALIA_PROGRAM_DIR "/drives/C/anima/broto.avi", std::ios::binary);
    const std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(whole.find("00db"), 0u);
    const std::string cut = folder.write("cortado.avi", whole.substr(0, whole.find("00db")));
    EnableFilmWindow(true);
    ASSERT_TRUE(ShowFilm(cut));
    EXPECT_TRUE(waitFor([&] { return WasLogged("filme:" + cut); }));
    EXPECT_TRUE(FilmWindowOpen());  // the message stays a moment
    EnableFilmWindow(false);

    const std::string film = folder.write("inteiro.avi", whole);
    qputenv("QT_MEDIA_BACKEND", "nenhum");
    EnableFilmWindow(true);
    ASSERT_TRUE(ShowFilm(film));
    EXPECT_TRUE(waitFor([] { return WasLogged("filme:processo-terminou"); }));
    EXPECT_TRUE(FilmWindowOpen());
    qunsetenv("QT_MEDIA_BACKEND");
    EnableFilmWindow(false);
    EXPECT_TRUE(waitFor([] { return children() == 0; }));
    SetLogToStderr(true);
}
