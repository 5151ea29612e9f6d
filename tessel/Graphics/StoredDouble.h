#pragma once

namespace tessel {

// The value rounded to a 64-bit double for real. x87 code (the 32-bit Windows build) keeps
// intermediate results in extended precision until they are stored, so a half-way case such
// as 1.115 x 100 can round one way there and the other way where doubles are computed in
// SSE registers. Each step whose rounding shows goes through memory here, so that every
// build gives the same digits and the same pixels. (SSE2 code would do the same without
// the store, but would not start on the older processors the programs must run on.)
inline double StoredDouble(double value) {
    volatile double stored = value;
    return stored;
}

} // namespace tessel
