#include "platform/end_request.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>

#include "platform/wait.h"

namespace platform {
namespace {

int g_pipe[2] = {-1, -1};

std::function<void()>& pedido() {
    static std::function<void()> f;
    return f;
}

void onSignal(int) {
    const int saved = errno;
    const char c = 1;
    (void)!::write(g_pipe[1], &c, 1);
    errno = saved;
}

void run() {
    static bool done = false;
    if (done || !pedido()) return;
    if (InModalWait()) {
        // The waiting code finishes first (a print, at most its limit).
        QTimer::singleShot(20, QCoreApplication::instance(), [] { run(); });
        return;
    }
    done = true;
    pedido()();
}

}  // namespace

void OnEndRequest(std::function<void()> request) {
    pedido() = std::move(request);
    QCoreApplication* app = QCoreApplication::instance();
    if (g_pipe[0] >= 0 || !app || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    auto* aviso = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, app);
    QObject::connect(aviso, &QSocketNotifier::activated, app, [] {
        char buf[64];
        while (::read(g_pipe[0], buf, sizeof buf) > 0) {
        }
        run();
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &sa, nullptr);
    ::sigaction(SIGHUP, &sa, nullptr);
    ::sigaction(SIGINT, &sa, nullptr);
    if (auto* gui = qobject_cast<QGuiApplication*>(app))
        QObject::connect(gui, &QGuiApplication::commitDataRequest, gui, [](QSessionManager&) { run(); },
                         Qt::DirectConnection);
    QObject::connect(app, &QCoreApplication::aboutToQuit, app, [] { run(); }, Qt::DirectConnection);
}

}  // namespace platform
