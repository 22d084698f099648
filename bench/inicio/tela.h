#pragma once
// What the benchmarks that run the game on a display share: an X server (the
// one in DISPLAY, or an Xvfb of 1920 x 1080 started here) and a program
// folder of their own.

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

extern char** environ;

namespace bench_tela {

namespace fs = std::filesystem;


inline pid_t pid_xvfb = 0;

inline void encerra_xvfb() {
    if (pid_xvfb > 0) {
        kill(pid_xvfb, SIGTERM);
        waitpid(pid_xvfb, nullptr, 0);
        pid_xvfb = 0;
    }
}

// Starts an Xvfb of 1920 x 1080 on a free display number; the display name,
// or nothing when it could not start.
inline std::optional<std::string> inicia_xvfb() {
    int tubo[2];
    if (pipe(tubo) != 0) return std::nullopt;
    std::vector<std::string> args = {"Xvfb", "-displayfd", std::to_string(tubo[1]), "-screen", "0",
                                     "1920x1080x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid;
    if (posix_spawnp(&pid, "Xvfb", nullptr, nullptr, argv.data(), environ) != 0) {
        close(tubo[0]);
        close(tubo[1]);
        return std::nullopt;
    }
    close(tubo[1]);
    std::string numero;
    pollfd p{tubo[0], POLLIN, 0};
    char c;
    while (poll(&p, 1, 10000) > 0 && read(tubo[0], &c, 1) == 1 && c != '\n') numero += c;
    close(tubo[0]);
    if (numero.empty()) {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
        return std::nullopt;
    }
    pid_xvfb = pid;
    std::atexit(encerra_xvfb);
    return ":" + numero;
}

// Makes the children run on an X server; prints which.
inline void prepara_tela() {
    static const bool feito = [] {
        if (const char* d = std::getenv("DISPLAY"); d && *d) {
            std::printf("Tela: o servidor X de DISPLAY=%s\n", d);
        } else if (auto d = inicia_xvfb()) {
            setenv("DISPLAY", d->c_str(), 1);
            std::printf("Tela: Xvfb 1920x1080 iniciado em %s\n", d->c_str());
        } else {
            setenv("QT_QPA_PLATFORM", "offscreen", 1);
            std::printf("Tela: sem servidor X nem Xvfb; plataforma offscreen de Qt (tela de 800x800), "
                        "números não comparáveis aos de um servidor X\n");
            return true;
        }
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        std::fflush(stdout);
        return true;
    }();
    (void)feito;
}

// A program folder of the bench's own, made afresh under the scratch folder:
// a copy of the executable (the game finds its files beside it) and its
// databases, each with the log a run that was cut short left beside it (the
// index beside that log is made anew when the copy is opened), the rest by
// links to the build's program folder (the folder of `programa`).
inline std::string copia_do_programa(const std::string& programa, const std::string& nome) {
    {
        const fs::path origem = fs::path(programa).parent_path();
        const fs::path destino = fs::path(BROTALIA_BENCH_SCRATCH) / nome;
        fs::remove_all(destino);
        fs::create_directories(destino);
        for (const auto& e : fs::directory_iterator(origem)) {
            const fs::path alvo = destino / e.path().filename();
            const std::string ext = e.path().extension().string();
            if (ext == ".mdb-shm" || ext == ".db-shm") continue;
            if (e.is_regular_file() &&
                (e.path() == fs::path(programa) || ext == ".mdb" || ext == ".db" || ext == ".mdb-wal" || ext == ".db-wal"))
                fs::copy_file(e.path(), alvo);
            else
                fs::create_symlink(e.path(), alvo);
        }
        return destino.string();
    }
}

}  // namespace bench_tela
