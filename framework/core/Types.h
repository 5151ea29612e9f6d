#pragma once
#include "framework/core/Closure.h"
#include "framework/core/Object.h"

// The framework's rectangle (right and bottom exclusive) and point.
struct TPoint {
    int x = 0;
    int y = 0;
    TPoint() = default;
    TPoint(int ax, int ay) : x(ax), y(ay) {}
    friend bool operator==(const TPoint& a, const TPoint& b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(const TPoint& a, const TPoint& b) { return !(a == b); }
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    TRect() = default;
    TRect(int left, int top, int right, int bottom)
        : Left(left), Top(top), Right(right), Bottom(bottom) {}
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    friend bool operator==(const TRect& a, const TRect& b) {
        return a.Left == b.Left && a.Top == b.Top && a.Right == b.Right && a.Bottom == b.Bottom;
    }
    friend bool operator!=(const TRect& a, const TRect& b) { return !(a == b); }
};

enum TMouseButton { mbLeft, mbRight, mbMiddle };

// Shift state: a small set of flags.
enum TShiftFlag : unsigned {
    ssShift = 1u << 0,
    ssAlt = 1u << 1,
    ssCtrl = 1u << 2,
    ssLeft = 1u << 3,
    ssRight = 1u << 4,
    ssMiddle = 1u << 5,
    ssDouble = 1u << 6,
};
using TShiftState = unsigned;

using TMouseEvent =
    Closure<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = Closure<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = Closure<void(TObject* Sender, unsigned short& Key, TShiftState Shift)>;
using TKeyPressEvent = Closure<void(TObject* Sender, char& Key)>;
