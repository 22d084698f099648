#pragma once
// The game as a pupil plays it on a shared machine: the program folder is
// the administrator's and cannot be written. Permissions do not bind the
// superuser, so the part of a test that plays runs in a child process as the
// user "nobody", its data folder under `casa`; the code returned is the
// child's exit code (-1 when it did not end by itself).

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "platform/db.h"
#include "platform/paths.h"

namespace comum {

constexpr uid_t kNinguem = 65534;

inline int como_outro_usuario(const std::filesystem::path& casa, const std::function<int()>& joga) {
    std::filesystem::create_directories(casa);
    ::chown(casa.c_str(), kNinguem, kNinguem);
    platform::Workspace::Default().CloseAll();  // no connection is shared with the child
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
