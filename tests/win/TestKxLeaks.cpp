#include <gtest/gtest.h>

#include <cstdio>
#include <memory>

#include "KxPackage/Source/KxButtonTx.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"

namespace {

TEST(KxLeaks, ThousandTextButtonsMadePressedAndDestroyedLeaveNoWindowsOrGdiObjects) {
    ShownForm host;
    const auto raised = CorneredBitmap(75, 27, kStateColors[0]);
    const auto sunken = CorneredBitmap(75, 27, kStateColors[1]);
    const auto focused = CorneredBitmap(75, 27, kStateColors[2]);
    auto cycle = [&](bool transparent) {
        auto* button = new KxButtonTx(host.form.get());
        button->SetParent(host.form.get());
        button->SetBounds(10, 10, 75, 27);
        button->SetTransparent(transparent);
        button->GetAppearance()->SetRaisedBmp(raised.get());
        button->GetAppearance()->SetSunkenBmp(sunken.get());
        button->GetAppearance()->SetFocusedBmp(focused.get());
        button->SetText("OK");
        button->Update();
        SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(30, 10));
        SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 10));
        button->Update();
        SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(30, 10));
        delete button;
    };
    cycle(false);
    cycle(true);
    PumpMessages(20);
    const int gdiBefore = CountGdiObjects();
    const int windowsBefore = CountWindows();
    for (int i = 0; i < 1000; ++i)
        cycle(i % 2 == 1);
    PumpMessages(20);
    const int gdiAfter = CountGdiObjects();
    const int windowsAfter = CountWindows();
    std::printf("1000 cycles: GDI objects %d -> %d, windows %d -> %d\n", gdiBefore, gdiAfter,
                windowsBefore, windowsAfter);
    EXPECT_GT(gdiBefore, 0); // the counter counts at all
    EXPECT_EQ(gdiAfter, gdiBefore);
    EXPECT_EQ(windowsAfter, windowsBefore);
}

} // namespace
