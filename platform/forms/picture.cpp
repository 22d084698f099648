#include "platform/forms/picture.h"

#include <QImage>
#include <QFileInfo>
#include <QImageReader>

#include <deque>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "platform/forms/internal.h"
#include "platform/log.h"
#include "platform/paths.h"

namespace platform::forms {

// One decoded file, shared by every picture loaded from it; keeps the scaled
// copies the screen asked for, so that neither decoding nor scaling is
// repeated while an animation cycles through its frames.
struct Decoded {
    QImage image;
    std::string resolved;
    mutable std::map<std::pair<int, int>, QImage> scaled;
};

struct Picture::Data {
    std::shared_ptr<const Decoded> decoded;
    std::string gamePath;
};

namespace {

struct PictureCache {
    std::unordered_map<std::string, std::shared_ptr<const Decoded>> decoded;  // by resolved path
    std::deque<std::string> order;                                              // oldest first
    std::size_t bytes = 0;
    std::unordered_set<std::string> broken;                                     // resolved paths that failed
    PictureLoadObserver observer;
};

// The cache forgets its oldest files beyond this many bytes of decoded
// images; pictures still shown keep their image alive regardless.
constexpr std::size_t kCacheBudget = 160u * 1024u * 1024u;

void Remember(PictureCache& c, const std::string& resolved, std::shared_ptr<const Decoded> dec) {
    c.bytes += static_cast<std::size_t>(dec->image.sizeInBytes());
    c.decoded.emplace(resolved, std::move(dec));
    c.order.push_back(resolved);
    while (c.bytes > kCacheBudget && c.order.size() > 1) {
        auto it = c.decoded.find(c.order.front());
        if (it != c.decoded.end()) {
            c.bytes -= static_cast<std::size_t>(it->second->image.sizeInBytes());
            c.decoded.erase(it);
        }
        c.order.pop_front();
    }
}

PictureCache& Cache() {
    static PictureCache c;
    return c;
}

const std::string kEmpty;

QImage ForDrawing(QImage img) {
    if (img.isNull()) return img;
    const QImage::Format f = img.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    if (img.format() != f) img = img.convertToFormat(f);
    return img;
}

}  // namespace

int Picture::PixelWidth() const { return data_ ? data_->decoded->image.width() : 0; }
int Picture::PixelHeight() const { return data_ ? data_->decoded->image.height() : 0; }
const std::string& Picture::GamePath() const { return data_ ? data_->gamePath : kEmpty; }
const std::string& Picture::ResolvedPath() const { return data_ ? data_->decoded->resolved : kEmpty; }

const QImage& Picture::Image() const {
    static const QImage none;
    return data_ ? data_->decoded->image : none;
}

QImage Picture::Scaled(int w, int h) const {
    if (!data_ || w <= 0 || h <= 0) return QImage();
    const Decoded& d = *data_->decoded;
    if (w == d.image.width() && h == d.image.height()) return d.image;
    auto key = std::make_pair(w, h);
    auto it = d.scaled.find(key);
    if (it != d.scaled.end()) return it->second;
    if (d.scaled.size() >= 6) d.scaled.clear();  // the screen uses very few sizes of one picture
    QImage s = ForDrawing(d.image.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    d.scaled.emplace(key, s);
    return s;
}

Picture Picture::FromImage(const QImage& img, const std::string& name) {
    Picture p;
    if (img.isNull()) return p;
    auto dec = std::make_shared<Decoded>();
    dec->image = ForDrawing(img);
    auto data = std::make_shared<Data>();
    data->decoded = dec;
    data->gamePath = name;
    p.data_ = data;
    return p;
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
    } else if (auto it = c.decoded.find(resolved); it != c.decoded.end()) {
        dec = it->second;
    } else if (!c.broken.count(resolved)) {
        // The file's suffix names its format almost always; trying it first
        // spares loading and probing every image plugin. A picture whose
        // content doesn't match its suffix is still read, by its content.
        const QString file = QString::fromStdString(resolved);
        QImageReader reader(file, QFileInfo(file).suffix().toLower().toLatin1());
        QImage img = reader.read();
        if (img.isNull()) {
            reader.setFileName(QString());
            reader.setFormat(QByteArray());
            reader.setFileName(file);
            reader.setDecideFormatFromContent(true);
            img = reader.read();
        }
        if (img.isNull()) {
            c.broken.insert(resolved);
            platform::LogOnce("picture-broken:" + resolved, "Imagem ilegível: " + gamePath + " (" +
                                                                 reader.errorString().toStdString() + ")");
        } else {
            auto d = std::make_shared<Decoded>();
            d->image = ForDrawing(std::move(img));
            d->resolved = resolved;
            dec = d;
            Remember(c, resolved, dec);
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
    return p;
}

void SetPictureLoadObserver(PictureLoadObserver observer) { Cache().observer = std::move(observer); }

void ClearPictureCache() {
    Cache().decoded.clear();
    Cache().order.clear();
    Cache().bytes = 0;
    Cache().broken.clear();
}

}  // namespace platform::forms
