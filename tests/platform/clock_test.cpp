#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <limits>

using namespace platform;

namespace {

TEST(ClockTest, WeekOfYearAtYearBoundaries) {
    struct Case {
        int y, m, d, week;
    } cases[] = {
        // 1 January on each weekday, and the first Sunday after it.
        {2023, 1, 1, 1}, {2023, 1, 7, 1}, {2023, 1, 8, 2},   // Sunday
        {2024, 1, 1, 1}, {2024, 1, 6, 1}, {2024, 1, 7, 2},   // Monday
        {2019, 1, 1, 1}, {2019, 1, 5, 1}, {2019, 1, 6, 2},   // Tuesday
        {2020, 1, 1, 1}, {2020, 1, 4, 1}, {2020, 1, 5, 2},   // Wednesday
        {2015, 1, 1, 1}, {2015, 1, 3, 1}, {2015, 1, 4, 2},   // Thursday
        {2016, 1, 1, 1}, {2016, 1, 2, 1}, {2016, 1, 3, 2},   // Friday
        {2022, 1, 1, 1}, {2022, 1, 2, 2},                    // Saturday
        // A 54-week year: 2000 began on a Saturday and was a leap year.
        {2000, 12, 30, 53}, {2000, 12, 31, 54}, {2001, 1, 1, 1},
        {2022, 12, 31, 53}, {2023, 12, 31, 53}, {2024, 12, 31, 53}, {2026, 12, 9, 50},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WeekOfYear(DateSerial(c.y, c.m, c.d)), c.week) << c.y << "-" << c.m << "-" << c.d;
        // The time of day does not move a date into another week.
        EXPECT_EQ(WeekOfYear(MakeDateTime(c.y, c.m, c.d, 23, 59, 59)), c.week);
    }
}

TEST(ClockTest, WeekdayStartsOnSunday) {
    struct Case {
        int y, m, d, weekday;
    } cases[] = {
        {2000, 12, 31, 1}, {2026, 12, 9, 4}, {2024, 2, 29, 5}, {1899, 12, 30, 7}, {2023, 1, 1, 1}, {2022, 1, 1, 7},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Weekday(DateSerial(c.y, c.m, c.d)), c.weekday);
        EXPECT_EQ(Weekday(MakeDateTime(c.y, c.m, c.d, 18, 30, 0)), c.weekday);
    }
}

TEST(ClockTest, BuildingTakingApartAndFormatting) {
    EXPECT_EQ(DateSerial(1899, 12, 30).serial, 0);
    EXPECT_EQ(DateSerial(1970, 1, 1).serial, 25569);
    EXPECT_EQ(DateSerial(2024, 13, 1), DateSerial(2025, 1, 1));
    EXPECT_EQ(DateSerial(2024, 3, 0), DateSerial(2024, 2, 29));
    EXPECT_EQ(DateSerial(2024, 0, 1), DateSerial(2023, 12, 1));

    DateTime d = MakeDateTime(2026, 12, 9, 7, 5, 9);
    DateParts p = Split(d);
    EXPECT_EQ(p.year, 2026);
    EXPECT_EQ(p.month, 12);
    EXPECT_EQ(p.day, 9);
    EXPECT_EQ(p.hour, 7);
    EXPECT_EQ(p.minute, 5);
    EXPECT_EQ(p.second, 9);
    EXPECT_EQ(FormatDate(d, "dd/mm/yy"), "09/12/26");
    EXPECT_EQ(FormatDate(d, "yyyy-mm-dd hh:nn:ss"), "2026-12-09 07:05:09");
    EXPECT_EQ(FormatDate(d, "d/m/yyyy"), "9/12/2026");

    EXPECT_EQ(DateDiffDays(MakeDateTime(2026, 12, 9, 23, 0, 0), MakeDateTime(2026, 12, 10, 1, 0, 0)), 1);
    EXPECT_EQ(DateDiffDays(DateSerial(2027, 1, 1), DateSerial(2026, 12, 25)), -7);
    EXPECT_DOUBLE_EQ(DateAdd(DateSerial(2026, 12, 9), -1.5) - DateSerial(2026, 12, 9), -1.5);
}

TEST(ClockTest, AbsurdSerialsReadAsTheNearestRealDate) {
    // A corrupted stored date must still give a real date, weekday and week.
    struct Case {
        double serial;
        int year, month, day;
    } cases[] = {
        {1e300, 9999, 12, 31},
        {std::numeric_limits<double>::infinity(), 9999, 12, 31},
        {1e18, 9999, 12, 31},
        {2958465.9999999, 9999, 12, 31},  // rounding to the second stays in the year 9999
        {-1e300, 100, 1, 1},
        {-std::numeric_limits<double>::infinity(), 100, 1, 1},
        {std::nan(""), 1899, 12, 30},
    };
    for (const auto& c : cases) {
        const DateTime d(c.serial);
        const DateParts p = Split(d);
        EXPECT_EQ(p.year, c.year) << c.serial;
        EXPECT_EQ(p.month, c.month) << c.serial;
        EXPECT_EQ(p.day, c.day) << c.serial;
        EXPECT_GE(p.hour, 0);
        EXPECT_LE(p.hour, 23);
        EXPECT_GE(Weekday(d), 1);
        EXPECT_LE(Weekday(d), 7);
        EXPECT_GE(WeekOfYear(d), 1);
        EXPECT_LE(WeekOfYear(d), 54);
        EXPECT_EQ(FormatDate(d, "yyyy").size(), c.year < 1000 ? 3u : 4u);
    }
    EXPECT_EQ(DateDiffDays(DateTime(-1e300), DateTime(1e300)), 2958465 + 657434);
    // Huge arguments roll over without overflowing.
    EXPECT_TRUE(std::isfinite(DateSerial(2147483647, 2147483647, 2147483647).serial));
    EXPECT_EQ(DateSerial(2026, -2147483647, 1), DateSerial(2026 - 178956971, 5, 1));
}

TEST(ClockTest, TestClockDrivesNowDateAndTimer) {
    DateTime fixed = MakeDateTime(2026, 3, 4, 10, 30, 15);
    SetNow(fixed);
    EXPECT_EQ(Now(), fixed);
    EXPECT_EQ(Date(), DateSerial(2026, 3, 4));
    EXPECT_NEAR(Timer(), 10 * 3600 + 30 * 60 + 15, 1e-3);
    AdvanceNow(90);
    EXPECT_EQ(FormatDate(Now(), "hh:nn:ss"), "10:31:45");

    SetNow(std::nullopt);
    double system = FromTimeT(std::time(nullptr)).serial;
    EXPECT_NEAR(Now().serial, system, 5.0 / 86400);
}

// Week counts are taken on local wall-clock date-times, so an hour gained or
// lost at a daylight-saving change does not lose a week.
class DaylightSavingTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        hadTz_ = tz != nullptr;
        if (tz) oldTz_ = tz;
    }
    void TearDown() override {
        if (hadTz_)
            setenv("TZ", oldTz_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    static std::time_t local(int y, int m, int d, int h) {
        std::tm tm{};
        tm.tm_year = y - 1900;
        tm.tm_mon = m - 1;
        tm.tm_mday = d;
        tm.tm_hour = h;
        tm.tm_isdst = -1;
        return std::mktime(&tm);
    }
    bool hadTz_ = false;
    std::string oldTz_;
};

TEST_F(DaylightSavingTest, WholeWeeksAcrossClockChanges) {
    struct Case {
        const char* tz;
        int y, m, d;        // a Sunday one week before the change's Sunday
        long secondsLater;  // real seconds to the same wall-clock time a week later
    } cases[] = {
        {"Europe/Lisbon", 2024, 3, 24, 7 * 86400 - 3600},   // clocks forward 31 March
        {"Europe/Lisbon", 2024, 10, 20, 7 * 86400 + 3600},  // clocks back 27 October
        {"America/Sao_Paulo", 2018, 10, 28, 7 * 86400 - 3600},  // forward 4 November 2018
        {"America/Sao_Paulo", 2019, 2, 10, 7 * 86400 + 3600},   // back 17 February 2019
    };
    for (const auto& c : cases) {
        setenv("TZ", c.tz, 1);
        tzset();
        std::time_t t1 = local(c.y, c.m, c.d, 10);
        std::time_t t2 = t1 + c.secondsLater;
        DateTime a = FromTimeT(t1), b = FromTimeT(t2);
        EXPECT_EQ(FormatDate(b, "hh:nn"), "10:00") << c.tz;
        EXPECT_DOUBLE_EQ(b - a, 7.0) << c.tz;
        EXPECT_EQ(static_cast<int>(std::floor((b - a) / 7)), 1) << c.tz;
        // One minute earlier is still less than a week.
        EXPECT_EQ(static_cast<int>(std::floor((FromTimeT(t2 - 60) - a) / 7)), 0) << c.tz;
        EXPECT_EQ(WeekOfYear(b), WeekOfYear(a) + 1) << c.tz;
    }
}

TEST(RandomTest, SeededSequencesRepeat) {
    Randomize(42);
    double first[20];
    for (double& v : first) v = Rnd();
    Randomize(42);
    for (double v : first) EXPECT_EQ(Rnd(), v);

    Randomize(43);
    int same = 0;
    for (double v : first) same += Rnd() == v;
    EXPECT_LT(same, 3);

    Randomize(7);
    double sum = 0;
    for (int i = 0; i < 10000; ++i) {
        double r = Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        sum += r;
    }
    EXPECT_NEAR(sum / 10000, 0.5, 0.03);
}

}  // namespace
