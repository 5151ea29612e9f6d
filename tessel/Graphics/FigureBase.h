#pragma once
#include <vector>

#include "tessel/System/Assert.h"

namespace tessel {

// An integer point of the drawing surface: x to the right, y downwards.
template <class T> struct BasicPoint {
    T x = 0;
    T y = 0;
    BasicPoint() = default;
    BasicPoint(T ax, T ay) : x(ax), y(ay) {}
    friend bool operator==(const BasicPoint& a, const BasicPoint& b) {
        return a.x == b.x && a.y == b.y;
    }
    friend bool operator!=(const BasicPoint& a, const BasicPoint& b) { return !(a == b); }
};
using Point = BasicPoint<int>;

// A rectangle of the drawing surface; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    Rect() = default;
    Rect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    friend bool operator==(const Rect& a, const Rect& b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    friend bool operator!=(const Rect& a, const Rect& b) { return !(a == b); }
};

// Anything that can be drawn at a position and erased again.
class Figure {
public:
    virtual ~Figure() = default;
    virtual void Draw() = 0;
    virtual void Erase() = 0;
    virtual void MoveBy(int dx, int dy) = 0;
    virtual int Left() const = 0;
    virtual int Top() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

// A figure that remembers the size it was designed at and can be resized relative to it.
class ScalableFigure : public Figure {
public:
    virtual void Resize(int width, int height) = 0;
    virtual void FixOriginal() = 0;
    virtual int OriginalWidth() const = 0;
    virtual int OriginalHeight() const = 0;
};

// A rectangle grouping child figures that must lie inside it. It does not own them.
class CompositeFigure : public Figure {
public:
    CompositeFigure(int left, int top, int right, int bottom)
        : m_left(left), m_top(top), m_width(right - left), m_height(bottom - top) {
        // clang-format off
        TESSEL_ASSERT(m_width >=0 && m_height >=0, "tessel/Graphics/FigureBase", 107);
        // clang-format on
    }

    void Add(Figure* figurePtr) {
        // clang-format off
        TESSEL_ASSERT(figurePtr->Left() >= m_left && figurePtr->Top() >= m_top && figurePtr->Left() + figurePtr->Width() <= m_left + m_width && figurePtr->Top() + figurePtr->Height() <= m_top + m_height,
                      "tessel/Graphics/FigureBase", 128);
        // clang-format on
        m_children.push_back(figurePtr);
    }

    // Position of the removed child, or -1 when it is not in the group.
    int Remove(Figure* figurePtr);

    // New bounds; the children stay where they are and must still lie inside.
    void SetRect(const Rect& rect);

    const std::vector<Figure*>& Children() const { return m_children; }

    void Draw() override;
    void Erase() override;
    void MoveBy(int dx, int dy) override;
    int Left() const override { return m_left; }
    int Top() const override { return m_top; }
    int Width() const override { return m_width; }
    int Height() const override { return m_height; }

private:
    int m_left;
    int m_top;
    int m_width;
    int m_height;
    std::vector<Figure*> m_children;
};

// A scalable group of scalable figures. Every resize scales the children from the layout
// fixed last (their offsets and original sizes), so repeated resizes never drift.
class CompositeScalableFig : public ScalableFigure {
public:
    CompositeScalableFig() : m_originalWidth(0), m_originalHeight(0), m_group(0, 0, 0, 0) {}
    CompositeScalableFig(int left, int top, int right, int bottom)
        : m_originalWidth(right - left), m_originalHeight(bottom - top),
          m_group(left, top, right, bottom) {}

    void Add(ScalableFigure* child);
    void Remove(ScalableFigure* child);
    // The design size becomes the rectangle's size; the group's right and bottom edges stay.
    void SetOriginalRect(const Rect& rect);

    const std::vector<Figure*>& Children() const { return m_group.Children(); }

    void Draw() override { m_group.Draw(); }
    void Erase() override { m_group.Erase(); }
    void MoveBy(int dx, int dy) override { m_group.MoveBy(dx, dy); }
    int Left() const override { return m_group.Left(); }
    int Top() const override { return m_group.Top(); }
    int Width() const override { return m_group.Width(); }
    int Height() const override { return m_group.Height(); }

    void Resize(int width, int height) override;
    void FixOriginal() override;
    int OriginalWidth() const override { return m_originalWidth; }
    int OriginalHeight() const override { return m_originalHeight; }

private:
    ScalableFigure* Child(std::size_t index) const;

    int m_originalWidth;
    int m_originalHeight;
    std::vector<Point> m_offsets;
    CompositeFigure m_group;
};

} // namespace tessel
