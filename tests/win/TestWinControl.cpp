#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinCapture.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinMessageBoxes.h"
#include "tests/support/WinTestForm.h"

namespace {

// A windowed control that writes down keys, focus, sizes and paints.
class Recorder : public TWinControl {
public:
    Recorder(TComponent* owner, EventLog& log, const char* name)
        : TWinControl(owner), m_log(log), m_name(name) {}
    using TWinControl::ControlStyle;
    bool refuseSize = false;
    int fixedWidth = 0; // when set, every size change ends at fixedWidth x fixedWidth
    int paints = 0;

protected:
    void KeyDown(unsigned short& key, TShiftState shift) override {
        TWinControl::KeyDown(key, shift);
        m_log.Add(m_name + ".keydown " + std::to_string(key));
    }
    void KeyUp(unsigned short& key, TShiftState shift) override {
        TWinControl::KeyUp(key, shift);
        m_log.Add(m_name + ".keyup " + std::to_string(key));
    }
    void KeyPress(char& key) override {
        TWinControl::KeyPress(key); // the handler may change the key
        m_log.Add(m_name + ".press " + std::string(1, key ? key : '0'));
    }
    void DoEnter() override {
        m_log.Add(m_name + ".enter");
        TWinControl::DoEnter();
    }
    void DoExit() override {
        m_log.Add(m_name + ".exit");
        TWinControl::DoExit();
    }
    bool CanResize(int& width, int& height) override {
        m_log.Add(m_name + ".canresize " + std::to_string(width) + "x" + std::to_string(height));
        if (fixedWidth)
            width = height = fixedWidth;
        return !refuseSize;
    }
    void Resize() override {
        m_log.Add(m_name + ".resize " + std::to_string(Width()) + "x" + std::to_string(Height()));
        TWinControl::Resize();
    }
    void PaintWindow(HDC) override { ++paints; }

private:
    EventLog& m_log;
    std::string m_name;
};

struct WinControlTest : ::testing::Test {
    EventLog log;
    ShownForm form{320, 200};
    Recorder* Add(const char* name, int left, bool tabStop) {
        auto* control = new Recorder(form.form.get(), log, name);
        control->SetParent(form.form.get());
        control->SetBounds(left, 20, 60, 40);
        control->SetTabStop(tabStop);
        return control;
    }
};

TEST(WinControl, MakesItsWindowInsideItsParentsWindowOnDemand) {
    TForm form(nullptr);
    auto* control = new TWinControl(&form);
    control->SetBounds(5, 6, 30, 20);
    control->SetParent(&form);
    EXPECT_FALSE(form.HandleAllocated());
    EXPECT_FALSE(control->HandleAllocated());
    HWND window = control->Handle();
    ASSERT_TRUE(form.HandleAllocated());
    EXPECT_EQ(GetParent(window), form.Handle());
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    WNDCLASSA wc = {};
    ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), className, &wc));
    EXPECT_EQ(wc.style & CS_PARENTDC, 0u);
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.left, 5);
    EXPECT_EQ(rect.top, 6);
    EXPECT_EQ(rect.right - rect.left, 30);
}

TEST(WinControl, WithoutAParentItHasNoWindow) {
    TWinControl control(nullptr);
    control.SetName("Lonely");
    EXPECT_EQ(MessageOf<EInvalidOperation>([&] { control.Handle(); }),
              "Control 'Lonely' has no parent window");
    EXPECT_FALSE(control.HandleAllocated());
}

TEST(WinControl, DestroyingAParentDestroysItsWindowsAndReleasesItsChildren) {
    auto form = std::make_unique<TForm>(nullptr);
    TWinControl child(nullptr); // owned elsewhere: it outlives its parent
    TLabel label(nullptr);
    child.SetParent(form.get());
    label.SetParent(form.get());
    HWND formWindow = form->Handle();
    HWND childWindow = child.Handle();
    EXPECT_EQ(form->ControlCount(), 2);
    form.reset();
    EXPECT_FALSE(IsWindow(formWindow));
    EXPECT_FALSE(IsWindow(childWindow));
    EXPECT_EQ(child.Parent(), nullptr);
    EXPECT_EQ(label.Parent(), nullptr);
    EXPECT_FALSE(child.HandleAllocated());
}

TEST(WinControl, DestroyingAChildTakesItOffItsParent) {
    TForm form(nullptr);
    auto* child = new TWinControl(&form);
    child->SetParent(&form);
    HWND childWindow = child->Handle();
    delete child;
    EXPECT_EQ(form.ControlCount(), 0);
    EXPECT_FALSE(IsWindow(childWindow));
}

TEST_F(WinControlTest, CanResizeIsAskedOnlyOnceTheWindowExistsAndNotWhileLoading) {
    Recorder control(nullptr, log, "c");
    control.refuseSize = true;
    control.SetBounds(0, 0, 50, 50); // no window: taken as it is
    EXPECT_EQ(control.Width(), 50);
    EXPECT_EQ(log.Count("c.canresize 50x50"), 0);

    control.SetParent(form.form.get());
    control.HandleNeeded();
    log.entries.clear();
    control.SetBounds(10, 0, 80, 70); // refused: moved, not sized
    EXPECT_EQ(log.Joined(), "c.canresize 80x70");
    EXPECT_EQ(control.Left(), 10);
    EXPECT_EQ(control.Width(), 50);
    RECT rect;
    GetWindowRect(control.Handle(), &rect);
    EXPECT_EQ(rect.right - rect.left, 50);

    // Someone else sizing the window is asked about too.
    log.entries.clear();
    SetWindowPos(control.Handle(), nullptr, 0, 0, 90, 90, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(control.Width(), 50);
    EXPECT_EQ(log.Count("c.canresize 90x90"), 1);

    log.entries.clear();
    control.SetComponentState(csLoading, true);
    control.SetBounds(10, 0, 80, 70);
    control.SetComponentState(csLoading, false);
    EXPECT_EQ(control.Width(), 80);
    EXPECT_EQ(log.Count("c.canresize 80x70"), 0);
}

TEST_F(WinControlTest, CanResizeMayChangeTheSizeAndResizeFollowsOnlyRealSizeChanges) {
    Recorder* control = Add("c", 10, false);
    control->HandleNeeded();
    control->fixedWidth = 33;
    log.entries.clear();
    control->SetBounds(10, 20, 100, 100);
    EXPECT_EQ(control->Width(), 33);
    EXPECT_EQ(control->Height(), 33);
    EXPECT_EQ(log.Joined(), "c.canresize 100x100 c.resize 33x33");
    int resized = 0;
    control->OnResize = [&](TObject*) { ++resized; };
    log.entries.clear();
    control->SetBounds(40, 30, 33, 33); // a move only
    control->SetBounds(40, 30, 50, 50); // sized to 33 again: no change
    EXPECT_EQ(log.Count("c.resize 33x33"), 0);
    EXPECT_EQ(resized, 0);
    control->fixedWidth = 0;
    control->SetWidth(70);
    EXPECT_EQ(resized, 1);
    EXPECT_EQ(control->Left(), 40);
}

TEST_F(WinControlTest, KeysArriveAsKeyDownKeyPressKeyUpAndKeyPressMayChangeTheKey) {
    Recorder* control = Add("c", 10, true);
    control->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    log.entries.clear();
    TapKey('A');
    EXPECT_EQ(log.Joined(), "c.keydown 65 c.press a c.keyup 65");

    log.entries.clear();
    unsigned short seenKey = 0;
    control->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { seenKey = key; };
    control->OnKeyPress = [&](TObject*, char& key) { key = key == 'a' ? 'z' : key; };
    TapKey('A');
    EXPECT_EQ(seenKey, 'A');
    EXPECT_EQ(log.Joined(), "c.keydown 65 c.press z c.keyup 65");

    // A key swallowed in OnKeyDown gives no character.
    log.entries.clear();
    control->OnKeyPress = nullptr;
    control->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState) { key = 0; };
    TapKey('A');
    EXPECT_EQ(log.Joined(), "c.keydown 0 c.press a c.keyup 65")
        << "the character comes from the system's translation of the key, not from KeyDown";
}

TEST_F(WinControlTest, ShiftStateFollowsTheKeyboard) {
    Recorder* control = Add("c", 10, true);
    control->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    TShiftState shift = 0;
    control->OnKeyDown = [&](TObject*, unsigned short& key, TShiftState s) {
        if (key == 'B')
            shift = s;
    };
    PressKey(VK_SHIFT);
    TapKey('B');
    ReleaseKey(VK_SHIFT);
    EXPECT_EQ(shift & (ssShift | ssCtrl | ssAlt), static_cast<TShiftState>(ssShift));
    EXPECT_EQ(log.Count("c.press B"), 1);
}

TEST_F(WinControlTest, TabMovesTheFocusToTheNextTabStopInTabOrder) {
    Recorder* first = Add("first", 10, true);
    Recorder* skipped = Add("skipped", 80, false);
    Recorder* third = Add("third", 150, true);
    Recorder* disabled = Add("disabled", 220, true);
    disabled->SetEnabled(false);
    EXPECT_FALSE(IsWindowEnabled(disabled->Handle()));
    EXPECT_EQ(skipped->TabOrder(), 1);
    first->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));
    EXPECT_TRUE(form->ActiveControl() == first);
    log.entries.clear();

    TapKey(VK_TAB);
    EXPECT_TRUE(third->Focused());
    TapKey(VK_TAB);
    EXPECT_TRUE(first->Focused());
    PressKey(VK_SHIFT);
    TapKey(VK_TAB);
    ReleaseKey(VK_SHIFT);
    EXPECT_TRUE(third->Focused());
    EXPECT_TRUE(form->ActiveControl() == third);
    // Focus changes and keys, no Tab character.
    EXPECT_EQ(log.Joined(), "first.keydown 9 first.exit third.enter third.keyup 9 "
                            "third.keydown 9 third.exit first.enter first.keyup 9 "
                            "first.keydown 16 first.keydown 9 first.exit third.enter "
                            "third.keyup 9 third.keyup 16");

    // Tab order follows TabOrder, not creation.
    third->SetTabOrder(0);
    EXPECT_EQ(first->TabOrder(), 1);
    first->SetFocus();
    TapKey(VK_TAB);
    EXPECT_TRUE(third->Focused());
}

TEST_F(WinControlTest, SetFocusOnAControlThatCannotTakeItChangesNothing) {
    Recorder* shown = Add("shown", 10, true);
    Recorder* hidden = Add("hidden", 80, true);
    hidden->SetVisible(false);
    shown->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return shown->Focused(); }));
    EXPECT_FALSE(hidden->CanFocus());
    hidden->SetFocus();
    EXPECT_TRUE(shown->Focused());
    TForm offscreen(nullptr);
    auto* control = new TWinControl(&offscreen);
    control->SetParent(&offscreen);
    EXPECT_FALSE(control->CanFocus()); // its form is not shown
}

TEST_F(WinControlTest, RepaintPaintsAtOnceInvalidateOnlyMarks) {
    Recorder* control = Add("c", 10, false);
    PumpMessages(30);
    const int before = control->paints;
    control->Invalidate();
    EXPECT_EQ(control->paints, before);
    control->Repaint();
    EXPECT_EQ(control->paints, before + 1);
    control->Invalidate();
    PumpMessages(30);
    EXPECT_EQ(control->paints, before + 2);
}

// A windowless control filled with one colour.
class Patch : public TControl {
public:
    Patch(TComponent* owner, COLORREF color) : TControl(owner), m_color(color) {}

protected:
    void PaintControl(HDC dc) override {
        // Deliberately larger than the control: the parent clips.
        RECT rect = {-50, -50, 500, 500};
        HBRUSH brush = CreateSolidBrush(m_color);
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
    }

private:
    COLORREF m_color;
};

TEST_F(WinControlTest, PaintsBackgroundThenWindowlessChildrenInZOrderClipped) {
    form->SetColor(clYellow);
    auto* lower = new Patch(form.form.get(), RGB(255, 0, 0));
    lower->SetParent(form.form.get());
    lower->SetBounds(10, 10, 40, 40);
    auto* upper = new Patch(form.form.get(), RGB(0, 0, 255));
    upper->SetParent(form.form.get());
    upper->SetBounds(30, 30, 40, 40);
    for (bool fromScreen : {false, true}) {
        ClientPixels shot = fromScreen ? PaintedClient(form.Handle()) : PrintClient(form.Handle());
        EXPECT_EQ(shot.At(5, 5), 0xFFFF00u) << fromScreen;
        EXPECT_EQ(shot.At(15, 15), 0xFF0000u) << fromScreen;
        EXPECT_EQ(shot.At(35, 35), 0x0000FFu) << fromScreen;
        EXPECT_EQ(shot.At(75, 75), 0xFFFF00u) << fromScreen; // clipped to the control
        EXPECT_EQ(shot.CountIn(0, 0, 200, 200, 0x0000FF), 40 * 40) << fromScreen;
    }
    lower->BringToFront();
    EXPECT_EQ(PrintClient(form.Handle()).At(35, 35), 0xFF0000u);
    upper->SetVisible(false);
    EXPECT_EQ(PrintClient(form.Handle()).CountIn(0, 0, 200, 200, 0x0000FF), 0);
}

TEST_F(WinControlTest, AnOpaqueControlPaintsNoBackground) {
    Recorder* control = Add("c", 10, false);
    control->SetColor(clRed);
    EXPECT_EQ(PrintClient(control->Handle()).At(3, 3), 0xFF0000u);
    control->ControlStyle.Include(csOpaque);
    HWND window = control->Handle();
    // Paint a marker, then let the control paint: it must stay.
    HDC dc = CreateCompatibleDC(nullptr);
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 4, -4, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, section);
    static_cast<unsigned*>(bits)[0] = 0x00123456;
    SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();
    EXPECT_EQ(static_cast<unsigned*>(bits)[0], 0x00123456u);
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
}

} // namespace

namespace {

TEST_F(WinControlTest, AFocusedControlThatLeavesTheFormIsNoLongerItsActiveControl) {
    Recorder* control = Add("c", 10, true);
    control->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return control->Focused(); }));
    ASSERT_TRUE(form->ActiveControl() == control);
    control->SetParent(nullptr);
    EXPECT_TRUE(form->ActiveControl() == nullptr);
    delete control;
    PumpMessages(20); // reactivation must not reach the deleted control
    EXPECT_TRUE(form->ActiveControl() == nullptr);
}

TEST_F(WinControlTest, TheFormForgetsItsActiveControlWhenItOrItsContainerLeaves) {
    enum Leaving { TakenOff, Deleted, ContainerTakenOff, ContainerDeleted };
    for (Leaving leaving : {TakenOff, Deleted, ContainerTakenOff, ContainerDeleted}) {
        SCOPED_TRACE(leaving);
        Recorder* container = Add("panel", 10, false);
        auto* focused = new Recorder(form.form.get(), log, "inner");
        focused->SetParent(container);
        focused->SetBounds(5, 5, 20, 20);
        focused->SetFocus();
        ASSERT_TRUE(PumpUntil([&] { return focused->Focused(); }));
        ASSERT_TRUE(form->ActiveControl() == focused);
        switch (leaving) {
        case TakenOff:
            focused->SetParent(nullptr);
            break;
        case Deleted:
            delete focused;
            break;
        case ContainerTakenOff:
            container->SetParent(nullptr);
            break;
        case ContainerDeleted:
            delete container;
            break;
        }
        // The form never keeps a control that left. When only the focused control leaves, the
        // system hands the focus to the container that stays, and the form may follow it.
        const bool containerStays = leaving == TakenOff || leaving == Deleted;
        EXPECT_TRUE(form->ActiveControl() == nullptr ||
                    (containerStays && form->ActiveControl() == container));
        PumpMessages(20); // reactivation must not reach a deleted control
    }
}

TEST_F(WinControlTest, TheFormKeepsItsActiveControlWhenAnotherControlLeaves) {
    Recorder* focused = Add("focused", 10, true);
    Recorder* taken = Add("taken", 80, true);
    Recorder* deleted = Add("deleted", 150, true);
    focused->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return focused->Focused(); }));
    taken->SetParent(nullptr);
    delete deleted;
    EXPECT_TRUE(form->ActiveControl() == focused);
}

// Reports what reaches the window procedure's exception hook.
std::vector<std::string> g_hookedMessages;
void RecordWindowProcException(Exception* E) {
    g_hookedMessages.push_back(E->Message.str());
}

TEST(WinControl, AFrameworkExceptionOutOfAHandlerGoesToTheHookOrWaitsForTheLoop) {
    RecordedMessageBoxes boxes;
    TForm form(nullptr);
    form.OnResize = [](TObject*) { throw EInvalidGraphic("Bitmap image is not valid"); };
    form.HandleNeeded();
    g_hookedMessages.clear();
    const TWindowProcExceptionHook previous = SetWindowProcExceptionHook(RecordWindowProcException);
    SetWindowPos(form.Handle(), nullptr, 0, 0, 77, 66, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(g_hookedMessages, std::vector<std::string>{"Bitmap image is not valid"});
    EXPECT_NO_THROW(RethrowWindowProcException());

    // Without a hook it is not lost: the message loop rethrows it.
    SetWindowProcExceptionHook(nullptr);
    SetWindowPos(form.Handle(), nullptr, 0, 0, 70, 60, SWP_NOMOVE | SWP_NOZORDER);
    SetWindowProcExceptionHook(previous);
    EXPECT_THROW(RethrowWindowProcException(), EInvalidGraphic);
    EXPECT_EQ(g_hookedMessages.size(), 1u);
    EXPECT_TRUE(boxes.Shown().empty());
}

} // namespace

namespace {

// Whoever holds the capture inside a form, however deep, lets go when the form cancels modes
// (as disabling it for a modal box does); a holder in another form keeps it.
TEST_F(WinControlTest, ACancelledFormTakesTheCaptureFromAHolderAtAnyDepth) {
    ShownForm other{100, 80, 500, 100};
    struct Case {
        const char* holder;
        std::function<TControl*()> make;
        bool cancelled;
    };
    const Case cases[] = {
        {"an image on the form",
         [&]() -> TControl* {
             auto* image = new TImage(form.form.get());
             image->SetParent(form.form.get());
             return image;
         },
         true},
        {"an image in a panel",
         [&]() -> TControl* {
             Recorder* panel = Add("panel", 10, false);
             auto* image = new TImage(form.form.get());
             image->SetParent(panel);
             return image;
         },
         true},
        {"a control in a panel",
         [&]() -> TControl* {
             Recorder* panel = Add("panel", 10, false);
             auto* inner = new Recorder(form.form.get(), log, "inner");
             inner->SetParent(panel);
             return inner;
         },
         true},
        {"an image on another form",
         [&]() -> TControl* {
             auto* image = new TImage(other.form.get());
             image->SetParent(other.form.get());
             return image;
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holder);
        TControl* holder = c.make();
        holder->SetBounds(5, 5, 20, 20);
        SetCaptureControl(holder);
        ASSERT_EQ(GetCaptureControl(), holder);
        ASSERT_NE(GetCapture(), nullptr);

        SendMessageA(form.Handle(), WM_CANCELMODE, 0, 0);

        EXPECT_EQ(GetCaptureControl() == nullptr, c.cancelled);
        EXPECT_EQ(GetCapture() == nullptr, c.cancelled);
        SetCaptureControl(nullptr);
    }
}

} // namespace
