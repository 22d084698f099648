#pragma once
// Opening the media files the program reads (pictures, sounds, songs, films).
// They come from a drive that may be a disc or stick someone else made: a
// name that looks like a picture may be a named pipe (opening it waits for a
// writer forever), a folder (a decoder given one may crash), a device (never
// ends) or a file far larger than any of its kind. A media file is opened
// only when it is a regular file of a size its kind can have, without ever
// waiting on the file itself, and by its name exactly as the file system
// gave it (a name that is not UTF-8 is still opened).

#include <cstdint>
#include <string>
#include <utility>

#include <unistd.h>

namespace platform {

enum class MediaKind { Picture, Sound, Song, Film };

// The largest file of each kind that is opened.
std::uint64_t MaxMediaBytes(MediaKind kind);

// An open media file (a descriptor for reading, closed when it goes), or why
// it was not opened.
class MediaFile {
public:
    MediaFile() = default;
    MediaFile(int fd, std::uint64_t size) : fd_(fd), size_(size) {}
    explicit MediaFile(std::string why) : why_(std::move(why)) {}
    MediaFile(MediaFile&& o) noexcept : fd_(std::exchange(o.fd_, -1)), size_(o.size_), why_(std::move(o.why_)) {}
    MediaFile& operator=(MediaFile&& o) noexcept {
        if (this != &o) {
            Close();
            fd_ = std::exchange(o.fd_, -1);
            size_ = o.size_;
            why_ = std::move(o.why_);
        }
        return *this;
    }
    MediaFile(const MediaFile&) = delete;
    MediaFile& operator=(const MediaFile&) = delete;
    ~MediaFile() { Close(); }

    explicit operator bool() const { return fd_ >= 0; }
    int Descriptor() const { return fd_; }
    std::uint64_t Size() const { return size_; }
    // Why the file was not opened, in Portuguese ("não é um arquivo comum").
    const std::string& Why() const { return why_; }
    // Hands the descriptor over: the caller closes it.
    int Release() { return std::exchange(fd_, -1); }

private:
    void Close() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }
    int fd_ = -1;
    std::uint64_t size_ = 0;
    std::string why_;
};

// Whether a real path names a file of that kind that OpenMediaFile would open
// (looked at, not opened); sets why when not.
bool IsMediaFile(const std::string& realPath, MediaKind kind, std::string* why = nullptr);

// Opens a real path for reading when it is a media file of that kind.
MediaFile OpenMediaFile(const std::string& realPath, MediaKind kind);

}  // namespace platform
