#include "framework/core/DecimalDouble.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// Halfway points between doubles have at most 767 significant digits, so a literal cut to
// this many, with a nonzero digit after them when anything nonzero was cut, rounds the same.
constexpr size_t kMaxDigits = 800;

// Binary exponents of the quotient q (53 bits, or fewer for subnormals) in q * 2^s.
constexpr int kMinExponent = -1074; // the smallest subnormal is 2^-1074
constexpr int kMaxExponent = 971;   // the largest double is (2^53 - 1) * 2^971
constexpr int kMantissaBits = 53;

// An unsigned integer of any size, least significant 32-bit limb first, without zero limbs
// at the top.
class BigUnsigned {
public:
    explicit BigUnsigned(uint32_t value) {
        if (value != 0)
            m_limbs.push_back(value);
    }

    void MultiplyAdd(uint32_t factor, uint32_t addend) {
        uint64_t carry = addend;
        for (uint32_t& limb : m_limbs) {
            carry += static_cast<uint64_t>(limb) * factor;
            limb = static_cast<uint32_t>(carry);
            carry >>= 32;
        }
        if (carry != 0)
            m_limbs.push_back(static_cast<uint32_t>(carry));
    }

    void MultiplyByPowerOfTen(int exponent) {
        for (; exponent >= 9; exponent -= 9)
            MultiplyAdd(1000000000u, 0);
        uint32_t factor = 1;
        while (exponent-- > 0)
            factor *= 10;
        MultiplyAdd(factor, 0);
    }

    // Multiplies by 2^bits.
    void ShiftLeft(int bits) {
        if (m_limbs.empty())
            return;
        const int bitShift = bits % 32;
        if (bitShift != 0) {
            uint32_t carry = 0;
            for (uint32_t& limb : m_limbs) {
                const uint32_t shifted = (limb << bitShift) | carry;
                carry = limb >> (32 - bitShift);
                limb = shifted;
            }
            if (carry != 0)
                m_limbs.push_back(carry);
        }
        m_limbs.insert(m_limbs.begin(), static_cast<size_t>(bits / 32), 0);
    }

    int BitLength() const {
        if (m_limbs.empty())
            return 0;
        int bits = static_cast<int>(m_limbs.size() - 1) * 32;
        for (uint32_t top = m_limbs.back(); top != 0; top >>= 1)
            ++bits;
        return bits;
    }

    // Negative, zero or positive as *this is less than, equal to or greater than other.
    int Compare(const BigUnsigned& other) const {
        if (m_limbs.size() != other.m_limbs.size())
            return m_limbs.size() < other.m_limbs.size() ? -1 : 1;
        for (size_t i = m_limbs.size(); i-- > 0;)
            if (m_limbs[i] != other.m_limbs[i])
                return m_limbs[i] < other.m_limbs[i] ? -1 : 1;
        return 0;
    }

    // Requires other <= *this.
    void Subtract(const BigUnsigned& other) {
        int64_t borrow = 0;
        for (size_t i = 0; i < m_limbs.size(); ++i) {
            int64_t difference = static_cast<int64_t>(m_limbs[i]) - borrow -
                                 (i < other.m_limbs.size() ? other.m_limbs[i] : 0);
            borrow = difference < 0 ? 1 : 0;
            m_limbs[i] = static_cast<uint32_t>(difference + (borrow << 32));
        }
        while (!m_limbs.empty() && m_limbs.back() == 0)
            m_limbs.pop_back();
    }

private:
    std::vector<uint32_t> m_limbs;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The exact value digits * 10^exponent (digits without leading or trailing zeros) rounded
// to the nearest double, ties to even.
double NearestDouble(const std::string& digits, long long exponent) {
    const long long count = static_cast<long long>(digits.size());
    // The value lies in [10^(count - 1 + exponent), 10^(count + exponent)).
    if (count - 1 + exponent > 308)
        return HUGE_VAL;
    if (count + exponent <= -324) // below 1e-324, under half the smallest subnormal
        return 0;

    BigUnsigned numerator(0);
    for (size_t i = 0; i < digits.size();) {
        // Nine digits at a time: 10^9 fits a limb.
        uint32_t factor = 1, chunk = 0;
        for (size_t end = std::min(digits.size(), i + 9); i < end; ++i) {
            factor *= 10;
            chunk = chunk * 10 + static_cast<uint32_t>(digits[i] - '0');
        }
        numerator.MultiplyAdd(factor, chunk);
    }
    BigUnsigned denominator(1);
    if (exponent >= 0)
        numerator.MultiplyByPowerOfTen(static_cast<int>(exponent));
    else
        denominator.MultiplyByPowerOfTen(static_cast<int>(-exponent));

    // value = q * 2^s + remainder: the quotient of numerator / (denominator * 2^s) lies in
    // [2^52, 2^54) for this s, and is brought below 2^53 by one more step when needed.
    int s = numerator.BitLength() - denominator.BitLength() - kMantissaBits;
    if (s < kMinExponent)
        s = kMinExponent;
    if (s >= 0)
        denominator.ShiftLeft(s);
    else
        numerator.ShiftLeft(-s);
    BigUnsigned limit = denominator;
    limit.ShiftLeft(kMantissaBits);
    if (numerator.Compare(limit) >= 0) {
        ++s;
        denominator.ShiftLeft(1);
    }
    if (s > kMaxExponent)
        return HUGE_VAL;

    // Long division, a bit at a time: the remainder moves up instead of the divisor down,
    // so after bit i it holds (numerator - q * denominator) * 2^(53 - i).
    BigUnsigned divisor = denominator;
    divisor.ShiftLeft(kMantissaBits - 1);
    uint64_t q = 0;
    for (int bit = kMantissaBits - 1; bit >= 0; --bit) {
        if (numerator.Compare(divisor) >= 0) {
            numerator.Subtract(divisor);
            q |= uint64_t{1} << bit;
        }
        numerator.ShiftLeft(1);
    }
    // The remainder r is now r * 2^53: twice r against the denominator is this against the
    // divisor.
    const int half = numerator.Compare(divisor);
    if (half > 0 || (half == 0 && (q & 1) != 0))
        ++q;
    if (q == uint64_t{1} << kMantissaBits) {
        q >>= 1;
        if (++s > kMaxExponent)
            return HUGE_VAL;
    }
    // q has at most 53 bits and q * 2^s is a double: both steps are exact.
    return std::ldexp(static_cast<double>(q), s);
}

} // namespace

bool ParseDecimalDouble(std::string_view text, double& value) {
    size_t pos = 0;
    auto at = [&](size_t i) { return i < text.size() ? text[i] : '\0'; };
    const bool negative = at(pos) == '-';
    if (at(pos) == '-' || at(pos) == '+')
        ++pos;

    std::string digits; // the significant digits, at most kMaxDigits of them
    long long exponent = 0; // the power of ten of the last kept digit
    bool cutNonzero = false;
    auto take = [&](char c, bool fraction) {
        if (digits.empty() && c == '0') {
            exponent -= fraction ? 1 : 0;
        } else if (digits.size() < kMaxDigits) {
            digits += c;
            exponent -= fraction ? 1 : 0;
        } else {
            cutNonzero = cutNonzero || c != '0';
            exponent += fraction ? 0 : 1;
        }
    };

    const size_t integerStart = pos;
    for (; IsDigit(at(pos)); ++pos)
        take(text[pos], false);
    if (pos == integerStart)
        return false;
    if (at(pos) == '.') {
        const size_t fractionStart = ++pos;
        for (; IsDigit(at(pos)); ++pos)
            take(text[pos], true);
        if (pos == fractionStart)
            return false;
    }
    if (at(pos) == 'e' || at(pos) == 'E') {
        ++pos;
        const bool negativeExponent = at(pos) == '-';
        if (at(pos) == '-' || at(pos) == '+')
            ++pos;
        const size_t exponentStart = pos;
        long long written = 0;
        for (; IsDigit(at(pos)); ++pos)
            if (written < 1000000000) // far beyond any double either way
                written = written * 10 + (text[pos] - '0');
        if (pos == exponentStart)
            return false;
        exponent += negativeExponent ? -written : written;
    }
    if (pos != text.size())
        return false;

    if (cutNonzero) {
        digits += '1';
        --exponent;
    }
    while (!digits.empty() && digits.back() == '0') {
        digits.pop_back();
        ++exponent;
    }
    const double magnitude = digits.empty() ? 0.0 : NearestDouble(digits, exponent);
    value = negative ? -magnitude : magnitude;
    return true;
}
