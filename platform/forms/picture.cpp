#include "platform/forms/picture.h"

#include <QCoreApplication>
#include <QImage>
#include <QMetaObject>
#include <QFile>
#include <QImageReader>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <list>
#include <map>
#include <mutex>
#include <thread>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "platform/forms/internal.h"
#include "platform/forms/screen.h"
#include "platform/forms/testing.h"
#include "platform/log.h"
#include "platform/media_file.h"
#include "platform/paths.h"
#include "platform/shutdown.h"
#include "platform/wait.h"

namespace platform::forms {

// One decoded file (or in-memory image), shared by every picture made of it,
// with the scaled copies the screen asked for, so that neither decoding nor
// scaling is repeated while an animation cycles through its frames. The
// cache owns the copies. It lets go of the image of a large file (a
// background, drawn at its screen size only) once its scaled copy is made,
// and, when memory is short, of any file's image whose scaled copy the
// screen draws: the file is read again if the image is asked for.
struct Decoded {
    mutable QImage image;
    int width = 0, height = 0;
    bool opaque = false;
    std::string resolved;
    mutable std::map<std::pair<int, int>, QImage> scaled;
    mutable std::size_t scaledBytes = 0;
};

struct Picture::Data {
    std::shared_ptr<const Decoded> decoded;
    std::string gamePath;
};

namespace {

using Entries = std::list<std::shared_ptr<const Decoded>>;

// Pictures of at least this many pixels (a background, a board) are drawn at
// one size only.
bool IsLarge(int width, int height) { return width * height >= 600 * 450; }

// A large picture of a file is kept by its scaled copy alone: once that copy
// is made its image is let go, and read again from the file should another
// size be asked for.
bool KeptByCopyAlone(const Decoded& d) { return !d.resolved.empty() && IsLarge(d.width, d.height); }

// The cache counts the decoded images and their scaled copies alike against
// its budget, and forgets the least recently used entries beyond it; a
// picture still shown keeps its image alive regardless, and scales it again
// when it is next painted.
struct PictureCache {
    Entries recency;                                              // least recently used first
    std::unordered_map<std::string, Entries::iterator> byPath;    // decoded files by resolved path
    std::unordered_map<const Decoded*, Entries::iterator> byEntry;
    std::size_t bytes = 0;
    // The pictures of the busiest screen (a full-screen background and a
    // text box's texture, both at screen size, some 17 MiB on a full-HD
    // screen) with room for a few more: a screen left behind gives back its
    // pictures first, and the next screen's are decoded ahead as the change
    // to it begins.
    std::size_t budget = 24u * 1024u * 1024u;
    std::unordered_set<std::string> broken;                       // resolved paths that failed
    PictureLoadObserver observer;
    PictureFailureHandler failure;
};

PictureCache& Cache() {
    static PictureCache c;
    return c;
}

QImage ForDrawing(QImage img) {
    if (img.isNull()) return img;
    const QImage::Format f = img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (img.format() != f) img = img.convertToFormat(f);
    return img;
}

std::size_t BytesOf(const QImage& img) { return static_cast<std::size_t>(img.sizeInBytes()); }

void Forget(PictureCache& c, Entries::iterator it) {
    const Decoded& d = **it;
    c.bytes -= BytesOf(d.image) + d.scaledBytes;
    d.scaled.clear();
    d.scaledBytes = 0;
    if (auto p = c.byPath.find(d.resolved); p != c.byPath.end() && p->second == it) c.byPath.erase(p);
    c.byEntry.erase(&d);
    c.recency.erase(it);
}

// Reads a picture file: by its suffix alone first, without probing the
// content, which spares loading every image plug-in to ask each one; a file
// whose content doesn't match its suffix is still read, by its content. The
// file is opened by its name as the file system gave it, and only when it
// can be a picture (see media_file.h).
QImage ReadFile(const std::string& resolved, std::string* error) {
    platform::MediaFile opened = platform::OpenMediaFile(resolved, platform::MediaKind::Picture);
    QFile file;
    if (!opened || !file.open(opened.Descriptor(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (error) *error = opened ? "não pôde ser aberto" : opened.Why();
        return QImage();
    }
    opened.Release();
    const std::size_t dot = resolved.find_last_of("./");
    const QByteArray suffix =
        dot != std::string::npos && resolved[dot] == '.' ? QByteArray::fromStdString(resolved.substr(dot + 1)).toLower() : QByteArray();
    QImageReader reader(&file, suffix);
    reader.setAutoDetectImageFormat(false);
    QImage img = reader.read();
    if (img.isNull() && file.seek(0)) {
        reader.setDevice(nullptr);
        reader.setFormat(QByteArray());
        reader.setDevice(&file);
        reader.setAutoDetectImageFormat(true);
        reader.setDecideFormatFromContent(true);
        img = reader.read();
    }
    if (img.isNull() && error) *error = reader.errorString().toStdString();
    return img;
}

void DropScaled(PictureCache& c, const Decoded& d) {
    c.bytes -= d.scaledBytes;
    d.scaled.clear();
    d.scaledBytes = 0;
}

// Brings the cache within its budget, least recently used first and sparing
// the entry just used: first the images of files that are drawn by their
// scaled copies (read again only if asked for), then the pictures no screen
// holds any more (a screen left behind), then scaled copies (made again
// sooner than a file is read), then whole entries.
void Trim(PictureCache& c) {
    if (c.bytes <= c.budget || c.recency.size() < 2) return;
    const auto last = std::prev(c.recency.end());
    for (auto it = c.recency.begin(); c.bytes > c.budget && it != last; ++it) {
        const Decoded& d = **it;
        if (!d.scaled.empty() && !d.resolved.empty() && !d.image.isNull()) {
            c.bytes -= BytesOf(d.image);
            d.image = QImage();
        }
    }
    for (auto it = c.recency.begin(); c.bytes > c.budget && it != last;) {
        const auto next = std::next(it);
        if (it->use_count() == 1) Forget(c, it);  // the cache's own reference alone
        it = next;
    }
    for (auto it = c.recency.begin(); c.bytes > c.budget && it != last; ++it) DropScaled(c, **it);
    while (c.bytes > c.budget && c.recency.size() > 1) Forget(c, c.recency.begin());
}

void Touch(PictureCache& c, const std::shared_ptr<const Decoded>& dec);

// The entry's image, read again from its file when the cache let it go.
const QImage& Original(const std::shared_ptr<const Decoded>& dec) {
    const Decoded& d = *dec;
    if (d.image.isNull() && !d.resolved.empty()) {
        d.image = ForDrawing(ReadFile(d.resolved, nullptr));
        PictureCache& c = Cache();
        if (c.byEntry.count(&d)) {
            c.bytes += BytesOf(d.image);
            Touch(c, dec);
            Trim(c);
        }
    }
    return d.image;
}

// Marks an entry used now, entering it when the cache does not hold it.
void Touch(PictureCache& c, const std::shared_ptr<const Decoded>& dec) {
    if (auto it = c.byEntry.find(dec.get()); it != c.byEntry.end()) {
        c.recency.splice(c.recency.end(), c.recency, it->second);
        return;
    }
    auto it = c.recency.insert(c.recency.end(), dec);
    c.byEntry.emplace(dec.get(), it);
    if (!dec->resolved.empty()) c.byPath.try_emplace(dec->resolved, it);
    c.bytes += BytesOf(dec->image) + dec->scaledBytes;
}

const std::string kEmpty;

// The device size a picture is drawn at, unstretched, on a screen of that
// scale factor (the screen sizes an unstretched picture by its own size,
// wherever it stands).
QSize LikelyDrawSize(const QSize& picture, double scale) {
    return QSize(static_cast<int>(std::lround(picture.width() * scale)),
                 static_cast<int>(std::lround(picture.height() * scale)));
}

// A file decoded ahead, with a copy at the size it is likely drawn at. The
// image of a picture kept by its copy alone is let go by the worker, so the
// GUI thread does not spend its time giving back that large block; its size
// and opacity stay.
struct Prefetched {
    QImage image;
    QImage scaled;
    QSize size;
    bool opaque = true;
    bool Empty() const { return image.isNull() && scaled.isNull(); }
};

// The pictures worker threads decode ahead of a screen, several files at
// once. A worker only reads files into QImages and scales them to the
// screen (scaling is most of a screen's first paint); the cache stays with
// the GUI thread, which takes a finished image out of `ready` when it loads
// that file. The screen the prefetch is for waits, as it loads, until the
// workers are done (AwaitPrefetchOf); another load that comes first does
// not wait behind them: a file not yet begun is read by the GUI thread
// itself, and one being read, once the GUI thread waits for it, is handed
// over as soon as it is decoded, unscaled (the paint draws a large one
// scaled on the fly and makes its smooth copy right after).
struct Prefetch {
    std::mutex mutex;
    std::condition_variable done;
    std::vector<std::string> pending;            // resolved paths not yet read, in order
    std::vector<std::string> reading;            // the ones being read now
    std::unordered_set<std::string> awaited;     // of those, the ones the GUI thread waits for
    std::unordered_map<std::string, Prefetched> ready;
    std::string form;                            // the screen it is for (upper case; "" for none)
    QSize screen;                                // the screen's size in device pixels
    double scale = 1;                            // and its scale factor
    std::atomic<bool> stop{false};
    std::vector<std::thread> workers;
    std::vector<std::function<void()>> after;    // work waiting for the workers (AfterPrefetch)

    ~Prefetch() { End(); }

    bool Busy() const { return !pending.empty() || !reading.empty(); }

    void End() {
        stop = true;
        for (std::thread& w : workers)
            if (w.joinable()) w.join();
        workers.clear();
        std::lock_guard<std::mutex> lock(mutex);
        pending.clear();
        reading.clear();
        awaited.clear();
        ready.clear();
        form.clear();
        PostAfter();
    }

    // The work waiting for the workers, handed to the GUI thread's loop
    // (under the mutex).
    void PostAfter() {
        if (after.empty() || !QCoreApplication::instance()) return;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [work = std::move(after)] {
                for (const auto& w : work) w();
            },
            Qt::QueuedConnection);
        after.clear();
    }

    bool Reading(const std::string& path) const {
        return std::find(reading.begin(), reading.end(), path) != reading.end();
    }

    void Run() {
        for (;;) {
            std::string path;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (stop || pending.empty()) {
                    done.notify_all();
                    return;
                }
                path = std::move(pending.front());
                pending.erase(pending.begin());
                reading.push_back(path);
            }
            Prefetched p;
            p.image = ForDrawing(ReadFile(path, nullptr));
            p.size = p.image.size();
            p.opaque = !p.image.hasAlphaChannel();
            bool toScale;
            {
                std::lock_guard<std::mutex> lock(mutex);
                toScale = !awaited.count(path);
            }
            if (toScale && !p.image.isNull() && !screen.isEmpty()) {
                const QSize size = LikelyDrawSize(p.size, scale);
                if (size != p.size && !size.isEmpty())
                    p.scaled = ForDrawing(p.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
                if (!p.scaled.isNull() && IsLarge(p.size.width(), p.size.height())) p.image = QImage();
            }
            std::lock_guard<std::mutex> lock(mutex);
            if (!p.Empty()) ready.emplace(path, std::move(p));
            reading.erase(std::find(reading.begin(), reading.end(), path));
            awaited.erase(path);
            done.notify_all();
            if (!Busy()) PostAfter();
        }
    }

    // That file as the workers have it, waiting only while one is reading
    // that very file; nothing when it was not asked for, not begun (it is
    // then left to the caller) or failed, which the caller then reads
    // itself.
    Prefetched Take(const std::string& resolved) {
        std::unique_lock<std::mutex> lock(mutex);
        if (workers.empty()) return {};
        if (auto it = std::find(pending.begin(), pending.end(), resolved); it != pending.end()) {
            pending.erase(it);
            return {};
        }
        if (Reading(resolved)) {
            awaited.insert(resolved);
            done.wait(lock, [&] { return !Reading(resolved); });
        }
        if (auto it = ready.find(resolved); it != ready.end()) {
            Prefetched p = std::move(it->second);
            ready.erase(it);
            return p;
        }
        return {};
    }
};

// Its workers are ended at the process's end (see shutdown.h).
Prefetch& Prefetcher() {
    static Prefetch p;
    static const bool ended = (platform::AtShutdown([] { p.End(); }), true);
    (void)ended;
    return p;
}


}  // namespace

int Picture::PixelWidth() const { return data_ ? data_->decoded->width : 0; }
int Picture::PixelHeight() const { return data_ ? data_->decoded->height : 0; }
bool Picture::IsOpaque() const { return data_ && data_->decoded->opaque; }
const std::string& Picture::GamePath() const { return data_ ? data_->gamePath : kEmpty; }
const std::string& Picture::ResolvedPath() const { return data_ ? data_->decoded->resolved : kEmpty; }

const QImage& Picture::Image() const {
    static const QImage none;
    return data_ ? Original(data_->decoded) : none;
}

QImage Picture::CachedScaled(int w, int h) const {
    if (!data_ || w <= 0 || h <= 0) return QImage();
    const Decoded& d = *data_->decoded;
    if (w == d.width && h == d.height) return Original(data_->decoded);
    auto it = d.scaled.find(std::make_pair(w, h));
    if (it == d.scaled.end()) return QImage();
    Touch(Cache(), data_->decoded);
    return it->second;
}

QImage Picture::Scaled(int w, int h) const {
    if (!data_ || w <= 0 || h <= 0) return QImage();
    if (QImage done = CachedScaled(w, h); !done.isNull()) return done;
    const Decoded& d = *data_->decoded;
    PictureCache& c = Cache();
    Touch(c, data_->decoded);
    if (d.scaled.size() >= 6) DropScaled(c, d);  // the screen uses very few sizes of one picture
    // Room first: older copies are let go before the new one is made, so the
    // two never take memory together.
    const std::size_t need = static_cast<std::size_t>(w) * static_cast<std::size_t>(h) * 4u;
    c.bytes += need;
    Trim(c);
    c.bytes -= need;
    QImage s = ForDrawing(Original(data_->decoded).scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    d.scaled.emplace(std::make_pair(w, h), s);
    d.scaledBytes += BytesOf(s);
    c.bytes += BytesOf(s);
    if (KeptByCopyAlone(d)) {
        c.bytes -= BytesOf(d.image);
        d.image = QImage();
    }
    Trim(c);
    return s;
}

Picture Picture::FromImage(const QImage& img, const std::string& name) {
    Picture p;
    if (img.isNull()) return p;
    auto dec = std::make_shared<Decoded>();
    dec->image = ForDrawing(img);
    dec->width = dec->image.width();
    dec->height = dec->image.height();
    dec->opaque = !dec->image.hasAlphaChannel();
    auto data = std::make_shared<Data>();
    data->decoded = dec;
    data->gamePath = name;
    p.data_ = data;
    return p;
}

Picture CaptionPicture(const std::string& caption, int width, int height) {
    if (width <= 0 || height <= 0) return {};
    static std::map<std::tuple<std::string, int, int>, Picture> made;
    const auto key = std::make_tuple(caption, width, height);
    if (auto it = made.find(key); it != made.end()) return it->second;
    detail::EnsureApp();
    constexpr int fine = 3;  // drawn at three times the size, scaled down when shown
    QImage img(width * fine, height * fine, QImage::Format_RGB32);
    img.fill(QColor(192, 192, 192));
    {
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setPen(QPen(QColor(128, 128, 128), fine));
        p.drawRect(QRectF(img.rect()).adjusted(fine / 2.0, fine / 2.0, -fine / 2.0, -fine / 2.0));
        const QRectF area = QRectF(img.rect()).adjusted(2 * fine, 2 * fine, -2 * fine, -2 * fine);
        const QString text = QString::fromStdString(caption);
        const int flags = Qt::AlignCenter | Qt::TextWordWrap;
        QFont font = p.font();
        font.setBold(true);
        // The largest size whose lines all fit the width and the height.
        for (int px = 12 * fine; px >= 4 * fine; px -= 1) {
            font.setPixelSize(px);
            const QFontMetricsF fm(font);
            const QRectF need = fm.boundingRect(area, flags, text);
            bool wordsFit = true;
            for (const QString& word : text.split(' ', Qt::SkipEmptyParts))
                wordsFit = wordsFit && fm.horizontalAdvance(word) <= area.width();
            if (wordsFit && need.height() <= area.height()) break;
        }
        p.setFont(font);
        p.setPen(QColor(0, 0, 0));
        p.drawText(area, flags, text);
    }
    Picture pic = Picture::FromImage(img);
    made.emplace(key, pic);
    return pic;
}

Picture LoadPicture(const std::string& gamePath) {
    Picture p;
    if (gamePath.empty()) return p;
    detail::EnsureApp();
    PictureCache& c = Cache();
    const std::string resolved = platform::ResolvePath(gamePath);
    std::shared_ptr<const Decoded> dec;
    if (resolved.empty()) {
        platform::LogOnce("picture-missing:" + detail::Upper(gamePath), "Imagem não encontrada: " + gamePath);
    } else if (auto it = c.byPath.find(resolved); it != c.byPath.end()) {
        dec = *it->second;
        Touch(c, dec);
    } else if (!c.broken.count(resolved)) {
        std::string error;
        Prefetched ahead = Prefetcher().Take(resolved);
        const bool decodedAhead = !ahead.Empty();
        QImage img = decodedAhead ? std::move(ahead.image) : ReadFile(resolved, &error);
        if (!decodedAhead && img.isNull()) {
            c.broken.insert(resolved);
            platform::LogOnce("picture-broken:" + resolved, "Imagem ilegível: " + gamePath + " (" +
                                                                 error + ")");
        } else {
            auto d = std::make_shared<Decoded>();
            d->image = ForDrawing(std::move(img));
            const QSize size = decodedAhead ? ahead.size : d->image.size();
            d->width = size.width();
            d->height = size.height();
            d->opaque = decodedAhead ? ahead.opaque : !d->image.hasAlphaChannel();
            d->resolved = resolved;
            // The copy scaled ahead is kept as one scaled here would be (the
            // worker has already let go of a large picture's image).
            if (!ahead.scaled.isNull()) {
                d->scaledBytes = BytesOf(ahead.scaled);
                d->scaled.emplace(std::make_pair(ahead.scaled.width(), ahead.scaled.height()), std::move(ahead.scaled));
            }
            dec = d;
            Touch(c, dec);
            Trim(c);
        }
    }
    if (dec) {
        auto data = std::make_shared<Picture::Data>();
        data->decoded = std::move(dec);
        data->gamePath = gamePath;
        p.data_ = data;
    }
    if (c.observer) {
        auto obs = c.observer;
        obs(gamePath, !p.IsEmpty());
    }
    if (p.IsEmpty() && c.failure) {
        auto handler = c.failure;
        handler(gamePath);
    }
    return p;
}

namespace {
// Decodes files on as many threads as there are files, up to four: a
// screen's background and its few buttons come in the time of the largest.
void StartPrefetch(const std::vector<std::string>& gamePaths, const std::string& form) {
    Prefetch& p = Prefetcher();
    p.End();
    std::vector<std::string> files;
    for (const std::string& g : gamePaths) {
        std::string r = g.empty() ? std::string() : platform::ResolvePath(g);
        if (!r.empty() && !Cache().byPath.count(r) && std::find(files.begin(), files.end(), r) == files.end())
            files.push_back(std::move(r));
    }
    if (files.empty()) return;
    p.screen = Screen::Size();
    p.scale = Screen::ScaleFactor();
    p.form = form;
    const std::size_t threads = std::min<std::size_t>(files.size(), 4);
    p.pending = std::move(files);
    p.stop = false;
    for (std::size_t i = 0; i < threads; ++i) p.workers.emplace_back([&p] { p.Run(); });
}
}  // namespace

void PrefetchPictures(const std::vector<std::string>& gamePaths) { StartPrefetch(gamePaths, {}); }

void EndPrefetch() { Prefetcher().End(); }

namespace {
std::unordered_map<std::string, ScreenPictures>& PicturesOfScreens() {
    static std::unordered_map<std::string, ScreenPictures> m;
    return m;
}
}  // namespace

void SetScreenPictures(const std::string& formName, ScreenPictures pictures) {
    PicturesOfScreens()[detail::Upper(formName)] = std::move(pictures);
}

void PrefetchScreen(const std::string& formName) {
    auto it = PicturesOfScreens().find(detail::Upper(formName));
    if (it == PicturesOfScreens().end() || !it->second || Forms::IsLoaded(formName)) return;
    // Already decoding (or decoded) for that form: what is done stays.
    if (Prefetcher().form == it->first && !Prefetcher().workers.empty()) return;
    StartPrefetch(it->second(), it->first);
}

void AfterPrefetch(std::function<void()> work) {
    Prefetch& p = Prefetcher();
    {
        std::lock_guard<std::mutex> lock(p.mutex);
        if (!p.workers.empty() && p.Busy()) {
            p.after.push_back(std::move(work));
            return;
        }
    }
    work();
}

void detail::AwaitPrefetchOf(const std::string& formName) {
    Prefetch& p = Prefetcher();
    std::unique_lock<std::mutex> lock(p.mutex);
    if (p.form.empty() || p.form != Upper(formName)) return;
    // The screen the pictures are for takes them all decoded and scaled:
    // its load waits for the workers, at most half a second (whatever is
    // left then is read as usual). No event runs meanwhile, so a click or
    // key pressed then is taken once the screen is in, never set aside.
    p.done.wait_until(lock, std::chrono::steady_clock::now() + std::chrono::milliseconds(500),
                      [&p] { return !p.Busy(); });
}

void test::WaitForPrefetch() {
    Prefetch& p = Prefetcher();
    std::unique_lock<std::mutex> lock(p.mutex);
    if (!p.workers.empty()) p.done.wait(lock, [&] { return !p.Busy(); });
}

void SetPictureLoadObserver(PictureLoadObserver observer) { Cache().observer = std::move(observer); }
void SetPictureFailureHandler(PictureFailureHandler handler) { Cache().failure = std::move(handler); }

void ClearPictureCache() {
    EndPrefetch();
    PictureCache& c = Cache();
    while (!c.recency.empty()) Forget(c, c.recency.begin());
    c.broken.clear();
}

std::size_t PictureCacheBytes() { return Cache().bytes; }

void SetPictureCacheBudget(std::size_t bytes) {
    PictureCache& c = Cache();
    c.budget = bytes;
    Trim(c);
}

std::size_t PictureCacheBudget() { return Cache().budget; }

}  // namespace platform::forms
