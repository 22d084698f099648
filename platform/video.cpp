#include "platform/video.h"

#include "platform/log.h"
#include "platform/text.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCloseEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPainter>
#include <QPointer>
#include <QRasterWindow>
#include <QScreen>
#include <QTimer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

namespace platform {
namespace {

// The films are small (80 x 60 and the like): shown this many times larger.
constexpr int kZoom = 4;
constexpr int kMinWidth = 320, kMinHeight = 240;

class FilmWindow : public QRasterWindow {
public:
    explicit FilmWindow(const QString& file) {
        setTitle(QFileInfo(file).fileName());
        setFlag(Qt::WindowStaysOnTopHint);
        resize(kMinWidth, kMinHeight);
        if (QScreen* s = QGuiApplication::primaryScreen()) {
            const QRect area = s->availableGeometry();
            setPosition(area.center() - QPoint(kMinWidth / 2, kMinHeight / 2));
        }

        player_.setVideoSink(&sink_);
        if (!QMediaDevices::audioOutputs().isEmpty()) {
            audio_ = new QAudioOutput(&player_);
            player_.setAudioOutput(audio_);
        }
        QObject::connect(&sink_, &QVideoSink::videoFrameChanged, [this](const QVideoFrame& f) { showFrame(f); });
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, [this](QMediaPlayer::MediaStatus st) {
            // The last picture stays a moment before the window goes.
            if (st == QMediaPlayer::EndOfMedia) QTimer::singleShot(600, [w = QPointer<FilmWindow>(this)] {
                if (w) w->close();
            });
        });
        QObject::connect(&player_, &QMediaPlayer::errorOccurred,
                         [this, file](QMediaPlayer::Error, const QString& why) {
                             LogOnce("filme:" + file.toStdString(),
                                     "não foi possível mostrar o filme " + file.toStdString() + ": " +
                                         why.toStdString());
                             QTimer::singleShot(0, [w = QPointer<FilmWindow>(this)] {
                                 if (w) w->close();
                             });
                         });
        player_.setSource(QUrl::fromLocalFile(file));
        player_.play();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(QRect(QPoint(0, 0), size()), Qt::black);
        if (frame_.isNull()) return;
        QSize s = frame_.size().scaled(size(), Qt::KeepAspectRatio);
        const QRect r(QPoint((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(r, frame_);
    }

    void closeEvent(QCloseEvent* e) override {
        player_.stop();
        QRasterWindow::closeEvent(e);
        deleteLater();
    }

private:
    void showFrame(const QVideoFrame& f) {
        QImage img = f.toImage();
        if (img.isNull()) return;
        if (frame_.isNull()) {
            // The first picture sets the window's size.
            const QSize want(std::max(kMinWidth, img.width() * kZoom), std::max(kMinHeight, img.height() * kZoom));
            if (want != size()) {
                const QPoint centre = geometry().center();
                resize(want);
                setPosition(centre - QPoint(want.width() / 2, want.height() / 2));
            }
        }
        frame_ = std::move(img);
        update();
    }

    QMediaPlayer player_;
    QVideoSink sink_;
    QAudioOutput* audio_ = nullptr;
    QImage frame_;
};

struct FilmState {
    bool enabled = false;
    QPointer<FilmWindow> window;
};

FilmState& film() {
    static FilmState s;
    return s;
}

}  // namespace

void EnableFilmWindow(bool on) {
    film().enabled = on;
    if (!on) CloseFilmWindow();
}

bool FilmWindowEnabled() { return film().enabled; }

bool IsFilm(const std::string& path) { return LCase(path).ends_with(".avi"); }

bool ShowFilm(const std::string& realPath) {
    if (!film().enabled || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    CloseFilmWindow();
    auto* w = new FilmWindow(QString::fromStdString(realPath));
    film().window = w;
    w->show();
    return true;
}

bool FilmWindowOpen() { return film().window && film().window->isVisible(); }

void CloseFilmWindow() {
    if (FilmWindow* w = film().window) {
        film().window = nullptr;
        w->close();
        w->deleteLater();
    }
}

}  // namespace platform
