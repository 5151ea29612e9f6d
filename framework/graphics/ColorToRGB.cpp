#include "framework/core/Color.h"

#include "framework/win/Win.h"

int ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return static_cast<int>(GetSysColor(color & 0xFF));
    return color;
}
