#include "platform/text.h"

#include <QString>
#include <QTextBoundaryFinder>

#include <charconv>
#include <cmath>

namespace platform {
namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Byte offset of the character with 0-based index idx (s.size() when past the end).
size_t byteOffset(const std::string& s, long idx) {
    size_t i = 0;
    while (i < s.size() && idx > 0) {
        ++i;
        while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
        --idx;
    }
    return i;
}

long charIndex(const std::string& s, size_t byte) {
    long n = 0;
    for (size_t i = 0; i < byte && i < s.size(); ++i)
        if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string NumText(double number) {
    if (std::isnan(number)) return "NaN";
    if (number == 0) number = 0;  // no "-0"
    char buf[64];
    std::to_chars_result r;
    if (std::fabs(number) < 1e15 && number == std::trunc(number))
        r = std::to_chars(buf, buf + sizeof buf, static_cast<long long>(number));
    else
        r = std::to_chars(buf, buf + sizeof buf, number);
    return std::string(buf, r.ptr);
}

std::string Str(double number) {
    std::string t = NumText(number);
    return t[0] == '-' ? t : " " + t;
}

double Val(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (isBlank(text[i]) || text[i] == '\n' || text[i] == '\r')) ++i;
    size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
            i = j;
        }
    }
    const char* b = text.data() + start;
    if (*b == '+') ++b;
    double v = 0;
    std::from_chars(b, text.data() + i, v);
    return v;
}

std::string LTrim(const std::string& s) {
    size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    return s.substr(i);
}

std::string RTrim(const std::string& s) {
    size_t n = s.size();
    while (n > 0 && s[n - 1] == ' ') --n;
    return s.substr(0, n);
}

std::string Trim(const std::string& s) { return LTrim(RTrim(s)); }

std::string UCase(const std::string& s) {
    std::string r = s;
    for (size_t i = 0; i < r.size(); ++i) {
        unsigned char c = r[i];
        if (c >= 'a' && c <= 'z') {
            r[i] = static_cast<char>(c - 32);
        } else if (c == 0xC3 && i + 1 < r.size()) {
            unsigned char d = r[i + 1];
            if (d >= 0xA0 && d <= 0xBE && d != 0xB7) r[i + 1] = static_cast<char>(d - 0x20);
            ++i;
        }
    }
    return r;
}

std::string LCase(const std::string& s) {
    std::string r = s;
    for (size_t i = 0; i < r.size(); ++i) {
        unsigned char c = r[i];
        if (c >= 'A' && c <= 'Z') {
            r[i] = static_cast<char>(c + 32);
        } else if (c == 0xC3 && i + 1 < r.size()) {
            unsigned char d = r[i + 1];
            if (d >= 0x80 && d <= 0x9E && d != 0x97) r[i + 1] = static_cast<char>(d + 0x20);
            ++i;
        }
    }
    return r;
}

long Len(const std::string& s) { return charIndex(s, s.size()); }

std::string Left(const std::string& s, long n) {
    if (n <= 0) return {};
    return s.substr(0, byteOffset(s, n));
}

std::string Right(const std::string& s, long n) {
    long len = Len(s);
    if (n <= 0) return {};
    if (n >= len) return s;
    return s.substr(byteOffset(s, len - n));
}

std::string Mid(const std::string& s, long start, long n) {
    if (start < 1) start = 1;
    size_t b = byteOffset(s, start - 1);
    if (n < 0) return s.substr(b);
    size_t e = b + byteOffset(s.substr(b), n);
    return s.substr(b, e - b);
}

long InStr(long start, const std::string& haystack, const std::string& needle) {
    if (start < 1) start = 1;
    size_t b = byteOffset(haystack, start - 1);
    if (b > haystack.size()) return 0;
    size_t p = haystack.find(needle, b);
    return p == std::string::npos ? 0 : charIndex(haystack, p) + 1;
}

std::string Chr(int code) {
    std::string r;
    if (code < 0x80) {
        r += static_cast<char>(code);
    } else if (code < 0x800) {
        r += static_cast<char>(0xC0 | (code >> 6));
        r += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        r += static_cast<char>(0xE0 | ((code >> 12) & 0x0F));
        r += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        r += static_cast<char>(0x80 | (code & 0x3F));
    }
    return r;
}

int Asc(const std::string& s) {
    if (s.empty()) return 0;
    unsigned char c = s[0];
    if (c < 0x80 || s.size() < 2) return c;
    if ((c & 0xE0) == 0xC0) return ((c & 0x1F) << 6) | (s[1] & 0x3F);
    if ((c & 0xF0) == 0xE0 && s.size() >= 3)
        return ((c & 0x0F) << 12) | ((s[1] & 0x3F) << 6) | (s[2] & 0x3F);
    return c;
}

std::string String(long n, const std::string& ch) {
    std::string one = Left(ch, 1), r;
    for (long i = 0; i < n; ++i) r += one;
    return r;
}

std::vector<std::string> VisibleChars(const std::string& s) {
    const QString q = QString::fromStdString(s);
    std::vector<QString> parts;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, q);
    int start = 0;
    for (int end = finder.toNextBoundary(); end > start; end = finder.toNextBoundary()) {
        parts.push_back(q.mid(start, end - start));
        start = end;
    }
    // Qt 6.4's finder splits a flag (two regional indicators) that follows a
    // pictograph: pair a lone indicator with the indicator after it.
    auto lone_indicator = [](const QString& p) {
        return p.size() == 2 && p.at(0).isHighSurrogate() &&
               QChar::surrogateToUcs4(p.at(0), p.at(1)) >= 0x1F1E6 && QChar::surrogateToUcs4(p.at(0), p.at(1)) <= 0x1F1FF;
    };
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        const QString& next = parts[i + 1];
        if (lone_indicator(parts[i]) && next.size() >= 2 && lone_indicator(next.left(2))) {
            parts[i] += next;
            parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        }
    }
    constexpr char16_t zwj = 0x200D;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        int n = 0;
        while (n < parts[i].size() - 1 && parts[i].at(parts[i].size() - 1 - n) == zwj) ++n;
        if (n == 0) continue;
        parts[i + 1].prepend(parts[i].right(n));
        parts[i].chop(n);
    }
    std::vector<std::string> r;
    r.reserve(parts.size());
    for (const QString& p : parts) r.push_back(p.toStdString());
    return r;
}

long LenVisible(const std::string& s) { return static_cast<long>(VisibleChars(s).size()); }

std::string LeftVisible(const std::string& s, long n) {
    const std::vector<std::string> chars = VisibleChars(s);
    if (n >= static_cast<long>(chars.size())) return s;
    std::string r;
    for (long i = 0; i < n; ++i) r += chars[static_cast<std::size_t>(i)];
    return r;
}

}  // namespace platform
