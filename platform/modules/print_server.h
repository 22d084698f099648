#pragma once
// The talk with the print server, shared by the report (which writes the
// PDFs and waits) and the print server module (which, on a thread of its
// own, connects, finds the default printer and sends each file to it).

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// The files to print, the time limit and, per file, what the server said.
struct Conversa {
    std::vector<std::string> arquivos, titulos;
    std::chrono::steady_clock::time_point limite;
    std::atomic<bool> desistiu{false};   // the caller stopped waiting
    std::atomic<bool> pronta{false};     // the talking thread is done

    std::mutex m;                        // guards what follows
    bool sem_impressora = false;         // no server, or no default printer
    std::string impressora;
    std::vector<int> trabalhos;          // job id; 0 refused; -1 not asked yet
    std::vector<std::string> erros;      // the server's reason for a refusal
};

inline bool ainda_ha_tempo(const Conversa& c) {
    return !c.desistiu && std::chrono::steady_clock::now() < c.limite;
}

}  // namespace platform
