// The half-way rounding table, shared with the native build.
#include "tests/support/HalfwayRoundingTests.h"
