#include "platform/files.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <dirent.h>

#include <algorithm>
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
        const int out = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
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

void ReplaceFileWhole(const std::string& path, const std::function<void(int)>& fill, bool durable) {
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) fail(path, errno);
    try {
        fill(fd);
        // A full disk may show only here, when the blocks are given.
        if (durable && ::fsync(fd) != 0) fail(path, errno);
    } catch (...) {
        ::close(fd);
        ::unlink(temporary.c_str());
        throw;
    }
    if (::close(fd) != 0 || ::rename(temporary.c_str(), path.c_str()) != 0) {
        const int err = errno;
        ::unlink(temporary.c_str());
        fail(path, err);
    }
    if (durable) syncPath(folderOf(path), O_RDONLY | O_DIRECTORY);
}

void RemoveLeftoverTemporaries(const std::string& folder) {
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    DIR* d = ::fdopendir(dir);
    if (!d) {
        ::close(dir);
        return;
    }
    std::vector<std::string> leftovers;
    while (const dirent* e = ::readdir(d)) {
        const std::string name = e->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0) leftovers.push_back(name);
    }
    // Only files: a folder of that name is not ours.
    for (const auto& name : leftovers) ::unlinkat(::dirfd(d), name.c_str(), 0);
    ::closedir(d);
}

std::vector<std::string> FilesStartingWith(const std::string& pathPrefix) {
    const auto slash = pathPrefix.find_last_of('/');
    const std::string folder = folderOf(pathPrefix);
    const std::string start = slash == std::string::npos ? pathPrefix : pathPrefix.substr(slash + 1);
    std::vector<std::string> found;
    if (DIR* d = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.size() > start.size() && name.compare(0, start.size(), start) == 0)
                found.push_back(folder == "/" ? "/" + name : folder + "/" + name);
        }
        ::closedir(d);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::string WriteErrorText(int err) { return why(err); }

std::string FreeFileName(const std::string& base, const std::string& suffix) {
    std::string name = base + suffix;
    for (int n = 2; exists(name); ++n) name = base + "-" + std::to_string(n) + suffix;
    return name;
}

}  // namespace platform
