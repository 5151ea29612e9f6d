#pragma once
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "tessel/Graphics/FigureBase.h"
#include "tessel/Graphics/RgbColor.h"
#include "tessel/Graphics/StoredDouble.h"
#include "tessel/System/Assert.h"

// Shapes defined by control points, and the figures that draw them through a painter.
//
// A painter type P used with the shape figures offers:
//   void SetColor(RgbColor color);           the colour of the next primitive
//   void Fill(const S& shape);               for each shape S below: the solid shape
//   void Frame(const S& shape);              for each shape S below: its one-pixel outline
//   RgbColor BackgroundColor() const;        the colour Erase paints with
namespace tessel {

namespace detail {

// The two corners shared by the fixed shapes: corner 0 top-left, corner 1 bottom-right,
// stored as given (never reordered).
template <class T> class TwoPointShape {
public:
    static constexpr unsigned CONTROL_POINT_COUNT = 2;

    TwoPointShape() = default;
    TwoPointShape(T x0, T y0, T x1, T y1)
        : m_corner{BasicPoint<T>(x0, y0), BasicPoint<T>(x1, y1)} {}

    unsigned ControlPointCount() const { return CONTROL_POINT_COUNT; }

    void SetControlPoint(T x, T y, unsigned index) {
        TESSEL_ASSERT(index < CONTROL_POINT_COUNT, "tessel/Graphics/Shape", 141);
        if (index < CONTROL_POINT_COUNT)
            m_corner[index] = BasicPoint<T>(x, y);
    }

    void GetControlPoint(unsigned index, T& x, T& y) const {
        TESSEL_ASSERT(index < CONTROL_POINT_COUNT, "tessel/Graphics/Shape", 148);
        if (index < CONTROL_POINT_COUNT) {
            x = m_corner[index].x;
            y = m_corner[index].y;
        }
    }

    const BasicPoint<T>& Corner0() const { return m_corner[0]; }
    const BasicPoint<T>& Corner1() const { return m_corner[1]; }

    // Signed extents: corner 1 minus corner 0.
    T Width() const { return m_corner[1].x - m_corner[0].x; }
    T Height() const { return m_corner[1].y - m_corner[0].y; }

    void Offset(T dx, T dy) {
        for (BasicPoint<T>& corner : m_corner) {
            corner.x += dx;
            corner.y += dy;
        }
    }

    void Bounds(T& left, T& top, T& right, T& bottom) const {
        left = m_corner[0].x;
        top = m_corner[0].y;
        right = m_corner[1].x;
        bottom = m_corner[1].y;
    }

    void ScaleTo(T width, T height) {
        m_corner[1].x = m_corner[0].x + width;
        m_corner[1].y = m_corner[0].y + height;
    }

private:
    BasicPoint<T> m_corner[CONTROL_POINT_COUNT];
};

} // namespace detail

template <class T> class BasicRectangle : public detail::TwoPointShape<T> {
public:
    using detail::TwoPointShape<T>::TwoPointShape;
};
using Rectangle = BasicRectangle<int>;

template <class T> class BasicEllipse : public detail::TwoPointShape<T> {
public:
    using detail::TwoPointShape<T>::TwoPointShape;
};
using Ellipse = BasicEllipse<int>;

// A rectangle with rounded corners; scaling keeps the corner-ellipse size.
template <class T> class BasicRoundRect : public detail::TwoPointShape<T> {
public:
    BasicRoundRect() = default;
    BasicRoundRect(T x0, T y0, T x1, T y1, T ellipseWidth, T ellipseHeight)
        : detail::TwoPointShape<T>(x0, y0, x1, y1), m_ellipseWidth(ellipseWidth),
          m_ellipseHeight(ellipseHeight) {}

    T EllipseWidth() const { return m_ellipseWidth; }
    T EllipseHeight() const { return m_ellipseHeight; }
    void SetEllipseWidth(T width) { m_ellipseWidth = width; }
    void SetEllipseHeight(T height) { m_ellipseHeight = height; }

private:
    T m_ellipseWidth = 0;
    T m_ellipseHeight = 0;
};
using RoundRect = BasicRoundRect<int>;

// A rectangle that must stay square.
template <class T> class BasicSquare {
public:
    static constexpr unsigned CONTROL_POINT_COUNT = 2;

    BasicSquare() = default;
    BasicSquare(T x, T y, T size) : m_data(x, y, x + size, y + size) {}

    unsigned ControlPointCount() const { return CONTROL_POINT_COUNT; }

    void SetControlPoint(T x, T y, unsigned index) {
        m_data.SetControlPoint(x, y, index);
        // clang-format off
        TESSEL_ASSERT(m_data.Width() == m_data.Height(), "tessel/Graphics/Shape", 388);
        // clang-format on
    }

    void GetControlPoint(unsigned index, T& x, T& y) const { m_data.GetControlPoint(index, x, y); }

    const BasicPoint<T>& Corner0() const { return m_data.Corner0(); }
    const BasicPoint<T>& Corner1() const { return m_data.Corner1(); }
    T Width() const { return m_data.Width(); }
    T Height() const { return m_data.Height(); }
    void Offset(T dx, T dy) { m_data.Offset(dx, dy); }
    void Bounds(T& left, T& top, T& right, T& bottom) const {
        m_data.Bounds(left, top, right, bottom);
    }

    void ScaleTo(T width, T height) {
        TESSEL_ASSERT(width == height, "tessel/Graphics/Shape", 398);
        m_data.ScaleTo(width, height);
    }

private:
    BasicRectangle<T> m_data;
};
using Square = BasicSquare<int>;

// A circle, kept as its bounding square.
template <class T> class BasicCircle {
public:
    static constexpr unsigned CONTROL_POINT_COUNT = 2;

    BasicCircle() = default;
    BasicCircle(T x, T y, T size) : m_square(x, y, size) {}

    unsigned ControlPointCount() const { return CONTROL_POINT_COUNT; }
    void SetControlPoint(T x, T y, unsigned index) { m_square.SetControlPoint(x, y, index); }
    void GetControlPoint(unsigned index, T& x, T& y) const {
        m_square.GetControlPoint(index, x, y);
    }
    const BasicPoint<T>& Corner0() const { return m_square.Corner0(); }
    const BasicPoint<T>& Corner1() const { return m_square.Corner1(); }
    T Width() const { return m_square.Width(); }
    T Height() const { return m_square.Height(); }
    void Offset(T dx, T dy) { m_square.Offset(dx, dy); }
    void Bounds(T& left, T& top, T& right, T& bottom) const {
        m_square.Bounds(left, top, right, bottom);
    }
    void ScaleTo(T width, T height) { m_square.ScaleTo(width, height); }

private:
    BasicSquare<T> m_square;
};
using Circle = BasicCircle<int>;

// A closed polygon; its points are drawn in order, the last joined to the first.
// An empty polygon has the bounds (0, 0, 0, 0), scales to nothing and draws nothing.
template <class T> class BasicPolygon {
public:
    BasicPolygon() : m_controlPoints(2) {}
    explicit BasicPolygon(std::vector<BasicPoint<T>> points) : m_controlPoints(std::move(points)) {}

    unsigned ControlPointCount() const { return static_cast<unsigned>(m_controlPoints.size()); }

    void SetControlPoint(T x, T y, unsigned index) {
        TESSEL_ASSERT(index < ControlPointCount(), "tessel/Graphics/Shape", 536);
        if (index < ControlPointCount())
            m_controlPoints[index] = BasicPoint<T>(x, y);
    }

    void GetControlPoint(unsigned index, T& x, T& y) const {
        TESSEL_ASSERT(index < ControlPointCount(), "tessel/Graphics/Shape", 543);
        if (index < ControlPointCount()) {
            x = m_controlPoints[index].x;
            y = m_controlPoints[index].y;
        }
    }

    // Inserts before position index; index = ControlPointCount() appends.
    void InsertControlPoint(const BasicPoint<T>& point, std::size_t index) {
        TESSEL_ASSERT(index <= m_controlPoints.size(), "tessel/Graphics/Shape", 651);
        if (index <= m_controlPoints.size())
            m_controlPoints.insert(m_controlPoints.begin() + index, point);
    }

    const std::vector<BasicPoint<T>>& ControlPoints() const { return m_controlPoints; }

    void Offset(T dx, T dy) {
        for (BasicPoint<T>& point : m_controlPoints) {
            point.x += dx;
            point.y += dy;
        }
    }

    void Bounds(T& left, T& top, T& right, T& bottom) const {
        if (m_controlPoints.empty()) {
            left = top = right = bottom = 0;
            return;
        }
        left = right = m_controlPoints[0].x;
        top = bottom = m_controlPoints[0].y;
        for (std::size_t i = 1; i < m_controlPoints.size(); ++i) {
            const BasicPoint<T>& point = m_controlPoints[i];
            if (point.x < left)
                left = point.x;
            else if (point.x > right)
                right = point.x;
            if (point.y < top)
                top = point.y;
            else if (point.y > bottom)
                bottom = point.y;
        }
    }

    // Scales about the top-left of the bounds, rounding half up. A polygon without extent
    // in one direction is stretched from its first point.
    void ScaleTo(T width, T height) {
        if (m_controlPoints.empty())
            return;
        T left, top, right, bottom;
        Bounds(left, top, right, bottom);
        double fx;
        double fy;
        if (right == left) {
            m_controlPoints[0].x = left + 1;
            fx = width;
        } else {
            fx = StoredDouble(static_cast<double>(width) / (right - left));
        }
        if (bottom == top) {
            m_controlPoints[0].y = top + 1;
            fy = height;
        } else {
            fy = StoredDouble(static_cast<double>(height) / (bottom - top));
        }
        for (BasicPoint<T>& point : m_controlPoints) {
            point.x = left + RoundHalfUp(point.x - left, fx);
            point.y = top + RoundHalfUp(point.y - top, fy);
        }
    }

private:
    // floor(offset x factor + 0.5), each step rounded to a double.
    static T RoundHalfUp(T offset, double factor) {
        return static_cast<T>(std::floor(StoredDouble(StoredDouble(offset * factor) + 0.5)));
    }

    std::vector<BasicPoint<T>> m_controlPoints;
};
using Polygon = BasicPolygon<int>;

// The rectangle a painter hands to the canvas for a fixed shape: corner 0 and the extent;
// a square or circle takes its height equal to its width.
template <class S> Rect CanvasRect(const S& shape) {
    const Point& corner = shape.Corner0();
    return Rect(corner.x, corner.y, corner.x + shape.Width(), corner.y + shape.Height());
}
inline Rect CanvasRect(const Square& shape) {
    const Point& corner = shape.Corner0();
    return Rect(corner.x, corner.y, corner.x + shape.Width(), corner.y + shape.Width());
}
inline Rect CanvasRect(const Circle& shape) {
    const Point& corner = shape.Corner0();
    return Rect(corner.x, corner.y, corner.x + shape.Width(), corner.y + shape.Width());
}

// A scalable figure showing a shape in a line colour and a fill colour. The stored shape
// keeps its original geometry; the figure draws it scaled to the display size.
class ShapeFigure : public ScalableFigure {
public:
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }
    void Resize(int width, int height) override {
        if (KeepsRatio())
            width = height = std::min(width, height);
        m_width = width;
        m_height = height;
    }

    virtual unsigned ControlPointCount() const = 0;
    virtual void SetControlPoint(int x, int y, unsigned index) = 0;
    virtual void GetControlPoint(unsigned index, int& x, int& y) const = 0;
    virtual bool KeepsRatio() const = 0;

    RgbColor LineColor() const { return m_lineColor; }
    RgbColor FillColor() const { return m_fillColor; }
    void SetLineColor(RgbColor color) { m_lineColor = color; }
    void SetFillColor(RgbColor color) { m_fillColor = color; }

private:
    RgbColor m_lineColor = RgbColor(0xFF000000u);
    RgbColor m_fillColor = RgbColor(0xFFFFFFFFu);
    int m_width = 0;
    int m_height = 0;
};

// Makes a shape a ShapeFigure drawn through a painter the figure does not own.
template <class ShapeT, class PainterT> class ShapeFigureAdapter : public ShapeFigure {
public:
    explicit ShapeFigureAdapter(PainterT* painter) : m_painter(painter) {}
    ShapeFigureAdapter(const ShapeT& shape, PainterT* painter)
        : m_shape(shape), m_painter(painter) {}

    void Draw() override { Paint(FillColor(), LineColor()); }
    void Erase() override {
        const RgbColor background = m_painter->BackgroundColor();
        Paint(background, background);
    }
    void MoveBy(int dx, int dy) override { m_shape.Offset(dx, dy); }
    int Left() const override { return Bounds().left; }
    int Top() const override { return Bounds().top; }

    void FixOriginal() override { m_shape.ScaleTo(Width(), Height()); }
    int OriginalWidth() const override {
        const Rect bounds = Bounds();
        return bounds.right - bounds.left;
    }
    int OriginalHeight() const override {
        const Rect bounds = Bounds();
        return bounds.bottom - bounds.top;
    }

    unsigned ControlPointCount() const override { return m_shape.ControlPointCount(); }

    // The point is set on the shape as drawn, and the display size follows its new extent.
    void SetControlPoint(int x, int y, unsigned index) override {
        ShapeT drawn = DrawnShape();
        drawn.SetControlPoint(x, y, index);
        int left, top, right, bottom;
        drawn.Bounds(left, top, right, bottom);
        Resize(right - left, bottom - top);
        m_shape = drawn;
    }
    void GetControlPoint(unsigned index, int& x, int& y) const override {
        DrawnShape().GetControlPoint(index, x, y);
    }
    bool KeepsRatio() const override { return false; }

    ShapeT& GetShape() { return m_shape; }
    const ShapeT& GetShape() const { return m_shape; }
    PainterT* Painter() const { return m_painter; }

protected:
    // A copy of the stored shape scaled to the display size.
    ShapeT DrawnShape() const {
        ShapeT drawn = m_shape;
        drawn.ScaleTo(Width(), Height());
        return drawn;
    }

private:
    Rect Bounds() const {
        Rect bounds;
        m_shape.Bounds(bounds.left, bounds.top, bounds.right, bounds.bottom);
        return bounds;
    }

    // The fill primitives paint the border in the fill colour too; the outline then goes
    // over it one pixel wide.
    void Paint(RgbColor fill, RgbColor line) {
        const ShapeT drawn = DrawnShape();
        if (drawn.ControlPointCount() == 0)
            return;
        m_painter->SetColor(fill);
        m_painter->Fill(drawn);
        m_painter->SetColor(line);
        m_painter->Frame(drawn);
    }

    ShapeT m_shape;
    PainterT* m_painter;
};

template <class P> class PolygonFigure : public ShapeFigureAdapter<Polygon, P> {
public:
    explicit PolygonFigure(P* painter) : ShapeFigureAdapter<Polygon, P>(painter) {}
};

// Draws its control points as they are: the display size does not change the rectangle.
template <class P> class RectangleFigure : public ShapeFigureAdapter<Rectangle, P> {
public:
    explicit RectangleFigure(P* painter) : ShapeFigureAdapter<Rectangle, P>(painter) {}
    int Width() const override { return this->GetShape().Width(); }
    int Height() const override { return this->GetShape().Height(); }
};

template <class P> class EllipseFigure : public ShapeFigureAdapter<Ellipse, P> {
public:
    explicit EllipseFigure(P* painter) : ShapeFigureAdapter<Ellipse, P>(painter) {}
    int Width() const override { return this->GetShape().Width(); }
    int Height() const override { return this->GetShape().Height(); }
};

template <class P> class RoundRectFigure : public ShapeFigureAdapter<RoundRect, P> {
public:
    explicit RoundRectFigure(P* painter) : ShapeFigureAdapter<RoundRect, P>(painter) {}
    int Width() const override { return this->GetShape().Width(); }
    int Height() const override { return this->GetShape().Height(); }
    void SetEllipseWidth(int width) { this->GetShape().SetEllipseWidth(width); }
    void SetEllipseHeight(int height) { this->GetShape().SetEllipseHeight(height); }
};

template <class P> class CircleFigure : public ShapeFigureAdapter<Circle, P> {
public:
    CircleFigure(const Circle& shape, P* painter) : ShapeFigureAdapter<Circle, P>(shape, painter) {
        this->Resize(this->OriginalWidth(), this->OriginalHeight());
    }
    bool KeepsRatio() const override { return true; }
};

template <class P> class SquareFigure : public ShapeFigureAdapter<Square, P> {
public:
    SquareFigure(const Square& shape, P* painter) : ShapeFigureAdapter<Square, P>(shape, painter) {
        this->Resize(this->OriginalWidth(), this->OriginalHeight());
    }
    bool KeepsRatio() const override { return true; }
};

} // namespace tessel
