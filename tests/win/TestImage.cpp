#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"
#include "framework/graphics/Canvas.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "tests/support/ExceptionMessage.h"
#include "tests/support/WinCapture.h"
#include "tests/support/WinInput.h"
#include "tests/support/WinTestForm.h"

namespace {

// A 20 x 10 bitmap: red, with its left half in the key colour blue (bottom-left included).
void PaintKeyed(TBitmap* bitmap) {
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(20, 10);
    TCanvas* canvas = bitmap->Canvas();
    canvas->Brush()->SetColor(clRed);
    canvas->FillRect(TRect(0, 0, 20, 10));
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(TRect(0, 0, 10, 10));
}

struct ImageTest : ::testing::Test {
    ShownForm form{200, 120};
    TImage* image = nullptr;
    void SetUp() override {
        form->SetColor(clLime);
        image = new TImage(form.form.get());
        image->SetParent(form.form.get());
        image->SetBounds(10, 10, 50, 40);
    }
};

TEST_F(ImageTest, AutoSizeTakesTheBitmapsSizeAndKeepsIt) {
    image->SetAutoSize(true);
    EXPECT_EQ(image->Width(), 50); // an empty picture changes nothing
    PaintKeyed(image->Picture()->Bitmap());
    EXPECT_EQ(image->Width(), 20);
    EXPECT_EQ(image->Height(), 10);
    image->SetBounds(30, 30, 100, 100);
    EXPECT_EQ(image->Left(), 30);
    EXPECT_EQ(image->Width(), 20);
    image->SetAutoSize(false);
    image->SetBounds(30, 30, 100, 100);
    EXPECT_EQ(image->Width(), 100);
}

TEST_F(ImageTest, DrawsTheBitmapAndLeavesTheKeyColourOutWhenTransparent) {
    PaintKeyed(image->Picture()->Bitmap());
    ClientPixels shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(10, 10, 20, 20, 0x0000FF), 100);
    EXPECT_EQ(shot.CountIn(20, 10, 30, 20, 0xFF0000), 100);
    EXPECT_EQ(shot.At(35, 15), 0x00FF00u); // the rest of the image shows the form

    image->SetTransparent(true);
    EXPECT_TRUE(image->Picture()->Bitmap()->Transparent());
    shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(10, 10, 20, 20, 0x00FF00), 100);
    EXPECT_EQ(shot.CountIn(20, 10, 30, 20, 0xFF0000), 100);

    // A fixed transparent colour keys out that colour instead.
    image->Picture()->Bitmap()->SetTransparentColor(clRed);
    shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(10, 10, 20, 20, 0x0000FF), 100);
    EXPECT_EQ(shot.CountIn(20, 10, 30, 20, 0x00FF00), 100);
}

TEST_F(ImageTest, StretchAndCenterPlaceTheBitmapInTheControl) {
    PaintKeyed(image->Picture()->Bitmap());
    image->SetStretch(true); // 20 x 10 onto 50 x 40
    ClientPixels shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(10, 10, 60, 50, 0x0000FF) + shot.CountIn(10, 10, 60, 50, 0xFF0000),
              50 * 40);
    image->SetStretch(false);
    image->SetCenter(true); // at (15, 15) inside the image
    shot = PaintedClient(form.Handle());
    EXPECT_EQ(shot.CountIn(25, 25, 35, 35, 0x0000FF), 100);
    EXPECT_EQ(shot.At(24, 25), 0x00FF00u);
}

TEST_F(ImageTest, ChangesToThePictureOrItsCanvasRepaintTheImage) {
    PaintKeyed(image->Picture()->Bitmap());
    PumpMessages(30);
    RECT update;
    ASSERT_FALSE(GetUpdateRect(form.Handle(), &update, FALSE));
    image->Canvas()->Brush()->SetColor(clWhite);
    image->Canvas()->FillRect(TRect(0, 0, 5, 5));
    ASSERT_TRUE(GetUpdateRect(form.Handle(), &update, FALSE));
    EXPECT_EQ(update.left, 10);
    EXPECT_EQ(update.top, 10);
    PumpMessages(30);
    EXPECT_EQ(PaintedClient(form.Handle()).At(12, 12), 0xFFFFFFu);

    image->Picture()->Bitmap()->SetSize(4, 4);
    EXPECT_TRUE(GetUpdateRect(form.Handle(), &update, FALSE));
}

TEST(Picture, AssignsFromPicturesAndBitmapsOnly) {
    TPicture picture;
    TBitmap bitmap;
    PaintKeyed(&bitmap);
    int changes = 0;
    picture.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &picture);
        ++changes;
    };
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Width(), 20);
    EXPECT_GE(changes, 1);
    TPicture copy;
    copy.Assign(&picture);
    EXPECT_EQ(copy.Height(), 10);
    TBitmap back;
    back.Assign(&copy); // through TPicture::AssignTo
    EXPECT_EQ(back.Width(), 20);
    picture.Assign(nullptr);
    EXPECT_TRUE(picture.Bitmap()->Empty());
    TFont font;
    EXPECT_EQ(MessageOf<EConvertError>([&] { picture.Assign(&font); }),
              "Cannot assign a TFont to a TPicture");
}

} // namespace
