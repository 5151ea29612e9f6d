#pragma once
// Half-way cases of the rounding steps, compiled into the native tests and into the tests run
// under Wine: both builds must give these same digits and coordinates. Include it in exactly
// one test file of each build. Each case is one where extended-precision intermediates (the
// 32-bit build's x87 code) land on the other side of the half or the integer than doubles.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "KxPackage/Source/NumLedDigits.h"
#include "KxPackage/Source/NumLedModel.h"
#include "tessel/Graphics/Shape.h"
#include "tests/support/RecordingLayer.h"

namespace halfway_rounding {

// The "8" cells of a format as text, the other characters as they are.
inline std::string Digits(const std::string& format, double value) {
    std::vector<int> states(format.size(), 0);
    tessel::ShowFloatStates(format, value, false, states);
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i)
        text += format[i] != '8' ? format[i] : states[i] == 0 ? ' ' : char('0' + states[i] - 1);
    return text;
}

TEST(HalfwayRounding, NumbersShowTheDigitsOfTheirRoundedDoubleProduct) {
    const struct {
        const char* format;
        double value;
        const char* shown;
    } cases[] = {
        // value x 100 is a hair below .5 exactly, but rounds to .5 as a double.
        {"8.88", 1.115, "1.12"},
        {"8.88", 2.675, "2.68"},
        {"88.8", 0.15, " 0.2"},
        {"8.88", -1.115, "1.11"},
        // Here the double product stays below the half.
        {"8.88", 1.005, "1.00"},
        {"8.88", 0.285, "0.28"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Digits(c.format, c.value), c.shown) << c.format << " " << c.value;
}

TEST(HalfwayRounding, PolygonsRoundTheirScaledPointsHalfUpAlike) {
    using tessel::Point;
    const struct {
        int extent, width;
        int scaled; // the middle point's coordinates
    } cases[] = {
        // All are half-way in exact arithmetic; the double product lands on the half or,
        // for 61, just below it.
        {14, 59, 30},                // 7 x 59/14 = 29.5
        {14, 61, 30},                // 30.5
        {14, 125, 63}, {18, 75, 63}, // 15 x 75/18 = 62.5
        {20, 42, 32},                // 15 x 42/20 = 31.5
    };
    for (const auto& c : cases) {
        const int middle = c.extent == 14 ? 7 : 15;
        tessel::Polygon polygon(std::vector<Point>{{0, 0}, {middle, middle}, {c.extent, c.extent}});
        polygon.ScaleTo(c.width, c.width);
        EXPECT_EQ(polygon.ControlPoints(),
                  (std::vector<Point>{{0, 0}, {c.scaled, c.scaled}, {c.width, c.width}}))
            << c.extent << " to " << c.width;
    }
}

TEST(HalfwayRounding, KeepRatioTruncatesTheDoubleProductAlike) {
    using Model = tessel::BasicNumLedModel<LayerRecordingPainter, RecordingLayer>;
    // "8.8" is 42 design pixels wide: width / 42 x 42 as doubles.
    const struct {
        int width;
        int shownWidth;
    } cases[] = {{15, 15}, {30, 30}, {51, 50}, {55, 55}, {59, 58}, {60, 60}};
    for (const auto& c : cases) {
        Model model(std::make_unique<RecordingLayer>(), 72, 22,
                    &tessel::detail::CreateBuilder<LayerRecordingPainter>);
        model.SetFormat("8.8");
        model.SetKeepRatio(true);
        model.SetSize(c.width, 200);
        EXPECT_EQ(model.Width(), c.shownWidth) << c.width;
    }
}

} // namespace halfway_rounding
