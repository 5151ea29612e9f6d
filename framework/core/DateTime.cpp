#include "framework/core/DateTime.h"

#include <chrono>
#include <cmath>
#include <cstdint>
#include <ctime>

#include "framework/core/Exceptions.h"

namespace {

const std::int64_t MSecsPerDay = 24LL * 60 * 60 * 1000;
// Days from 1 January 0001 (day 1) to 30 December 1899 (day 0 of TDateTime).
const std::int64_t DateDelta = 693594;
// The first and last days that decode: 1 January 0001 and 31 December 9999.
const std::int64_t FirstDay = 1 - DateDelta;
const std::int64_t LastDay = 2958465;

// The value as whole days and milliseconds into the day, rounded to the millisecond.
// Returns false for values outside the years 1 to 9999 and for values that are not numbers.
bool Split(double value, std::int64_t& days, std::int64_t& msecs) {
    // Check before scaling, so that a huge value cannot overflow the conversion.
    if (!(value > double(FirstDay - 1) && value < double(LastDay + 1)))
        return false;
    const std::int64_t total = std::llround(std::fabs(value) * double(MSecsPerDay));
    days = total / MSecsPerDay;
    if (value < 0)
        days = -days;
    msecs = total % MSecsPerDay;
    return days >= FirstDay && days <= LastDay;
}

} // namespace

bool IsLeapYear(unsigned short year) {
    return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
}

unsigned short DaysInMonth(unsigned short year, unsigned short month) {
    static const unsigned short days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return days[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
}

TDateTime EncodeDate(unsigned short year, unsigned short month, unsigned short day) {
    if (year < 1 || year > 9999 || day < 1 || day > DaysInMonth(year, month))
        throw EConvertError("Invalid argument to date encode");
    std::int64_t dayOfYear = day;
    for (unsigned short m = 1; m < month; ++m)
        dayOfYear += DaysInMonth(year, m);
    const std::int64_t before = year - 1;
    const std::int64_t days = before * 365 + before / 4 - before / 100 + before / 400 + dayOfYear;
    return TDateTime(double(days - DateDelta));
}

TDateTime EncodeTime(unsigned short hour, unsigned short min, unsigned short sec,
                     unsigned short msec) {
    if (hour >= 24 || min >= 60 || sec >= 60 || msec >= 1000)
        throw EConvertError("Invalid argument to time encode");
    const std::int64_t msecs = ((hour * 60LL + min) * 60 + sec) * 1000 + msec;
    return TDateTime(double(msecs) / double(MSecsPerDay));
}

void TDateTime::DecodeDate(unsigned short& year, unsigned short& month, unsigned short& day) const {
    std::int64_t days = 0, msecs = 0;
    if (!Split(m_value, days, msecs)) {
        year = month = day = 0;
        return;
    }
    // Whole 400-, 100-, 4- and 1-year cycles since 1 January 0001.
    const std::int64_t D1 = 365, D4 = D1 * 4 + 1, D100 = D4 * 25 - 1, D400 = D100 * 4 + 1;
    std::int64_t n = days + DateDelta - 1;
    std::int64_t y = 1 + (n / D400) * 400;
    n %= D400;
    std::int64_t centuries = n / D100;
    n %= D100;
    if (centuries == 4) { // the last day of a 400-year cycle
        centuries = 3;
        n += D100;
    }
    y += centuries * 100;
    y += (n / D4) * 4;
    n %= D4;
    std::int64_t years = n / D1;
    n %= D1;
    if (years == 4) { // the last day of a leap year
        years = 3;
        n += D1;
    }
    y += years;
    year = static_cast<unsigned short>(y);
    month = 1;
    while (n >= DaysInMonth(year, month)) {
        n -= DaysInMonth(year, month);
        ++month;
    }
    day = static_cast<unsigned short>(n + 1);
}

void TDateTime::DecodeTime(unsigned short& hour, unsigned short& min, unsigned short& sec,
                           unsigned short& msec) const {
    std::int64_t days = 0, msecs = 0;
    if (!Split(m_value, days, msecs)) {
        hour = min = sec = msec = 0;
        return;
    }
    msec = static_cast<unsigned short>(msecs % 1000);
    sec = static_cast<unsigned short>(msecs / 1000 % 60);
    min = static_cast<unsigned short>(msecs / 60000 % 60);
    hour = static_cast<unsigned short>(msecs / 3600000);
}

TDateTime TDateTime::CurrentDateTime() {
    using namespace std::chrono;
    const system_clock::time_point now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto sinceSecond = duration_cast<milliseconds>(now - system_clock::from_time_t(seconds));
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    const int msec = static_cast<int>(sinceSecond.count() % 1000 + 1000) % 1000;
    const double date = EncodeDate(static_cast<unsigned short>(local.tm_year + 1900),
                                   static_cast<unsigned short>(local.tm_mon + 1),
                                   static_cast<unsigned short>(local.tm_mday));
    // A leap second (tm_sec 60) counts as the last second of its minute.
    const unsigned short sec = static_cast<unsigned short>(local.tm_sec > 59 ? 59 : local.tm_sec);
    return TDateTime(date + EncodeTime(static_cast<unsigned short>(local.tm_hour),
                                       static_cast<unsigned short>(local.tm_min), sec,
                                       static_cast<unsigned short>(msec)));
}

TDateTime Now() {
    return TDateTime::CurrentDateTime();
}
