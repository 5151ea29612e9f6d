#include "framework/Color.h"

#include "framework/Win.h"

int ColorToRGB(TColor color) {
    if (IsSystemColor(color))
        return static_cast<int>(GetSysColor(color & 0xFF));
    return color;
}
