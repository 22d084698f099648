#pragma once
// What the start-up probe (and the memory child of the benchmark) writes to
// its pipe: when the paint that counts finished, when the program next took
// input after it, when the answer was given, and the peak memory then.

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct Marca {
    double pintado;   // CLOCK_MONOTONIC: the paint that counts is done
    double entrada;   // the event loop free again after it: input is taken
    double resposta;  // the answer's key was pressed (0: no question)
    long pico_kib;    // VmHWM
};

// A memory figure of this process in KiB (the field `campo` of
// /proc/self/status, "VmHWM:" or "VmRSS:"), or -1 when it cannot be read.
inline long memoria_kib(const char* campo) {
    long kib = -1;
    const std::size_t n = std::strlen(campo);
    if (FILE* f = std::fopen("/proc/self/status", "r")) {
        char linha[256];
        while (std::fgets(linha, sizeof linha, f))
            if (std::strncmp(linha, campo, n) == 0) kib = std::atol(linha + n);
        std::fclose(f);
    }
    return kib;
}

// The process's peak resident memory in KiB, or -1 when it cannot be read.
inline long pico_kib() { return memoria_kib("VmHWM:"); }
