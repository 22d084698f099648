// The film window of the help's media links: films go to their own window
// only once the application turns it on; every other media file, and a
// missing film, still go to the sound back end.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/forms/testing.h"
#include "platform/paths.h"
#include "platform/sound.h"
#include "platform/video.h"

namespace t = platform::forms::test;

TEST(FilmWindow, FilmsOpenTheirWindowOnlyWhenTurnedOn) {
    t::ResetAll();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char* name : {"broto.avi", "minhoca.wav"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("RIFF");
    }
    platform::SetProgramFolder(dir.path().toStdString());
    auto& rec = platform::UseRecordingSoundBackend();

    // Off (tests, benchmarks): a film is media for the sound back end.
    EXPECT_TRUE(platform::PlayMedia(dir.path().toStdString() + "\\BROTO.AVI"));
    EXPECT_FALSE(platform::FilmWindowOpen());
    ASSERT_EQ(rec.calls.size(), 1u);

    // On: the media back end loads aside first (once, however often asked)
    // and the film then gets its window; sounds and missing films do not.
    platform::EnableFilmWindow(true);
    platform::PrepareFilms(dir.path().toStdString() + "\\broto.avi");
    platform::PrepareFilms("");
    EXPECT_TRUE(platform::PlayMedia(dir.path().toStdString() + "\\broto.avi"));
    EXPECT_TRUE(platform::FilmWindowOpen());
    EXPECT_EQ(rec.calls.size(), 1u);
    EXPECT_TRUE(platform::PlayMedia(dir.path().toStdString() + "\\minhoca.wav"));
    EXPECT_FALSE(platform::PlayMedia(dir.path().toStdString() + "\\falta.avi"));
    EXPECT_EQ(rec.calls.size(), 3u);

    // A second film replaces the first; turning films off closes the window.
    EXPECT_TRUE(platform::PlayMedia(dir.path().toStdString() + "\\broto.avi"));
    EXPECT_TRUE(platform::FilmWindowOpen());
    platform::EnableFilmWindow(false);
    EXPECT_FALSE(platform::FilmWindowOpen());
    t::ProcessEvents();
    t::ResetAll();
}
