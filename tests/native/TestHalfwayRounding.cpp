// The half-way rounding table, shared with the 32-bit build.
#include "tests/support/HalfwayRoundingTests.h"
// The half-way rounding table, shared with the Windows build.
#include "tests/support/HalfwayRoundingTests.h"
