#include "KxPackage/Source/NumLed.h"

namespace tessel {

namespace {

const int kSevenSegStates = 12;
const int kSevenSegments = 7;

// One row per state; columns a, b, c, d, e, f, g; 1 = lit.
const unsigned char kSevenSeg[kSevenSegStates][kSevenSegments] = {
    {0, 0, 0, 0, 0, 0, 0}, // blank
    {1, 1, 1, 1, 1, 1, 0}, // 0
    {0, 1, 1, 0, 0, 0, 0}, // 1
    {1, 1, 0, 1, 1, 0, 1}, // 2
    {1, 1, 1, 1, 0, 0, 1}, // 3
    {0, 1, 1, 0, 0, 1, 1}, // 4
    {1, 0, 1, 1, 0, 1, 1}, // 5
    {1, 0, 1, 1, 1, 1, 1}, // 6
    {1, 1, 1, 0, 0, 0, 0}, // 7
    {1, 1, 1, 1, 1, 1, 1}, // 8
    {1, 1, 1, 1, 0, 1, 1}, // 9
    {1, 1, 1, 1, 1, 1, 1}, // all segments
};

// Two-state directors: every segment follows the cell, off or on. The table readers answer
// 0 (off) for a state or segment index outside their tables.
int BinaryState(int state, int index, int segments) {
    if (state < 0 || state > 1 || index < 0 || index >= segments)
        return 0;
    return state;
}

} // namespace

int SevenSegTbl::StateCount() const {
    return kSevenSegStates;
}

int SevenSegTbl::SubState(int state, int index) const {
    if (state < 0 || state >= kSevenSegStates || index < 0 || index >= kSevenSegments)
        return 0;
    return kSevenSeg[state][index];
}

int SingleSegTbl::StateCount() const {
    return 2;
}
int SingleSegTbl::SubState(int state, int index) const {
    return BinaryState(state, index, 1);
}

int FourSegBinStateTbl::StateCount() const {
    return 2;
}
int FourSegBinStateTbl::SubState(int state, int index) const {
    return BinaryState(state, index, 4);
}

int ThirteenSegBinStateTbl::StateCount() const {
    return 2;
}
int ThirteenSegBinStateTbl::SubState(int state, int index) const {
    return BinaryState(state, index, 16);
}

const SevenSegTbl SevenSegDirector;
const SingleSegTbl SingleSegDirector;
const FourSegBinStateTbl FourSegDirector;
const ThirteenSegBinStateTbl ThirteenSegDirector;

// clang-format off
const std::int32_t DigitGeometry[75] = {
    7, 0, 0, 18, 22,
    0, 4,  4,  2, 12,  2, 12,  3,  4,  3, // a
    0, 4, 14,  4, 15,  4, 15,  9, 14,  9, // b
    0, 4, 14, 12, 15, 12, 15, 17, 14, 17, // c
    0, 4,  4, 18, 12, 18, 12, 19,  4, 19, // d
    0, 4,  2, 12,  3, 12,  3, 17,  2, 17, // e
    0, 4,  2,  4,  3,  4,  3,  9,  2,  9, // f
    0, 4,  4, 10, 12, 10, 12, 11,  4, 11, // g
};

const std::int32_t DotGeometry[15] = {
    1, 0, 0, 6, 27,
    0, 4, 2, 22, 4, 22, 4, 24, 2, 24,
};

const std::int32_t DegreeSignGeometry[49] = {
    4, 0, 0, 9, 27,
    0, 4, 2, 2, 8, 2, 8, 3, 2, 3,
    0, 4, 1, 3, 3, 3, 3, 9, 1, 9,
    0, 4, 6, 3, 8, 3, 8, 6, 6, 6,
    0, 6, 6, 7, 8, 7, 8, 11, 2, 11, 2, 10, 6, 10,
};

const std::int32_t LetterCGeometry[65] = {
    4, 0, 0, 19, 27,
    0, 5, 4, 4, 5, 3, 17, 3, 15, 5, 5, 5,
    0, 8, 2, 5, 3, 5, 4, 6, 4, 12, 3, 13, 2, 13, 1, 12, 1, 6,
    0, 8, 1, 16, 2, 15, 3, 15, 4, 16, 4, 21, 3, 22, 2, 22, 1, 21,
    0, 5, 4, 23, 5, 22, 15, 22, 17, 24, 5, 24,
};

const std::int32_t RpmLabelGeometry[171] = {
    16, 0, 0, 47, 27,
    // R
    0, 4,  2, 12,  9, 12,  8, 13,  3, 13,
    0, 4, 10, 13,  9, 14,  9, 17, 10, 17,
    0, 4,  1, 13,  2, 14,  2, 17,  1, 17,
    0, 4,  1, 19,  2, 20,  2, 22,  1, 23,
    0, 4,  3, 18,  9, 18,  9, 19,  3, 19,
    0, 3,  8, 20, 10, 23,  6, 20,
    // P
    0, 4, 14, 13, 15, 14, 15, 17, 14, 17,
    0, 4, 15, 12, 23, 12, 22, 13, 16, 13,
    0, 4, 23, 14, 23, 17, 24, 17, 24, 13,
    0, 4, 16, 18, 23, 18, 23, 19, 16, 19,
    0, 4, 14, 19, 14, 24, 15, 23, 15, 19,
    // M
    0, 4, 27, 13, 27, 17, 28, 16, 28, 14,
    0, 4, 27, 19, 27, 24, 28, 23, 28, 20,
    0, 8, 28, 12, 44, 12, 43, 13, 37, 13, 37, 24, 36, 24, 36, 13, 29, 13,
    0, 4, 44, 14, 44, 16, 45, 17, 45, 13,
    0, 4, 44, 20, 44, 23, 45, 24, 45, 19,
};
// clang-format on

} // namespace tessel
