#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KxPackage/Source/NumLedBuilder.h"
#include "KxPackage/Source/NumLedDigits.h"
#include "framework/core/Color.h"
#include "framework/core/DateTime.h"
#include "tessel/Component/LED.h"
#include "tessel/Graphics/FigureBase.h"
#include "tessel/Graphics/RgbColor.h"
#include "tessel/Graphics/StoredDouble.h"
#include "tessel/System/Assert.h"

namespace tessel {

// The numeric display: a format string becomes a row of cells (digits, dots, degree signs,
// letters C, RPM labels) made by the style's builder, and a number, a time or a date becomes
// one state per cell. The cells are painted through the model's own painter onto its layer.
//
// The Layer type offers Width(), Height(), Resize(w, h), Clear(), Left(), Top(),
// MoveBy(dx, dy), SetParent(parent), the background colour and the transparent colour as
// RgbColor (set and get), and the transparency flag; the Painter is built over a Layer*.
// The model owns the layer, the painter, the cells and their segments.
template <class Painter, class Layer> class BasicNumLedModel {
public:
    using BuilderPtr = std::unique_ptr<detail::Builder<Painter>>;
    using BuilderFactory = BuilderPtr (*)(KxNumLedStyle style);

    // Shows "8888" with the value 0 on a black background, sized width x height.
    BasicNumLedModel(std::unique_ptr<Layer> layer, int width, int height,
                     BuilderFactory createBuilder = &detail::CreateBuilder<Painter>)
        : m_layer(std::move(layer)), m_dateTime(Now()), m_createBuilder(createBuilder) {
        m_layer->SetBackgroundColor(RgbColor::FromColor(clBlack));
        m_layer->Clear();
        m_layer->Resize(std::max(width, 0), std::max(height, 0));
        m_painter = std::make_unique<Painter>(m_layer.get());
        SetFormat("8888");
    }

    // The cells and their segments go first, then the painter, then the layer they use.
    virtual ~BasicNumLedModel() {
        RemoveAllCells();
        m_painter.reset();
        m_layer.reset();
    }

    BasicNumLedModel(const BasicNumLedModel&) = delete;
    BasicNumLedModel& operator=(const BasicNumLedModel&) = delete;

    template <class Parent> void SetParent(Parent* parent) { m_layer->SetParent(parent); }

    // Moves the image to (left, top) on its parent.
    void SetPosition(int left, int top) {
        m_layer->MoveBy(left - m_layer->Left(), top - m_layer->Top());
    }

    // Sizes the display; with KeepRatio the design proportions win and the display takes the
    // largest size of those proportions that fits. A negative side counts as 0.
    void SetSize(int width, int height) {
        width = std::max(width, 0);
        height = std::max(height, 0);
        if (m_keepRatio) {
            // clang-format off
            TESSEL_ASSERT(Figure()->OriginalWidth() > 0 && Figure()->OriginalHeight() > 0, "KxPackage/Source/KxNumLed_imp", 683);
            // clang-format on
            const int originalWidth = Figure()->OriginalWidth();
            const int originalHeight = Figure()->OriginalHeight();
            if (originalWidth > 0 && originalHeight > 0) {
                const double f =
                    std::min(StoredDouble(static_cast<double>(width) / originalWidth),
                             StoredDouble(static_cast<double>(height) / originalHeight));
                width = static_cast<int>(StoredDouble(originalWidth * f));
                height = static_cast<int>(StoredDouble(f * originalHeight));
            }
        }
        m_layer->Resize(width, height);
        Figure()->Resize(width, height);
        m_layer->Clear();
        DrawAll();
    }

    int Width() const { return m_layer->Width(); }
    int Height() const { return m_layer->Height(); }

    KxNumLedType Type() const { return m_type; }
    void SetType(KxNumLedType type) {
        if (type == m_type)
            return;
        m_type = type;
        Refresh();
    }

    // A style without a builder is refused: nothing changes.
    KxNumLedStyle Style() const { return m_style; }
    void SetStyle(KxNumLedStyle style) {
        if (style == m_style || !m_createBuilder(style))
            return;
        m_style = style;
        ParseFormat(m_format);
        Refresh();
    }

    bool ZeroLeading() const { return m_zeroLeading; }
    void SetZeroLeading(bool zeroLeading) {
        m_zeroLeading = zeroLeading;
        Refresh();
    }

    // Only stored: the owner applies its bounds again, which lays the display out anew.
    bool KeepRatio() const { return m_keepRatio; }
    void SetKeepRatio(bool keepRatio) { m_keepRatio = keepRatio; }

    // A format with a character that makes no cell, and the empty format, are refused
    // without any change.
    const std::string& Format() const { return m_format; }
    void SetFormat(const std::string& text) {
        if (text == m_format)
            return;
        if (ParseFormat(text)) {
            m_layer->Clear();
            Refresh();
        }
    }

    // A number is taken only by nledFloat, a date-time only by nledTime and nledDate; a
    // value of the other kind is ignored and not stored.
    void SetValue(double value) {
        if (m_type == nledFloat && value != m_value)
            ShowFloat(value);
    }
    void SetValue(TDateTime value) {
        if (!IsDateTimeType() || static_cast<double>(value) == static_cast<double>(m_dateTime))
            return;
        m_dateTime = value;
        ShowDateTime();
    }
    bool GetValue(double& value) const {
        if (m_type != nledFloat)
            return false;
        value = m_value;
        return true;
    }
    bool GetValue(TDateTime& value) const {
        if (!IsDateTimeType())
            return false;
        value = m_dateTime;
        return true;
    }

    // Index 0 switches every cell, index n the n-th; a larger index only redraws. On(0)
    // lights every segment of every cell whatever the value; a cell switched off stays blank
    // until it is switched on again.
    void On(unsigned n) {
        if (n == 0) {
            for (unsigned i = 0; i < m_cells.LEDCount(); ++i) {
                m_lit[i] = true;
                m_cells.SetState(i, m_cells.StateCount(i) - 1);
            }
        } else if (n <= m_cells.LEDCount()) {
            m_lit[n - 1] = true;
            m_cells.SetState(n - 1, m_states[n - 1]);
        }
        DrawAll();
    }
    void Off(unsigned n) {
        if (n == 0) {
            for (unsigned i = 0; i < m_cells.LEDCount(); ++i) {
                m_lit[i] = false;
                m_cells.SetState(i, 0);
            }
        } else if (n <= m_cells.LEDCount()) {
            m_lit[n - 1] = false;
            m_cells.SetState(n - 1, 0);
        }
        DrawAll();
    }

    // Clears the layer, re-applies every cell's state and colours, and redraws.
    void Repaint() {
        m_layer->Clear();
        ApplyStates();
        m_cells.UpdateAll();
        DrawAll();
    }

    // The segment colours take the value as it is (a system colour is not resolved).
    TColor LightColor() const { return static_cast<TColor>(m_colors[1].Rgb()); }
    void SetLightColor(TColor color) { SetSegmentColor(1, color); }
    TColor DarkColor() const { return static_cast<TColor>(m_colors[0].Rgb()); }
    void SetDarkColor(TColor color) { SetSegmentColor(0, color); }

    TColor BackgroundColor() const { return static_cast<TColor>(m_layer->BackgroundColor().Rgb()); }
    void SetBackgroundColor(TColor color) {
        m_layer->SetBackgroundColor(RgbColor::FromColor(color));
        Repaint();
    }
    // Used when the image is transparent; nothing is redrawn.
    TColor TransparentColor() const {
        return static_cast<TColor>(m_layer->TransparentColor().Rgb());
    }
    void SetTransparentColor(TColor color) {
        m_layer->SetTransparentColor(RgbColor::FromColor(color));
    }
    bool Transparent() const { return m_layer->Transparent(); }
    void SetTransparent(bool transparent) { m_layer->SetTransparent(transparent); }

    // The group figure of all cells: the whole display.
    CompositeScalableFig* Figure() { return m_cells.Figure(); }
    const CompositeScalableFig* Figure() const {
        return const_cast<BasicNumLedModel*>(this)->m_cells.Figure();
    }

    unsigned CellCount() const { return m_cells.LEDCount(); }
    const CompositeScalableLED& Cell(unsigned index) const { return *m_ownedCells.at(index); }
    CompositeScalableLED& Cell(unsigned index) { return *m_ownedCells.at(index); }
    // The state each cell shows while it is switched on, and its switches.
    const std::vector<int>& States() const { return m_states; }
    const std::vector<bool>& Lit() const { return m_lit; }

    Layer& GetLayer() { return *m_layer; }
    Painter& GetPainter() { return *m_painter; }

protected:
    // Builds the cells of a format with the style's builder. On success they replace the
    // old ones and show their all-on states; on failure nothing changes.
    bool ParseFormat(const std::string& text) {
        BuilderPtr builder = m_createBuilder(m_style);
        if (!builder)
            return false;
        int x = 0;
        int maxHeight = 0;
        std::vector<detail::OwnedCell> made;
        for (char c : text) {
            detail::OwnedCell cell = MakeCell(*builder, CellOf(c), x);
            // The format is refused as soon as one character makes no cell.
            if (!cell)
                break;
            maxHeight = std::max(maxHeight, cell->Height());
            x += cell->Width();
            made.push_back(std::move(cell));
        }
        builder.reset();
        if (made.size() != text.size() || made.empty())
            return false;

        RemoveAllCells();
        m_cells.SetWidth(x);
        m_cells.SetHeight(maxHeight);
        for (detail::OwnedCell& cell : made)
            m_cells.Add(cell.get());
        m_ownedCells = std::move(made);
        m_format = text;
        const std::size_t count = m_ownedCells.size();
        m_states.resize(count);
        m_lit.resize(count, true);
        for (unsigned i = 0; i < count; ++i)
            m_states[i] = m_cells.StateCount(i) - 1;
        ApplyStates();
        Figure()->Resize(m_layer->Width(), m_layer->Height());
        return true;
    }

    void ShowFloat(double value) {
        m_value = value;
        ShowFloatStates(m_format, m_value, m_zeroLeading, m_states);
        ApplyStates();
        DrawAll();
    }

    // The time or the date of m_dateTime, as the type says.
    void ShowDateTime() {
        if (m_type == nledTime)
            ShowTimeStates(m_format, m_dateTime, m_states);
        else
            ShowDateStates(m_format, m_dateTime, m_states);
        ApplyStates();
        DrawAll();
    }

    // Every segment of every cell: lit ones in the light colour, unlit ones in the dark.
    void DrawAll() { Figure()->Draw(); }

    void ApplyStates() {
        for (unsigned i = 0; i < m_cells.LEDCount(); ++i)
            m_cells.SetState(i, m_lit[i] ? m_states[i] : 0);
    }

    // Shows the stored value again.
    void Refresh() {
        if (m_type == nledFloat)
            ShowFloat(m_value);
        else
            ShowDateTime();
    }

    void RemoveAllCells() {
        while (m_cells.LEDCount() > 0)
            m_cells.RemoveAt(0);
        m_ownedCells.clear();
    }

private:
    bool IsDateTimeType() const { return m_type == nledTime || m_type == nledDate; }

    detail::OwnedCell MakeCell(const detail::Builder<Painter>& builder, NumLedCell kind, int x) {
        Painter* painter = m_painter.get();
        switch (kind) {
        case NumLedCell::Digit:
            return builder.MakeDigit(x, painter, m_colors, kStateCount);
        case NumLedCell::Dot:
            return builder.MakeDot(x, painter, m_colors, kStateCount);
        case NumLedCell::DegreeSign:
            return builder.MakeDegreeSign(x, painter, m_colors, kStateCount);
        case NumLedCell::LetterC:
            return builder.MakeLetterC(x, painter, m_colors, kStateCount);
        case NumLedCell::RpmLabel:
            return builder.MakeRpmLabel(x, painter, m_colors, kStateCount);
        case NumLedCell::None:
            break;
        }
        return nullptr;
    }

    void SetSegmentColor(int index, TColor color) {
        m_colors[index] = RgbColor(static_cast<std::uint32_t>(color) | 0xFF000000u);
        m_cells.UpdateAll();
        DrawAll();
    }

    // Every segment has two states: dark (0) and light (1).
    static constexpr int kStateCount = 2;

    std::unique_ptr<Layer> m_layer;
    std::unique_ptr<Painter> m_painter;
    BasicLED_Collector<ScalableLED_Collector, CompositeScalableFig> m_cells;
    // The cells in m_cells, in the same order, each with its segments.
    std::vector<detail::OwnedCell> m_ownedCells;
    // The segments' colour table: dark, light.
    RgbColor m_colors[kStateCount] = {RgbColor(0xFF3E260Eu), RgbColor(0xFF0AF00Au)};
    std::string m_format;
    KxNumLedType m_type = nledFloat;
    KxNumLedStyle m_style = nledRectangle7_s;
    bool m_zeroLeading = false;
    bool m_keepRatio = false;
    std::vector<int> m_states;
    std::vector<bool> m_lit;
    double m_value = 0.0;
    TDateTime m_dateTime;
    BuilderFactory m_createBuilder;
};

} // namespace tessel
