// Preloaded (LD_PRELOAD) into a program whose start-up is measured, the game
// and the bare window alike, so both carry the same probe. It writes to the
// pipe named by BROTALIA_MARCA_FD the moment the paint that counts has
// finished, the moment the program then takes input again, and the
// process's peak memory, then ends the process at once, so that its
// tear-down is not counted.
//
// Without BROTALIA_MARCA_DIALOGO the paint that counts is the first paint of
// any window. With BROTALIA_MARCA_DIALOGO=1 the program's first picture asks
// a question (the game's drive dialog): once that first paint is on the
// screen the probe answers it with Enter, BROTALIA_MARCA_RESPOSTA_MS
// milliseconds later (0 when unset: at once), and the paint that counts is
// the first one that begins after the answer was taken.
//
// "Takes input again": the paint is over and whatever the program queued
// behind it has run, so that the event loop comes back to its timers and to
// the X server's events. A zero-interval timer started once the paint is
// done fires at that moment; a key or click would be taken then.

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

double agora() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

Marca marca{};

[[noreturn]] void relata_e_termina() {
    marca.entrada = agora();
    marca.pico_kib = pico_kib();
    if (const char* fd = std::getenv("BROTALIA_MARCA_FD")) {
        const int d = std::atoi(fd);
        (void)!write(d, &marca, sizeof marca);
        close(d);
    }
    _exit(0);
}

class Filtro : public QObject {
public:
    Filtro(bool com_pergunta, int resposta_ms) : fase_(com_pergunta ? Fase::Pergunta : Fase::Conta), resposta_ms_(resposta_ms) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        if (!o->isWidgetType() || !static_cast<QWidget*>(o)->isWindow()) return false;
        auto* w = static_cast<QWidget*>(o);
        if (e->type() == QEvent::KeyPress && fase_ == Fase::Respondida) {
            fase_ = Fase::Conta;  // the answer is being taken: the next paint counts
            return false;
        }
        if (e->type() != QEvent::Paint) return false;
        if (fase_ == Fase::Pergunta) {
            fase_ = Fase::Aguarda;
            QPointer<QWidget> janela(w);
            // Answered once this first paint is on the screen.
            QTimer::singleShot(0, [this, janela] {
                QTimer::singleShot(resposta_ms_, Qt::PreciseTimer, [this, janela] {
                    if (!janela) return;
                    fase_ = Fase::Respondida;
                    marca.resposta = agora();
                    QWidget* alvo = QApplication::focusWidget() ? QApplication::focusWidget() : janela.data();
                    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r"));
                    QCoreApplication::postEvent(alvo, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Return, Qt::NoModifier, "\r"));
                });
            });
            return false;
        }
        if (fase_ != Fase::Conta) return false;
        fase_ = Fase::Feita;
        // The paint is done at the next turn of the loop (this call comes
        // before it); then a zero timer waits for the loop to be free.
        QTimer::singleShot(0, [] {
            marca.pintado = agora();
            auto* livre = new QTimer;
            livre->setSingleShot(true);
            livre->setInterval(0);
            QObject::connect(livre, &QTimer::timeout, [] { relata_e_termina(); });
            livre->start();
        });
        return false;
    }

private:
    enum class Fase { Pergunta, Aguarda, Respondida, Conta, Feita };
    Fase fase_;
    int resposta_ms_;
};

void instala() {
    if (!std::getenv("BROTALIA_MARCA_FD")) return;
    const char* d = std::getenv("BROTALIA_MARCA_DIALOGO");
    const char* r = std::getenv("BROTALIA_MARCA_RESPOSTA_MS");
    QCoreApplication::instance()->installEventFilter(new Filtro(d && std::strcmp(d, "1") == 0, r ? std::atoi(r) : 0));
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(instala)
