// Preloaded (LD_PRELOAD) into a program whose start-up is measured, the game
// and the bare window alike, so both carry the same probe. It writes to the
// pipe named by BROTALIA_MARCA_FD the moment the first paint that counts has
// finished and the process's peak memory, then ends the process at once, so
// that its tear-down is not counted.
//
// With BROTALIA_MARCA_DIALOGO=1 the program first shows a dialog window (the
// game's drive question): it is answered with Enter as soon as it has been
// painted, and the paint that counts is the main window's first paint once
// no dialog is shown. Otherwise it is the first paint of any window.

#include <QApplication>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include <unistd.h>

#include "marca.h"

namespace {

[[noreturn]] void relata_e_termina() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const Marca m{ts.tv_sec + ts.tv_nsec / 1e9, pico_kib()};
    if (const char* fd = std::getenv("BROTALIA_MARCA_FD")) {
        const int d = std::atoi(fd);
        (void)!write(d, &m, sizeof m);
        close(d);
    }
    _exit(0);
}

bool dialogo_visivel() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowType() == Qt::Dialog) return true;
    return false;
}

class Filtro : public QObject {
public:
    explicit Filtro(bool com_dialogo) : aguarda_dialogo_(com_dialogo) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint || feito_ || !o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        if (!w->isWindow()) return false;
        if (aguarda_dialogo_) {
            if (w->windowType() != Qt::Dialog) return false;
            aguarda_dialogo_ = false;
            QPointer<QWidget> dialogo(w);
            QTimer::singleShot(0, [dialogo] {
                if (!dialogo) return;
                QCoreApplication::postEvent(dialogo, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
                QCoreApplication::postEvent(dialogo, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r"));
            });
            return false;
        }
        if (w->windowType() == Qt::Dialog || dialogo_visivel()) return false;
        feito_ = true;
        // Reported once this paint has been flushed, at the next turn of the loop.
        QTimer::singleShot(0, [] { relata_e_termina(); });
        return false;
    }

private:
    bool aguarda_dialogo_;
    bool feito_ = false;
};

void instala() {
    if (!std::getenv("BROTALIA_MARCA_FD")) return;
    const char* d = std::getenv("BROTALIA_MARCA_DIALOGO");
    QCoreApplication::instance()->installEventFilter(new Filtro(d && std::strcmp(d, "1") == 0));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(instala)
