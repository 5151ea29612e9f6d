#include "framework/ui/Label.h"

#include "framework/core/ScopeGuard.h"
#include "framework/graphics/Font.h"
#include "framework/ui/WinControl.h"
#include "framework/win/WinHandle.h"

TLabel::TLabel(TComponent* AOwner) : TControl(AOwner) {
    ControlStyle.Include(csReplicatable);
    ControlStyle.Include(csOpaque);
    SetBounds(0, 0, 65, 17);
    SetColor(clBtnFace);
    SetParentColor(true);
}

UINT TLabel::DrawTextFlags() const {
    UINT flags = DT_EXPANDTABS;
    if (m_wordWrap)
        flags |= DT_WORDBREAK;
    if (m_alignment == taRightJustify)
        flags |= DT_RIGHT;
    else if (m_alignment == taCenter)
        flags |= DT_CENTER;
    if (!m_showAccelChar)
        flags |= DT_NOPREFIX;
    return flags;
}

void TLabel::PaintControl(HDC DC) {
    RECT rect = {0, 0, m_width, m_height};
    if (!Transparent()) {
        const UniqueBrush brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color()))));
        FillRect(DC, &rect, brush.get());
    }
    const AnsiString text = GetText();
    if (text.IsEmpty())
        return;
    // The font goes back before the background mode, the reverse of how they were set.
    const int oldMode = SetBkMode(DC, TRANSPARENT);
    const ScopeGuard restoreMode([DC, oldMode] { SetBkMode(DC, oldMode); });
    const SelectedObject font(DC, Font()->Handle());
    const UINT flags = DrawTextFlags();
    if (Enabled()) {
        SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
        DrawTextA(DC, text.c_str(), text.Length(), &rect, flags);
    } else {
        // The classic engraved look of disabled text.
        RECT shifted = rect;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
        DrawTextA(DC, text.c_str(), text.Length(), &shifted, flags);
        SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
        DrawTextA(DC, text.c_str(), text.Length(), &rect, flags);
    }
}

void TLabel::AdjustBounds() {
    if (!m_autoSize || HasState(csLoading))
        return;
    AnsiString text = GetText();
    if (text.IsEmpty())
        text = " "; // an empty label keeps the height of one line
    RECT rect = {0, 0, m_wordWrap ? m_width : 0, 0};
    {
        const UniqueMemoryDC dc(CreateCompatibleDC(nullptr));
        const SelectedObject font(dc.get(), Font()->Handle());
        DrawTextA(dc.get(), text.c_str(), text.Length(), &rect, DrawTextFlags() | DT_CALCRECT);
    }
    int left = m_left;
    if (m_alignment == taRightJustify)
        left += m_width - rect.right;
    else if (m_alignment == taCenter)
        left += (m_width - rect.right) / 2;
    SetBounds(left, m_top, rect.right, rect.bottom);
}

void TLabel::SetAutoSize(bool value) {
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    AdjustBounds();
}

void TLabel::SetWordWrap(bool value) {
    if (value == m_wordWrap)
        return;
    m_wordWrap = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::SetTransparent(bool value) {
    if (value == Transparent())
        return;
    if (value)
        ControlStyle.Exclude(csOpaque);
    else
        ControlStyle.Include(csOpaque);
    InvalidateControl(true);
}

void TLabel::SetAlignment(TAlignment value) {
    if (value == m_alignment)
        return;
    m_alignment = value;
    Invalidate();
}

void TLabel::SetShowAccelChar(bool value) {
    if (value == m_showAccelChar)
        return;
    m_showAccelChar = value;
    AdjustBounds();
    Invalidate();
}

void TLabel::TextChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::FontChanged() {
    AdjustBounds();
    Invalidate();
}

void TLabel::Loaded() {
    TControl::Loaded();
    AdjustBounds();
}
