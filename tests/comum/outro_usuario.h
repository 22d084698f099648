#pragma once
// The game as a pupil plays it on a shared machine: the program folder is
// the administrator's and cannot be written. The part of a test that plays
// runs in a child process, its data folder under `casa`; the code returned
// is the child's exit code (-1 when it did not end by itself). Permissions
// do not bind the superuser, so under root the child is the user "nobody";
// for an ordinary user the child is the user, and everything in the program
// folder is made read-only while it plays (a mode binds its owner too), its
// modes put back afterwards.

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>

#include "platform/db.h"
#include "platform/paths.h"

namespace comum {

constexpr uid_t kNinguem = 65534;

// Makes every entry below a folder, and the folder, read-only until its end,
// then gives each its mode again.
class SoLeitura {
public:
    explicit SoLeitura(const std::filesystem::path& pasta) {
        std::error_code ec;
        guarda(pasta);
        for (auto i = std::filesystem::recursive_directory_iterator(pasta, ec);
             !ec && i != std::filesystem::recursive_directory_iterator(); i.increment(ec))
            guarda(i->path());
        for (const auto& [p, modo] : modos_) ::chmod(p.c_str(), modo & ~0222);
    }
    ~SoLeitura() {
        for (const auto& [p, modo] : modos_) ::chmod(p.c_str(), modo);
    }

private:
    void guarda(const std::filesystem::path& p) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) modos_.emplace(p.string(), st.st_mode & 07777);
    }
    std::map<std::string, mode_t> modos_;
};

inline int como_outro_usuario(const std::filesystem::path& casa, const std::function<int()>& joga) {
    std::filesystem::create_directories(casa);
    ::chown(casa.c_str(), kNinguem, kNinguem);
    platform::Workspace::Default().CloseAll();  // no connection is shared with the child
    std::optional<SoLeitura> instalado;
    if (::geteuid() != 0) instalado.emplace(platform::ProgramFolder());
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(kNinguem) != 0 || ::setuid(kNinguem) != 0)) ::_exit(100);
        ::setenv("XDG_DATA_HOME", casa.c_str(), 1);
        platform::SetProgramFolder(platform::ProgramFolder());  // chooses the data folder again
        ::_exit(joga());
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Every file below a folder with its size, time of change and mode.
inline std::map<std::string, std::string> listagem(const std::filesystem::path& pasta) {
    std::map<std::string, std::string> r;
    for (const auto& e : std::filesystem::recursive_directory_iterator(pasta)) {
        struct stat st {};
        ::lstat(e.path().c_str(), &st);
        r[e.path().string()] = std::to_string(st.st_size) + " " + std::to_string(st.st_mtim.tv_sec) + "." +
                               std::to_string(st.st_mtim.tv_nsec) + " " + std::to_string(st.st_mode);
    }
    return r;
}

}  // namespace comum
