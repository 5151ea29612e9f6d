#pragma once
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "tessel/Component/LED.h"
#include "tessel/Graphics/Figure/BmpFigure.h"
#include "tessel/System/Assert.h"

namespace tessel {

namespace detail {

// The state of a bitmap LED and the figure that shows a copy of the state's bitmap. The
// bitmaps belong to the LED; the helper only points at them.
template <class FigureT, class BitmapVector> class BitmapLEDHelper {
public:
    template <class P>
    BitmapLEDHelper(P* painter, BitmapVector* bitmaps)
        : m_state(-1), m_figure(painter), m_pBitmaps(bitmaps) {}

    int StateCount() const {
        TESSEL_ASSERT(m_pBitmaps, "tessel/Component/LED/BmpLED", 78);
        return m_pBitmaps ? static_cast<int>(m_pBitmaps->size()) : 0;
    }
    int State() const { return m_state; }

    // A new state takes its bitmap into the figure; the same state again does nothing.
    void SetState(int state) {
        TESSEL_ASSERT(state >= 0 && state < StateCount(), "tessel/Component/LED/BmpLED", 115);
        if (!(state >= 0 && state < StateCount()) || state == m_state)
            return;
        m_state = state;
        Apply();
    }

    // Takes the current state's bitmap into the figure again.
    void Update() {
        TESSEL_ASSERT(m_state >= 0 && m_state < StateCount(), "tessel/Component/LED/BmpLED", 87);
        if (m_state >= 0 && m_state < StateCount())
            Apply();
    }

    FigureT& FigureObject() { return m_figure; }

private:
    // Nothing is drawn here: the figure only copies the bitmap.
    void Apply() {
        TESSEL_ASSERT(m_pBitmaps, "tessel/Component/LED/BmpLED", 103);
        if (m_pBitmaps)
            m_figure.SetBitmap(&*(*m_pBitmaps)[static_cast<std::size_t>(m_state)]);
    }

    int m_state;
    FigureT m_figure;
    BitmapVector* m_pBitmaps;
};

} // namespace detail

// An LED with one bitmap per state, shown by a bitmap figure through a painter. The LED owns
// private copies of the bitmaps it was given.
template <class P> class TBitmapLED : public LED {
public:
    using BitmapVector = std::vector<std::unique_ptr<TBitmap>>;

    // One state per source bitmap (a null source gives an empty bitmap); shows state 0.
    template <class It>
    TBitmapLED(int x, int y, It first, It last, P* painter)
        : LED(x, y), m_helper(painter, &m_bitmaps) {
        for (; first != last; ++first)
            AddBitmap(*first);
        SetState(0);
    }

    // The bitmaps go from the last to the first; the figure frees its own copy after.
    ~TBitmapLED() override {
        for (int i = static_cast<int>(m_bitmaps.size()) - 1; i >= 0; --i)
            RemoveBitmap(i);
    }

    TBitmapLED(const TBitmapLED&) = delete;
    TBitmapLED& operator=(const TBitmapLED&) = delete;

    void AddBitmap(TBitmap* bitmap) {
        auto copy = std::make_unique<TBitmap>();
        copy->Assign(bitmap);
        m_bitmaps.push_back(std::move(copy));
    }

    // The stored bitmap of a state: the caller may draw into it or load it, not free it.
    // A negative index fails the same check as one past the end.
    TBitmap* Bitmap(int index) const {
        if (index < 0 || index >= static_cast<int>(m_bitmaps.size())) {
            AssertFailed("index < (int) m_bitmaps.size()", "tessel/Component/LED/BmpLED", 218);
            return nullptr;
        }
        return m_bitmaps[static_cast<std::size_t>(index)].get();
    }

    // Frees the bitmap at index; an index outside the bitmaps changes nothing.
    void RemoveBitmap(int index) {
        if (index < 0 || index >= static_cast<int>(m_bitmaps.size()))
            return;
        m_bitmaps.erase(m_bitmaps.begin() + index);
    }

    int StateCount() const override { return m_helper.StateCount(); }
    int State() const override { return m_helper.State(); }
    void SetState(int state) override { m_helper.SetState(state); }
    void Update() override { m_helper.Update(); }
    TBitmapFigure<P>* FigureObject() override { return &m_helper.FigureObject(); }

private:
    BitmapVector m_bitmaps;
    detail::BitmapLEDHelper<TBitmapFigure<P>, BitmapVector> m_helper;
};

} // namespace tessel
