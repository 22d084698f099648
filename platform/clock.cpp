#include "platform/clock.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>

namespace platform {
namespace {

constexpr long kEpochOffset = 25569;  // serial of 1970-01-01

struct ClockState {
    std::optional<DateTime> fixedNow;
    std::uint32_t rndState = 0x50000;  // 24-bit generator state
};

ClockState& state() {
    static ClockState s;
    return s;
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12).
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void civilFromDays(long z, int& y, int& m, int& d) {
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// The dates the game can show run from 1 January 100 to 31 December 9999.
// A serial outside that range (a corrupted stored date, a clock gone wild)
// reads as the nearest end of it, and one that is not a number as day 0, so
// the calendar helpers always give a real date and never overflow.
constexpr long kFirstDay = -657434;  // 100-01-01
constexpr long kLastDay = 2958465;   // 9999-12-31

double saneSerial(double serial) {
    if (std::isnan(serial)) return 0;
    if (serial < kFirstDay) return kFirstDay;
    if (serial >= kLastDay + 1) return kLastDay + 86399.0 / 86400;
    return serial;
}

long dayNumber(DateTime d) { return static_cast<long>(std::floor(saneSerial(d.serial))); }

std::string two(int v) {
    std::string s = std::to_string(v);
    return s.size() < 2 ? "0" + s : s;
}

}  // namespace

DateTime DateSerial(int year, int month, int day) {
    // Roll months over into years first, then add the days to the 1st.
    // In 64-bit arithmetic, so no int argument can overflow.
    const long long mon = static_cast<long long>(month) - 1;
    long y = static_cast<long>(year + (mon >= 0 ? mon / 12 : -((11 - mon) / 12)));
    int m = static_cast<int>((mon % 12 + 12) % 12) + 1;
    long days = daysFromCivil(y, static_cast<unsigned>(m), 1) + (static_cast<long>(day) - 1);
    return DateTime(static_cast<double>(days + kEpochOffset));
}

double TimeSerial(int hour, int minute, int second) {
    return (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
}

DateTime MakeDateTime(int year, int month, int day, int hour, int minute, int second) {
    return DateSerial(year, month, day) + TimeSerial(hour, minute, second);
}

DateParts Split(DateTime d) {
    long long secs = std::llround(saneSerial(d.serial) * 86400.0);
    secs = std::clamp(secs, kFirstDay * 86400LL, kLastDay * 86400LL + 86399);
    long long days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
    long long rest = secs - days * 86400;
    DateParts p{};
    civilFromDays(static_cast<long>(days - kEpochOffset), p.year, p.month, p.day);
    p.hour = static_cast<int>(rest / 3600);
    p.minute = static_cast<int>(rest / 60 % 60);
    p.second = static_cast<int>(rest % 60);
    return p;
}

int Year(DateTime d) { return Split(d).year; }
int Day(DateTime d) { return Split(d).day; }

DateTime FromTimeT(std::time_t t) {
    std::tm tm{};
    localtime_r(&t, &tm);
    return MakeDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

DateTime Now() {
    auto& s = state();
    if (s.fixedNow) return *s.fixedNow;
    auto now = std::chrono::system_clock::now();
    auto us = std::chrono::duration_cast<std::chrono::microseconds>(now.time_since_epoch()).count();
    std::time_t t = static_cast<std::time_t>(us / 1000000);
    return FromTimeT(t) + (us % 1000000) / 1e6 / 86400.0;
}

DateTime Date() { return DateTime(std::floor(Now().serial)); }

double Timer() {
    DateTime n = Now();
    return (n.serial - std::floor(n.serial)) * 86400.0;
}

void SetNow(std::optional<DateTime> fixed) { state().fixedNow = fixed; }

void AdvanceNow(double seconds) {
    auto& s = state();
    if (s.fixedNow) *s.fixedNow += seconds / 86400.0;
}

DateTime DateAdd(DateTime d, double days) { return d + days; }

long DateDiffDays(DateTime a, DateTime b) { return dayNumber(b) - dayNumber(a); }

int Weekday(DateTime d) {
    // Serial 0 (30 December 1899) was a Saturday.
    long n = dayNumber(d);
    return static_cast<int>(((n + 6) % 7 + 7) % 7) + 1;
}

int WeekOfYear(DateTime d) {
    DateTime jan1 = DateSerial(Year(DateTime(std::floor(d.serial))), 1, 1);
    long dayOfYear = dayNumber(d) - dayNumber(jan1);  // 0-based
    return static_cast<int>((dayOfYear + Weekday(jan1) - 1) / 7) + 1;
}

std::string FormatDate(DateTime d, const std::string& pattern) {
    DateParts p = Split(d);
    std::string out;
    auto run = [&](size_t i, char c) {
        size_t n = 0;
        while (i + n < pattern.size() && (pattern[i + n] | 0x20) == c) ++n;
        return n;
    };
    for (size_t i = 0; i < pattern.size();) {
        char c = static_cast<char>(pattern[i] | 0x20);
        size_t n = (c == 'd' || c == 'm' || c == 'y' || c == 'h' || c == 'n' || c == 's') ? run(i, c) : 0;
        if (n == 0) {
            out += pattern[i++];
            continue;
        }
        int v = 0;
        switch (c) {
            case 'd': v = p.day; break;
            case 'm': v = p.month; break;
            case 'h': v = p.hour; break;
            case 'n': v = p.minute; break;
            case 's': v = p.second; break;
            case 'y': v = p.year; break;
        }
        if (c == 'y') {
            out += n >= 4 ? std::to_string(v) : two(v % 100);
        } else {
            out += n >= 2 ? two(v) : std::to_string(v);
        }
        i += n;
    }
    return out;
}

// A 24-bit linear congruential generator: small, fast and the same on every
// machine for a given seed.
void Randomize(double seed) {
    std::uint64_t bits = 0;
    static_assert(sizeof(double) == sizeof(bits));
    std::memcpy(&bits, &seed, sizeof bits);
    std::uint32_t mixed = static_cast<std::uint32_t>(bits ^ (bits >> 24) ^ (bits >> 48));
    state().rndState = mixed & 0xFFFFFF;
}

void Randomize() { Randomize(Timer()); }

void ResetRandom() { state().rndState = ClockState{}.rndState; }

double Rnd() {
    auto& s = state();
    s.rndState = (s.rndState * 1140671485u + 12820163u) & 0xFFFFFF;
    return s.rndState / 16777216.0;
}

}  // namespace platform
