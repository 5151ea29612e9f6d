#pragma once
#include <string>

// The framework's colour: an RGB value (red in bits 0-7, green 8-15, blue 16-23), or a
// system colour 0x80000000 | COLOR_xxx index that stands for the user's current setting.
typedef int TColor;

// System colours (0x80000000 | the COLOR_xxx index of GetSysColor).
const TColor clScrollBar = static_cast<TColor>(0x80000000u | 0);
const TColor clBackground = static_cast<TColor>(0x80000000u | 1);
const TColor clActiveCaption = static_cast<TColor>(0x80000000u | 2);
const TColor clInactiveCaption = static_cast<TColor>(0x80000000u | 3);
const TColor clMenu = static_cast<TColor>(0x80000000u | 4);
const TColor clWindow = static_cast<TColor>(0x80000000u | 5);
const TColor clWindowFrame = static_cast<TColor>(0x80000000u | 6);
const TColor clMenuText = static_cast<TColor>(0x80000000u | 7);
const TColor clWindowText = static_cast<TColor>(0x80000000u | 8);
const TColor clCaptionText = static_cast<TColor>(0x80000000u | 9);
const TColor clActiveBorder = static_cast<TColor>(0x80000000u | 10);
const TColor clInactiveBorder = static_cast<TColor>(0x80000000u | 11);
const TColor clAppWorkSpace = static_cast<TColor>(0x80000000u | 12);
const TColor clHighlight = static_cast<TColor>(0x80000000u | 13);
const TColor clHighlightText = static_cast<TColor>(0x80000000u | 14);
const TColor clBtnFace = static_cast<TColor>(0x80000000u | 15);
const TColor clBtnShadow = static_cast<TColor>(0x80000000u | 16);
const TColor clGrayText = static_cast<TColor>(0x80000000u | 17);
const TColor clBtnText = static_cast<TColor>(0x80000000u | 18);
const TColor clInactiveCaptionText = static_cast<TColor>(0x80000000u | 19);
const TColor clBtnHighlight = static_cast<TColor>(0x80000000u | 20);
const TColor cl3DDkShadow = static_cast<TColor>(0x80000000u | 21);
const TColor cl3DLight = static_cast<TColor>(0x80000000u | 22);
const TColor clInfoText = static_cast<TColor>(0x80000000u | 23);
const TColor clInfoBk = static_cast<TColor>(0x80000000u | 24);
const TColor clHotLight = static_cast<TColor>(0x80000000u | 26);
const TColor clGradientActiveCaption = static_cast<TColor>(0x80000000u | 27);
const TColor clGradientInactiveCaption = static_cast<TColor>(0x80000000u | 28);
const TColor clMenuHighlight = static_cast<TColor>(0x80000000u | 29);
const TColor clMenuBar = static_cast<TColor>(0x80000000u | 30);

// Plain colours.
const TColor clBlack = 0x000000;
const TColor clMaroon = 0x000080;
const TColor clGreen = 0x008000;
const TColor clOlive = 0x008080;
const TColor clNavy = 0x800000;
const TColor clPurple = 0x800080;
const TColor clTeal = 0x808000;
const TColor clGray = 0x808080;
const TColor clSilver = 0xC0C0C0;
const TColor clRed = 0x0000FF;
const TColor clLime = 0x00FF00;
const TColor clYellow = 0x00FFFF;
const TColor clBlue = 0xFF0000;
const TColor clFuchsia = 0xFF00FF;
const TColor clAqua = 0xFFFF00;
const TColor clLtGray = 0xC0C0C0;
const TColor clDkGray = 0x808080;
const TColor clWhite = 0xFFFFFF;
const TColor clMoneyGreen = 0xC0DCC0;
const TColor clSkyBlue = 0xF0CAA6;
const TColor clCream = 0xF0FBFF;
const TColor clMedGray = 0xA4A0A0;

// Special values: no colour at all, and "whatever the control would use by default".
const TColor clNone = 0x1FFFFFFF;
const TColor clDefault = 0x20000000;

// True for the system colour constants (high bit set).
inline bool IsSystemColor(TColor color) {
    return color < 0;
}

// The RGB value of a colour: a system colour becomes the user's current setting
// (GetSysColor), every other value is returned as it is. Win32 only.
int ColorToRGB(TColor color);

// The names the form description uses for colours ("clBtnFace", "clBlack" ...). Portable.
// ColorToIdent fails for a value without a name; IdentToColor ignores letter case.
bool ColorToIdent(TColor color, std::string& ident);
bool IdentToColor(const std::string& ident, TColor& color);
