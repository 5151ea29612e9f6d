#pragma once
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Color.h"
#include "framework/core/Component.h"

// Small streamable classes for the tests of the published properties, the form reader and
// the form writer. Every setter writes a line into the shared log ("Widget1.Left=3 loading"),
// so tests can check order and the csLoading state at each step.

std::vector<std::string>& FormTestLog();

enum TGadgetKind : int { gkPlain, gkRound, gkSquare };
enum TGadgetFlag : unsigned { gfBold = 1u << 0, gfItalic = 1u << 1, gfUnderline = 1u << 2 };

// A published sub-object in the manner of a font.
class TGadgetStyle : public TPersistent {
public:
    explicit TGadgetStyle(TComponent* owner) : m_owner(owner) {}
    int Height() const { return m_height; }
    void SetHeight(int value);
    const AnsiString& Name() const { return m_name; }
    void SetName(const AnsiString& value);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    unsigned Style() const { return m_style; }
    void SetStyle(unsigned value);
    int Charset = 1; // a plain field, published as a mapped integer

private:
    TComponent* m_owner;
    int m_height = -11;
    AnsiString m_name = "Sans";
    TColor m_color = clWindowText;
    unsigned m_style = 0;
};

// Binary data that must start with "BM", as a bitmap's does.
class TGadgetPicture : public TPersistent {
public:
    std::vector<unsigned char> Data() const { return m_data; }
    void SetData(const std::vector<unsigned char>& data);
    TGadgetStyle* Nested = nullptr; // a sub-object that may be missing

private:
    std::vector<unsigned char> m_data;
};

class TGadget : public TComponent {
public:
    explicit TGadget(TComponent* owner);
    ~TGadget() override;

    int Left() const { return m_left; }
    void SetLeft(int value);
    short Width = 10; // a published data member with a narrow type
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    TGadgetKind Kind() const { return m_kind; }
    void SetKind(TGadgetKind value);
    AnsiString Caption() const { return m_caption; }
    void SetCaption(const AnsiString& value);
    std::string Hint; // published through a lambda
    double Ratio = 1.0;
    TGadgetStyle* Style() const { return m_style.get(); }
    TGadgetPicture* Picture() const { return m_picture.get(); }
    int Computed() const { return 42; } // read-only

    TGadget* Container = nullptr; // set by the tests' parent hook
    std::vector<TGadget*> Contents;

    TNotifyEvent OnClick;
    Closure<void(TObject* Sender, int& Delta)> OnScroll;

    void Loaded() override;

private:
    void Log(const std::string& what);
    int m_left = 0;
    bool m_visible = true;
    TGadgetKind m_kind = gkPlain;
    AnsiString m_caption;
    std::unique_ptr<TGadgetStyle> m_style;
    std::unique_ptr<TGadgetPicture> m_picture;
};

// A gadget that holds other gadgets; it republishes Visible with another default.
class TGadgetBox : public TGadget {
public:
    explicit TGadgetBox(TComponent* owner) : TGadget(owner) { SetVisible(false); }
    int Spacing = 0;
};

// A gadget whose construction fails.
class TBrokenGadget : public TGadget {
public:
    explicit TBrokenGadget(TComponent* owner);
};

class TGadgetForm : public TComponent {
public:
    explicit TGadgetForm(TComponent* owner = nullptr) : TComponent(owner) {}
    ~TGadgetForm() override;

    int Left() const { return m_left; }
    void SetLeft(int value);
    TGadgetStyle* Style() { return &m_style; }

    TGadget* First = nullptr;
    TGadgetBox* Box = nullptr;
    TGadget* Missing = nullptr;

    void FirstClick(TObject* Sender);
    void BoxScroll(TObject* Sender, int& Delta);
    void OtherClick(TObject* Sender);

    TNotifyEvent OnShow;
    void Loaded() override;

    std::vector<std::string> Calls;

private:
    int m_left = 0;
    TGadgetStyle m_style{this};
};

// Registers the classes above (again: registration is idempotent) and the parent hooks that
// link a gadget read inside a TGadgetBox to that box.
void RegisterGadgetClasses();
