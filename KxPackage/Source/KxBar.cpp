#include "KxPackage/Source/KxBar.h"
#include "KxPackage/Source/KxClassPublishing.h"

#include "framework/streaming/Published.h"

// ---- KxBarOrigin -----------------------------------------------------------------------

void KxBarOrigin::SetX(int value) {
    X = value;
    FBar->LocateIndicator();
}

void KxBarOrigin::SetY(int value) {
    Y = value;
    FBar->LocateIndicator();
}

void KxBarOrigin::AssignTo(TPersistent* dest) {
    auto* target = dynamic_cast<KxBarOrigin*>(dest);
    if (!target) {
        TPersistent::AssignTo(dest);
        return;
    }
    target->X = X;
    target->Y = Y;
    target->FBar->LocateIndicator();
}

// ---- KxBar -----------------------------------------------------------------------------

KxBar::KxBar(TComponent* AOwner) : KxBrick(AOwner) {
    FIndicatorImage = new TImage(this);
    FIndicatorImage->SetParent(this);
    FIndicatorImage->SetAutoSize(true);
    FIndicatorImage->BringToFront();
    FIndicatorImage->OnMouseDown = TMouseEvent(this, &KxBar::OnImgMouseDown);
    FIndicatorImage->OnMouseUp = TMouseEvent(this, &KxBar::OnImgMouseUp);
    FIndicatorImage->OnMouseMove = TMouseMoveEvent(this, &KxBar::OnImgMouseMove);
    Origin = std::make_unique<KxBarOrigin>(this);
}

// The indicator image goes with the bar's owned components, after KxBrick's destruction.
KxBar::~KxBar() {
    Origin.reset();
}

void KxBar::StartScroll() {
    if (OnStartScroll)
        OnStartScroll(this);
}

void KxBar::Scroll(int& disp, bool direction) {
    if (OnScroll)
        OnScroll(this, disp, direction);
}

void KxBar::EndScroll() {
    if (OnEndScroll)
        OnEndScroll(this);
}

void KxBar::Indicate(int& disp) {
    if (OnIndicate)
        OnIndicate(this, disp);
}

void KxBar::Repaint() {
    FIndicatorImage->Repaint();
    KxBrick::Repaint();
}

void KxBar::LocateIndicator() {
    PlaceIndicator(true);
}

void KxBar::PlaceIndicator(bool indicate) {
    int x = Origin->GetX() - FIndicatorImage->Width() / 2;
    int y = Origin->GetY() - FIndicatorImage->Height() / 2;
    int& disp = Kind == sbHorizontal ? x : y;
    disp += ScrollPos;
    if (indicate)
        Indicate(disp);
    FIndicatorImage->SetBounds(x, y, FIndicatorImage->Width(), FIndicatorImage->Height());
}

void KxBar::Loaded() {
    KxBrick::Loaded();
    PlaceIndicator(false);
}

void KxBar::SetLength(int value) {
    Length = value;
    LocateIndicator();
}

void KxBar::SetScrollPos(int value) {
    ScrollPos = value;
    LocateIndicator();
}

void KxBar::SetKind(TScrollBarKind value) {
    Kind = value;
    LocateIndicator();
}

void KxBar::SetOrigin(KxBarOrigin* value) {
    Origin->Assign(value);
}

TBitmap* KxBar::GetIndicator() const {
    return FIndicatorImage->Picture()->Bitmap();
}

void KxBar::SetIndicator(TBitmap* value) {
    FIndicatorImage->Picture()->Bitmap()->Assign(value);
    LocateIndicator();
}

void KxBar::OnImgMouseDown(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseDown(Button, Shift, X + FIndicatorImage->Left(), Y + FIndicatorImage->Top());
}

void KxBar::OnImgMouseMove(TObject*, TShiftState Shift, int X, int Y) {
    MouseMove(Shift, X + FIndicatorImage->Left(), Y + FIndicatorImage->Top());
}

void KxBar::OnImgMouseUp(TObject*, TMouseButton Button, TShiftState Shift, int X, int Y) {
    MouseUp(Button, Shift, X + FIndicatorImage->Left(), Y + FIndicatorImage->Top());
}

// A press anywhere on the track starts a drag as well; the indicator does not jump.
void KxBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (IsInside(X, Y) && Button == mbLeft) {
        FLastX = X;
        FLastY = Y;
        FDragging = true;
        StartScroll();
    }
    KxBrick::MouseDown(Button, Shift, X, Y);
}

void KxBar::MouseMove(TShiftState Shift, int X, int Y) {
    if (IsDraging()) {
        int p = ScrollPos + (Kind == sbHorizontal ? X - FLastX : Y - FLastY);
        // Length first, then 0: a negative Length ends at 0.
        if (p > Length)
            p = Length;
        if (p < 0)
            p = 0;
        const bool direction = p >= ScrollPos;
        Scroll(p, direction);
        ScrollPos = p;
        LocateIndicator();
        // Also when clamped, so that moving back from beyond an end moves the indicator back
        // at once.
        FLastX = X;
        FLastY = Y;
    }
    KxBrick::MouseMove(Shift, X, Y);
}

// Any button's release ends the drag.
void KxBar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (IsDraging()) {
        FDragging = false;
        EndScroll();
    }
    KxBrick::MouseUp(Button, Shift, X, Y);
}

void KxBar::CancelMouseMode() {
    if (IsDraging()) {
        FDragging = false;
        EndScroll();
    }
    KxBrick::CancelMouseMode();
}

void KxBar::Register() {
    PublishKxBarClasses();
    RegisterComponents("KxComponents", {ClassOf<KxBar>()});
}

namespace {
void PublishKxBar() {
    PublishKxBrickClasses();
    PublishedClass<KxBarOrigin>("KxBarOrigin")
        .Int("X", &KxBarOrigin::GetX, &KxBarOrigin::SetX, 0)
        .Int("Y", &KxBarOrigin::GetY, &KxBarOrigin::SetY, 0);
    // Length's default is the constructor's 20, so that a length of 0 is written and read
    // back as 0; descriptions that left out a length of 20 still read as 20.
    PublishedClass<KxBar>("KxBar", "KxBrick")
        .Object("Indicator", &KxBar::GetIndicator)
        .Int("Length", &KxBar::GetLength, &KxBar::SetLength, KxBar::DefaultLength)
        .Object("Origin", &KxBar::GetOrigin)
        .Int("ScrollPos", &KxBar::GetScrollPos, &KxBar::SetScrollPos, 0)
        .Enum("Kind", &KxBar::GetKind, &KxBar::SetKind, {"sbHorizontal", "sbVertical"},
              sbHorizontal)
        .Event("OnStartScroll", &KxBar::OnStartScroll)
        .Event("OnEndScroll", &KxBar::OnEndScroll)
        .Event("OnScroll", &KxBar::OnScroll)
        .Event("OnIndicate", &KxBar::OnIndicate);
}
} // namespace

void PublishKxBarClasses() {
    static const bool registered = (PublishKxBar(), true);
    (void)registered;
}
