#pragma once
#include <memory>

#include "framework/core/Color.h"
#include "framework/core/Types.h"
#include "tessel/widget/LayeredWindow.h"

class TObject;
class TControl;
class TWinControl;
class TForm;
class TImage;

namespace tessel {

namespace detail {
class ControlWatch;
}

// Lets a control (the image) drag a target window (the form).
class TDragDelegate {
public:
    TDragDelegate();
    virtual ~TDragDelegate();
    TDragDelegate(const TDragDelegate&) = delete;
    TDragDelegate& operator=(const TDragDelegate&) = delete;

    virtual void Hook(TControl* control) = 0;
    virtual void Unhook(TControl* control) = 0;

    // Precondition !IsAttached(): stores both, then hooks the control.
    void Attach(TWinControl* target, TControl* control);
    bool IsAttached() const { return m_control != nullptr; }

protected:
    // The control still exists and is not being destroyed, so it may be touched.
    bool ControlAlive() const;

    TControl* m_control = nullptr;   // not owned
    TWinControl* m_target = nullptr; // not owned

private:
    friend class detail::ControlWatch;
    // Owned by the control (a component it owns) so that its destruction tells us the
    // control is gone; null once the control went.
    detail::ControlWatch* m_watch = nullptr;
};

// Drags by taking over the control's OnMouseDown: a left press starts the system's own
// move loop on the target, and the control's earlier handler is still called.
class TNormalDrag : public TDragDelegate {
public:
    TNormalDrag() = default;
    // Gives the control its earlier handler back while it still exists, so it never calls
    // into a freed delegate.
    ~TNormalDrag() override;

    void Hook(TControl* control) override;
    void Unhook(TControl* control) override;

    void MouseDownHook(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    TMouseEvent m_savedMouseDown;
};

// Shapes the form that holds an image after that image: borderless, sized to the image,
// see-through where the image has its transparent colour, and dragged by the image. How
// the shape is put on the window is left to a derived class.
class TShapedFormMaker {
public:
    TShapedFormMaker();
    virtual ~TShapedFormMaker();
    TShapedFormMaker(const TShapedFormMaker&) = delete;
    TShapedFormMaker& operator=(const TShapedFormMaker&) = delete;

    virtual void ApplyShape(TForm* form, TImage* image) = 0;
    virtual void RemoveShape(TForm* form) = 0;
    virtual void PrepareForm();
    virtual void SetTransparentColor(TColor color) = 0;
    virtual TColor GetTransparentColor() = 0;
    // Null: use the default delegate.
    virtual std::unique_ptr<TDragDelegate> CreateDragDelegate();

    // Precondition !IsAttached(). False, changing nothing, for a null image or an image
    // that is on no form.
    bool Attach(TImage* image);
    bool IsAttached() const { return m_form != nullptr && m_image != nullptr; }
    // The nearest form among the parents of control (the control itself is not tested).
    TForm* FindForm(TControl* control);

protected:
    TForm* m_form = nullptr;   // not owned
    TImage* m_image = nullptr; // not owned
    std::unique_ptr<TDragDelegate> m_drag;
};

// Shapes the form by making it a layered window whose colour key is the transparent
// colour. Without the platform's layered windows the form stays rectangular.
class TLayeredFormMaker : public TShapedFormMaker {
public:
    // Looks the layered-window service up in the loaded user32.dll.
    TLayeredFormMaker();
    // Looks it up in `user32` instead: a module without the service, or none, leaves the form
    // rectangular, as on a system without layered windows.
    explicit TLayeredFormMaker(HMODULE user32);
    // m_layered goes first, then the base deletes the drag delegate.
    ~TLayeredFormMaker() override;

    void ApplyShape(TForm* form, TImage* image) override;
    void RemoveShape(TForm* form) override;
    void SetTransparentColor(TColor color) override;
    TColor GetTransparentColor() override;

    void SetColorKeyEnabled(bool on);

private:
    std::unique_ptr<LayeredWindowMaker> m_layered; // null without layered windows
};

} // namespace tessel
