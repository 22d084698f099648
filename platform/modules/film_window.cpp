// The film window, a module of its own: Qt Multimedia and its media back
// end are loaded only when the first film is shown.

#include "platform/modules/film.h"
#include "platform/modules/host.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QImage>
#include <QMediaDevices>
#include <QMediaFormat>
#include <QMediaPlayer>
#include <QUrl>
#include <QVideoFrame>
#include <QVideoSink>

#include <cstdlib>
#include <cstring>

namespace platform::film_window {
namespace {

const ModuleHost* g_host = nullptr;

const ModuleHost& host() { return *g_host; }

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

class FilmWindow : public FrameWindow {
public:
    explicit FilmWindow(const std::string& realPath)
        : FrameWindow(QString::fromUtf8(realPath)), path_(realPath),
          media_(host().openMediaFile(realPath, MediaKind::Film)) {
        if (!media_) {
            fail(media_.Why());
            return;
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
                             // The last picture stays a moment before the window goes;
                             // a film that ends before its first picture (a cut
                             // file) showed nothing and says so.
                             if (st == QMediaPlayer::EndOfMedia) {
                                 if (frame_.isNull()) fail("o filme acabou antes da primeira imagem");
                                 else closeAfter(600);
                             }
                             if (st == QMediaPlayer::InvalidMedia) fail("formato não reconhecido");
                         },
                         Qt::QueuedConnection);
        QObject::connect(&player_, &QMediaPlayer::errorOccurred, &player_,
                         [this](QMediaPlayer::Error, const QString& why) { fail(why.toStdString()); },
                         Qt::QueuedConnection);
        QTimer::singleShot(kFirstFrameMs, &player_, [this] {
            if (frame_.isNull() && !failed_) fail("nenhuma imagem");
        });
        // The player reads the file already opened, through the name the
        // system gives its descriptor: whatever the file's own name holds.
        player_.setSource(QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(media_.Descriptor())));
        player_.play();
    }

    bool failed() const { return failed_; }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(QRect(QPoint(0, 0), size()), Qt::black);
        if (failed_) {
            paintMessage(p);
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
    // The film cannot be shown: the player reads why instead of a black window.
    void fail(const std::string& why) {
        if (failed_) return;
        failed_ = true;
        host().logOnce("filme:" + path_, "não foi possível mostrar o filme " + path_ + ": " + why);
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

    std::string path_;
    MediaFile media_;  // open while the window plays it
    QMediaPlayer player_;
    QVideoSink sink_;
    QAudioOutput* audio_ = nullptr;
    QImage frame_;
    bool failed_ = false;
};

}  // namespace
}  // namespace platform::film_window

extern "C" QWindow* brotalia_film_window_open(const platform::ModuleHost* host, const char* realPath) {
    platform::film_window::g_host = host;
    return new platform::film_window::FilmWindow(realPath);
}

extern "C" void brotalia_film_window_prepare(const platform::ModuleHost* host, const char* realPath) {
    // Asking which formats can be decoded loads the back end's plugin and
    // lists its codecs; asking for the outputs connects to the sound server.
    // Both stay for the program's life, where the player's window finds them.
    (void)QMediaFormat().supportedFileFormats(QMediaFormat::Decode);
    (void)QMediaDevices::audioOutputs();
    // Opening the film reads its header and brings in the demuxer's code,
    // which the window's player would otherwise do on the GUI thread.
    if (!realPath || !*realPath) return;
    platform::MediaFile media = host->openMediaFile(realPath, platform::MediaKind::Film);
    if (!media) return;
    QMediaPlayer player;
    player.setSource(QUrl::fromLocalFile(QStringLiteral("/proc/self/fd/%1").arg(media.Descriptor())));
}
