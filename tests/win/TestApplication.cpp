#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/Timer.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinMessageBoxes.h"

namespace {

TEST(Application, InitializeMakesTheHiddenWindowThatCarriesTheTaskbarButton) {
    Application->Initialize();
    HWND window = Application->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_POPUP);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_EQ(rect.right - rect.left, 0);
    EXPECT_EQ(rect.bottom - rect.top, 0);
    Application->Initialize(); // once is enough: the same window
    EXPECT_EQ(Application->Handle(), window);
}

TEST(Application, ShowExceptionReportsTheMessageInAStopBoxTitledWithTheProgram) {
    RecordedMessageBoxes boxes;
    struct Case {
        const char* message;
        const char* shown;
    } cases[] = {
        {"Bitmap image is not valid", "Bitmap image is not valid."},
        {"Already a sentence.", "Already a sentence."},
        {"Stop!", "Stop!"},
        {"", ""},
    };
    for (const Case& c : cases) {
        Exception e(c.message);
        Application->ShowException(&e);
    }
    ASSERT_EQ(boxes.Shown().size(), 4u);
    for (size_t i = 0; i < boxes.Shown().size(); ++i) {
        EXPECT_EQ(boxes.Shown()[i].text, cases[i].shown);
        EXPECT_EQ(boxes.Shown()[i].caption, "win_TestApplication");
        EXPECT_EQ(boxes.Shown()[i].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    }
    Application->SetTitle("Setup");
    Exception e("x");
    Application->ShowException(&e);
    EXPECT_EQ(boxes.Shown().back().caption, "Setup");
    Application->SetTitle("win_TestApplication");
}

TEST(Application, ClosingTheMainFormEndsRun) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    ASSERT_EQ(Application->MainForm(), main);
    EXPECT_TRUE(main->HandleAllocated());
    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), main);

    bool shown = false;
    main->OnShow = [&](TObject*) { shown = true; };
    // Owned by the form, so the form frees it.
    auto* closer = new TTimer(main);
    closer->SetInterval(30);
    closer->OnTimer = [&](TObject*) { main->Close(); };
    Application->Run();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(Application->Terminated());
    delete second;
    delete main;
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(Application, TerminateEndsRunWithoutAMainForm) {
    TTimer stopper(nullptr);
    stopper.SetInterval(20);
    int ticks = 0;
    stopper.OnTimer = [&](TObject*) {
        if (++ticks == 2)
            Application->Terminate();
    };
    Application->Run();
    EXPECT_EQ(ticks, 2);
}

TEST(Application, ExceptionsInHandlersAreReportedOrPassedOnToTheLoop) {
    RecordedMessageBoxes boxes;
    TForm form(nullptr);
    form.OnResize = [](TObject*) { throw EInvalidGraphic("Bitmap image is not valid"); };
    form.HandleNeeded();
    // The framework's exceptions are reported where the message was handled.
    SetWindowPos(form.Handle(), nullptr, 0, 0, 77, 66, SWP_NOMOVE | SWP_NOZORDER);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Bitmap image is not valid.");
    // Anything else goes on from the message loop.
    form.OnResize = [](TObject*) { throw std::runtime_error("not ours"); };
    SetWindowPos(form.Handle(), nullptr, 0, 0, 70, 60, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_THROW(RethrowWindowProcException(), std::runtime_error);
    EXPECT_NO_THROW(RethrowWindowProcException());
}

} // namespace
