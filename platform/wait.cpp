#include "platform/wait.h"

#include <QCoreApplication>
#include <QCursor>
#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QTimer>

#include <thread>
#include <vector>

namespace platform {

namespace {

int g_waits = 0;
std::function<void()> g_startHook;
std::vector<const std::function<void()>*> g_checks;  // of the waits running, innermost last

}  // namespace

bool InModalWait() { return g_waits > 0; }

void WakeModalWaits() {
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            app,
            [] {
                for (const auto* check : std::vector(g_checks)) (*check)();
            },
            Qt::QueuedConnection);
}

void SetModalWaitStartHook(std::function<void()> hook) { g_startHook = std::move(hook); }

void ModalWait(const std::function<bool()>& done, std::chrono::steady_clock::time_point limit) {
    auto over = [&] { return done() || std::chrono::steady_clock::now() >= limit; };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() != app->thread()) {
        while (!over()) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        return;
    }
    if (over()) return;
    ++g_waits;
    if (g_startHook) g_startHook();
    const bool gui = qobject_cast<QGuiApplication*>(app) != nullptr;
    if (gui) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    QEventLoop loop;
    QTimer clock;
    const std::function<void()> check = [&] {
        if (over()) loop.quit();
    };
    QObject::connect(&clock, &QTimer::timeout, check);
    g_checks.push_back(&check);
    clock.start(10);
    loop.exec();
    g_checks.pop_back();
    if (gui) QGuiApplication::restoreOverrideCursor();
    --g_waits;
}

}  // namespace platform
