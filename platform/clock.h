#pragma once
// Time for the game: a date-time value, the current time, calendar helpers and
// seeded pseudo-random numbers.
//
// DateTime is the classic serial date: days since 30 December 1899 as a
// double, whole days in the integer part and the time of day in the fraction,
// counted in local wall-clock time. Because it holds the local date and time
// as the clock shows them (not an instant), adding or subtracting days and
// taking differences is never skewed by a daylight-saving change: from Sunday
// 10:00 to the next Sunday 10:00 is exactly 7.0 days.
//
// Now(), Date() and Timer() read the system clock unless a test clock has
// been set with SetNow(); nothing else (no environment, no command line)
// changes the clock.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace platform {

struct DateTime {
    double serial = 0;  // days since 1899-12-30 00:00, local time

    constexpr DateTime() = default;
    constexpr explicit DateTime(double s) : serial(s) {}

    friend constexpr DateTime operator+(DateTime d, double days) { return DateTime(d.serial + days); }
    friend constexpr DateTime operator-(DateTime d, double days) { return DateTime(d.serial - days); }
    friend constexpr double operator-(DateTime a, DateTime b) { return a.serial - b.serial; }
    DateTime& operator+=(double days) { serial += days; return *this; }
    DateTime& operator-=(double days) { serial -= days; return *this; }
    friend constexpr auto operator<=>(DateTime a, DateTime b) = default;
};

// Building and taking apart. Months and days out of range roll over
// (DateSerial(2024, 13, 1) is 1 January 2025; day 0 is the last of the month before).
// Taking apart (Split, Weekday, WeekOfYear, DateDiffDays, FormatDate) reads a
// serial before 1 January 100 or after 31 December 9999 as that nearest date,
// and one that is not a number as 30 December 1899.
DateTime DateSerial(int year, int month, int day);
double TimeSerial(int hour, int minute, int second);   // fraction of a day
DateTime MakeDateTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);

struct DateParts {
    int year, month, day, hour, minute, second;
};
DateParts Split(DateTime d);  // rounded to the nearest second
int Year(DateTime d);
int Day(DateTime d);

// Local date-time of a system time (what the wall clock showed at that instant).
DateTime FromTimeT(std::time_t t);

// The current local date and time, today at midnight, and the seconds since
// midnight (with fractions).
DateTime Now();
DateTime Date();
double Timer();

// Test clock: with a value, Now() returns it until changed; std::nullopt
// returns to the system clock.
void SetNow(std::optional<DateTime> fixed);
// Moves a set test clock forward (no effect on the system clock).
void AdvanceNow(double seconds);

DateTime DateAdd(DateTime d, double days);
// Calendar days from a to b (midnights crossed; b earlier gives a negative count).
long DateDiffDays(DateTime a, DateTime b);
// Weekday with Sunday = 1 ... Saturday = 7.
int Weekday(DateTime d);
// Calendar week: weeks begin on Sunday and week 1 holds 1 January, so a year
// has 53 or 54 weeks (31 December 2000 is in week 54).
int WeekOfYear(DateTime d);

// Formats with the patterns d, dd, m, mm, yy, yyyy (date), h, hh, nn, ss
// (time; "nn" is minutes); any other character is copied. "dd/mm/yy" gives
// "09/12/26".
std::string FormatDate(DateTime d, const std::string& pattern);

// Pseudo-random numbers in [0, 1), the same sequence for the same seed.
void Randomize(double seed);
void Randomize();  // seeded from Timer()
double Rnd();
// Back to the generator's state at program start.
void ResetRandom();

}  // namespace platform
