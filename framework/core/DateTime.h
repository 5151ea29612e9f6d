#pragma once

// The framework's date and time: a double counting days since 30 December 1899 00:00, with
// the time of day as the fraction. Before that day the integer part counts days back and the
// fraction is still the time of day forward from midnight: -1.25 is 29 December 1899 06:00.
// The value converts to and from double both ways, so arithmetic and comparisons are those of
// the double.
//
// Decoding rounds the value to the nearest millisecond first, so the date and the time always
// describe the same instant and the time never reaches 24:00 (a time that rounds up to
// midnight belongs to the next encoded day). Dates from 1 January 0001 to 31 December 9999
// decode; any other value, and a value that is not a number, decodes to all zeros.
class TDateTime {
public:
    TDateTime() = default;
    TDateTime(double value) : m_value(value) {}
    operator double() const { return m_value; }

    void DecodeDate(unsigned short& year, unsigned short& month, unsigned short& day) const;
    void DecodeTime(unsigned short& hour, unsigned short& min, unsigned short& sec,
                    unsigned short& msec) const;

    // The current local date and time (the C library's local time zone), to the millisecond.
    static TDateTime CurrentDateTime();

private:
    double m_value = 0.0;
};

// The start of the given day. Year 1 to 9999, month 1 to 12, day within the month (leap
// years of the Gregorian calendar); anything else raises EConvertError.
TDateTime EncodeDate(unsigned short year, unsigned short month, unsigned short day);
// The fraction of a day: hour below 24, min and sec below 60, msec below 1000; anything else
// raises EConvertError.
TDateTime EncodeTime(unsigned short hour, unsigned short min, unsigned short sec,
                     unsigned short msec);

bool IsLeapYear(unsigned short year);
// Days in the month of the given year; 0 for a month outside 1 to 12.
unsigned short DaysInMonth(unsigned short year, unsigned short month);

// TDateTime::CurrentDateTime().
TDateTime Now();
