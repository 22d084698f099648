#include "platform/sound.h"

#include "platform/log.h"
#include "platform/paths.h"
#include "platform/text.h"
#include "platform/video.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QSemaphore>
#include <QSoundEffect>
#include <QThread>
#include <QUrl>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <fstream>
#include <map>

namespace platform {
namespace {

// ------------------------------------------------------------ Qt back end

class QtSoundBackend : public SoundBackend {
public:
    QtSoundBackend() {
        thread_ = new QThread;
        thread_->setObjectName("brotalia-som");
        ctx_ = new QObject;
        ctx_->moveToThread(thread_);
        thread_->start();
    }

    ~QtSoundBackend() override {
        // Everything Qt Multimedia owns is made and destroyed on the sound thread.
        QMetaObject::invokeMethod(ctx_, [this] { delete ctx_; }, Qt::BlockingQueuedConnection);
        thread_->quit();
        thread_->wait(3000);
        delete thread_;
    }

    void Play(const SoundCall& call) override {
        if (call.kind == SoundCall::Kind::Cut) {
            QMetaObject::invokeMethod(ctx_, [this] { stopAll(); }, Qt::QueuedConnection);
            return;
        }
        if (call.resolved.empty()) return;
        const QString file = QString::fromStdString(call.resolved);
        if (call.kind == SoundCall::Kind::Media) {
            QMetaObject::invokeMethod(ctx_, [this, file] { playMedia(file); }, Qt::QueuedConnection);
            return;
        }
        if (call.kind == SoundCall::Kind::Async) {
            QMetaObject::invokeMethod(ctx_, [this, file] { playEffect(file, 0); }, Qt::QueuedConnection);
            return;
        }
        // Synchronous: wait for the end of play, at most the length given by
        // the file's header plus a margin for loading, so a sound that never
        // reports its end cannot hang the program.
        std::optional<double> seconds = WavDuration(call.resolved);
        if (!seconds) {
            LogOnce("som-formato:" + call.resolved, "som em formato não reconhecido: " + call.path);
            return;
        }
        const int ticket = ++tickets_;
        while (done_.tryAcquire()) {
        }
        waitingFor_ = ticket;
        QMetaObject::invokeMethod(ctx_, [this, file, ticket] { playEffect(file, ticket); }, Qt::QueuedConnection);
        const int limitMs = static_cast<int>(std::min(*seconds, 120.0) * 1000) + 1000;
        done_.tryAcquire(1, limitMs);
        waitingFor_ = 0;  // a late end of this sound wakes nobody
    }

private:
    // Runs on the sound thread.
    void stopAll() {
        if (current_) current_->stop();
        if (player_) player_->stop();
    }

    QSoundEffect* effectFor(const QString& file) {
        auto it = effects_.find(file);
        if (it != effects_.end()) return it->second;
        if (effects_.size() >= 48) {  // keep the cache small: drop one that is not playing
            for (auto i = effects_.begin(); i != effects_.end(); ++i) {
                if (i->second != current_) {
                    delete i->second;
                    effects_.erase(i);
                    break;
                }
            }
        }
        auto* e = new QSoundEffect(ctx_);
        QObject::connect(e, &QSoundEffect::playingChanged, ctx_, [this, e] {
            if (!e->isPlaying() && e == current_) finished();
        });
        QObject::connect(e, &QSoundEffect::statusChanged, ctx_, [this, e] {
            if (e->status() == QSoundEffect::Error && e == current_) finished();
        });
        e->setSource(QUrl::fromLocalFile(file));
        effects_.emplace(file, e);
        return e;
    }

    void playEffect(const QString& file, int ticket) {
        stopAll();
        waiting_ = ticket;
        current_ = effectFor(file);
        if (current_->status() == QSoundEffect::Error) {
            finished();
            return;
        }
        current_->play();
    }

    void finished() {
        if (waiting_ != 0 && waiting_ == waitingFor_.load()) {
            waiting_ = 0;
            done_.release();
        }
    }

    void playMedia(const QString& file) {
        stopAll();
        if (!player_) {
            player_ = new QMediaPlayer(ctx_);
            auto* out = new QAudioOutput(ctx_);
            player_->setAudioOutput(out);
        }
        player_->setSource(QUrl::fromLocalFile(file));
        player_->play();
    }

    QThread* thread_ = nullptr;
    QObject* ctx_ = nullptr;
    // Sound-thread state.
    std::map<QString, QSoundEffect*> effects_;
    QSoundEffect* current_ = nullptr;
    QMediaPlayer* player_ = nullptr;
    int waiting_ = 0;  // ticket of the synchronous sound playing, 0 for none
    // Caller's side.
    int tickets_ = 0;
    // Shared between the threads.
    std::atomic<int> waitingFor_{0};
    QSemaphore done_;
};

// ------------------------------------------------------------ front end

struct SoundState {
    std::unique_ptr<SoundBackend> backend;
};

SoundState& state() {
    static SoundState s;
    return s;
}

void releaseAtExit() { ShutdownSound(); }

SoundBackend& backend() {
    auto& s = state();
    if (!s.backend) s.backend = MakeDefaultSoundBackend();
    return *s.backend;
}

bool endsWithSilence(const std::string& path) {
    static const std::string name = "silencio.wav";
    if (path.size() < name.size()) return false;
    std::string tail = LCase(path.substr(path.size() - name.size()));
    if (tail != name) return false;
    if (path.size() == name.size()) return true;
    char before = path[path.size() - name.size() - 1];
    return before == '\\' || before == '/' || before == ':';
}

std::uint32_t le32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }

}  // namespace

std::unique_ptr<SoundBackend> MakeQtSoundBackend(bool requireDevice) {
    if (!QCoreApplication::instance()) return nullptr;
    if (requireDevice && QMediaDevices::audioOutputs().isEmpty()) return nullptr;
    static bool hooked = false;
    if (!hooked) {
        qAddPostRoutine(releaseAtExit);  // the thread ends before the application object
        hooked = true;
    }
    return std::make_unique<QtSoundBackend>();
}

std::unique_ptr<SoundBackend> MakeDefaultSoundBackend() {
    if (auto real = MakeQtSoundBackend(true)) return real;
    LogOnce("som-sem-saida", "nenhuma saída de áudio disponível: os sons ficam em silêncio");
    return std::make_unique<SilentSoundBackend>();
}

void SetSoundBackend(std::unique_ptr<SoundBackend> b) { state().backend = std::move(b); }

RecordingSoundBackend& UseRecordingSoundBackend() {
    auto rec = std::make_unique<RecordingSoundBackend>();
    RecordingSoundBackend& ref = *rec;
    state().backend = std::move(rec);
    return ref;
}

void ShutdownSound() { state().backend.reset(); }

bool PlaySound(const std::string& path, SoundMode mode) {
    SoundCall call{mode == SoundMode::Sync ? SoundCall::Kind::Sync : SoundCall::Kind::Async, path, ResolvePath(path)};
    if (endsWithSilence(path)) call.kind = SoundCall::Kind::Cut;
    bool found = !call.resolved.empty();
    if (!found && call.kind != SoundCall::Kind::Cut) LogOnce("som:" + LCase(path), "som não encontrado: " + path);
    backend().Play(call);
    return found;
}

void StopSound() { backend().Play(SoundCall{SoundCall::Kind::Cut, {}, {}}); }

bool PlayMedia(const std::string& path) {
    SoundCall call{SoundCall::Kind::Media, path, ResolvePath(path)};
    bool found = !call.resolved.empty();
    if (!found) LogOnce("midia:" + LCase(path), "arquivo de mídia não encontrado: " + path);
    if (found && IsFilm(call.resolved) && ShowFilm(call.resolved)) return true;
    backend().Play(call);
    return found;
}

std::optional<double> WavDuration(const std::string& realPath) {
    std::ifstream in(realPath, std::ios::binary);
    unsigned char riff[12];
    if (!in.read(reinterpret_cast<char*>(riff), 12)) return std::nullopt;
    if (std::string(reinterpret_cast<char*>(riff), 4) != "RIFF" ||
        std::string(reinterpret_cast<char*>(riff) + 8, 4) != "WAVE")
        return std::nullopt;
    std::uint32_t byteRate = 0;
    for (int chunks = 0; chunks < 64; ++chunks) {
        unsigned char head[8];
        if (!in.read(reinterpret_cast<char*>(head), 8)) return std::nullopt;
        std::string id(reinterpret_cast<char*>(head), 4);
        std::uint32_t size = le32(head + 4);
        if (id == "fmt ") {
            unsigned char fmt[16];
            if (size < 16 || !in.read(reinterpret_cast<char*>(fmt), 16)) return std::nullopt;
            byteRate = le32(fmt + 8);
            in.seekg(size - 16 + (size & 1), std::ios::cur);
        } else if (id == "data") {
            if (byteRate == 0) return std::nullopt;
            return static_cast<double>(size) / byteRate;
        } else {
            in.seekg(size + (size & 1), std::ios::cur);
        }
    }
    return std::nullopt;
}

}  // namespace platform
