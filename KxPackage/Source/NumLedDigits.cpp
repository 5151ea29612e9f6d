#include "KxPackage/Source/NumLedDigits.h"

#include <cmath>
#include <cstdint>

#include "tessel/Graphics/StoredDouble.h"

namespace tessel {

namespace {

// From 2^52 on every double is an integer: adding 0.5 would only round to even.
const double kIntegral = 4503599627370496.0;

double RoundHalfUp(double value) {
    return std::fabs(value) >= kIntegral ? value : std::floor(StoredDouble(value + 0.5));
}

// The decimal digits, lowest first, of an integral double's magnitude: exact, however large.
std::string DecimalDigits(double integral) {
    double magnitude = std::fabs(integral);
    std::string digits;
    if (magnitude < 18446744073709551616.0) { // 2^64
        for (auto n = static_cast<std::uint64_t>(magnitude); n != 0; n /= 10)
            digits += static_cast<char>('0' + n % 10);
        return digits;
    }
    // mantissa x 2^shift, the mantissa a 53-bit integer: doubled shift times in base 10^9.
    int exponent = 0;
    const double fraction = std::frexp(magnitude, &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = exponent - 53;
    const std::uint32_t base = 1000000000u;
    std::vector<std::uint32_t> limbs;
    for (; mantissa != 0; mantissa /= base)
        limbs.push_back(static_cast<std::uint32_t>(mantissa % base));
    for (int i = 0; i < shift; ++i) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint32_t doubled = limb * 2 + carry;
            carry = doubled >= base ? 1 : 0;
            limb = doubled - carry * base;
        }
        if (carry)
            limbs.push_back(carry);
    }
    for (std::size_t i = 0; i < limbs.size(); ++i) {
        std::uint32_t limb = limbs[i];
        const bool top = i + 1 == limbs.size();
        for (int d = 0; d < 9 && (!top || limb != 0); ++d, limb /= 10)
            digits += static_cast<char>('0' + limb % 10);
    }
    return digits;
}

// The decimal digits of the rounded magnitude of value x 10^decimals, lowest first, exactly
// as an integer wide enough for it would give them. Inside the signed 32-bit range this is
// floor(value x 10^decimals + 0.5) with its sign dropped; beyond it the digits go on as the
// wider integer's would, and a scaling that overflows the double is done in steps, the
// powers of ten left over once the value is integral being trailing zeros.
class RoundedDigits {
public:
    RoundedDigits(double value, int decimals) {
        if (!std::isfinite(value)) {
            m_number = false;
            return;
        }
        const double scaled = StoredDouble(value * StoredDouble(std::pow(10.0, decimals)));
        if (std::isfinite(scaled)) {
            m_digits = DecimalDigits(RoundHalfUp(scaled));
            return;
        }
        double stepped = value;
        int step = 0;
        for (; step < decimals && std::fabs(stepped) < kIntegral; ++step)
            stepped = StoredDouble(stepped * 10.0);
        m_digits = std::string(static_cast<std::size_t>(decimals - step), '0') +
                   DecimalDigits(RoundHalfUp(stepped));
    }

    // False for NaN and the infinities: they have no digits.
    bool IsNumber() const { return m_number; }

    // The lowest digit left; above the highest digit come zeros.
    int Next() { return m_next < m_digits.size() ? m_digits[m_next++] - '0' : 0; }

    // No higher digit left: the rest are leading zeros.
    bool Exhausted() const { return m_next >= m_digits.size(); }

private:
    bool m_number = true;
    std::string m_digits; // lowest first, without leading zeros
    std::size_t m_next = 0;
};

bool IsOneOf(char c, char upper) {
    return c == upper || c == upper - 'A' + 'a';
}

} // namespace

NumLedCell CellOf(char c) {
    switch (c) {
    case '8':
    case 'H':
    case 'h':
    case 'M':
    case 'm':
    case 'S':
    case 's':
    case 'D':
    case 'd':
    case 'Y':
    case 'y':
        return NumLedCell::Digit;
    case '.':
        return NumLedCell::Dot;
    case '^':
        return NumLedCell::DegreeSign;
    case 'C':
        return NumLedCell::LetterC;
    case '&':
        return NumLedCell::RpmLabel;
    default:
        return NumLedCell::None;
    }
}

void ShowFloatStates(const std::string& format, double value, bool zeroLeading,
                     std::vector<int>& states) {
    const std::size_t length = format.size();
    if (states.size() < length)
        states.resize(length, 0);
    // Positions count from 1; a format without a dot has it just past its end.
    const std::size_t found = format.find('.');
    const std::size_t dotPos = found == std::string::npos ? length + 1 : found + 1;
    int decimals = 0;
    for (std::size_t i = dotPos; i < length; ++i)
        if (format[i] == '8')
            ++decimals;

    RoundedDigits digits(value, decimals);
    // Once an integer digit has been written, a zero with nothing above it is a leading one.
    bool flag = false;
    for (std::size_t p = length; p >= 1; --p) {
        if (format[p - 1] != '8')
            continue;
        if (!digits.IsNumber()) {
            states[p - 1] = 0;
            continue;
        }
        int state = digits.Next() + 1;
        if (p < dotPos && state == 1 && digits.Exhausted() && !zeroLeading && flag)
            state = 0;
        states[p - 1] = state;
        if (p < dotPos)
            flag = true;
    }
}

namespace {

// Writes the lowest digits of three fields into the cells of their letters, right to left.
void ShowFields(const std::string& format, const char letters[3], unsigned fields[3],
                std::vector<int>& states) {
    if (states.size() < format.size())
        states.resize(format.size(), 0);
    for (std::size_t p = format.size(); p >= 1; --p) {
        for (int f = 0; f < 3; ++f) {
            if (IsOneOf(format[p - 1], letters[f])) {
                states[p - 1] = static_cast<int>(fields[f] % 10) + 1;
                fields[f] /= 10;
                break;
            }
        }
    }
}

} // namespace

void ShowTimeStates(const std::string& format, TDateTime time, std::vector<int>& states) {
    unsigned short hour = 0, min = 0, sec = 0, msec = 0;
    time.DecodeTime(hour, min, sec, msec);
    const char letters[3] = {'H', 'M', 'S'};
    unsigned fields[3] = {hour, min, sec};
    ShowFields(format, letters, fields, states);
}

void ShowDateStates(const std::string& format, TDateTime date, std::vector<int>& states) {
    unsigned short year = 0, month = 0, day = 0;
    date.DecodeDate(year, month, day);
    const char letters[3] = {'D', 'M', 'Y'};
    unsigned fields[3] = {day, month, year};
    ShowFields(format, letters, fields, states);
}

} // namespace tessel
