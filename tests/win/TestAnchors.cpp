#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "framework/ui/Form.h"
#include "framework/ui/SizeConstraints.h"
#include "tests/support/WinTestForm.h"

namespace {

std::string Show(const TRect& r) {
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
           "," + std::to_string(r.Bottom);
}

// A control at (20, 30), 60 x 40, on a 300 x 200 form that grows to 400 x 260.
struct AnchorCase {
    TAnchors anchors;
    TRect grown;
};
const AnchorCase kAnchorCases[] = {
    {akLeft | akTop, TRect(20, 30, 80, 70)},
    {akTop | akRight, TRect(120, 30, 180, 70)},
    {akLeft | akTop | akRight, TRect(20, 30, 180, 70)},
    {akLeft | akBottom, TRect(20, 90, 80, 130)},
    {akLeft | akTop | akRight | akBottom, TRect(20, 30, 180, 130)},
    // Free on an axis: the centre keeps its proportional place (50 of 200 -> 65 of 260, 50 of
    // 300 -> 66.7 of 400).
    {akRight, TRect(120, 45, 180, 85)},
    {akLeft | akRight, TRect(20, 45, 180, 85)},
    {akBottom, TRect(37, 90, 97, 130)},
    {0, TRect(37, 45, 97, 85)},
};

// How the form's size changes: through the framework, or by the window system.
enum class Resize { SetBounds, SetWindowPos };

void ResizeForm(TForm* form, Resize how, int width, int height) {
    if (how == Resize::SetBounds)
        form->SetBounds(form->Left(), form->Top(), width, height);
    else
        SetWindowPos(form->Handle(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpMessages(10);
}

TEST(Anchors, AResizedFormMovesAndStretchesItsAnchoredControlsExactly) {
    for (Resize how : {Resize::SetBounds, Resize::SetWindowPos}) {
        ShownForm form(300, 200);
        std::vector<TControl*> controls;
        for (const AnchorCase& c : kAnchorCases) {
            for (bool windowed : {false, true}) {
                TControl* control =
                    windowed ? new TWinControl(form.form.get()) : new TControl(form.form.get());
                control->SetParent(form.form.get());
                control->SetBounds(20, 30, 60, 40);
                control->SetAnchors(c.anchors);
                controls.push_back(control);
            }
        }
        ResizeForm(form.form.get(), how, 400, 260);
        ASSERT_EQ(form->ClientWidth(), 400);
        for (size_t i = 0; i < controls.size(); ++i) {
            const AnchorCase& c = kAnchorCases[i / 2];
            EXPECT_EQ(Show(controls[i]->BoundsRect()), Show(c.grown))
                << "anchors " << c.anchors << (i % 2 ? " windowed" : " windowless")
                << (how == Resize::SetBounds ? " by SetBounds" : " by SetWindowPos");
        }
        // Back to the first size: every control is exactly where it was placed.
        ResizeForm(form.form.get(), how, 300, 200);
        for (TControl* control : controls)
            EXPECT_EQ(Show(control->BoundsRect()), "20,30,80,70") << control->Anchors();
    }
}

TEST(Anchors, DistancesAreTakenAgainWhenTheBoundsAreSetNotWhenAnchoringMovesTheControl) {
    ShownForm form(300, 200);
    auto* control = new TWinControl(form.form.get());
    control->SetParent(form.form.get());
    control->SetBounds(200, 150, 50, 20); // 50 from the right, 30 from the bottom
    control->SetAnchors(akRight | akBottom);

    ResizeForm(form.form.get(), Resize::SetWindowPos, 350, 250);
    EXPECT_EQ(Show(control->BoundsRect()), "250,200,300,220");
    // Placed anew at 10 from the right and 10 from the bottom of the larger form.
    control->SetBounds(290, 220, 50, 20);
    ResizeForm(form.form.get(), Resize::SetWindowPos, 300, 200);
    EXPECT_EQ(Show(control->BoundsRect()), "240,170,290,190");
}

TEST(Anchors, ANestedWindowedParentPassesItsResizeOn) {
    ShownForm form(300, 200);
    auto* panel = new TWinControl(form.form.get());
    panel->SetParent(form.form.get());
    panel->SetBounds(10, 10, 200, 100);
    panel->SetAnchors(akLeft | akTop | akRight | akBottom);
    auto* inner = new TControl(form.form.get());
    inner->SetParent(panel);
    inner->SetBounds(150, 60, 40, 30);
    inner->SetAnchors(akRight | akBottom);

    ResizeForm(form.form.get(), Resize::SetWindowPos, 330, 250);
    EXPECT_EQ(Show(panel->BoundsRect()), "10,10,240,160");
    EXPECT_EQ(Show(inner->BoundsRect()), "180,110,220,140");
}

// Limits 50..100 wide and 20..40 high.
void Limit(TControl* control) {
    control->Constraints()->SetMinWidth(50);
    control->Constraints()->SetMaxWidth(100);
    control->Constraints()->SetMinHeight(20);
    control->Constraints()->SetMaxHeight(40);
}

TEST(SizeConstraints, EverySizeThatIsSetStaysWithinTheLimits) {
    struct Case {
        int width, height;
        int expectedWidth, expectedHeight;
    } cases[] = {
        {70, 30, 70, 30}, {10, 5, 50, 20},    {500, 300, 100, 40},
        {50, 40, 50, 40}, {101, 19, 100, 20}, {0, 0, 50, 20},
    };
    ShownForm form(300, 200);
    auto* plain = new TControl(form.form.get());
    auto* windowed = new TWinControl(form.form.get());
    for (TControl* control : {plain, static_cast<TControl*>(windowed)}) {
        control->SetParent(form.form.get());
        control->SetBounds(10, 10, 70, 30);
        Limit(control);
        for (const Case& c : cases) {
            control->SetBounds(5, 6, c.width, c.height);
            EXPECT_EQ(Show(control->BoundsRect()),
                      Show(TRect(5, 6, 5 + c.expectedWidth, 6 + c.expectedHeight)))
                << c.width << " x " << c.height << (control == plain ? "" : " windowed");
        }
    }
    RECT window;
    GetWindowRect(windowed->Handle(), &window);
    EXPECT_EQ(window.right - window.left, 50) << "the window has the constrained size";
}

TEST(SizeConstraints, ANewLimitBringsTheCurrentSizeWithinIt) {
    ShownForm form(300, 200);
    auto* control = new TWinControl(form.form.get());
    control->SetParent(form.form.get());
    control->SetBounds(10, 10, 120, 10);
    control->Constraints()->SetMaxWidth(90);
    control->Constraints()->SetMinHeight(25);
    EXPECT_EQ(Show(control->BoundsRect()), "10,10,100,35");

    TSizeConstraints other(nullptr);
    other.SetMinWidth(110);
    control->SetConstraints(&other);
    EXPECT_EQ(control->Constraints()->MinWidth(), 110);
    EXPECT_EQ(control->Constraints()->MinHeight(), 0);
    EXPECT_EQ(Show(control->BoundsRect()), "10,10,120,35") << "assigned limits apply at once";
}

TEST(SizeConstraints, AnAnchoredControlIsHeldAtItsLimitsAndComesBackExactly) {
    ShownForm form(300, 200);
    auto* control = new TControl(form.form.get());
    control->SetParent(form.form.get());
    control->SetBounds(20, 30, 200, 100);
    control->SetAnchors(akLeft | akTop | akRight | akBottom);
    control->Constraints()->SetMinWidth(150);
    control->Constraints()->SetMaxHeight(120);

    ResizeForm(form.form.get(), Resize::SetWindowPos, 200, 260);
    EXPECT_EQ(Show(control->BoundsRect()), "20,30,170,150");
    ResizeForm(form.form.get(), Resize::SetWindowPos, 300, 200);
    EXPECT_EQ(Show(control->BoundsRect()), "20,30,220,130");
}

// A sizeable form limited to 250..450 x 180..350.
struct ConstrainedForm {
    std::unique_ptr<TForm> form = std::make_unique<TForm>(nullptr);
    ConstrainedForm() {
        form->SetBounds(100, 100, 300, 250);
        TSizeConstraints* limits = form->Constraints();
        limits->SetMinWidth(250);
        limits->SetMaxWidth(450);
        limits->SetMinHeight(180);
        limits->SetMaxHeight(350);
        form->Show();
        MakeForeground(form->Handle());
        PumpMessages(50);
    }
    SIZE WindowSize() const {
        RECT rect;
        GetWindowRect(form->Handle(), &rect);
        return SIZE{rect.right - rect.left, rect.bottom - rect.top};
    }
};

TEST(SizeConstraints, AFormSizedByTheWindowSystemStaysWithinItsLimits) {
    ConstrainedForm limited;
    const struct {
        int width, height, expectedWidth, expectedHeight;
    } cases[] = {{100, 100, 250, 180}, {900, 900, 450, 350}, {320, 200, 320, 200}};
    for (const auto& c : cases) {
        SetWindowPos(limited.form->Handle(), nullptr, 0, 0, c.width, c.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        PumpMessages(10);
        EXPECT_EQ(limited.WindowSize().cx, c.expectedWidth) << c.width;
        EXPECT_EQ(limited.WindowSize().cy, c.expectedHeight) << c.height;
        EXPECT_EQ(limited.form->Width(), c.expectedWidth);
        EXPECT_EQ(limited.form->Height(), c.expectedHeight);
    }

    // The user's sizing is told the limits.
    MINMAXINFO info = {};
    SendMessageA(limited.form->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 250);
    EXPECT_EQ(info.ptMinTrackSize.y, 180);
    EXPECT_EQ(info.ptMaxTrackSize.x, 450);
    EXPECT_EQ(info.ptMaxTrackSize.y, 350);
}

// The window system's sizing loop holds the thread that pressed the button until it is
// released, so the pointer is moved from another thread.
void DragPointerFromAnotherThread(POINT from, std::vector<POINT> path) {
    auto send = [](DWORD flags, POINT at) {
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
        SendInput(1, &input, sizeof(input));
        Sleep(60);
    };
    MoveMouseTo(from.x, from.y);
    std::thread mover([&] {
        Sleep(100);
        for (POINT at : path)
            send(0, at);
        send(MOUSEEVENTF_LEFTUP, path.back());
    });
    PressMouse();
    PumpMessages(static_cast<int>(path.size()) * 60 + 200);
    mover.join();
    PumpMessages(50);
}

TEST(SizeConstraints, DraggingAFormsCornerStopsAtItsLimits) {
    ConstrainedForm limited;
    // A control 10 pixels from the client area's right and bottom edges keeps that distance.
    auto* corner = new TControl(limited.form.get());
    corner->SetParent(limited.form.get());
    corner->SetBounds(limited.form->ClientWidth() - 30, limited.form->ClientHeight() - 30, 20, 20);
    corner->SetAnchors(akRight | akBottom);
    const auto expectCornerFollows = [&] {
        EXPECT_EQ(corner->BoundsRect().Right, limited.form->ClientWidth() - 10);
        EXPECT_EQ(corner->BoundsRect().Bottom, limited.form->ClientHeight() - 10);
    };
    RECT r;
    GetWindowRect(limited.form->Handle(), &r);
    DragPointerFromAnotherThread({r.right - 2, r.bottom - 2}, {{r.right + 100, r.bottom + 100},
                                                               {r.right + 300, r.bottom + 300}});
    // Unlimited, the frame would have followed the pointer to 600 x 550. The sizing loop keeps
    // the pointer inside its largest rectangle, right and bottom exclusive: one pixel short.
    EXPECT_GE(limited.WindowSize().cx, 449);
    EXPECT_LE(limited.WindowSize().cx, 450);
    EXPECT_GE(limited.WindowSize().cy, 349);
    EXPECT_LE(limited.WindowSize().cy, 350);
    EXPECT_EQ(limited.form->Width(), limited.WindowSize().cx);
    expectCornerFollows();

    GetWindowRect(limited.form->Handle(), &r);
    DragPointerFromAnotherThread({r.right - 2, r.bottom - 2}, {{r.right - 100, r.bottom - 100},
                                                               {r.right - 350, r.bottom - 300}});
    EXPECT_EQ(limited.WindowSize().cx, 250);
    EXPECT_EQ(limited.WindowSize().cy, 180);
    EXPECT_EQ(limited.form->Height(), 180);
    expectCornerFollows();
}

} // namespace
