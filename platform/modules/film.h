#pragma once
// What the film window (a module, on Qt Multimedia) and the program share:
// the window's frame and the message shown when a film cannot be shown, also
// when the film module itself cannot be loaded.

#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QPainter>
#include <QRasterWindow>
#include <QScreen>
#include <QTimer>

namespace platform::film_window {

// The films are small (80 x 60 and the like): shown this many times larger.
constexpr int kZoom = 4;
constexpr int kMinWidth = 320, kMinHeight = 240;

// The message shown in the film window when the film cannot be shown.
inline const char* const kCannotShow = "Não foi possível mostrar o filme.";
// A film that shows no picture this long after it started counts as failed.
constexpr int kFirstFrameMs = 4000;
// The window with the message closes itself after this long.
constexpr int kMessageMs = 4000;

// A small window over the game, centred on the screen, titled with the
// film's file name.
class FrameWindow : public QRasterWindow {
public:
    explicit FrameWindow(const QString& file) : file_(file) {
        setTitle(QFileInfo(file).fileName());
        setFlag(Qt::WindowStaysOnTopHint);
        resize(kMinWidth, kMinHeight);
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect area = s->availableGeometry();
            setPosition(area.center() - QPoint(kMinWidth / 2, kMinHeight / 2));
        }
    }

protected:
    void paintMessage(QPainter& p) {
        p.fillRect(QRect(QPoint(0, 0), size()), Qt::black);
        p.setPen(Qt::white);
        QFont f = p.font();
        f.setPointSize(12);
        p.setFont(f);
        p.drawText(QRect(QPoint(0, 0), size()).adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                   QString::fromUtf8(kCannotShow));
    }

    void closeAfter(int ms) {
        QTimer::singleShot(ms, this, [this] { close(); });
    }

    QString file_;
};

// The window of a film that cannot be shown at all: the message, for a moment.
class MessageWindow : public FrameWindow {
public:
    explicit MessageWindow(const QString& file) : FrameWindow(file) { closeAfter(kMessageMs); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        paintMessage(p);
    }

    void closeEvent(QCloseEvent* e) override {
        QRasterWindow::closeEvent(e);
        deleteLater();
    }
};

}  // namespace platform::film_window
