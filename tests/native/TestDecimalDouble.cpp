// The decimal reader against the host C library's strtod, which rounds correctly, on the
// literals where readers go wrong: halfway points, the ends of the range, long literals.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "framework/core/DecimalDouble.h"

namespace {

uint64_t Bits(double d) {
    uint64_t bits;
    std::memcpy(&bits, &d, sizeof bits);
    return bits;
}

void ExpectAsStrtod(const std::string& literal) {
    double parsed = -1;
    ASSERT_TRUE(ParseDecimalDouble(literal, parsed)) << literal;
    EXPECT_EQ(Bits(parsed), Bits(std::strtod(literal.c_str(), nullptr))) << literal;
}

std::string Printed(const char* format, double d) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, d);
    return buffer;
}

double RandomFinite(std::mt19937_64& random) {
    for (;;) {
        const uint64_t bits = random();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        if (std::isfinite(d))
            return d;
    }
}

TEST(DecimalDouble, ReadsTheEdgesOfTheRangeAsTheCLibrary) {
    for (const char* literal :
         {"0", "-0", "+0", "0.000", "1", "-2.5E3", "0.1", "123456789.125", "9007199254740993",
          "1e22", "1e23", "4.9406564584124654e-324", "2.4703282292062327e-324",
          "2.4703282292062328e-324", "2.2250738585072011e-308", "2.2250738585072014e-308",
          "1.7976931348623157e308", "1.7976931348623158e308", "1.7976931348623159e308",
          "1e-400", "1e400", "0.0000000000000000000000000000001e31", "000123.4500e+002",
          "1e-99999999999999999999", "1e99999999999999999999"})
        ExpectAsStrtod(literal);
    double value = 0;
    ASSERT_TRUE(ParseDecimalDouble("-0.0", value));
    EXPECT_TRUE(std::signbit(value));
    ASSERT_TRUE(ParseDecimalDouble("1e309", value));
    EXPECT_TRUE(std::isinf(value));
}

TEST(DecimalDouble, RefusesWhatIsNoDecimalLiteral) {
    for (const char* text : {"", "-", "+", ".5", "1.", "1.e5", "1e", "1e+", "1x", " 1", "1 ",
                             "0x10", "inf", "nan", "1e5.0", "--1", "1..2"}) {
        double value = 42;
        EXPECT_FALSE(ParseDecimalDouble(text, value)) << '"' << text << '"';
    }
}

TEST(DecimalDouble, ReadsPrintedDoublesAsTheCLibrary) {
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 2000; ++i) {
        const double d = RandomFinite(random);
        for (const char* format : {"%.17g", "%.16g", "%.6e", "%.25e"})
            ExpectAsStrtod(Printed(format, d));
    }
    // Subnormals and numbers near 1, where most form values are.
    std::uniform_real_distribution<double> unit(0, 1);
    for (int i = 0; i < 2000; ++i) {
        ExpectAsStrtod(Printed("%.17g", unit(random) * 1e-310));
        ExpectAsStrtod(Printed("%.15g", unit(random) * 1000));
    }
}

TEST(DecimalDouble, RoundsHalfwayPointsAndLongLiteralsAsTheCLibrary) {
    if (LDBL_MANT_DIG < 64)
        GTEST_SKIP() << "long double cannot hold the points between doubles here";
    std::mt19937_64 random(7);
    for (int i = 0; i < 600; ++i) {
        double d = std::fabs(RandomFinite(random));
        if (i % 3 == 0)
            d = std::ldexp(d, -1074 - std::ilogb(d) + static_cast<int>(random() % 60));
        const double next = std::nextafter(d, HUGE_VAL);
        if (!std::isfinite(next))
            continue;
        // The exact point halfway between two neighbours, and a hair either side of it, also
        // past the digits a reader may keep.
        char buffer[1200];
        std::snprintf(buffer, sizeof buffer, "%.900Le",
                      (static_cast<long double>(d) + static_cast<long double>(next)) / 2);
        std::string halfway = buffer;
        const size_t e = halfway.find('e');
        const std::string mantissa = halfway.substr(0, e), power = halfway.substr(e);
        ExpectAsStrtod(halfway);
        ExpectAsStrtod(mantissa + "1" + power);
        ExpectAsStrtod(mantissa + std::string(300, '0') + "1" + power);
        std::string below = mantissa;
        const size_t last = below.find_last_not_of('0');
        if (below[last] != '.') {
            --below[last];
            ExpectAsStrtod(below + std::string(200, '9') + power);
        }
    }
}

} // namespace
