#pragma once
#include <string_view>

// Reads a decimal literal, [+-]digits[.digits][(e|E)[+-]digits], as the double nearest to
// its exact value (ties to even), which is what the C library's strtod gives. It is exact
// integer arithmetic throughout, so the result does not depend on the FPU's precision, and
// the programs carry no general-purpose float reader with hexadecimal, infinity and locale
// handling they never use.
//
// Returns false when the text is not such a literal. A magnitude beyond the largest double
// gives infinity; one below the smallest subnormal's half gives a zero of the literal's sign.
bool ParseDecimalDouble(std::string_view text, double& value);
