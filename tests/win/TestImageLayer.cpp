#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/core/Color.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/win/Win.h"
#include "tessel/Graphics/SimplePainter.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinPixels.h"
#include "tests/support/WinTestForm.h"

namespace {

using Layer = tessel::ImageLayer<tessel::NullSaver<TCanvas*>>;

int ScreenDepth() {
    const HDC screen = GetDC(nullptr);
    const int bits = GetDeviceCaps(screen, BITSPIXEL);
    ReleaseDC(nullptr, screen);
    return bits;
}

TImage* OnlyImageOf(TComponent* owner) {
    return owner->ComponentCount() == 1 ? dynamic_cast<TImage*>(owner->Components(0)) : nullptr;
}

TEST(ImageLayer, MakesADisabledEmptyImageOwnedByTheOwnerOnTheParent) {
    TForm owner(nullptr);
    TForm parent(nullptr);

    Layer layer(&owner, &parent);

    TImage* image = OnlyImageOf(&owner);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(layer.Image(), image);
    EXPECT_EQ(image->Parent(), &parent);
    EXPECT_TRUE(parent.ContainsControl(image));
    EXPECT_FALSE(image->Enabled());
    EXPECT_EQ(image->BoundsRect(), TRect(0, 0, 0, 0));
    TBitmap* bitmap = image->Picture()->Bitmap();
    EXPECT_EQ(bitmap->Width(), 0);
    EXPECT_EQ(bitmap->Height(), 0);
    EXPECT_EQ(bitmap->TransparentMode(), tmFixed);
    EXPECT_EQ(bitmap->PixelFormat(), ScreenDepth() < 5 ? pf4bit : pf24bit);
    EXPECT_EQ(layer.Width(), 0);
    EXPECT_EQ(layer.Height(), 0);
    EXPECT_EQ(layer.BackgroundColor().Rgb(), 0xFFFFFFu);
    EXPECT_EQ(layer.Canvas(), image->Canvas());
}

TEST(ImageLayer, LetsAPressOnTheImageReachTheParent) {
    ShownForm form;
    Layer layer(form.form.get(), form.form.get());
    layer.Resize(50, 50);
    int formPresses = 0;
    int imagePresses = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formPresses; };
    layer.Image()->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        ++imagePresses;
    };

    SendMessageA(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    SendMessageA(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));

    EXPECT_EQ(formPresses, 1);
    EXPECT_EQ(imagePresses, 0);
}

TEST(ImageLayer, ResizesSurfaceAndImageAndPaintsTheNewAreaInTheBackground) {
    TForm form(nullptr);
    Layer layer(&form, &form);
    layer.SetBackgroundColor(tessel::RgbColor::FromColor(clRed));
    layer.Resize(10, 10);
    TBitmap* bitmap = layer.Image()->Picture()->Bitmap();
    PaintRect(bitmap, TRect(0, 0, 10, 10), clBlack);

    layer.Resize(20, 15);

    EXPECT_EQ(layer.Width(), 20);
    EXPECT_EQ(layer.Height(), 15);
    EXPECT_EQ(layer.Image()->Width(), 20);
    EXPECT_EQ(layer.Image()->Height(), 15);
    EXPECT_EQ(CountOf(bitmap, TRect(0, 0, 10, 10), clBlack), 100);
    EXPECT_EQ(CountOf(bitmap, TRect(0, 0, 20, 15), clRed), 300 - 100);
}

TEST(ImageLayer, ClearPaintsTheWholeSurfaceInTheBackground) {
    TForm form(nullptr);
    Layer layer(&form, &form);
    layer.Resize(12, 8);
    TBitmap* bitmap = layer.Image()->Picture()->Bitmap();
    PaintRect(bitmap, TRect(0, 0, 12, 8), clBlack);
    layer.SetBackgroundColor(tessel::RgbColor(0xFF00FF00u));

    layer.Clear();

    EXPECT_EQ(layer.BackgroundColor(), tessel::RgbColor(0x0000FF00u));
    EXPECT_EQ(CountOf(bitmap, TRect(0, 0, 12, 8), 0x00FF00), 96);
}

TEST(ImageLayer, FreesItsImageWhenDestroyedBeforeTheOwner) {
    TForm owner(nullptr);
    TForm parent(nullptr);
    auto layer = std::make_unique<Layer>(&owner, &parent);

    layer.reset();

    EXPECT_EQ(owner.ComponentCount(), 0);
    EXPECT_EQ(parent.ControlCount(), 0);
}

// An owner that frees a layer while it is being destroyed itself: the image is then left to
// the owner, which frees it with the rest of its components.
class DestroyingOwner : public TComponent {
public:
    DestroyingOwner(TWinControl* parent, bool* imageLeft)
        : TComponent(nullptr), m_imageLeft(imageLeft) {
        m_layer = std::make_unique<Layer>(this, parent);
    }
    ~DestroyingOwner() override {
        Destroying();
        m_layer.reset();
        *m_imageLeft = ComponentCount() == 1;
    }

private:
    std::unique_ptr<Layer> m_layer;
    bool* m_imageLeft;
};

TEST(ImageLayer, LeavesTheImageToAnOwnerThatIsDestroyingIt) {
    TForm parent(nullptr);
    bool imageLeftToOwner = false;

    delete new DestroyingOwner(&parent, &imageLeftToOwner);

    EXPECT_TRUE(imageLeftToOwner);
    EXPECT_EQ(parent.ControlCount(), 0);
}

} // namespace
