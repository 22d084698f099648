#include "platform/video.h"

#include "platform/log.h"
#include "platform/module.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/modules/film.h"
#include "platform/modules/host.h"
#include "platform/text.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QThread>
#include <QWindow>

#include <utility>

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
    // A film asked for while that loading goes on: opened once it ends,
    // so the game does not wait for it meanwhile ("" for none).
    std::string pending;
};

FilmState& film() {
    static FilmState s;
    return s;
}

void openFilmWindow(const std::string& realPath);

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
    // Once loaded, a film asked for meanwhile opens (on the GUI thread).
    QObject::connect(s.preparing, &QThread::finished, QCoreApplication::instance(), [] {
        endPreparation();
        FilmState& f = film();
        if (f.pending.empty()) return;
        const std::string path = std::exchange(f.pending, {});
        if (f.enabled) openFilmWindow(path);
    });
    // Joined before the application object goes, with the other threads of
    // the platform layer, and at the process's end (see shutdown.h).
    qAddPostRoutine(endPreparation);
    AtShutdown(endPreparation);
    s.preparing->start(QThread::LowPriority);
}

bool ShowFilm(const std::string& realPath) {
    if (!film().enabled || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    chooseMediaBackend();
    CloseFilmWindow();
    // The back end still loading aside: the film opens as soon as it is
    // loaded, and the game goes on meanwhile.
    if (film().preparing && film().preparing->isRunning()) {
        film().pending = realPath;
        return true;
    }
    endPreparation();
    openFilmWindow(realPath);
    return true;
}

namespace {
void openFilmWindow(const std::string& realPath) {
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
}
}  // namespace

bool FilmWindowOpen() { return !film().pending.empty() || (film().window && film().window->isVisible()); }

void CloseFilmWindow() {
    film().pending.clear();
    if (QWindow* w = film().window) {
        film().window = nullptr;
        w->close();
        w->deleteLater();
    }
}

}  // namespace platform
