#include "platform/video.h"

#include "platform/log.h"
#include "platform/media_file.h"
#include "platform/module.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/modules/film.h"
#include "platform/modules/host.h"
#include "platform/text.h"

#include <unistd.h>

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QProcess>
#include <QSocketNotifier>
#include <QTimer>
#include <QWindow>

#include <cerrno>
#include <cstdio>
#include <set>
#include <utility>
#include <vector>

namespace platform {
namespace {

// Films play in a process of their own: the program's own executable, started
// with this variable naming its role. The media back end (its plugin and the
// codec libraries, tens of megabytes that cannot be unloaded) lives and dies
// with that process, so the program gets its memory back once the film ends.
constexpr const char* kRoleVariable = "PLATFORM_CHILD_ROLE";
constexpr const char* kFilmRole = "film";
// The program's name, which the film process takes for its window's class.
constexpr const char* kNameVariable = "PLATFORM_CHILD_APP_NAME";
// How long after a page with a film is shown its film process starts.
constexpr int kStartDelayMs = 300;

// The talk between the program and its film process, one line each, every
// path and text percent-encoded:
//   to the film process:  "open <path>"     load the back end and read the film's header
//                         "play <n> <path>" show the film (the nth asked for) in the window,
//                                           replacing the one shown
//                         (end of input)    close the window and end
//   from it:              "log <key> <text>" a line for the program's log
//                         "closed <n>"       the window of the nth film closed
QByteArray encode(const std::string& s) {
    return QByteArray::fromStdString(s).toPercentEncoding();
}
std::string decode(const QByteArray& s) {
    return QByteArray::fromPercentEncoding(s).toStdString();
}

// Qt Multimedia's GStreamer back end fails to negotiate video frames for a
// video sink whenever an X server is in use ("Internal data stream error");
// its FFmpeg back end, shipped in the same package, decodes the help's films
// everywhere. Chosen before the first media object exists, unless the user
// chose a back end.
void chooseMediaBackend() {
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
    // The film process ready for the next film or playing one; nullptr when
    // there is none.
    QProcess* process = nullptr;
    // The number of the latest film asked for, and whether its window is
    // still open (or about to open).
    int lastPlay = 0;
    bool playing = false;
    // The window with the message of a film that cannot be shown, when the
    // program can tell without the film process (no such file, not a film).
    QPointer<QWindow> message;
    // Every film process not yet reaped, the one above included.
    std::set<QProcess*> all;
    // A start asked for ahead, not yet made.
    bool starting = false;
    bool registered = false;
};

FilmState& film() {
    static FilmState s;
    return s;
}

void showMessage(const std::string& realPath) {
    auto* w = new film_window::MessageWindow(QString::fromStdString(realPath));
    film().message = w;
    w->show();
}

void closeMessage() {
    if (QWindow* w = film().message) {
        film().message = nullptr;
        w->close();
    }
}

// Ends a film process without waiting: at the end of its input it closes its
// window and exits; it is reaped when it does.
void endProcess(QProcess* p) {
    FilmState& s = film();
    if (s.process == p) {
        s.process = nullptr;
        s.playing = false;
    }
    if (p->state() == QProcess::NotRunning) {
        s.all.erase(p);
        p->deleteLater();
    } else {
        p->closeWriteChannel();
    }
}

// Ends every film process and waits for each (the program's end).
void endAll() {
    FilmState& s = film();
    s.process = nullptr;
    s.playing = false;
    const std::set<QProcess*> all = std::exchange(s.all, {});
    for (QProcess* p : all) {
        p->disconnect();
        if (p->state() != QProcess::NotRunning) {
            p->closeWriteChannel();
            if (!p->waitForFinished(3000)) {
                p->kill();
                p->waitForFinished(1000);
            }
        }
        delete p;
    }
}

void heard(QProcess* p, const QByteArray& line) {
    FilmState& s = film();
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() == 3 && parts[0] == "log") {
        LogOnce(decode(parts[1]), decode(parts[2]));
    } else if (parts.size() == 2 && parts[0] == "closed") {
        // The film's window closed (its end, the player, a failure): the
        // process ends and takes the media back end with it, unless another
        // film was asked for meanwhile.
        if (p == s.process && parts[1].toInt() == s.lastPlay) endProcess(p);
    }
}

QProcess* startProcess() {
    FilmState& s = film();
    if (!s.registered) {
        s.registered = true;
        // Ended before the application object goes, and with the other
        // threads and processes of the platform layer (see shutdown.h).
        qAddPostRoutine(endAll);
        AtShutdown(endAll);
    }
    auto* p = new QProcess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kRoleVariable, kFilmRole);
    env.insert(kNameVariable, QCoreApplication::applicationName());
    p->setProcessEnvironment(env);
    p->setProgram(QStringLiteral("/proc/self/exe"));
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QObject::connect(p, &QProcess::readyReadStandardOutput, p, [p] {
        while (p->canReadLine()) heard(p, p->readLine().trimmed());
    });
    QObject::connect(p, &QProcess::errorOccurred, p, [p](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart) return;
        FilmState& f = film();
        if (f.process == p && f.playing) {
            LogOnce("filme:processo", "não foi possível mostrar os filmes: " + p->errorString().toStdString());
            f.process = nullptr;
            f.playing = false;
            showMessage(p->property("film").toString().toStdString());
        }
        if (f.all.erase(p)) p->deleteLater();
    });
    QObject::connect(p, &QProcess::finished, p, [p] {
        while (p->canReadLine()) heard(p, p->readLine().trimmed());
        FilmState& f = film();
        if (f.process == p) {
            // Ended, whatever its exit (a crash of the media back end, an
            // abort), while its film was on and before its window said it
            // closed: the film was not shown, and the player is told here.
            if (f.playing) {
                LogOnce("filme:processo-terminou", "o processo dos filmes terminou sem mostrar o filme (" +
                                                       p->property("film").toString().toStdString() + ")");
                showMessage(p->property("film").toString().toStdString());
            }
            f.process = nullptr;
            f.playing = false;
        }
        if (f.all.erase(p)) p->deleteLater();
    });
    s.all.insert(p);
    s.process = p;
    p->start();
    return p;
}

}  // namespace

void EnableFilmWindow(bool on) {
    film().enabled = on;
    if (!on) CloseFilmWindow();
}

bool IsFilm(const std::string& path) { return LCase(path).ends_with(".avi"); }

void PrepareFilms(const std::string& gamePath) {
    FilmState& s = film();
    if (!s.enabled || s.process || s.starting || !qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    // Started a moment later, not while the page with the film is being laid
    // out and painted: starting a process copies this one's memory map, and
    // the new one's start-up takes processor time.
    s.starting = true;
    const std::string realPath = gamePath.empty() ? std::string() : ResolvePath(gamePath);
    QTimer::singleShot(kStartDelayMs, QCoreApplication::instance(), [realPath] {
        FilmState& f = film();
        if (!std::exchange(f.starting, false) || !f.enabled || f.process) return;
        startProcess()->write("open " + encode(realPath) + "\n");
    });
}

void ReleaseFilms() {
    FilmState& s = film();
    s.starting = false;
    if (s.process && !s.playing) endProcess(s.process);
}

bool ShowFilm(const std::string& realPath) {
    FilmState& s = film();
    if (!s.enabled || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    closeMessage();
    // What can be told here (no such file, a pipe or a folder in its place)
    // is shown at once, without the film process.
    std::string why;
    if (!IsMediaFile(realPath, MediaKind::Film, &why)) {
        if (s.process && s.playing) endProcess(s.process);
        LogOnce("filme:" + realPath, "não foi possível mostrar o filme " + realPath + ": " + why);
        showMessage(realPath);
        return true;
    }
    s.starting = false;
    QProcess* p = s.process ? s.process : startProcess();
    p->setProperty("film", QString::fromStdString(realPath));
    p->write("play " + QByteArray::number(++s.lastPlay) + " " + encode(realPath) + "\n");
    s.playing = true;
    return true;
}

bool FilmWindowOpen() {
    const FilmState& s = film();
    return s.playing || (s.message && s.message->isVisible());
}

void CloseFilmWindow() {
    closeMessage();
    film().starting = false;
    if (QProcess* p = film().process) endProcess(p);
}

// ---- The film process ----

namespace {

void tell(const QByteArray& line) {
    const QByteArray all = line + "\n";
    for (qsizetype done = 0; done < all.size();) {
        const ssize_t n = ::write(STDOUT_FILENO, all.constData() + done, all.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;  // the program is gone
        done += n;
    }
}

// The film module's log lines go to the program's log.
bool tellLog(const std::string& key, const std::string& message) {
    static std::set<std::string> told;
    if (!told.insert(key).second) return false;
    tell("log " + encode(key) + " " + encode(message));
    return true;
}

class FilmProcess {
public:
    FilmProcess() : host_(ThisModuleHost()), input_(STDIN_FILENO, QSocketNotifier::Read) {
        host_.logOnce = &tellLog;
        QObject::connect(&input_, &QSocketNotifier::activated, [this] { read(); });
    }

private:
    void read() {
        char buf[4096];
        const ssize_t n = ::read(STDIN_FILENO, buf, sizeof buf);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) return;
        if (n <= 0) {
            end();
            return;
        }
        pending_.append(buf, n);
        for (qsizetype nl; (nl = pending_.indexOf('\n')) >= 0;) {
            const QByteArray line = pending_.left(nl);
            pending_.remove(0, nl + 1);
            const QList<QByteArray> parts = line.split(' ');
            if (parts.size() == 2 && parts[0] == "open") prepare(decode(parts[1]));
            if (parts.size() == 3 && parts[0] == "play") play(parts[1].toInt(), decode(parts[2]));
        }
    }

    void prepare(const std::string& realPath) {
        if (prepared_) return;
        prepared_ = true;
        if (auto entry = reinterpret_cast<decltype(&brotalia_film_window_prepare)>(
                ModuleEntry("film_window", "brotalia_film_window_prepare")))
            entry(&host_, realPath.c_str());
    }

    void play(int n, const std::string& realPath) {
        closeWindow();
        prepared_ = true;
        // The window lives in a module of its own; without it, the window
        // shows the message of a film that cannot be shown.
        QWindow* w = nullptr;
        if (auto open = reinterpret_cast<decltype(&brotalia_film_window_open)>(
                ModuleEntry("film_window", "brotalia_film_window_open"))) {
            w = open(&host_, realPath.c_str());
        } else {
            tellLog("filme:" + realPath, "não foi possível mostrar o filme " + realPath + ": módulo de filmes indisponível");
            w = new film_window::MessageWindow(QString::fromStdString(realPath));
        }
        window_ = w;
        closed_ = QObject::connect(w, &QObject::destroyed, [n] { tell("closed " + QByteArray::number(n)); });
        w->show();
    }

    void closeWindow() {
        if (!window_) return;
        QObject::disconnect(closed_);
        delete window_.data();
    }

    void end() {
        input_.setEnabled(false);
        closeWindow();
        QCoreApplication::quit();
    }

    ModuleHost host_;
    QSocketNotifier input_;
    QByteArray pending_;
    QPointer<QWindow> window_;
    QMetaObject::Connection closed_;
    bool prepared_ = false;
};

}  // namespace

void RunChildRoleIfAsked() {
    const QByteArray role = qgetenv(kRoleVariable);
    if (role.isEmpty()) return;
    qunsetenv(kRoleVariable);
    // Nothing the program had open (its files, pipes of its own) stays open
    // here: only the talk with it on the standard input and output.
    ::close_range(3, ~0U, 0);
    if (role != kFilmRole) ::_exit(2);
    chooseMediaBackend();
    // Named as the program (its windows' class is the program's).
    QByteArray name = qgetenv(kNameVariable);
    if (name.isEmpty()) name = "film";
    int argc = 1;
    char* argv[] = {name.data(), nullptr};
    QGuiApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    int status = 0;
    {
        FilmProcess process;
        status = app.exec();
    }
    // Nothing of the process needs an orderly end (the media back end's
    // threads would only delay it): it ends here.
    std::fflush(nullptr);
    ::_exit(status);
}

}  // namespace platform
