#pragma once
#include "framework/ui/Control.h"

// A windowless line (or block, with WordWrap) of text in the label's font. With AutoSize the
// label takes the size of its text; unless Transparent it fills its area with Color first.
class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner);

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool value);
    bool Transparent() const { return !ControlStyle.Contains(csOpaque); }
    void SetTransparent(bool value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment value);
    // '&' marks the next character as the accelerator (drawn underlined) while true.
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool value);

    // Sizes the label to its text (width kept when WordWrap).
    void AdjustBounds();

protected:
    void PaintControl(HDC DC) override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;

private:
    UINT DrawTextFlags() const;

    bool m_autoSize = true;
    bool m_wordWrap = false;
    TAlignment m_alignment = taLeftJustify;
    bool m_showAccelChar = true;
};
