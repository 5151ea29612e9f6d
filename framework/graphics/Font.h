#pragma once
#include "framework/core/AnsiString.h"
#include "framework/core/Color.h"
#include "framework/core/Persistent.h"
#include "framework/win/Win.h"

// Base of the pen, brush and font: a description that makes its GDI object on demand and
// makes it afresh after every change. OnChange fires after each change; the canvas that
// owns the object is told first (before the old handle is freed) so it can deselect it.
class TGraphicsObject : public TPersistent {
public:
    TGraphicsObject() = default;
    ~TGraphicsObject() override;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    bool HandleAllocated() const { return m_handle != nullptr; }

    TNotifyEvent OnChange;

protected:
    // Frees the current GDI object and reports the change.
    void Changed();
    // The GDI object, made with CreateHandle when there is none.
    HGDIOBJ GetHandle();
    virtual HGDIOBJ CreateHandle() = 0;
    // Stock objects are not freed.
    virtual bool OwnsHandle() const { return true; }

private:
    friend class TCanvas;
    void FreeHandle();
    HGDIOBJ m_handle = nullptr;
    bool m_ownsHandle = true;
    TNotifyEvent m_ownerChanging; // the canvas's hook, run before the handle goes
};

enum TFontStyle : unsigned {
    fsBold = 1u << 0,
    fsItalic = 1u << 1,
    fsUnderline = 1u << 2,
    fsStrikeOut = 1u << 3,
};
using TFontStyles = unsigned; // a set of TFontStyle flags
using TFontCharset = unsigned char;

// A font description. Height < 0 is the character height in pixels, > 0 the cell height;
// Size is the height in points (72 per inch of 96 pixels).
class TFont : public TGraphicsObject {
public:
    TFont() = default;
    void Assign(TPersistent* source) override;

    const AnsiString& Name() const { return m_name; }
    void SetName(const AnsiString& name);
    int Height() const { return m_height; }
    void SetHeight(int height);
    int Size() const;
    void SetSize(int points);
    TColor Color() const { return m_color; }
    void SetColor(TColor color);
    TFontCharset Charset() const { return m_charset; }
    void SetCharset(TFontCharset charset);
    TFontStyles Style() const { return m_style; }
    void SetStyle(TFontStyles style);

    HFONT Handle() { return static_cast<HFONT>(GetHandle()); }

    static const int PixelsPerInch = 96;

protected:
    HGDIOBJ CreateHandle() override;

private:
    AnsiString m_name = "MS Sans Serif";
    int m_height = -11;
    TColor m_color = clWindowText;
    TFontCharset m_charset = DEFAULT_CHARSET;
    TFontStyles m_style = 0;
};
