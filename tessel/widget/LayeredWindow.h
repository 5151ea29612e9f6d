#pragma once
#include <cstdint>

#include "framework/win/Win.h"
#include "tessel/Graphics/RgbColor.h"

namespace tessel {

// The settings that turn a top-level window into a layered window (colour key, constant
// alpha, click-through), applied to or taken off a window handle.
class LayeredWindowMaker {
public:
    using SetAttributesFunction = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

    // Looks the entry up in the user32.dll that is already loaded.
    LayeredWindowMaker();
    // Looks the entry up in the given module; a null module leaves the service unavailable.
    explicit LayeredWindowMaker(HMODULE user32);
    virtual ~LayeredWindowMaker() = default;

    LayeredWindowMaker(const LayeredWindowMaker&) = delete;
    LayeredWindowMaker& operator=(const LayeredWindowMaker&) = delete;

    // The platform offers layered windows.
    bool IsEnabled() const { return m_setAttributes != nullptr; }

    void SetColorKeyEnabled(bool on) { m_useColorKey = on; }
    void SetColorKey(RgbColor key) { m_colorKey = key; }
    RgbColor ColorKey() const { return m_colorKey; }

    // Puts the settings on the window; the result is the platform's.
    BOOL Apply(HWND window);
    // Takes the layered and the click-through style off the window.
    BOOL Remove(HWND window);

private:
    static bool SetExStyle(HWND window, bool layered, bool clickThrough);
    static BOOL Redraw(HWND window);

    RgbColor m_colorKey{static_cast<std::uint32_t>(-1)};
    bool m_useColorKey = false;
    bool m_clickThrough = false;
    bool m_useAlpha = false;
    std::uint8_t m_alpha = 255;
    SetAttributesFunction m_setAttributes = nullptr;
};

} // namespace tessel
