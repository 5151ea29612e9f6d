#include "framework/ui/Image.h"

#include "framework/graphics/Canvas.h"
#include "framework/ui/WinControl.h"

TPicture::TPicture() : m_bitmap(std::make_unique<TBitmap>()) {
    m_bitmap->OnChange = TNotifyEvent(this, &TPicture::BitmapChanged);
}

TPicture::~TPicture() {
    m_bitmap->OnChange = nullptr;
}

void TPicture::Assign(TPersistent* source) {
    if (!source) {
        m_bitmap->Assign(nullptr);
        return;
    }
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        m_bitmap->Assign(picture->Bitmap());
        return;
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) {
        m_bitmap->Assign(bitmap);
        return;
    }
    TPersistent::Assign(source);
}

void TPicture::AssignTo(TPersistent* dest) {
    if (auto* bitmap = dynamic_cast<TBitmap*>(dest)) {
        bitmap->Assign(m_bitmap.get());
        return;
    }
    TPersistent::AssignTo(dest);
}

void TPicture::BitmapChanged(TObject*) {
    if (OnChange)
        OnChange(this);
}

TImage::TImage(TComponent* AOwner) : TControl(AOwner), m_picture(std::make_unique<TPicture>()) {
    ControlStyle.Include(csReplicatable);
    m_picture->OnChange = TNotifyEvent(this, &TImage::PictureChanged);
    // Drawing on the picture's canvas shows at once, like a change of the whole bitmap.
    m_picture->Bitmap()->Canvas()->OnChange = [this](TObject*) { Invalidate(); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage() {
    m_picture->Bitmap()->Canvas()->OnChange = nullptr;
    m_picture->OnChange = nullptr;
}

TCanvas* TImage::Canvas() const {
    return m_picture->Bitmap()->Canvas();
}

void TImage::ApplyTransparency() {
    m_picture->Bitmap()->SetTransparent(m_transparent);
}

void TImage::PictureChanged(TObject*) {
    if (m_inPictureChange)
        return;
    m_inPictureChange = true;
    try {
        ApplyTransparency();
        TBitmap* bitmap = m_picture->Bitmap();
        if (m_autoSize && bitmap->Width() > 0 && bitmap->Height() > 0)
            SetBounds(m_left, m_top, bitmap->Width(), bitmap->Height());
        Invalidate();
    } catch (...) {
        m_inPictureChange = false;
        throw;
    }
    m_inPictureChange = false;
}

void TImage::SetAutoSize(bool value) {
    if (value == m_autoSize)
        return;
    m_autoSize = value;
    if (value)
        PictureChanged(this);
}

void TImage::SetTransparent(bool value) {
    if (value == m_transparent)
        return;
    m_transparent = value;
    PictureChanged(this);
}

void TImage::SetStretch(bool value) {
    if (value == m_stretch)
        return;
    m_stretch = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (value == m_center)
        return;
    m_center = value;
    Invalidate();
}

bool TImage::CanResize(int& NewWidth, int& NewHeight) {
    TBitmap* bitmap = m_picture->Bitmap();
    if (m_autoSize && bitmap->Width() > 0 && bitmap->Height() > 0) {
        NewWidth = bitmap->Width();
        NewHeight = bitmap->Height();
    }
    return TControl::CanResize(NewWidth, NewHeight);
}

void TImage::PaintControl(HDC DC) {
    TBitmap* bitmap = m_picture->Bitmap();
    if (bitmap->Empty())
        return;
    TCanvas canvas(DC);
    if (m_stretch) {
        canvas.StretchDraw(TRect(0, 0, m_width, m_height), bitmap);
        return;
    }
    int x = 0, y = 0;
    if (m_center) {
        x = (m_width - bitmap->Width()) / 2;
        y = (m_height - bitmap->Height()) / 2;
    }
    canvas.Draw(x, y, bitmap);
}
