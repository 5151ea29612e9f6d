#include "tessel/widget/TShapedForm.h"

#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/MessageBox.h"
#include "framework/win/Win.h"
#include "tessel/System/Assert.h"

namespace tessel {

namespace detail {

// A component owned by the dragged control: the control destroys it with itself, and that
// tells the delegate not to touch the control any more.
class ControlWatch : public TComponent {
public:
    ControlWatch(TControl* control, TDragDelegate* delegate)
        : TComponent(control), m_delegate(delegate) {}
    ~ControlWatch() override {
        if (m_delegate)
            m_delegate->m_watch = nullptr;
    }
    void Forget() { m_delegate = nullptr; }

private:
    TDragDelegate* m_delegate;
};

} // namespace detail

// ---- TDragDelegate

TDragDelegate::TDragDelegate() = default;

TDragDelegate::~TDragDelegate() {
    if (m_watch) {
        m_watch->Forget();
        delete m_watch; // leaves the control's list of components
    }
}

void TDragDelegate::Attach(TWinControl* target, TControl* control) {
    TESSEL_ASSERT(!IsAttached(), "tessel/widget/Source/TShapedForm", 48);
    m_target = target;
    m_control = control;
    if (control)
        m_watch = new detail::ControlWatch(control, this);
    Hook(control);
}

bool TDragDelegate::ControlAlive() const {
    return m_watch != nullptr && !m_control->HasState(csDestroying);
}

// ---- TNormalDrag

TNormalDrag::~TNormalDrag() {
    // Only while our hook is in place: a handler set after it is someone else's to keep.
    if (ControlAlive() && m_control->OnMouseDown == TMouseEvent(this, &TNormalDrag::MouseDownHook))
        Unhook(m_control);
}

void TNormalDrag::Hook(TControl* control) {
    m_savedMouseDown = control->OnMouseDown;
    control->OnMouseDown = TMouseEvent(this, &TNormalDrag::MouseDownHook);
}

void TNormalDrag::Unhook(TControl* control) {
    control->OnMouseDown = m_savedMouseDown;
}

void TNormalDrag::MouseDownHook(TObject* Sender, TMouseButton Button, TShiftState Shift, int X,
                                int Y) {
    if (Button == mbLeft) {
        // As if the caption had been grabbed: the system runs its own move loop.
        ReleaseCapture();
        SendMessageA(m_target->Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
    if (m_savedMouseDown)
        m_savedMouseDown(Sender, Button, Shift, X, Y);
}

// ---- TShapedFormMaker

TShapedFormMaker::TShapedFormMaker() = default;

TShapedFormMaker::~TShapedFormMaker() = default;

std::unique_ptr<TDragDelegate> TShapedFormMaker::CreateDragDelegate() {
    return nullptr;
}

TForm* TShapedFormMaker::FindForm(TControl* control) {
    for (TWinControl* parent = control->Parent(); parent != nullptr; parent = parent->Parent())
        if (TForm* form = dynamic_cast<TForm*>(parent))
            return form;
    return nullptr;
}

bool TShapedFormMaker::Attach(TImage* image) {
    TESSEL_ASSERT(!IsAttached(), "tessel/widget/Source/TShapedForm", 257);
    if (image == nullptr)
        return false;
    m_form = FindForm(image);
    if (m_form == nullptr)
        return false;
    m_image = image;
    PrepareForm();

    // In automatic mode the bitmap's bottom-left pixel gives the colour.
    TBitmap* bitmap = m_image->Picture()->Bitmap();
    bitmap->SetTransparentMode(tmAuto);
    SetTransparentColor(bitmap->TransparentColor());

    if (!m_drag)
        m_drag = CreateDragDelegate();
    if (!m_drag)
        m_drag = std::make_unique<TNormalDrag>();
    m_drag->Attach(m_form, m_image);

    ApplyShape(m_form, m_image);
    return true;
}

void TShapedFormMaker::PrepareForm() {
    m_form->SetBorderStyle(bsNone);
    if (m_form->Scaled())
        ShowMessageBox(nullptr, "Scaled is not set false", m_form->Name().c_str(), MB_OK);
    // Scaled is a property of the form; the report spells the check that way.
    if (!(m_form->Scaled() == false))
        AssertFailed("m_form->Scaled == false", "tessel/widget/Source/TShapedForm", 338);
    m_image->SetAutoSize(true);
    m_form->SetClientWidth(m_image->Width());
    m_form->SetClientHeight(m_image->Height());
}

// ---- TLayeredFormMaker

TLayeredFormMaker::TLayeredFormMaker() : TLayeredFormMaker(GetModuleHandleA("user32.dll")) {}

TLayeredFormMaker::TLayeredFormMaker(HMODULE user32)
    : m_layered(std::make_unique<LayeredWindowMaker>(user32)) {
    if (m_layered->IsEnabled())
        m_layered->SetColorKeyEnabled(true);
    else
        m_layered.reset();
}

TLayeredFormMaker::~TLayeredFormMaker() {
    m_layered.reset();
}

void TLayeredFormMaker::ApplyShape(TForm* form, TImage*) {
    if (!m_layered)
        return; // the form stays rectangular, in its own colour
    // The parts of the form the image does not cover are see-through as well.
    form->SetColor(GetTransparentColor());
    m_layered->Apply(form->Handle());
}

void TLayeredFormMaker::RemoveShape(TForm* form) {
    if (m_layered)
        m_layered->Remove(form->Handle());
}

void TLayeredFormMaker::SetTransparentColor(TColor color) {
    if (m_layered)
        m_layered->SetColorKey(RgbColor::FromColor(color));
}

TColor TLayeredFormMaker::GetTransparentColor() {
    if (!m_layered)
        return clNone;
    return static_cast<TColor>(m_layered->ColorKey().Rgb());
}

void TLayeredFormMaker::SetColorKeyEnabled(bool on) {
    if (m_layered)
        m_layered->SetColorKeyEnabled(on);
}

} // namespace tessel
