#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "KxPackage/Source/NumLedModel.h"
#include "tests/support/RecordingLayer.h"

using tessel::KxNumLedStyle;
using tessel::KxNumLedType;
using tessel::nledDate;
using tessel::nledFloat;
using tessel::nledTime;
using tessel::RgbColor;

namespace {

using Model = tessel::BasicNumLedModel<LayerRecordingPainter, RecordingLayer>;

std::unique_ptr<Model>
MakeModel(int width = 72, int height = 22,
          Model::BuilderFactory factory = &tessel::detail::CreateBuilder<LayerRecordingPainter>) {
    return std::make_unique<Model>(std::make_unique<RecordingLayer>(), width, height, factory);
}

// What a digit cell shows for a state: blank, a digit, or '#' for all segments.
char DigitChar(int state) {
    if (state == 0)
        return ' ';
    if (state >= 1 && state <= 10)
        return static_cast<char>('0' + state - 1);
    return state == 11 ? '#' : '?';
}

// The display as text: digits as above, the other cells as their format character while
// lit and blank while dark.
std::string Shown(const Model& model) {
    std::string text;
    for (unsigned i = 0; i < model.CellCount(); ++i) {
        const tessel::CompositeScalableLED& cell = model.Cell(i);
        if (cell.StateCount() == 12)
            text += DigitChar(cell.State());
        else
            text += cell.State() == 1 ? model.Format()[i] : ' ';
    }
    return text;
}

// The "8" cells of a format as text, from states the digit logic wrote.
std::string FloatShown(const std::string& format, double value, bool zeroLeading = false) {
    std::vector<int> states(format.size(), -1);
    tessel::ShowFloatStates(format, value, zeroLeading, states);
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i)
        text += format[i] == '8' ? DigitChar(states[i]) : format[i];
    return text;
}

} // namespace

TEST(NumLedModel, StartsWithFourDigitsShowingZeroOnBlack) {
    auto model = MakeModel();
    EXPECT_EQ(model->Format(), "8888");
    EXPECT_EQ(Shown(*model), "   0");
    EXPECT_EQ(model->Type(), nledFloat);
    EXPECT_EQ(model->Style(), tessel::nledRectangle7_s);
    EXPECT_EQ(model->BackgroundColor(), 0);
    EXPECT_EQ(model->LightColor(), 0x0AF00A);
    EXPECT_EQ(model->DarkColor(), 0x3E260E);
    EXPECT_EQ(model->Figure()->OriginalWidth(), 72);
    EXPECT_EQ(model->Figure()->OriginalHeight(), 22);
    EXPECT_EQ(model->Width(), 72);
    EXPECT_EQ(model->Height(), 22);
}

TEST(NumLedModel, ShowsNumbersRoundedHalfUpWithLeadingZerosBlanked) {
    struct Case {
        const char* format;
        double value;
        bool zeroLeading;
        const char* shown;
    };
    const Case cases[] = {
        {"8888", 42.0, false, "  42"},       {"8888", 42.0, true, "0042"},
        {"8888", 0.0, false, "   0"},        {"8888", 12345.0, false, "2345"},
        {"8888", -5.0, false, "   5"},       {"8888", 2.5, false, "   3"},
        {"8888", -2.5, false, "   2"},       {"88.8", 3.14159, false, " 3.1"},
        {"88.8", 0.04, false, " 0.0"},       {"88.8", 0.04, true, "00.0"},
        {"8.88^C", 21.456, false, "1.46^C"}, {"88&", 7.0, false, " 7&"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.value));
        auto model = MakeModel();
        model->SetFormat(c.format);
        model->SetZeroLeading(c.zeroLeading);
        model->SetValue(c.value);
        EXPECT_EQ(Shown(*model), c.shown);
        double value = 0;
        EXPECT_TRUE(model->GetValue(value));
        EXPECT_EQ(value, c.value);
    }
}

TEST(NumLedModel, ShowsTimesAndDatesInTheirLetterCells) {
    struct Case {
        KxNumLedType type;
        const char* format;
        TDateTime value;
        const char* shown;
    };
    const Case cases[] = {
        {nledTime, "HH.MM", EncodeTime(9, 5, 0, 0), "09.05"},
        {nledTime, "hh.mm.ss", EncodeTime(23, 59, 58, 999), "23.59.58"},
        {nledTime, "S", EncodeTime(0, 0, 47, 0), "7"},
        {nledDate, "DD.MM.YYYY", EncodeDate(2008, 9, 7), "07.09.2008"},
        {nledDate, "dd.mm.yy", EncodeDate(2008, 9, 7), "07.09.08"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        auto model = MakeModel();
        model->SetType(c.type);
        model->SetFormat(c.format);
        model->SetValue(c.value);
        EXPECT_EQ(Shown(*model), c.shown);
        TDateTime value;
        EXPECT_TRUE(model->GetValue(value));
        EXPECT_EQ(static_cast<double>(value), static_cast<double>(c.value));
    }
}

TEST(NumLedModel, CellsOfTheOtherTypeKeepTheirAllOnOrLastState) {
    auto model = MakeModel();
    model->SetType(nledTime);
    model->SetFormat("88HH");
    model->SetValue(TDateTime(EncodeTime(7, 0, 0, 0)));
    EXPECT_EQ(Shown(*model), "##07") << "an 8 cell under nledTime lights all segments";

    model->SetType(nledFloat);
    model->SetValue(3.0);
    EXPECT_EQ(Shown(*model), " 307") << "the hour cells keep the digits they last showed";

    auto other = MakeModel();
    other->SetFormat("H88");
    other->SetValue(4.0);
    EXPECT_EQ(Shown(*other), "# 4") << "an H cell under nledFloat lights all segments";
    other->SetType(nledTime);
    EXPECT_EQ(Shown(*other)[1], ' ') << "8 cells keep the float digits after a type change";
    EXPECT_EQ(Shown(*other)[2], '4');
}

TEST(NumLedModel, IgnoresRefusedFormatsAndTheFormatItHas) {
    for (const char* format : {"", "88,8", "8a88", "88 8", "8\t", "8888"}) {
        SCOPED_TRACE(format);
        auto model = MakeModel();
        model->SetValue(42.0);
        const tessel::CompositeScalableLED* first = &model->Cell(0);
        const int clears = model->GetLayer().Clears();
        model->SetFormat(format);
        EXPECT_EQ(model->Format(), "8888");
        EXPECT_EQ(Shown(*model), "  42");
        EXPECT_EQ(&model->Cell(0), first) << "the cells were not rebuilt";
        EXPECT_EQ(model->GetLayer().Clears(), clears);
    }
}

TEST(NumLedModel, LaysCellsOutSideBySideAtTheirDesignSizes) {
    auto model = MakeModel(88, 27);
    model->SetFormat("88.8^C");
    EXPECT_EQ(model->Figure()->OriginalWidth(), 88);
    EXPECT_EQ(model->Figure()->OriginalHeight(), 27);
    const int lefts[] = {0, 18, 36, 42, 60, 69};
    for (unsigned i = 0; i < model->CellCount(); ++i)
        EXPECT_EQ(model->Cell(i).X(), lefts[i]) << "cell " << i;
}

TEST(NumLedModel, SwitchesCellsOffAndOnByIndex) {
    auto model = MakeModel();
    model->SetValue(1234.0);
    model->Off(2);
    model->SetValue(5678.0);
    EXPECT_EQ(Shown(*model), "5 78") << "a cell switched off stays blank through new values";
    model->On(2);
    EXPECT_EQ(Shown(*model), "5678");
    model->On(0);
    EXPECT_EQ(Shown(*model), "####") << "On(0) lights every segment whatever the value";
    EXPECT_EQ(model->States(), (std::vector<int>{6, 7, 8, 9})) << "the states are kept";
    model->Off(0);
    EXPECT_EQ(Shown(*model), "    ");
    model->SetValue(42.0);
    EXPECT_EQ(Shown(*model), "    ");

    auto painter = &model->GetPainter();
    painter->Clear();
    model->Off(5);
    model->On(99);
    EXPECT_EQ(Shown(*model), "    ") << "an index past the last cell changes nothing";
    EXPECT_EQ(painter->Primitives().size(), 2u * 4 * 7 * 2) << "but redraws";
}

TEST(NumLedModel, SwitchesSurviveANewFormatForTheCellsThatRemain) {
    auto model = MakeModel();
    model->Off(2);
    model->SetFormat("888.8");
    EXPECT_EQ(model->Lit(), (std::vector<bool>{true, false, true, true, true}));
    model->SetValue(123.4);
    EXPECT_EQ(Shown(*model), "1 3.4");
}

TEST(NumLedModel, IgnoresValuesOfTheOtherKind) {
    auto model = MakeModel();
    model->SetType(nledDate);
    model->SetValue(42.0);
    double number = -1.0;
    EXPECT_FALSE(model->GetValue(number));
    EXPECT_EQ(number, -1.0);
    model->SetType(nledFloat);
    EXPECT_TRUE(model->GetValue(number));
    EXPECT_EQ(number, 0.0) << "the number given under nledDate was not stored";

    TDateTime date(12345.5);
    EXPECT_FALSE(model->GetValue(date));
    EXPECT_EQ(static_cast<double>(date), 12345.5);
    model->SetValue(TDateTime(EncodeDate(2000, 1, 1)));
    model->SetType(nledDate);
    EXPECT_TRUE(model->GetValue(date));
    EXPECT_NE(static_cast<double>(date), static_cast<double>(EncodeDate(2000, 1, 1)));
}

TEST(NumLedModel, DrawsLitSegmentsLightAndUnlitOnesDark) {
    auto model = MakeModel();
    LayerRecordingPainter& painter = model->GetPainter();
    painter.Clear();
    model->SetValue(42.0);
    const auto& drawn = painter.Primitives();
    ASSERT_EQ(drawn.size(), 4u * 7 * 2);
    int light = 0;
    for (const auto& primitive : drawn) {
        EXPECT_TRUE(primitive.color == RgbColor(0xFF0AF00Au) ||
                    primitive.color == RgbColor(0xFF3E260Eu));
        light += primitive.color == RgbColor(0xFF0AF00Au);
    }
    EXPECT_EQ(light, (4 + 5) * 2) << "the 4 lights four segments, the 2 five";

    painter.Clear();
    model->SetLightColor(static_cast<TColor>(0x12345678));
    EXPECT_EQ(model->LightColor(), 0x345678);
    ASSERT_EQ(drawn.size(), 4u * 7 * 2) << "a colour change redraws";
    EXPECT_EQ(drawn[2 * 2 + 28 + 1].color, RgbColor(0xFF345678u))
        << "segment c of the 4 in the new light colour";
}

TEST(NumLedModel, KeepRatioScalesTheDesignSizeIntoTheRequestedSize) {
    struct Case {
        bool keepRatio;
        int width, height, shownWidth, shownHeight;
    };
    const Case cases[] = {
        {true, 144, 100, 144, 44}, {true, 100, 11, 36, 11},   {true, 72, 22, 72, 22},
        {true, 0, 50, 0, 0},       {false, 100, 11, 100, 11}, {false, -5, 30, 0, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        auto model = MakeModel();
        model->SetKeepRatio(c.keepRatio);
        model->SetSize(c.width, c.height);
        EXPECT_EQ(model->Width(), c.shownWidth);
        EXPECT_EQ(model->Height(), c.shownHeight);
        EXPECT_EQ(model->Figure()->Width(), c.shownWidth);
        EXPECT_EQ(model->Figure()->Height(), c.shownHeight);
    }
}

TEST(NumLedModel, KeepRatioScalesEveryCellWithTheDisplay) {
    auto model = MakeModel();
    model->SetKeepRatio(true);
    model->SetSize(144, 100);
    EXPECT_EQ(model->Cell(1).FigureObject()->Left(), 36);
    EXPECT_EQ(model->Cell(1).FigureObject()->Width(), 36);
    EXPECT_EQ(model->Cell(1).FigureObject()->Height(), 44);
    model->SetFormat("8.8");
    EXPECT_EQ(model->Width(), 144) << "a new format fills the display's current size";
    EXPECT_EQ(model->Cell(2).FigureObject()->Left(), 24 * 144 / 42);
}

TEST(NumLedModel, RefusesAStyleWithoutABuilder) {
    auto model = MakeModel();
    model->SetValue(42.0);
    const tessel::CompositeScalableLED* first = &model->Cell(0);
    model->SetStyle(static_cast<KxNumLedStyle>(1));
    EXPECT_EQ(model->Style(), tessel::nledRectangle7_s);
    EXPECT_EQ(&model->Cell(0), first);
    EXPECT_EQ(Shown(*model), "  42");
}

TEST(NumLedModel, AStyleWithABuilderRebuildsTheCells) {
    // A second style drawn like the first, to see the change of style go through.
    auto twoStyles = [](KxNumLedStyle style) -> Model::BuilderPtr {
        if (style > 1)
            return nullptr;
        return std::make_unique<tessel::detail::Builder_r7_s<LayerRecordingPainter>>();
    };
    auto model = MakeModel(72, 22, twoStyles);
    model->SetValue(42.0);
    model->Off(1);
    const tessel::CompositeScalableLED* first = &model->Cell(0);
    model->SetStyle(static_cast<KxNumLedStyle>(1));
    EXPECT_EQ(model->Style(), static_cast<KxNumLedStyle>(1));
    EXPECT_NE(&model->Cell(0), first);
    EXPECT_EQ(Shown(*model), "  42") << "the value is shown again on the new cells";
}

TEST(NumLedModel, RepaintAndBackgroundClearTheLayerAndRedraw) {
    auto model = MakeModel();
    const int clears = model->GetLayer().Clears();
    model->GetPainter().Clear();
    model->SetBackgroundColor(0x102030);
    EXPECT_EQ(model->BackgroundColor(), 0x102030);
    EXPECT_EQ(model->GetLayer().Clears(), clears + 1);
    EXPECT_EQ(model->GetPainter().Primitives().size(), 4u * 7 * 2);

    model->GetPainter().Clear();
    model->SetTransparentColor(0x0000FF);
    EXPECT_EQ(model->TransparentColor(), 0x0000FF);
    EXPECT_TRUE(model->GetPainter().Primitives().empty()) << "nothing is redrawn";
}

TEST(ShowFloatStates, ShowsTheLowestDigitsOfValuesBeyondThe32BitRange) {
    struct Case {
        const char* format;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {"88888", 2147483647.0, "83647"},
        {"88888", 2147483648.0, "83648"},
        {"88888", -2147483649.0, "83649"},
        {"8888", 4294967296.0, "7296"},
        {"8888", 1e10, "0000"},
        {"8888", 1180591620717411303424.0, "3424"}, // 2^70
        {"88.8", 2147483647.45, "47.5"},
        {"88.88", std::ldexp(1.0, 1023), "08.00"}, // x 100 overflows the double
        {"88.88", -DBL_MAX, "68.00"},
        {"88.88", DBL_MIN, " 0.00"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format + std::string(" ") + std::to_string(c.value));
        EXPECT_EQ(FloatShown(c.format, c.value), c.shown);
    }
}

TEST(ShowFloatStates, ScalesByPowersOfTenBeyondTheDoublesRange) {
    const std::string format = "8." + std::string(400, '8');
    EXPECT_EQ(FloatShown(format, 1.5), "1.5" + std::string(399, '0'));
    EXPECT_EQ(FloatShown(format, 0.0), "0." + std::string(400, '0'));
}

TEST(ShowFloatStates, BlanksEveryDigitForValuesThatAreNotNumbers) {
    for (double value :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
          -std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(value);
        EXPECT_EQ(FloatShown("88.8^", value), "  . ^");
    }
}

TEST(ShowFloatStates, KeepsEveryStateWithinTheDigitRange) {
    const double values[] = {DBL_MAX,
                             -DBL_MAX,
                             DBL_MIN,
                             -0.0,
                             2147483647.5,
                             -2147483648.5,
                             4503599627370497.0,
                             1e15 + 0.5,
                             9007199254740993.0,
                             0.49999999999999994,
                             std::numeric_limits<double>::denorm_min()};
    for (const char* format : {"8", "8888", "88.88", "8.8888888888", "88888888888888888888"}) {
        for (double value : values) {
            std::vector<int> states(std::string(format).size(), -1);
            tessel::ShowFloatStates(format, value, false, states);
            for (std::size_t i = 0; i < states.size(); ++i) {
                if (format[i] == '8') {
                    EXPECT_GE(states[i], 0) << format << " " << value;
                    EXPECT_LE(states[i], 10) << format << " " << value;
                }
            }
        }
    }
}
