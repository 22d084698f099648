#include "platform/files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace platform {
namespace {

std::string why(int err) {
    switch (err) {
        case ENOSPC: return "o disco está cheio";
        case EDQUOT: return "o espaço em disco permitido acabou";
        case EACCES:
        case EPERM: return "sem permissão de escrita";
        case EROFS: return "o disco não pode ser gravado";
        default: return std::string("erro de gravação no disco (") + std::strerror(err) + ")";
    }
}

[[noreturn]] void fail(const std::string& path, int err) {
    throw std::runtime_error("Não foi possível gravar o arquivo \"" + path + "\": " + why(err) + ".");
}

bool exists(const std::string& path) {
    struct stat st;
    return ::lstat(path.c_str(), &st) == 0;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void syncPath(const std::string& path, int flags) {
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC);
    if (fd < 0) return;
    const bool ok = ::fsync(fd) == 0;
    const int err = errno;
    ::close(fd);
    if (!ok && (flags & O_DIRECTORY) == 0) fail(path, err);
}

// Gives `from` the name `to` unless `to` exists.
bool renameNoReplace(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno == EEXIST) return false;
    if (errno != EINVAL && errno != ENOSYS) fail(to, errno);
    // A file system without that kind of rename: a second name, then the
    // temporary one goes.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return true;
    }
    if (errno == EEXIST) return false;
    if (errno != EPERM && errno != ENOSYS) fail(to, errno);
    if (exists(to)) return false;
    if (::rename(from.c_str(), to.c_str()) != 0) fail(to, errno);
    return true;
}

}  // namespace

bool CreateFileWhole(const std::string& path, const std::function<void(const std::string&)>& fill) {
    if (exists(path)) return false;
    // One temporary name per file: what a run cut short left there is only
    // ever a part of a copy.
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());
    try {
        fill(temporary);
        syncPath(temporary, O_RDONLY);
        if (!renameNoReplace(temporary, path)) {
            ::unlink(temporary.c_str());
            return false;
        }
    } catch (...) {
        ::unlink(temporary.c_str());
        throw;
    }
    syncPath(folderOf(path), O_RDONLY | O_DIRECTORY);
    return true;
}

bool CopyFileWhole(const std::string& from, const std::string& to) {
    return CreateFileWhole(to, [&](const std::string& temporary) {
        const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
        if (in < 0) throw std::runtime_error("Não foi possível ler o arquivo \"" + from + "\": " + why(errno) + ".");
        const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (out < 0) {
            const int err = errno;
            ::close(in);
            fail(temporary, err);
        }
        char buf[1 << 16];
        int err = 0;
        for (;;) {
            const ssize_t n = ::read(in, buf, sizeof buf);
            if (n == 0) break;
            if (n < 0) {
                if (errno == EINTR) continue;
                err = errno;
                break;
            }
            for (ssize_t done = 0; done < n && !err;) {
                const ssize_t w = ::write(out, buf + done, static_cast<size_t>(n - done));
                if (w < 0 && errno != EINTR) err = errno;
                if (w > 0) done += w;
            }
            if (err) break;
        }
        ::close(in);
        if (::close(out) != 0 && !err) err = errno;
        if (err) fail(to, err);
    });
}

std::string FreeFileName(const std::string& base, const std::string& suffix) {
    std::string name = base + suffix;
    for (int n = 2; exists(name); ++n) name = base + "-" + std::to_string(n) + suffix;
    return name;
}

}  // namespace platform
