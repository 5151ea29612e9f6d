#pragma once
#include <algorithm>
#include <vector>

#include "tessel/Graphics/FigureBase.h"
#include "tessel/System/Assert.h"

namespace tessel {

// A display element with a finite number of states, shown by drawing a figure.
// (The figure types are named tessel::Figure here: Figure() is also an operation.)
class LED {
public:
    LED(int x, int y) : m_x(x), m_y(y) {}
    virtual ~LED() = default;

    virtual int StateCount() const = 0;
    virtual int State() const = 0;
    virtual void SetState(int state) = 0;
    virtual void Update() = 0;
    // The figure, first moved to the LED's position when it is elsewhere.
    virtual tessel::Figure* Figure();
    virtual int Width() { return FigureObject()->Width(); }
    virtual int Height() { return FigureObject()->Height(); }
    // The figure where it currently is.
    virtual tessel::Figure* FigureObject() = 0;

    // The position; the LED builders place a new LED with these right after construction.
    int X() const { return m_x; }
    int Y() const { return m_y; }
    void SetX(int x) { m_x = x; }
    void SetY(int y) { m_y = y; }

protected:
    int m_x;
    int m_y;
};

// An LED whose figure is scalable; its size is the figure's design size.
class ScalableLED : public LED {
public:
    using LED::LED;
    tessel::ScalableFigure* Figure() override;
    int Width() override { return FigureObject()->OriginalWidth(); }
    int Height() override { return FigureObject()->OriginalHeight(); }
    tessel::ScalableFigure* FigureObject() override = 0;
};

// Tells a composite LED how many states it has and which state each sub-LED takes.
class LED_Director {
public:
    virtual ~LED_Director() = default;
    virtual int StateCount() const = 0;
    virtual int SubState(int state, int index) const = 0;
};

// One LED made of sub-LEDs whose states follow from its own through a director.
// It owns neither the sub-LEDs nor the director.
class CompositeScalableLED : public ScalableLED {
public:
    CompositeScalableLED(int left, int top, int right, int bottom, const LED_Director* director)
        : ScalableLED(left, top), m_state(-1), m_figure(0, 0, right - left, bottom - top),
          m_director(director) {}

    // The sub-LED's figure must lie inside the composite's rectangle.
    void AddLED(ScalableLED* led) {
        m_LEDs.push_back(led);
        m_figure.Add(led->Figure());
    }
    const std::vector<ScalableLED*>& LEDs() const { return m_LEDs; }

    int StateCount() const override { return m_director->StateCount(); }
    int State() const override { return m_state; }
    void SetState(int state) override;
    void Update() override;
    CompositeScalableFig* FigureObject() override { return &m_figure; }
    CompositeScalableFig* Figure() override {
        ScalableLED::Figure();
        return &m_figure;
    }

private:
    int m_state;
    std::vector<ScalableLED*> m_LEDs;
    CompositeScalableFig m_figure;
    const LED_Director* m_director;
};

// An ordered set of LEDs with one group figure. It does not own the LEDs.
class LED_Collector {
public:
    LED_Collector(int x, int y) : m_x(x), m_y(y) {}
    virtual ~LED_Collector() = default;

    virtual void Add(LED* led) { m_LEDs.push_back(led); }
    // Removing an LED that is not in the set changes nothing.
    virtual void Remove(LED* led) {
        const auto found = std::find(m_LEDs.begin(), m_LEDs.end(), led);
        if (found != m_LEDs.end())
            m_LEDs.erase(found);
    }
    virtual void Insert(LED* led, unsigned index) {
        TESSEL_ASSERT(index <= LEDCount(), "tessel/Component/LED", 341);
        if (index <= LEDCount())
            m_LEDs.insert(m_LEDs.begin() + index, led);
    }
    virtual LED* RemoveAt(unsigned index) {
        TESSEL_ASSERT(index < LEDCount(), "tessel/Component/LED", 347);
        if (index >= LEDCount())
            return nullptr;
        LED* led = m_LEDs[index];
        m_LEDs.erase(m_LEDs.begin() + index);
        return led;
    }
    virtual int Width() { return FigureObject()->Width(); }
    virtual int Height() { return FigureObject()->Height(); }
    // The origin is always (0, 0) here, so the group figure needs no shifting.
    virtual tessel::Figure* Figure() { return FigureObject(); }
    virtual tessel::Figure* FigureObject() = 0;

    unsigned LEDCount() const { return static_cast<unsigned>(m_LEDs.size()); }

    int StateCount(unsigned indexOfLED) const {
        TESSEL_ASSERT(indexOfLED < m_LEDs.size(), "tessel/Component/LED", 319);
        return indexOfLED < m_LEDs.size() ? m_LEDs[indexOfLED]->StateCount() : 0;
    }

    void SetState(unsigned indexOfLED, int state) {
        TESSEL_ASSERT(indexOfLED < m_LEDs.size(), "tessel/Component/LED", 331);
        if (indexOfLED < m_LEDs.size())
            m_LEDs[indexOfLED]->SetState(state);
    }

    void UpdateAll() {
        for (LED* led : m_LEDs)
            led->Update();
    }

protected:
    int m_x;
    int m_y;
    std::vector<LED*> m_LEDs;
};

// A set of LEDs whose group figure is scalable; its size is the group's design size.
class ScalableLED_Collector : public LED_Collector {
public:
    using LED_Collector::LED_Collector;
    int Width() override { return FigureObject()->OriginalWidth(); }
    int Height() override { return FigureObject()->OriginalHeight(); }
    tessel::ScalableFigure* Figure() override { return FigureObject(); }
    tessel::ScalableFigure* FigureObject() override = 0;
    virtual void SetWidth(int width) = 0;
    virtual void SetHeight(int height) = 0;
};

// A collector that keeps its LEDs and the children of its group figure in step. It is a
// set of scalable LEDs: every LED given to it must have a scalable figure.
template <class CollectorBase, class GroupFigure> class BasicLED_Collector : public CollectorBase {
public:
    BasicLED_Collector() : CollectorBase(0, 0) {}
    BasicLED_Collector(int x, int y) : CollectorBase(x, y) {}

    // The new figure is added at the design size, so its offset is recorded in design
    // coordinates, and the group then goes back to the size it had.
    void Add(LED* led) override {
        CollectorBase::Add(led);
        const int w0 = m_figure.Width();
        const int h0 = m_figure.Height();
        m_figure.Resize(m_figure.OriginalWidth(), m_figure.OriginalHeight());
        m_figure.Add(ChildFigure(led));
        m_figure.Resize(w0, h0);
    }

    void Remove(LED* led) override {
        CollectorBase::Remove(led);
        const int w0 = m_figure.Width();
        const int h0 = m_figure.Height();
        m_figure.Resize(m_figure.OriginalWidth(), m_figure.OriginalHeight());
        m_figure.Remove(ChildFigure(led));
        m_figure.Resize(w0, h0);
    }

    // Unlike Add, no resizing: the figure is appended to the group whatever the index.
    void Insert(LED* led, unsigned index) override {
        const unsigned count = this->LEDCount();
        CollectorBase::Insert(led, index);
        if (this->LEDCount() != count)
            m_figure.Add(ChildFigure(led));
    }

    LED* RemoveAt(unsigned index) override {
        LED* led = CollectorBase::RemoveAt(index);
        if (led)
            m_figure.Remove(ChildFigure(led));
        return led;
    }

    GroupFigure* Figure() override { return &m_figure; }
    GroupFigure* FigureObject() override { return &m_figure; }

    void SetWidth(int width) override {
        m_figure.SetOriginalRect(
            Rect(this->m_x, this->m_y, this->m_x + width, this->m_y + this->Height()));
    }
    void SetHeight(int height) override {
        m_figure.SetOriginalRect(
            Rect(this->m_x, this->m_y, this->m_x + this->Width(), this->m_y + height));
    }

private:
    static ScalableFigure* ChildFigure(LED* led) {
        return static_cast<ScalableFigure*>(led->Figure());
    }

    GroupFigure m_figure;
};

} // namespace tessel
