#pragma once
#include <ostream>

#include "tessel/Graphics/FigureBase.h"

// Where a figure is and how big it shows, comparable and printable in one expectation.
struct Bounds {
    int left, top, width, height;
    friend bool operator==(const Bounds& a, const Bounds& b) {
        return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
    }
    friend std::ostream& operator<<(std::ostream& out, const Bounds& b) {
        return out << "(" << b.left << ", " << b.top << ") " << b.width << " x " << b.height;
    }
};

inline Bounds BoundsOf(const tessel::Figure& figure) {
    return {figure.Left(), figure.Top(), figure.Width(), figure.Height()};
}
