#include "platform/wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <thread>

namespace platform {

namespace {

int g_waits = 0;
std::function<void()> g_startHook;

}  // namespace

bool InModalWait() { return g_waits > 0; }

void SetModalWaitStartHook(std::function<void()> hook) { g_startHook = std::move(hook); }

void ModalWait(const std::function<bool()>& done, std::chrono::steady_clock::time_point limit,
               std::chrono::milliseconds every) {
    auto over = [&] { return done() || std::chrono::steady_clock::now() >= limit; };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        while (!over()) std::this_thread::sleep_for(every);
        return;
    }
    if (over()) return;
    ++g_waits;
    if (g_startHook) g_startHook();
    const bool gui = qobject_cast<QGuiApplication*>(app) != nullptr;
    if (gui) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QEventLoop loop;
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, [&] {
        if (over()) loop.quit();
    });
    clock.setTimerType(Qt::PreciseTimer);
    clock.start(every);
    loop.exec();
    if (gui) QGuiApplication::restoreOverrideCursor();
    --g_waits;
}

}  // namespace platform
