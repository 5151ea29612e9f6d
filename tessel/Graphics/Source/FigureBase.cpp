#include "tessel/Graphics/FigureBase.h"

#include "tessel/Graphics/StoredDouble.h"

namespace tessel {

namespace {

// Rounds to single precision for real: x87 code keeps extended precision until a value is
// stored, so the value goes through a float in memory and every build rounds alike.
float ToFloat(double value) {
    volatile float stored = static_cast<float>(value);
    return stored;
}

// value x factor, truncated toward zero: only the factor is single precision, the product
// is a double.
int ScaleTrunc(int value, float factor) {
    return static_cast<int>(StoredDouble(static_cast<double>(value) * factor));
}

} // namespace

int CompositeFigure::Remove(Figure* figurePtr) {
    int index = 0;
    for (auto first = m_children.begin(); first != m_children.end(); ++first, ++index) {
        if (*first == figurePtr) {
            m_children.erase(first);
            return index;
        }
    }
    return -1;
}

void CompositeFigure::SetRect(const Rect& rect) {
    m_left = rect.left;
    m_top = rect.top;
    m_width = rect.right - rect.left;
    m_height = rect.bottom - rect.top;
    // clang-format off
    TESSEL_ASSERT(m_width >=0 && m_height >=0, "tessel/Graphics/Source/FigureBase", 61);
    // clang-format on
    for (auto first = m_children.begin(); first != m_children.end(); ++first) {
        // clang-format off
        TESSEL_ASSERT((*first)->Left() >= rect.left && (*first)->Top() >= rect.top && (*first)->Width() + (*first)->Left() <= rect.right && (*first)->Height() + (*first)->Top() <= rect.bottom,
                      "tessel/Graphics/Source/FigureBase", 72);
        // clang-format on
    }
}

void CompositeFigure::Draw() {
    for (Figure* child : m_children)
        child->Draw();
}

void CompositeFigure::Erase() {
    for (Figure* child : m_children)
        child->Erase();
}

void CompositeFigure::MoveBy(int dx, int dy) {
    for (Figure* child : m_children)
        child->MoveBy(dx, dy);
    m_left += dx;
    m_top += dy;
}

// Only Add puts children into the group, and it takes scalable figures only.
ScalableFigure* CompositeScalableFig::Child(std::size_t index) const {
    return static_cast<ScalableFigure*>(m_group.Children()[index]);
}

void CompositeScalableFig::Add(ScalableFigure* child) {
    FixOriginal();
    m_group.Add(child);
    m_offsets.push_back(Point(child->Left() - Left(), child->Top() - Top()));
}

void CompositeScalableFig::Remove(ScalableFigure* child) {
    const int index = m_group.Remove(child);
    if (index != -1)
        m_offsets.erase(m_offsets.begin() + index);
    FixOriginal();
}

void CompositeScalableFig::SetOriginalRect(const Rect& rect) {
    m_originalWidth = rect.right - rect.left;
    m_originalHeight = rect.bottom - rect.top;
    m_group.SetRect(Rect(rect.left, rect.top, Left() + Width(), Top() + Height()));
}

void CompositeScalableFig::FixOriginal() {
    m_offsets.clear();
    for (std::size_t i = 0; i < m_group.Children().size(); ++i) {
        ScalableFigure* child = Child(i);
        child->FixOriginal();
        m_offsets.push_back(Point(child->Left() - Left(), child->Top() - Top()));
    }
    m_originalWidth = Width();
    m_originalHeight = Height();
}

void CompositeScalableFig::Resize(int width, int height) {
    // clang-format off
    TESSEL_ASSERT(m_originalWidth > 0 && m_originalHeight > 0, "tessel/Graphics/Source/FigureBase", 120);
    // clang-format on
    // The factors are kept in single precision: every layout is scaled with that rounding.
    const float fx = ToFloat(static_cast<double>(width) / m_originalWidth);
    const float fy = ToFloat(static_cast<double>(height) / m_originalHeight);
    for (std::size_t i = 0; i < m_offsets.size(); ++i) {
        ScalableFigure* child = Child(i);
        const Point offset = m_offsets[i];
        const int dx = Left() + ScaleTrunc(offset.x, fx) - child->Left();
        const int dy = Top() + ScaleTrunc(offset.y, fy) - child->Top();
        const int w = ScaleTrunc(child->OriginalWidth(), fx);
        const int h = ScaleTrunc(child->OriginalHeight(), fy);
        child->MoveBy(dx, dy);
        child->Resize(w, h);
    }
    m_group.SetRect(Rect(Left(), Top(), Left() + width, Top() + height));
}

} // namespace tessel
