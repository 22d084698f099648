#pragma once
// A 16-bit mono PCM WAV file for the sound tests: silent, or a tone at half of
// full scale, optionally with an extra odd-sized chunk before the samples as
// some editors write.

#include <cmath>
#include <cstdint>
#include <string>

namespace platform_test {

inline std::string WavFile(double seconds, int rate, bool extraChunk = false, double toneHz = 0) {
    const auto frames = static_cast<std::uint32_t>(seconds * rate);
    const std::uint32_t data = frames * 2;
    std::string s;
    auto u32 = [&](std::uint32_t v) { for (int i = 0; i < 4; ++i) s += static_cast<char>(v >> (8 * i)); };
    auto u16 = [&](std::uint16_t v) { s += static_cast<char>(v); s += static_cast<char>(v >> 8); };
    s += "RIFF";
    u32(36 + (extraChunk ? 12 : 0) + data);
    s += "WAVEfmt ";
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    if (extraChunk) {
        s += "LIST";
        u32(3);
        s += "abc";
        s += '\0';  // padding of the odd-sized chunk
    }
    s += "data";
    u32(data);
    for (std::uint32_t i = 0; i < frames; ++i)
        u16(toneHz == 0 ? 0
                        : static_cast<std::uint16_t>(
                              static_cast<std::int16_t>(16000 * std::sin(2 * M_PI * toneHz * i / rate))));
    return s;
}

}  // namespace platform_test
