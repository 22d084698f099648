#include "platform/video.h"

#include "platform/log.h"
#include "platform/text.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCloseEvent>
#include <QFileInfo>
#include <QFont>
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

#include <cstdlib>
#include <cstring>

namespace platform {
namespace {

// The films are small (80 x 60 and the like): shown this many times larger.
constexpr int kZoom = 4;
constexpr int kMinWidth = 320, kMinHeight = 240;

// The message shown in the film window when the film cannot be shown.
const char* const kCannotShow = "Não foi possível mostrar o filme.";
// A film that shows no picture this long after it started counts as failed.
constexpr int kFirstFrameMs = 4000;
// The window with the message closes itself after this long.
constexpr int kMessageMs = 4000;

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

// The picture of a frame. Qt 6.4's FFmpeg back end hands the 24-bit frames of
// uncompressed films (bytes blue, green, red; rows possibly bottom-up, with a
// negative stride) labelled as a 32-bit format, which the frame's own
// conversion turns into coloured stripes: those rows are read as what they are.
QImage frameImage(const QVideoFrame& frame) {
    QVideoFrame f(frame);
    if (f.planeCount() == 1 && f.map(QVideoFrame::ReadOnly)) {
        const int w = f.width(), h = f.height();
        const qsizetype stride = f.bytesPerLine(0), rowBytes = qsizetype(w) * 3;
        const auto label = f.pixelFormat();  // one of the 32-bit RGB formats
        const bool fourBytesAPixel =
            label >= QVideoFrameFormat::Format_ARGB8888 && label <= QVideoFrameFormat::Format_RGBX8888;
        if (fourBytesAPixel && w > 0 && h > 0 && std::abs(stride) >= rowBytes && std::abs(stride) < rowBytes + 4) {
            QImage img(w, h, QImage::Format_BGR888);
            const uchar* top = f.bits(0);
            for (int y = 0; y < h; ++y) std::memcpy(img.scanLine(y), top + y * stride, rowBytes);
            f.unmap();
            return img;
        }
        f.unmap();
    }
    return frame.toImage();
}

class FilmWindow : public QRasterWindow {
public:
    explicit FilmWindow(const QString& file) : file_(file) {
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
        // The media back end reports from threads of its own: every handler
        // runs on the window's thread.
        QObject::connect(&sink_, &QVideoSink::videoFrameChanged, &sink_, [this](const QVideoFrame& f) { showFrame(f); },
                         Qt::QueuedConnection);
        QObject::connect(&player_, &QMediaPlayer::mediaStatusChanged, &player_,
                         [this](QMediaPlayer::MediaStatus st) {
                             if (failed_) return;
                             // The last picture stays a moment before the window goes.
                             if (st == QMediaPlayer::EndOfMedia) closeAfter(600);
                             if (st == QMediaPlayer::InvalidMedia) fail("formato não reconhecido");
                         },
                         Qt::QueuedConnection);
        QObject::connect(&player_, &QMediaPlayer::errorOccurred, &player_,
                         [this](QMediaPlayer::Error, const QString& why) { fail(why.toStdString()); },
                         Qt::QueuedConnection);
        QTimer::singleShot(kFirstFrameMs, &player_, [this] {
            if (frame_.isNull() && !failed_) fail("nenhuma imagem");
        });
        player_.setSource(QUrl::fromLocalFile(file));
        player_.play();
    }

    bool failed() const { return failed_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(QRect(QPoint(0, 0), size()), Qt::black);
        if (failed_) {
            p.setPen(Qt::white);
            QFont f = p.font();
            f.setPointSize(12);
            p.setFont(f);
            p.drawText(QRect(QPoint(0, 0), size()).adjusted(16, 16, -16, -16), Qt::AlignCenter | Qt::TextWordWrap,
                       QString::fromUtf8(kCannotShow));
            return;
        }
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
    void closeAfter(int ms) {
        QTimer::singleShot(ms, this, [this] { close(); });
    }

    // The film cannot be shown: the player reads why instead of a black window.
    void fail(const std::string& why) {
        if (failed_) return;
        failed_ = true;
        LogOnce("filme:" + file_.toStdString(),
                "não foi possível mostrar o filme " + file_.toStdString() + ": " + why);
        player_.stop();
        frame_ = QImage();
        update();
        closeAfter(kMessageMs);
    }

    void showFrame(const QVideoFrame& f) {
        if (failed_) return;
        QImage img = frameImage(f);
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

    QString file_;
    QMediaPlayer player_;
    QVideoSink sink_;
    QAudioOutput* audio_ = nullptr;
    QImage frame_;
    bool failed_ = false;
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
    if (on) chooseMediaBackend();
    film().enabled = on;
    if (!on) CloseFilmWindow();
}

bool FilmWindowEnabled() { return film().enabled; }

bool IsFilm(const std::string& path) { return LCase(path).ends_with(".avi"); }

bool ShowFilm(const std::string& realPath) {
    if (!film().enabled || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    chooseMediaBackend();
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
