#include "platform/media_file.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace platform {
namespace {

// A regular file of a size its kind can have; why not otherwise.
bool acceptable(const struct stat& st, MediaKind kind, std::string* why) {
    const char* problem = nullptr;
    if (S_ISDIR(st.st_mode))
        problem = "é uma pasta";
    else if (!S_ISREG(st.st_mode))
        problem = "não é um arquivo comum";
    else if (static_cast<std::uint64_t>(st.st_size) > MaxMediaBytes(kind))
        problem = "grande demais";
    if (problem && why) *why = problem;
    return !problem;
}

}  // namespace

std::uint64_t MaxMediaBytes(MediaKind kind) {
    constexpr std::uint64_t MiB = 1024 * 1024;
    switch (kind) {
        // A full-screen bitmap of 4000 x 2000 at 32 bits is 32 MB.
        case MediaKind::Picture: return 32 * MiB;
        // The game's longest sound is half a megabyte; 8 MB is a minute and
        // a half at CD rate, and is read whole when played.
        case MediaKind::Sound: return 8 * MiB;
        // A General MIDI song of several minutes is some tens of kilobytes.
        case MediaKind::Song: return 1 * MiB;
        // A film is read as it plays.
        case MediaKind::Film: return 1024 * MiB;
    }
    return 0;
}

bool IsMediaFile(const std::string& realPath, MediaKind kind, std::string* why) {
    struct stat st;
    if (realPath.empty() || ::stat(realPath.c_str(), &st) != 0) {
        if (why) *why = "não encontrado";
        return false;
    }
    return acceptable(st, kind, why);
}

MediaFile OpenMediaFile(const std::string& realPath, MediaKind kind) {
    std::string why;
    // Looked at before it is opened: opening some devices does something.
    if (!IsMediaFile(realPath, kind, &why)) return MediaFile(why);
    // Opened without waiting (a pipe put in the file's place meanwhile opens
    // at once and is refused below); reading a regular file never waits on
    // it, so the flag is harmless afterwards.
    const int fd = ::open(realPath.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return MediaFile(std::string("não pôde ser aberto"));
    MediaFile file(fd, 0);
    struct stat st;
    if (::fstat(fd, &st) != 0) return MediaFile(std::string("não pôde ser aberto"));
    if (!acceptable(st, kind, &why)) return MediaFile(why);
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return MediaFile(file.Release(), static_cast<std::uint64_t>(st.st_size));
}

}  // namespace platform
