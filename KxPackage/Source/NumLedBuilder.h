#pragma once
#include <cstdint>
#include <memory>

#include "KxPackage/Source/NumLed.h"
#include "tessel/Component/LED.h"
#include "tessel/Component/LED/ShapeLED.h"
#include "tessel/Graphics/RgbColor.h"

// The cell builders of the numeric display: one builder per display style, each making the
// five cell kinds (digit, dot, degree sign, letter C, RPM label) as composite LEDs of segment
// LEDs. They are templates over the painter so that the same code draws on an image layer in
// the program and into a recording painter in the host tests.
namespace tessel {

// What the display shows.
enum KxNumLedType : std::uint8_t {
    nledFloat = 0, // a floating-point number
    nledTime = 1,  // a time of day
    nledDate = 2,  // a date
};

// How the cells are drawn.
enum KxNumLedStyle : std::uint8_t {
    nledRectangle7_s = 0, // seven-segment digits built from rectangular bars
};

namespace detail {

// Frees a cell together with the segment LEDs it holds: a cell owns nothing itself.
struct CellDeleter {
    void operator()(CompositeScalableLED* cell) const {
        for (ScalableLED* segment : cell->LEDs())
            delete segment;
        delete cell;
    }
};
using OwnedCell = std::unique_ptr<CompositeScalableLED, CellDeleter>;

// Makes the cells of one display style. Each cell is placed at (x, 0) and colours its
// segments from `colors` (stateCount entries, kept alive by the caller).
template <class P> class Builder {
public:
    virtual ~Builder() = default;
    virtual OwnedCell MakeDigit(int x, P* painter, const RgbColor* colors,
                                int stateCount) const = 0;
    virtual OwnedCell MakeDot(int x, P* painter, const RgbColor* colors, int stateCount) const = 0;
    virtual OwnedCell MakeDegreeSign(int x, P* painter, const RgbColor* colors,
                                     int stateCount) const = 0;
    virtual OwnedCell MakeLetterC(int x, P* painter, const RgbColor* colors,
                                  int stateCount) const = 0;
    virtual OwnedCell MakeRpmLabel(int x, P* painter, const RgbColor* colors,
                                   int stateCount) const = 0;
};

// The builder of nledRectangle7_s: every cell from its geometry table and segment table.
template <class P> class Builder_r7_s : public Builder<P> {
public:
    OwnedCell MakeDigit(int x, P* painter, const RgbColor* colors, int stateCount) const override {
        return Make(DigitGeometry, SevenSegDirector, x, painter, colors, stateCount);
    }
    OwnedCell MakeDot(int x, P* painter, const RgbColor* colors, int stateCount) const override {
        return Make(DotGeometry, SingleSegDirector, x, painter, colors, stateCount);
    }
    OwnedCell MakeDegreeSign(int x, P* painter, const RgbColor* colors,
                             int stateCount) const override {
        return Make(DegreeSignGeometry, FourSegDirector, x, painter, colors, stateCount);
    }
    OwnedCell MakeLetterC(int x, P* painter, const RgbColor* colors,
                          int stateCount) const override {
        return Make(LetterCGeometry, FourSegDirector, x, painter, colors, stateCount);
    }
    OwnedCell MakeRpmLabel(int x, P* painter, const RgbColor* colors,
                           int stateCount) const override {
        return Make(RpmLabelGeometry, ThirteenSegDirector, x, painter, colors, stateCount);
    }

private:
    // The table's cell starts at its own top (0); only the left edge moves to x.
    OwnedCell Make(const std::int32_t* table, const LED_Director& director, int x, P* painter,
                   const RgbColor* colors, int stateCount) const {
        CompositeScalableLED* led = nullptr;
        m_factory.CreateLED(table, &director, painter, colors, stateCount, led);
        OwnedCell cell(led);
        cell->SetX(x);
        return cell;
    }

    ShapeLedFatory<P> m_factory;
};

// The builder of a style, or none for a value that names no style.
template <class P> std::unique_ptr<Builder<P>> CreateBuilder(KxNumLedStyle style) {
    if (style == nledRectangle7_s)
        return std::make_unique<Builder_r7_s<P>>();
    return nullptr;
}

} // namespace detail

} // namespace tessel
