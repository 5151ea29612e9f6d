#pragma once
#include <string>
#include <vector>

#include "framework/core/DateTime.h"

// The digit logic of the numeric display: which cell a format character makes, and the state
// each cell takes for a number, a time or a date. Cell states are those of the seven-segment
// director: 0 blank, d + 1 the digit d.
namespace tessel {

// The cell a format character stands for.
enum class NumLedCell { None, Digit, Dot, DegreeSign, LetterC, RpmLabel };
NumLedCell CellOf(char c);

// Writes the states of the "8" cells for a number; every other entry stays as it was. The
// number is rounded half up to the decimals the format has after its first dot, and shown by
// its lowest digits without a sign; leading zeros of the integer part are blanked unless
// zeroLeading. A value that is not a number, or infinite, blanks every "8" cell. `states` has
// one entry per format character.
void ShowFloatStates(const std::string& format, double value, bool zeroLeading,
                     std::vector<int>& states);

// Writes the states of the H, M and S cells (either case) for the time of day, the lowest
// digit of each field rightmost; no blanking.
void ShowTimeStates(const std::string& format, TDateTime time, std::vector<int>& states);

// Writes the states of the D, M and Y cells (either case) for the date, likewise.
void ShowDateStates(const std::string& format, TDateTime date, std::vector<int>& states);

} // namespace tessel
