#include "tessel/widget/LayeredWindow.h"

#include "tessel/System/Assert.h"

namespace tessel {
namespace {
// The two extended style bits this class manages: WS_EX_TRANSPARENT and WS_EX_LAYERED.
constexpr LONG kManagedExStyles = 0x80020;
static_assert(kManagedExStyles == (WS_EX_TRANSPARENT | WS_EX_LAYERED), "style bits");
constexpr UINT kRedrawFlags = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME;
static_assert(kRedrawFlags == 0x485, "redraw flags");
} // namespace

LayeredWindowMaker::LayeredWindowMaker() : LayeredWindowMaker(GetModuleHandleA("user32.dll")) {}

LayeredWindowMaker::LayeredWindowMaker(HMODULE user32) {
    if (user32 != nullptr)
        m_setAttributes = reinterpret_cast<SetAttributesFunction>(
            reinterpret_cast<void*>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
}

bool LayeredWindowMaker::SetExStyle(HWND window, bool layered, bool clickThrough) {
    const LONG style = GetWindowLongA(window, GWL_EXSTYLE);
    LONG wanted = 0;
    if (clickThrough)
        wanted |= WS_EX_TRANSPARENT;
    if (layered)
        wanted |= WS_EX_LAYERED;
    if ((style & kManagedExStyles) == wanted)
        return false;
    SetWindowLongA(window, GWL_EXSTYLE, (style & ~kManagedExStyles) | wanted);
    return true;
}

BOOL LayeredWindowMaker::Redraw(HWND window) {
    return RedrawWindow(window, nullptr, nullptr, kRedrawFlags);
}

BOOL LayeredWindowMaker::Apply(HWND window) {
    TESSEL_ASSERT(IsEnabled(), "tessel/widget/Source/LayeredWindow", 111);
    if (!IsEnabled())
        return FALSE; // only reached under an assertion handler that returns
    const COLORREF key = m_colorKey.Rgb();
    if (!m_useColorKey && !m_useAlpha) {
        if (SetExStyle(window, false, m_clickThrough))
            return Redraw(window);
        return FALSE;
    }
    SetExStyle(window, true, m_clickThrough);
    DWORD flags = 0;
    if (m_useColorKey)
        flags |= LWA_COLORKEY;
    if (m_useAlpha)
        flags |= LWA_ALPHA;
    // This path makes no redraw of its own; the attributes call takes effect on screen.
    return m_setAttributes(window, key, m_alpha, flags);
}

BOOL LayeredWindowMaker::Remove(HWND window) {
    if (SetExStyle(window, false, false))
        return Redraw(window);
    return FALSE;
}

} // namespace tessel
