#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "KxPackage/Source/KxBar.h"
#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxCheckBox.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"

namespace {

void Send(KxCustomControl* control, UINT message, WPARAM keys, int x, int y) {
    SendMessageA(control->Handle(), message, keys, MAKELPARAM(x, y));
}

// Gives each state a keyed 40 x 20 bitmap, cut to shape every other cycle, then hovers,
// presses and releases the control with messages and repaints it.
void SkinAndUse(KxCustomControl* control, int states, bool transparent) {
    control->SetTransparent(transparent);
    for (int state = 0; state < states; ++state)
        control->SetStateBitmap(CorneredBitmap(40, 20, kStateColors[state % 4]).get(), state);
    control->Update();
    Send(control, WM_MOUSEMOVE, 0, 20, 10);
    Send(control, WM_LBUTTONDOWN, MK_LBUTTON, 20, 10);
    Send(control, WM_LBUTTONUP, 0, 20, 10);
    control->SetEnabled(false);
    control->SetEnabled(true);
    control->Repaint();
}

TEST(KxPackageLeaks, ThousandsOfControlsMadeUsedAndDestroyedLeaveNoWindowsOrGdiObjects) {
    ShownForm host;
    struct Case {
        const char* name;
        std::function<void(bool transparent)> cycle;
    };
    const Case cases[] = {
        {"KxBrick",
         [&](bool transparent) {
             auto* brick = new KxBrick(host.form.get());
             brick->SetParent(host.form.get());
             SkinAndUse(brick, 3, transparent);
             delete brick;
         }},
        {"KxBrickTx",
         [&](bool transparent) {
             auto* brick = new KxBrickTx(host.form.get());
             brick->SetParent(host.form.get());
             brick->Font()->SetName("Arial");
             brick->SetCaption("Leak check");
             brick->GetFontColors()->SetFocused(clRed);
             SkinAndUse(brick, 3, transparent);
             delete brick;
         }},
        {"KxCheckBox",
         [&](bool transparent) {
             auto* box = new KxCheckBox(host.form.get());
             box->SetParent(host.form.get());
             box->SetAllowGrayed(true);
             SkinAndUse(box, 12, transparent);
             box->SetChecked(true);
             delete box;
         }},
        {"KxBar",
         [&](bool transparent) {
             auto* bar = new KxBar(host.form.get());
             bar->SetParent(host.form.get());
             bar->SetIndicator(CorneredBitmap(8, 8, kStateColors[3]).get());
             bar->GetOrigin()->SetX(10);
             bar->GetOrigin()->SetY(10);
             SkinAndUse(bar, 3, transparent);
             // A drag that starts on the indicator and moves past the end.
             Send(bar, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
             Send(bar, WM_MOUSEMOVE, MK_LBUTTON, 39, 10);
             Send(bar, WM_LBUTTONUP, 0, 39, 10);
             delete bar;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.cycle(false);
        c.cycle(true);
        PumpMessages(20);
        const int gdiBefore = CountGdiObjects();
        const int windowsBefore = CountWindows();

        for (int i = 0; i < 1000; ++i)
            c.cycle(i % 2 == 1);
        PumpMessages(20);

        const int gdiAfter = CountGdiObjects();
        const int windowsAfter = CountWindows();
        std::printf("%s, 1000 cycles: GDI objects %d -> %d, windows %d -> %d\n", c.name, gdiBefore,
                    gdiAfter, windowsBefore, windowsAfter);
        EXPECT_GT(gdiBefore, 0); // the counter counts at all
        EXPECT_EQ(gdiAfter, gdiBefore);
        EXPECT_EQ(windowsAfter, windowsBefore);
    }
}

} // namespace
