#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

#include "framework/core/DateTime.h"
#include "framework/core/Exceptions.h"
#include "tests/support/ExceptionMessage.h"

namespace {

struct Date {
    unsigned short Year, Month, Day;
};
struct Time {
    unsigned short Hour, Min, Sec, MSec;
};

Date DateOf(TDateTime value) {
    Date d{};
    value.DecodeDate(d.Year, d.Month, d.Day);
    return d;
}

Time TimeOf(TDateTime value) {
    Time t{};
    value.DecodeTime(t.Hour, t.Min, t.Sec, t.MSec);
    return t;
}

#define EXPECT_DATE(value, y, m, d)                                                                \
    do {                                                                                           \
        const Date got = DateOf(value);                                                            \
        EXPECT_EQ(got.Year, y);                                                                    \
        EXPECT_EQ(got.Month, m);                                                                   \
        EXPECT_EQ(got.Day, d);                                                                     \
    } while (0)

#define EXPECT_TIME(value, h, mi, s, ms)                                                           \
    do {                                                                                           \
        const Time got = TimeOf(value);                                                            \
        EXPECT_EQ(got.Hour, h);                                                                    \
        EXPECT_EQ(got.Min, mi);                                                                    \
        EXPECT_EQ(got.Sec, s);                                                                     \
        EXPECT_EQ(got.MSec, ms);                                                                   \
    } while (0)

} // namespace

TEST(DateTime, EncodesAndDecodesKnownDays) {
    struct Case {
        unsigned short Year, Month, Day;
        double Serial;
    };
    const Case cases[] = {
        {1899, 12, 30, 0},   {1899, 12, 29, -1},     {1900, 1, 1, 2},     {1900, 3, 1, 61},
        {1899, 1, 1, -363},  {2000, 2, 29, 36585},   {2008, 9, 7, 39698}, {2100, 2, 28, 73109},
        {2100, 3, 1, 73110}, {1600, 2, 29, -109512}, {1, 1, 1, -693593},  {9999, 12, 31, 2958465},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Serial);
        EXPECT_EQ(double(EncodeDate(c.Year, c.Month, c.Day)), c.Serial);
        EXPECT_DATE(TDateTime(c.Serial), c.Year, c.Month, c.Day);
        EXPECT_TIME(TDateTime(c.Serial), 0, 0, 0, 0);
    }
}

TEST(DateTime, DecodesEveryDayOfFourCenturiesBackToItsEncoding) {
    // 1600 to 2000 covers leap centuries (1600, 2000) and plain ones (1700, 1800, 1900).
    const double first = EncodeDate(1600, 1, 1), last = EncodeDate(2000, 12, 31);
    for (double serial = first; serial <= last; ++serial) {
        const Date d = DateOf(serial);
        ASSERT_EQ(double(EncodeDate(d.Year, d.Month, d.Day)), serial);
        ASSERT_EQ(d.Day == 1, serial == first || DateOf(serial - 1).Month != d.Month);
    }
}

TEST(DateTime, RefusesInvalidDates) {
    const Date invalid[] = {{2100, 2, 29}, {1900, 2, 29}, {2001, 2, 29},
                            {2008, 4, 31}, {2008, 13, 1}, {2008, 0, 1},
                            {2008, 1, 0},  {0, 1, 1},     {10000, 1, 1}};
    for (const Date& d : invalid) {
        SCOPED_TRACE(testing::Message() << d.Year << "-" << d.Month << "-" << d.Day);
        EXPECT_EQ(MessageOf<EConvertError>([&] { EncodeDate(d.Year, d.Month, d.Day); }),
                  "Invalid argument to date encode");
    }
}

TEST(DateTime, EncodesAndDecodesTimesOfDay) {
    const Time times[] = {{0, 0, 0, 0},      {9, 5, 0, 0}, {12, 0, 0, 0},   {6, 0, 0, 0},
                          {23, 59, 59, 999}, {0, 0, 0, 1}, {13, 7, 42, 500}};
    for (const Time& t : times) {
        SCOPED_TRACE(testing::Message() << t.Hour << ":" << t.Min << ":" << t.Sec << "." << t.MSec);
        const TDateTime time = EncodeTime(t.Hour, t.Min, t.Sec, t.MSec);
        EXPECT_TIME(time, t.Hour, t.Min, t.Sec, t.MSec);
        const TDateTime onADay = EncodeDate(2008, 9, 7) + time;
        EXPECT_TIME(onADay, t.Hour, t.Min, t.Sec, t.MSec);
        EXPECT_DATE(onADay, 2008, 9, 7);
    }
    EXPECT_EQ(double(EncodeTime(12, 0, 0, 0)), 0.5);
    EXPECT_EQ(double(EncodeTime(6, 0, 0, 0)), 0.25);
}

TEST(DateTime, RefusesInvalidTimes) {
    const Time invalid[] = {{24, 0, 0, 0}, {0, 60, 0, 0}, {0, 0, 60, 0}, {0, 0, 0, 1000}};
    for (const Time& t : invalid) {
        EXPECT_EQ(MessageOf<EConvertError>([&] { EncodeTime(t.Hour, t.Min, t.Sec, t.MSec); }),
                  "Invalid argument to time encode")
            << t.Hour << ":" << t.Min << ":" << t.Sec << "." << t.MSec;
    }
}

TEST(DateTime, RoundsToTheNearestMillisecondWithoutReachingMidnight) {
    const double msec = 1.0 / 86400000.0;
    const double day = EncodeDate(2008, 9, 7);
    // Just short of the last millisecond: rounds up to it.
    EXPECT_TIME(day + 1 - 1.4 * msec, 23, 59, 59, 999);
    EXPECT_DATE(day + 1 - 1.4 * msec, 2008, 9, 7);
    // Closer to midnight than to the last millisecond: the next day at 00:00, never 24:00.
    EXPECT_TIME(day + 1 - 0.2 * msec, 0, 0, 0, 0);
    EXPECT_DATE(day + 1 - 0.2 * msec, 2008, 9, 8);
    // 09:05 stored with a little floating-point error either way.
    const double nineOhFive = day + EncodeTime(9, 5, 0, 0);
    EXPECT_TIME(std::nextafter(nineOhFive, 0.0), 9, 5, 0, 0);
    EXPECT_TIME(std::nextafter(nineOhFive, 1e9), 9, 5, 0, 0);
    EXPECT_TIME(nineOhFive - 0.4 * msec, 9, 5, 0, 0);
    EXPECT_TIME(nineOhFive - 0.6 * msec, 9, 4, 59, 999);
}

TEST(DateTime, CountsDaysBackwardsBeforeTheEpochWithTheTimeGoingForward) {
    EXPECT_DATE(TDateTime(-1.25), 1899, 12, 29);
    EXPECT_TIME(TDateTime(-1.25), 6, 0, 0, 0);
    EXPECT_DATE(TDateTime(-0.75), 1899, 12, 30);
    EXPECT_TIME(TDateTime(-0.75), 18, 0, 0, 0);
    EXPECT_DATE(TDateTime(-363.5), 1899, 1, 1);
    EXPECT_TIME(TDateTime(-363.5), 12, 0, 0, 0);
    EXPECT_DATE(TDateTime(-693593.999), 1, 1, 1);
    EXPECT_TIME(TDateTime(-693593.999), 23, 58, 33, 600);
}

TEST(DateTime, DecodesValuesOutsideTheCalendarAsZeros) {
    const double outside[] = {-693594.0,
                              2958466.0,
                              1e300,
                              -1e300,
                              std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity()};
    for (double value : outside) {
        SCOPED_TRACE(value);
        Date d{9, 9, 9};
        TDateTime(value).DecodeDate(d.Year, d.Month, d.Day);
        EXPECT_EQ(d.Year + d.Month + d.Day, 0);
        Time t{9, 9, 9, 9};
        TDateTime(value).DecodeTime(t.Hour, t.Min, t.Sec, t.MSec);
        EXPECT_EQ(t.Hour + t.Min + t.Sec + t.MSec, 0);
    }
    EXPECT_DATE(TDateTime(2958465.99999999), 9999, 12, 31);
}

TEST(DateTime, ConvertsToAndFromDoubleAndComparesAsOne) {
    const TDateTime earlier = EncodeDate(2008, 9, 7);
    const TDateTime later = earlier + EncodeTime(9, 5, 0, 0);
    EXPECT_LT(earlier, later);
    EXPECT_GT(later, earlier);
    EXPECT_NE(earlier, later);
    EXPECT_EQ(earlier, TDateTime(39698.0));
    EXPECT_EQ(double(TDateTime()), 0.0);
    TDateTime next = later + 1;
    EXPECT_DATE(next, 2008, 9, 8);
    EXPECT_TIME(next, 9, 5, 0, 0);
}

TEST(DateTime, NowIsTheLocalDateAndTime) {
    const std::time_t before = std::time(nullptr);
    const TDateTime now = Now();
    const std::time_t after = std::time(nullptr);
    std::tm first{}, last{};
    localtime_r(&before, &first);
    localtime_r(&after, &last);
    const double from = EncodeDate(first.tm_year + 1900, first.tm_mon + 1, first.tm_mday) +
                        EncodeTime(first.tm_hour, first.tm_min, first.tm_sec, 0);
    const double to = EncodeDate(last.tm_year + 1900, last.tm_mon + 1, last.tm_mday) +
                      EncodeTime(last.tm_hour, last.tm_min, last.tm_sec, 999);
    EXPECT_GE(double(now), from);
    EXPECT_LE(double(now), to);
    EXPECT_LE(double(TDateTime::CurrentDateTime()) - double(now), 1.0 / 24);
}
