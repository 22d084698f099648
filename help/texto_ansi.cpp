#include "help/texto_ansi.h"

#include <cstdint>

namespace help {

namespace {

// Code points of the bytes 0x80 to 0x9F in Windows-1252 (0: no character).
constexpr char32_t kFaixa80[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178};

void poe_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 character at i; returns its length (0 when the bytes
// there are not a valid character).
std::size_t le_utf8(const std::string& s, std::size_t i, char32_t& c) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = b(i);
    std::size_t n;
    if (b0 < 0x80) {
        c = b0;
        return 1;
    } else if ((b0 & 0xE0) == 0xC0) {
        n = 2;
        c = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        n = 3;
        c = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        n = 4;
        c = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((b(i + k) & 0xC0) != 0x80) return 0;
        c = (c << 6) | (b(i + k) & 0x3F);
    }
    // Overlong forms are not valid.
    if ((n == 2 && c < 0x80) || (n == 3 && c < 0x800) || (n == 4 && c < 0x10000) || c > 0x10FFFF) return 0;
    return n;
}

}  // namespace

std::string ansi_para_utf8(const std::string& ansi) {
    std::string out;
    out.reserve(ansi.size() + ansi.size() / 8);
    for (char ch : ansi) {
        const unsigned char b = static_cast<unsigned char>(ch);
        char32_t c = b;
        if (b >= 0x80 && b < 0xA0 && kFaixa80[b - 0x80] != 0) c = kFaixa80[b - 0x80];
        poe_utf8(out, c);
    }
    return out;
}

std::string utf8_para_ansi(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t c = 0;
        const std::size_t n = le_utf8(utf8, i, c);
        if (n == 0) {  // not UTF-8: already a single-byte character
            out += utf8[i];
            ++i;
            continue;
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char byte = '?';
        for (int k = 0; k < 32; ++k)
            if (kFaixa80[k] == c) byte = static_cast<char>(0x80 + k);
        if (c >= 0x80 && c < 0xA0 && kFaixa80[c - 0x80] == 0) byte = static_cast<char>(c);
        out += byte;
    }
    return out;
}

bool parece_utf8(const std::string& bytes) {
    bool alem_ascii = false;
    std::size_t i = 0;
    while (i < bytes.size()) {
        char32_t c = 0;
        const std::size_t n = le_utf8(bytes, i, c);
        if (n == 0) return false;
        if (n > 1) alem_ascii = true;
        i += n;
    }
    return alem_ascii;
}

std::size_t tamanho_primeiro_caractere(const std::string& utf8) {
    if (utf8.empty()) return 0;
    char32_t c = 0;
    const std::size_t n = le_utf8(utf8, 0, c);
    return n == 0 ? 1 : n;
}

std::string primeiros_caracteres(const std::string& utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < utf8.size(); ++k) {
        char32_t c = 0;
        const std::size_t len = le_utf8(utf8, i, c);
        i += len == 0 ? 1 : len;
    }
    return utf8.substr(0, i);
}

}  // namespace help
