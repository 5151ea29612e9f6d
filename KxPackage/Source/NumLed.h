#pragma once
#include <cstdint>

#include "tessel/Component/LED.h"

// The segment tables of the display cells and their geometry tables.
namespace tessel {

// Seven-segment digit, sub-LEDs a (top), b (upper right), c (lower right), d (bottom),
// e (lower left), f (upper left), g (middle). State 0 is blank, state d + 1 shows the
// digit d, state 11 lights every segment.
class SevenSegTbl : public LED_Director {
public:
    constexpr SevenSegTbl() {}
    int StateCount() const override;
    int SubState(int state, int index) const override;
};

// One segment: state 0 off, state 1 on.
class SingleSegTbl : public LED_Director {
public:
    constexpr SingleSegTbl() {}
    int StateCount() const override;
    int SubState(int state, int index) const override;
};

// Four segments, all off or all on.
class FourSegBinStateTbl : public LED_Director {
public:
    constexpr FourSegBinStateTbl() {}
    int StateCount() const override;
    int SubState(int state, int index) const override;
};

// Up to 16 segments, all off or all on.
class ThirteenSegBinStateTbl : public LED_Director {
public:
    constexpr ThirteenSegBinStateTbl() {}
    int StateCount() const override;
    int SubState(int state, int index) const override;
};

// The one instance of each director, for the whole program.
extern const SevenSegTbl SevenSegDirector;
extern const SingleSegTbl SingleSegDirector;
extern const FourSegBinStateTbl FourSegDirector;
extern const ThirteenSegBinStateTbl ThirteenSegDirector;

// Geometry tables of the cells (the format is ShapeLedFatory's): every segment is a polygon.
extern const std::int32_t DigitGeometry[75];      // 18 x 22, segments a-g
extern const std::int32_t DotGeometry[15];        // 6 x 27
extern const std::int32_t DegreeSignGeometry[49]; // 9 x 27, a ring in the upper part
extern const std::int32_t LetterCGeometry[65];    // 19 x 27
extern const std::int32_t RpmLabelGeometry[171];  // 47 x 27: R = 0-5, P = 6-10, M = 11-15

} // namespace tessel
