#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "tests/support/WinGuiResources.h"
#include "tests/support/WinInput.h"

namespace {

TEST(FormLeaks, ManyFormsWithAnImageAndALabelLeakNoWindowsOrGdiObjects) {
    auto cycle = [] {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBorderStyle(bsNone);
        form->SetBounds(10, 10, 120, 80);
        auto* image = new TImage(form.get());
        image->SetParent(form.get());
        image->Picture()->Bitmap()->SetSize(40, 30);
        image->Picture()->Bitmap()->Canvas()->FillRect(TRect(0, 0, 40, 30));
        image->SetTransparent(true);
        image->SetAutoSize(true);
        auto* label = new TLabel(form.get());
        label->SetParent(form.get());
        label->Font()->SetName("Arial");
        label->SetCaption("Leak check");
        auto* button = new TWinControl(form.get());
        button->SetParent(form.get());
        form->Show();
        form->Update();
    };
    cycle();
    PumpMessages(20);
    const int gdiBefore = CountGdiObjects();
    const int windowsBefore = CountWindows();
    for (int i = 0; i < 1000; ++i)
        cycle();
    PumpMessages(20);
    EXPECT_EQ(CountWindows(), windowsBefore);
    EXPECT_EQ(CountGdiObjects(), gdiBefore);
    EXPECT_GT(gdiBefore, 0); // the counter works at all
}

} // namespace
