#include "tessel/Component/TBmpLEDCtrl.h"

#include <vector>

#include "tessel/System/Assert.h"

namespace tessel {

TBmpLEDCtrl::TBmpLEDCtrl(TComponent* owner, TWinControl* parent, int stateCount) {
    TESSEL_ASSERT(stateCount > 0, "tessel/Component/Source/TBmpLEDCtrl", 21);
    m_layer = std::make_unique<Layer>(owner, parent);
    m_painter = std::make_unique<Painter>(m_layer.get());
    const std::vector<TBitmap*> empty(static_cast<std::size_t>(stateCount > 0 ? stateCount : 0));
    m_led = std::make_unique<BitmapLED>(0, 0, empty.begin(), empty.end(), m_painter.get());
    for (int i = 0; i < m_led->StateCount(); ++i)
        m_led->Bitmap(i)->OnChange = TNotifyEvent(this, &TBmpLEDCtrl::BitmapChanged);
}

// The layer (and with it the display image) goes first, then the painter, then the LED
// with its state bitmaps.
TBmpLEDCtrl::~TBmpLEDCtrl() {
    m_layer.reset();
    m_painter.reset();
    m_led.reset();
}

int TBmpLEDCtrl::StateCount() const {
    return m_led->StateCount();
}

int TBmpLEDCtrl::State() const {
    return m_led->State();
}

void TBmpLEDCtrl::SetState(int state) {
    if (state == State())
        return;
    m_led->SetState(state);
    m_led->Figure()->Draw();
}

void TBmpLEDCtrl::Update() {
    m_led->Update();
    m_led->Figure()->Draw();
    m_layer->Image()->Repaint();
}

void TBmpLEDCtrl::MoveBy(int dx, int dy) {
    m_layer->MoveBy(dx, dy);
}

int TBmpLEDCtrl::Left() const {
    return m_layer->Left();
}

int TBmpLEDCtrl::Top() const {
    return m_layer->Top();
}

int TBmpLEDCtrl::Width() const {
    return m_layer->Width();
}

int TBmpLEDCtrl::Height() const {
    return m_layer->Height();
}

TBitmap* TBmpLEDCtrl::Bitmap(int index) const {
    return m_led->Bitmap(index);
}

void TBmpLEDCtrl::SetBitmap(TBitmap* bitmap, int index) {
    if (TBitmap* state = m_led->Bitmap(index))
        state->Assign(bitmap);
}

void TBmpLEDCtrl::Resize(int width, int height) {
    m_layer->Resize(width, height);
}

TColor TBmpLEDCtrl::TransparentColor() const {
    return static_cast<TColor>(m_layer->TransparentColor().Value() & 0xFFFFFFu);
}

void TBmpLEDCtrl::SetTransparentColor(TColor color) {
    m_layer->SetTransparentColor(RgbColor::FromColor(color));
}

bool TBmpLEDCtrl::Transparent() const {
    return m_layer->Transparent();
}

void TBmpLEDCtrl::SetTransparent(bool transparent) {
    m_layer->SetTransparent(transparent);
}

TCanvas* TBmpLEDCtrl::Canvas() const {
    return m_layer->Canvas();
}

TImage* TBmpLEDCtrl::DisplayImage() const {
    return m_layer->Image();
}

void TBmpLEDCtrl::MakeRegion(WinRegion& region, int index) const {
    if (TBitmap* bitmap = m_led->Bitmap(index))
        region.FromBitmap(bitmap, TransparentColor());
}

void TBmpLEDCtrl::BitmapChanged(TObject* sender) {
    for (int i = 0; i < StateCount(); ++i) {
        if (m_led->Bitmap(i) == sender) {
            if (i == State())
                Update();
            return;
        }
    }
}

} // namespace tessel
