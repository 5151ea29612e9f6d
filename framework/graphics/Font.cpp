#include "framework/graphics/Font.h"

#include <cstring>

#include "framework/core/Exceptions.h"

TGraphicsObject::~TGraphicsObject() {
    FreeHandle();
}

void TGraphicsObject::Changed() {
    // The owning canvas takes the object out of its DC before the handle is freed: GDI
    // refuses to delete an object that is still selected.
    if (m_ownerChanging)
        m_ownerChanging(this);
    FreeHandle();
    if (OnChange)
        OnChange(this);
}

HGDIOBJ TGraphicsObject::GetHandle() {
    if (!m_handle) {
        m_handle = CreateHandle();
        if (!m_handle)
            throw EOutOfResources("Out of system resources");
        m_ownsHandle = OwnsHandle();
    }
    return m_handle;
}

void TGraphicsObject::FreeHandle() {
    if (m_handle && m_ownsHandle)
        DeleteObject(m_handle);
    m_handle = nullptr;
}

void TFont::Assign(TPersistent* source) {
    if (TFont* font = dynamic_cast<TFont*>(source)) {
        m_name = font->m_name;
        m_height = font->m_height;
        m_color = font->m_color;
        m_charset = font->m_charset;
        m_style = font->m_style;
        Changed();
        return;
    }
    TGraphicsObject::Assign(source);
}

void TFont::SetName(const AnsiString& name) {
    if (name == m_name)
        return;
    m_name = name;
    Changed();
}

void TFont::SetHeight(int height) {
    if (height == m_height)
        return;
    m_height = height;
    Changed();
}

int TFont::Size() const {
    return -MulDiv(m_height, 72, PixelsPerInch);
}

void TFont::SetSize(int points) {
    SetHeight(-MulDiv(points, PixelsPerInch, 72));
}

void TFont::SetColor(TColor color) {
    if (color == m_color)
        return;
    m_color = color;
    Changed();
}

void TFont::SetCharset(TFontCharset charset) {
    if (charset == m_charset)
        return;
    m_charset = charset;
    Changed();
}

void TFont::SetStyle(TFontStyles style) {
    if (style == m_style)
        return;
    m_style = style;
    Changed();
}

HGDIOBJ TFont::CreateHandle() {
    LOGFONTA font = {};
    font.lfHeight = m_height;
    font.lfWeight = (m_style & fsBold) ? FW_BOLD : FW_NORMAL;
    font.lfItalic = (m_style & fsItalic) ? TRUE : FALSE;
    font.lfUnderline = (m_style & fsUnderline) ? TRUE : FALSE;
    font.lfStrikeOut = (m_style & fsStrikeOut) ? TRUE : FALSE;
    font.lfCharSet = m_charset;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    font.lfPitchAndFamily = DEFAULT_PITCH;
    std::strncpy(font.lfFaceName, m_name.c_str(), LF_FACESIZE - 1);
    return CreateFontIndirectA(&font);
}
