// The yardstick of the start-up benchmark: a bare Qt Widgets program that
// opens one full-screen window and paints it, nothing else. It is built with
// the game's compiler and flags and linked to Qt Widgets alone.

#include <QApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QWidget>

namespace {

class Janela : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0, 64, 0));
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Janela janela;
    janela.setAttribute(Qt::WA_OpaquePaintEvent);
    // As the game does: the display's geometry first, as a bare X server
    // without a window manager does not resize a full-screen window.
    if (QScreen* s = QGuiApplication::primaryScreen()) janela.setGeometry(s->geometry());
    janela.showFullScreen();
    return app.exec();
}
