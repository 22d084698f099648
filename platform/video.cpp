#include "platform/video.h"

#include "platform/log.h"
#include "platform/module.h"
#include "platform/paths.h"
#include "platform/modules/film.h"
#include "platform/modules/host.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QWindow>

namespace platform {
namespace {

// Qt Multimedia's GStreamer back end fails to negotiate video frames for a
// video sink whenever an X server is in use ("Internal data stream error");
// its FFmpeg back end, shipped in the same package, decodes the help's films
// everywhere. Chosen before the first media object exists, unless the user
// chose a back end.
void chooseMediaBackend() {
    static bool done = false;
    if (done) return;
    done = true;
    if (qEnvironmentVariableIsSet("QT_MEDIA_BACKEND")) return;
    for (const QString& dir : QCoreApplication::libraryPaths()) {
        if (QFileInfo::exists(dir + "/multimedia/libffmpegmediaplugin.so")) {
            qputenv("QT_MEDIA_BACKEND", "ffmpeg");
            return;
        }
    }
}

struct FilmState {
    bool enabled = false;
    QPointer<QWindow> window;
    // The thread loading the media back end ahead of the first film (a Qt
    // thread: the back end makes objects that expect one); nullptr before
    // it starts and once it has been joined.
    QThread* preparing = nullptr;
    bool prepared = false;
};

FilmState& film() {
    static FilmState s;
    return s;
}

// Waits for the loading ahead to end (at once when it is done).
void endPreparation() {
    FilmState& s = film();
    if (!s.preparing) return;
    s.preparing->wait();
    delete s.preparing;
    s.preparing = nullptr;
}

}  // namespace

void EnableFilmWindow(bool on) {
    if (on) chooseMediaBackend();
    film().enabled = on;
    if (!on) CloseFilmWindow();
}

bool FilmWindowEnabled() { return film().enabled; }

bool IsFilm(const std::string& path) { return LCase(path).ends_with(".avi"); }

void PrepareFilms(const std::string& gamePath) {
    FilmState& s = film();
    if (!s.enabled || s.prepared || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    s.prepared = true;
    chooseMediaBackend();
    s.preparing = QThread::create([realPath = ResolvePath(gamePath)] {
        if (auto prepare = reinterpret_cast<decltype(&brotalia_film_window_prepare)>(
                ModuleEntry("film_window", "brotalia_film_window_prepare")))
            prepare(&ThisModuleHost(), realPath.c_str());
    });
    // Joined before the application object goes, with the other threads of
    // the platform layer.
    qAddPostRoutine(endPreparation);
    s.preparing->start(QThread::LowPriority);
}

bool ShowFilm(const std::string& realPath) {
    if (!film().enabled || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    chooseMediaBackend();
    endPreparation();
    CloseFilmWindow();
    // The film window lives in a module of its own; without it, the window
    // shows the message of a film that cannot be shown.
    QWindow* w = nullptr;
    if (auto open = reinterpret_cast<decltype(&brotalia_film_window_open)>(
            ModuleEntry("film_window", "brotalia_film_window_open"))) {
        w = open(&ThisModuleHost(), realPath.c_str());
    } else {
        LogOnce("filme:" + realPath, "não foi possível mostrar o filme " + realPath + ": módulo de filmes indisponível");
        w = new film_window::MessageWindow(QString::fromStdString(realPath));
    }
    film().window = w;
    w->show();
    return true;
}

bool FilmWindowOpen() { return film().window && film().window->isVisible(); }

void CloseFilmWindow() {
    if (QWindow* w = film().window) {
        film().window = nullptr;
        w->close();
        w->deleteLater();
    }
}

}  // namespace platform
