#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "tessel/Component/LED.h"
#include "tessel/Graphics/RgbColor.h"
#include "tessel/Graphics/Shape.h"
#include "tessel/System/Assert.h"

namespace tessel {

// A segment LED: a shape figure painted in one colour per state. The colour table belongs
// to the caller, who keeps it alive and may change its entries.
template <class F> class SolidShapeLED : public ScalableLED {
public:
    // stateCount is the length of colors and at least 1; the new LED shows state 0.
    SolidShapeLED(int x, int y, const F& figure, const RgbColor* colors, int stateCount)
        : ScalableLED(x, y), m_colors(colors), m_stateCount(stateCount), m_state(-1),
          m_figure(figure) {
        SetState(0);
    }

    int StateCount() const override { return m_stateCount; }
    int State() const override { return m_state; }

    void SetState(int state) override {
        TESSEL_ASSERT(state >= 0 && state < StateCount(), "tessel/Component/LED/ShapeLED", 79);
        if (state < 0 || state >= StateCount() || state == m_state)
            return;
        m_state = state;
        Update();
    }

    // Recolours the figure; drawing is the owner's business.
    void Update() override {
        if (m_state < 0)
            return;
        m_figure.SetLineColor(m_colors[m_state]);
        m_figure.SetFillColor(m_colors[m_state]);
    }

    F* Figure() override {
        ScalableLED::Figure();
        return &m_figure;
    }
    F* FigureObject() override { return &m_figure; }

private:
    const RgbColor* m_colors;
    int m_stateCount;
    int m_state;
    F m_figure;
};

// Builds a composite LED (a display cell) from a geometry table:
//   segment count N; the cell rectangle left, top, right, bottom; N segment records, each a
//   type code and its data: 0 polygon (n, then n pairs x, y), 1 rectangle (x0, y0, x1, y1),
//   2 ellipse (x0, y0, x1, y1), 3 rounded rectangle (x0, y0, x1, y1, corner-ellipse width
//   and height), 4 circle (x, y, size), 5 square (x, y, size).
// Segment order is sub-LED order, the index the director is asked about.
template <class P> class ShapeLedFatory {
public:
    // Returns the position just after the cell's last record. The caller owns the cell and
    // every segment LED in it.
    const std::int32_t* CreateLED(const std::int32_t* table, const LED_Director* director,
                                  P* painter, const RgbColor* colors, int stateCount,
                                  CompositeScalableLED*& led) const {
        const std::int32_t* p = table;
        const int count = *p++;
        const int left = p[0];
        const int top = p[1];
        const int right = p[2];
        const int bottom = p[3];
        p += 4;
        // Held until the cell is complete, so that a failed check leaks nothing.
        auto cell = std::make_unique<CompositeScalableLED>(left, top, right, bottom, director);
        std::vector<std::unique_ptr<ScalableLED>> segments;
        for (int i = 0; i < count; ++i) {
            std::unique_ptr<ScalableLED> segment;
            p = CreateSegment(p, painter, colors, stateCount, segment);
            // After an unknown type code the length of the record is unknown: stop there.
            if (!segment)
                break;
            cell->AddLED(segment.get());
            segments.push_back(std::move(segment));
        }
        for (std::unique_ptr<ScalableLED>& segment : segments)
            segment.release();
        led = cell.release();
        return p;
    }

private:
    const std::int32_t* CreateSegment(const std::int32_t* p, P* painter, const RgbColor* colors,
                                      int stateCount, std::unique_ptr<ScalableLED>& segment) const {
        const int type = *p++;
        switch (type) {
        case 0: {
            PolygonFigure<P> figure(painter);
            const int n = *p++;
            for (int i = 0; i < n; ++i, p += 2) {
                // A new polygon has two points to set; the rest are appended.
                if (static_cast<unsigned>(i) < figure.ControlPointCount())
                    figure.SetControlPoint(p[0], p[1], static_cast<unsigned>(i));
                else
                    figure.GetShape().InsertControlPoint(Point(p[0], p[1]),
                                                         static_cast<std::size_t>(i));
            }
            segment = MakeSegment(figure, colors, stateCount);
            return p;
        }
        case 1: {
            RectangleFigure<P> figure(painter);
            figure.SetControlPoint(p[0], p[1], 0);
            figure.SetControlPoint(p[2], p[3], 1);
            segment = MakeSegment(figure, colors, stateCount);
            return p + 4;
        }
        case 2: {
            EllipseFigure<P> figure(painter);
            figure.SetControlPoint(p[0], p[1], 0);
            figure.SetControlPoint(p[2], p[3], 1);
            segment = MakeSegment(figure, colors, stateCount);
            return p + 4;
        }
        case 3: {
            RoundRectFigure<P> figure(painter);
            figure.SetControlPoint(p[0], p[1], 0);
            figure.SetControlPoint(p[2], p[3], 1);
            figure.SetEllipseWidth(p[4]);
            figure.SetEllipseHeight(p[5]);
            segment = MakeSegment(figure, colors, stateCount);
            return p + 6;
        }
        case 4: {
            CircleFigure<P> figure(Circle(p[0], p[1], p[2]), painter);
            segment = MakeSegment(figure, colors, stateCount);
            return p + 3;
        }
        case 5: {
            SquareFigure<P> figure(Square(p[0], p[1], p[2]), painter);
            segment = MakeSegment(figure, colors, stateCount);
            return p + 3;
        }
        default:
            TESSEL_ASSERT(false, "tessel/Component/LED/ShapeLED", 262);
            return p;
        }
    }

    // The segment shows its figure at its extent, placed where the figure lies.
    template <class F>
    static std::unique_ptr<ScalableLED> MakeSegment(F& figure, const RgbColor* colors,
                                                    int stateCount) {
        figure.Resize(figure.OriginalWidth(), figure.OriginalHeight());
        auto led = std::make_unique<SolidShapeLED<F>>(0, 0, figure, colors, stateCount);
        led->SetX(figure.Left());
        led->SetY(figure.Top());
        return led;
    }
};

} // namespace tessel
