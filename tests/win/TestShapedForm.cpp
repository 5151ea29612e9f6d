#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/MessageBox.h"
#include "framework/win/Win.h"
#include "tessel/widget/TShapedForm.h"
#include "tests/support/AssertCapture.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinMessageBoxes.h"
#include "tests/support/WinPixels.h"

using tessel::TLayeredFormMaker;
using tessel::TNormalDrag;

namespace {

constexpr TColor kKey = 0xF17EFF; // RGB(255, 126, 241)
constexpr TColor kFace = 0x606060;

// Queues pointer input without handling any message: a left press on the image starts the
// system's move loop inside the dispatch of that press, and the loop only ends on a release
// that is already waiting. (The shared input helpers handle messages after each event.)
void QueueMouse(DWORD flags, int x = 0, int y = 0) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    if (flags & MOUSEEVENTF_ABSOLUTE) {
        const int w = GetSystemMetrics(SM_CXSCREEN) - 1, h = GetSystemMetrics(SM_CYSCREEN) - 1;
        in.mi.dx = (x * 65535 + w / 2) / w;
        in.mi.dy = (y * 65535 + h / 2) / h;
    }
    SendInput(1, &in, sizeof in);
}

// A form designed larger than its image, with the image on a panel or straight on the form.
// The image's bitmap has the key colour in its bottom-left pixel and in a few others.
struct SkinnedForm {
    std::unique_ptr<TForm> form;
    TWinControl* panel = nullptr;
    TImage* image = nullptr;

    explicit SkinnedForm(bool onPanel = false, bool scaled = false, const char* name = "Skinned") {
        form = std::make_unique<TForm>(nullptr);
        form->SetName(name);
        form->SetScaled(scaled);
        form->SetBounds(100, 100, 500, 300);
        TWinControl* parent = form.get();
        if (onPanel) {
            panel = new TWinControl(form.get());
            panel->SetParent(form.get());
            panel->SetBounds(0, 0, 300, 200);
            parent = panel;
        }
        image = new TImage(form.get());
        image->SetParent(parent);
        TBitmap* bitmap = image->Picture()->Bitmap();
        MakeSolid(bitmap, 120, 80, kFace);
        PaintRect(bitmap, TRect(0, 71, 3, 80), kKey);
        bitmap->SetTransparentColor(clBlack); // fixed mode: Attach must switch to automatic
    }
    RECT WindowRect() {
        RECT r;
        GetWindowRect(form->Handle(), &r);
        return r;
    }
};

// Records the calls of a handler the image had before the maker came.
struct MouseDownLog {
    struct Call {
        TObject* sender;
        TMouseButton button;
        int x, y;
    };

    std::vector<Call> calls;
    void Handler(TObject* Sender, TMouseButton Button, TShiftState, int X, int Y) {
        calls.push_back({Sender, Button, X, Y});
    }
    TMouseEvent Event() { return TMouseEvent(this, &MouseDownLog::Handler); }
};

// A skinned form in front on the screen, its image's old handler logging, with a maker.
struct ShownSkinnedForm {
    SkinnedForm skinned;
    MouseDownLog log;
    TLayeredFormMaker maker;
    bool attached = false;
    ShownSkinnedForm() {
        skinned.image->OnMouseDown = log.Event();
        attached = maker.Attach(skinned.image);
        skinned.form->Show();
        MakeForeground(skinned.form->Handle());
        PumpMessages(100);
    }
};

} // namespace

TEST(ShapedForm, AttachRefusesImagesWithoutAForm) {
    TWinControl lonePanel(nullptr);
    TImage onLonePanel(nullptr);
    onLonePanel.SetParent(&lonePanel);
    TImage orphan(nullptr);
    const struct {
        const char* name;
        TImage* image;
    } cases[] = {{"null", nullptr}, {"no parent", &orphan}, {"panel on no form", &onLonePanel}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MouseDownLog log;
        if (c.image)
            c.image->OnMouseDown = log.Event();
        TLayeredFormMaker maker;
        EXPECT_FALSE(maker.Attach(c.image));
        EXPECT_FALSE(maker.IsAttached());
        if (c.image) {
            EXPECT_TRUE(c.image->OnMouseDown == log.Event());
        }
    }
}

TEST(ShapedForm, FindFormLooksAtTheParentsOnly) {
    SkinnedForm direct(false);
    SkinnedForm throughPanel(true);
    TLayeredFormMaker maker;
    EXPECT_EQ(maker.FindForm(direct.image), direct.form.get());
    EXPECT_EQ(maker.FindForm(throughPanel.image), throughPanel.form.get());
    EXPECT_EQ(maker.FindForm(throughPanel.panel), throughPanel.form.get());
    EXPECT_EQ(maker.FindForm(direct.form.get()), nullptr);
}

TEST(ShapedForm, AttachShapesTheFormAfterTheImage) {
    for (bool onPanel : {false, true}) {
        SCOPED_TRACE(onPanel ? "image on a panel" : "image on the form");
        SkinnedForm skinned(onPanel);
        TLayeredFormMaker maker;

        ASSERT_TRUE(maker.Attach(skinned.image));

        EXPECT_TRUE(maker.IsAttached());
        TForm* form = skinned.form.get();
        EXPECT_EQ(form->BorderStyle(), bsNone);
        EXPECT_TRUE(skinned.image->AutoSize());
        const HWND window = form->Handle();
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_BORDER), 0);
        RECT client, outer;
        GetClientRect(window, &client);
        GetWindowRect(window, &outer);
        EXPECT_EQ(client.right, 120);
        EXPECT_EQ(client.bottom, 80);
        EXPECT_EQ(outer.right - outer.left, 120);
        EXPECT_EQ(outer.bottom - outer.top, 80);

        // The colour comes from the bottom-left pixel, in automatic mode.
        EXPECT_EQ(skinned.image->Picture()->Bitmap()->TransparentMode(), tmAuto);
        EXPECT_EQ(maker.GetTransparentColor(), kKey);
        EXPECT_EQ(form->Color(), kKey);
        EXPECT_NE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        ASSERT_TRUE(GetLayeredWindowAttributes(window, &key, &alpha, &flags));
        EXPECT_EQ(key, static_cast<COLORREF>(kKey));
        EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    }
}

TEST(ShapedForm, AttachingTwiceIsAProgrammingError) {
    SkinnedForm skinned;
    TLayeredFormMaker maker;
    ASSERT_TRUE(maker.Attach(skinned.image));
    EXPECT_EQ(AssertionTextOf([&] { maker.Attach(skinned.image); }),
              "Assertion failed: !IsAttached(), file tessel/widget/Source/TShapedForm, line 257");

    TNormalDrag drag;
    TImage image(nullptr);
    drag.Attach(skinned.form.get(), &image);
    EXPECT_EQ(AssertionTextOf([&] { drag.Attach(skinned.form.get(), &image); }),
              "Assertion failed: !IsAttached(), file tessel/widget/Source/TShapedForm, line 48");
}

TEST(ShapedForm, ScaledFormIsReportedThenAsserted) {
    const struct {
        const char* name;
        const char* expectedTitle;
    } cases[] = {{"NoticeForm", "NoticeForm"}, {"", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expectedTitle);
        SkinnedForm skinned(false, true, c.name);
        TLayeredFormMaker maker;
        RecordedMessageBoxes boxes;

        const std::string report = AssertionTextOf([&] { maker.Attach(skinned.image); });

        ASSERT_EQ(boxes.Shown().size(), 1u);
        EXPECT_EQ(boxes.Shown()[0].owner, nullptr);
        EXPECT_EQ(boxes.Shown()[0].text, "Scaled is not set false");
        EXPECT_EQ(boxes.Shown()[0].caption, c.expectedTitle);
        EXPECT_EQ(boxes.Shown()[0].flags, static_cast<UINT>(MB_OK));
        EXPECT_EQ(report, "Assertion failed: m_form->Scaled == false, file "
                          "tessel/widget/Source/TShapedForm, line 338");
    }
}

TEST(ShapedForm, LeftDragOnTheImageMovesTheFormAndReachesTheOldHandler) {
    ShownSkinnedForm shown;
    ASSERT_TRUE(shown.attached);
    SkinnedForm& skinned = shown.skinned;
    MouseDownLog& log = shown.log;
    const RECT before = skinned.WindowRect();

    // Press on the image, move in steps and let go; the system's move loop follows.
    MoveMouseTo(before.left + 30, before.top + 30);
    QueueMouse(MOUSEEVENTF_LEFTDOWN);
    for (int step = 1; step <= 8; ++step)
        QueueMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, before.left + 30 + 10 * step,
                   before.top + 30 + 6 * step);
    QueueMouse(MOUSEEVENTF_LEFTUP);
    PumpMessages(400);

    const RECT after = skinned.WindowRect();
    EXPECT_EQ(after.left - before.left, 80);
    EXPECT_EQ(after.top - before.top, 48);
    ASSERT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.calls[0].sender, skinned.image);
    EXPECT_EQ(log.calls[0].button, mbLeft);
    EXPECT_EQ(log.calls[0].x, 30);
    EXPECT_EQ(log.calls[0].y, 30);
}

TEST(ShapedForm, RightButtonOnTheImageDoesNotMoveTheFormButReachesTheOldHandler) {
    ShownSkinnedForm shown;
    ASSERT_TRUE(shown.attached);
    SkinnedForm& skinned = shown.skinned;
    MouseDownLog& log = shown.log;
    const RECT before = skinned.WindowRect();

    MoveMouseTo(before.left + 50, before.top + 20);
    PressMouse(mbRight);
    MoveMouseTo(before.left + 90, before.top + 60);
    ReleaseMouse(mbRight);
    PumpMessages(100);

    const RECT after = skinned.WindowRect();
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    ASSERT_EQ(log.calls.size(), 1u);
    EXPECT_EQ(log.calls[0].button, mbRight);
    EXPECT_EQ(log.calls[0].x, 50);
    EXPECT_EQ(log.calls[0].y, 20);
}

TEST(ShapedForm, FormThatOutlivesItsMakerGetsTheOldHandlerBack) {
    SkinnedForm skinned;
    MouseDownLog log;
    skinned.image->OnMouseDown = log.Event();
    const int componentsBefore = skinned.image->ComponentCount();
    {
        TLayeredFormMaker maker;
        ASSERT_TRUE(maker.Attach(skinned.image));
        EXPECT_FALSE(skinned.image->OnMouseDown == log.Event());
    }
    EXPECT_TRUE(skinned.image->OnMouseDown == log.Event());
    EXPECT_EQ(skinned.image->ComponentCount(), componentsBefore);
    skinned.image->OnMouseDown(skinned.image, mbLeft, 0, 3, 4);
    EXPECT_EQ(log.calls.size(), 1u);
}

TEST(ShapedForm, HandlerSetAfterTheMakerIsKeptWhenTheMakerGoes) {
    SkinnedForm skinned;
    MouseDownLog earlier, later;
    skinned.image->OnMouseDown = earlier.Event();
    {
        TLayeredFormMaker maker;
        ASSERT_TRUE(maker.Attach(skinned.image));
        skinned.image->OnMouseDown = later.Event();
    }
    EXPECT_TRUE(skinned.image->OnMouseDown == later.Event());
}

TEST(ShapedForm, MakerThatOutlivesItsImageNeverTouchesIt) {
    SkinnedForm skinned;
    // The image lives in storage of our own, so what happens to it after its end can be seen.
    alignas(TImage) unsigned char storage[sizeof(TImage)];
    TImage* image = new (storage) TImage(skinned.form.get());
    image->SetParent(skinned.form.get());
    auto maker = std::make_unique<TLayeredFormMaker>();
    ASSERT_TRUE(maker->Attach(image));

    image->~TImage(); // the form lets its image go before the maker
    std::memset(storage, 0xA5, sizeof storage);
    maker.reset();

    int touched = 0;
    for (unsigned char byte : storage)
        touched += byte != 0xA5;
    EXPECT_EQ(touched, 0);
}
