#pragma once
#include <ostream>
#include <vector>

#include "tessel/Graphics/RgbColor.h"
#include "tessel/Graphics/Shape.h"

// A painter that records every primitive it is asked to draw (kind, colour, rectangle or
// points) instead of drawing it. It maps shapes to primitives as the program's painter
// does, and it has a background colour for erasing.
class RecordingPainter {
public:
    enum Kind {
        FillRect,
        FrameRect,
        FillEllipse,
        FrameEllipse,
        FillRoundRect,
        FillPolygon,
        FramePolygon,
    };

    struct Primitive {
        Kind kind = FillRect;
        tessel::RgbColor color;
        tessel::Rect rect;                 // the rectangle kinds
        int cornerWidth = 0;               // FillRoundRect
        int cornerHeight = 0;              // FillRoundRect
        std::vector<tessel::Point> points; // the polygon kinds

        friend bool operator==(const Primitive& a, const Primitive& b) {
            return a.kind == b.kind && a.color == b.color && a.rect == b.rect &&
                   a.cornerWidth == b.cornerWidth && a.cornerHeight == b.cornerHeight &&
                   a.points == b.points;
        }
        friend std::ostream& operator<<(std::ostream& out, const Primitive& p) {
            static const char* const names[] = {"FillRect",     "FrameRect",     "FillEllipse",
                                                "FrameEllipse", "FillRoundRect", "FillPolygon",
                                                "FramePolygon"};
            out << names[p.kind] << " colour 0x" << std::hex << p.color.Value() << std::dec;
            if (p.kind == FillPolygon || p.kind == FramePolygon) {
                for (const tessel::Point& point : p.points)
                    out << " (" << point.x << ", " << point.y << ")";
            } else {
                out << " (" << p.rect.left << ", " << p.rect.top << ", " << p.rect.right << ", "
                    << p.rect.bottom << ")";
            }
            if (p.kind == FillRoundRect)
                out << " corner " << p.cornerWidth << " x " << p.cornerHeight;
            return out;
        }
    };

    explicit RecordingPainter(tessel::RgbColor background = tessel::RgbColor(0xFFFFFFu))
        : m_background(background) {}

    void SetColor(tessel::RgbColor color) { m_color = color; }
    tessel::RgbColor Color() const { return m_color; }
    tessel::RgbColor BackgroundColor() const { return m_background; }
    void SetBackgroundColor(tessel::RgbColor color) { m_background = color; }

    void Fill(const tessel::Rectangle& shape) { Record(FillRect, tessel::CanvasRect(shape)); }
    void Frame(const tessel::Rectangle& shape) { Record(FrameRect, tessel::CanvasRect(shape)); }
    void Fill(const tessel::Square& shape) { Record(FillRect, tessel::CanvasRect(shape)); }
    void Frame(const tessel::Square& shape) { Record(FrameRect, tessel::CanvasRect(shape)); }
    void Fill(const tessel::Ellipse& shape) { Record(FillEllipse, tessel::CanvasRect(shape)); }
    void Frame(const tessel::Ellipse& shape) { Record(FrameEllipse, tessel::CanvasRect(shape)); }
    void Fill(const tessel::Circle& shape) { Record(FillEllipse, tessel::CanvasRect(shape)); }
    void Frame(const tessel::Circle& shape) { Record(FrameEllipse, tessel::CanvasRect(shape)); }
    // The outline pass of a rounded rectangle uses the filled primitive, as the canvas offers
    // no outline-only rounded rectangle.
    void Fill(const tessel::RoundRect& shape) { RecordRound(shape); }
    void Frame(const tessel::RoundRect& shape) { RecordRound(shape); }
    void Fill(const tessel::Polygon& shape) { RecordPoints(FillPolygon, shape); }
    void Frame(const tessel::Polygon& shape) { RecordPoints(FramePolygon, shape); }

    const std::vector<Primitive>& Primitives() const { return m_primitives; }
    void Clear() { m_primitives.clear(); }

private:
    void Record(Kind kind, const tessel::Rect& rect) {
        Primitive primitive;
        primitive.kind = kind;
        primitive.color = m_color;
        primitive.rect = rect;
        m_primitives.push_back(primitive);
    }
    void RecordRound(const tessel::RoundRect& shape) {
        Record(FillRoundRect, tessel::CanvasRect(shape));
        m_primitives.back().cornerWidth = shape.EllipseWidth();
        m_primitives.back().cornerHeight = shape.EllipseHeight();
    }
    void RecordPoints(Kind kind, const tessel::Polygon& shape) {
        Primitive primitive;
        primitive.kind = kind;
        primitive.color = m_color;
        primitive.points = shape.ControlPoints();
        m_primitives.push_back(primitive);
    }

    tessel::RgbColor m_color = tessel::RgbColor(0xFFFFFFFFu);
    tessel::RgbColor m_background;
    std::vector<Primitive> m_primitives;
};

// A polygon figure in the form of the box (left, top) - (right, bottom), shown at its extent.
inline tessel::PolygonFigure<RecordingPainter> MakeBoxFigure(RecordingPainter* painter, int left,
                                                             int top, int right, int bottom) {
    tessel::PolygonFigure<RecordingPainter> figure(painter);
    figure.GetShape() =
        tessel::Polygon({{left, top}, {right, top}, {right, bottom}, {left, bottom}});
    figure.Resize(figure.OriginalWidth(), figure.OriginalHeight());
    return figure;
}
