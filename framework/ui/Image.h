#pragma once
#include <memory>

#include "framework/graphics/Bitmap.h"
#include "framework/ui/Control.h"

class TCanvas;

// A picture: here always a bitmap (owned). OnChange fires whenever the bitmap changes.
class TPicture : public TPersistent {
public:
    TPicture();
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // From a TPicture or a TBitmap: the bitmap is copied; from null: the picture empties.
    void Assign(TPersistent* source) override;

    TBitmap* Bitmap() const { return m_bitmap.get(); }
    void SetBitmap(TBitmap* value) { m_bitmap->Assign(value); }
    int Width() const { return m_bitmap->Width(); }
    int Height() const { return m_bitmap->Height(); }
    void LoadFromFile(const AnsiString& fileName) { m_bitmap->LoadFromFile(fileName); }
    void SaveToFile(const AnsiString& fileName) { m_bitmap->SaveToFile(fileName); }

    TNotifyEvent OnChange;

protected:
    void AssignTo(TPersistent* dest) override;

private:
    void BitmapChanged(TObject* Sender);
    std::unique_ptr<TBitmap> m_bitmap;
};

// A windowless control that shows a picture. With AutoSize it takes the picture's size;
// with Transparent the bitmap's transparent colour is left out; Stretch fills the control.
// A disabled image lets mouse input through to whatever lies below it.
class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner);
    ~TImage() override;

    TPicture* Picture() const { return m_picture.get(); }
    void SetPicture(TPicture* value) { m_picture->Assign(value); }
    // The picture bitmap's canvas, to draw into the picture.
    TCanvas* Canvas() const;

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value);
    bool Stretch() const { return m_stretch; }
    void SetStretch(bool value);
    bool Center() const { return m_center; }
    void SetCenter(bool value);

protected:
    void PaintControl(HDC DC) override;
    bool CanResize(int& NewWidth, int& NewHeight) override;

private:
    void PictureChanged(TObject* Sender);
    void ApplyTransparency();

    std::unique_ptr<TPicture> m_picture;
    bool m_autoSize = false;
    bool m_transparent = false;
    bool m_stretch = false;
    bool m_center = false;
    bool m_inPictureChange = false;
};
