#pragma once
#include <memory>

#include "KxPackage/Source/KxBrick.h"
#include "framework/ui/Image.h"

enum TScrollBarKind { sbHorizontal, sbVertical };

class KxBar;

// Where the bar's indicator has its centre at position 0, in bar coordinates.
class KxBarOrigin : public TPersistent {
public:
    explicit KxBarOrigin(KxBar* bar) : FBar(bar) {}

    int GetX() const { return X; }
    // Each setter places the indicator again.
    void SetX(int value);
    int GetY() const { return Y; }
    void SetY(int value);

protected:
    // Both values, then one placement of dest's indicator.
    void AssignTo(TPersistent* dest) override;

    KxBar* FBar;
    int X = 0;
    int Y = 0;
};

using KxScrollEvent = Closure<void(TObject* Sender, int& disp, bool direction)>;
using KxIndicateEvent = Closure<void(TObject* Sender, int& disp)>;

// A bitmap scroll bar: a brick whose bitmaps draw the track, with an indicator image on top
// that the user drags along one axis. ScrollPos is the indicator's offset in pixels from the
// origin, 0 to Length for a drag; the move and placement handlers may change the value they
// are given.
class KxBar : public KxBrick {
public:
    explicit KxBar(TComponent* AOwner);
    ~KxBar() override;

    virtual void StartScroll();
    virtual void Scroll(int& disp, bool direction);
    virtual void EndScroll();
    // disp is the indicator's Left (horizontal) or Top (vertical) in bar coordinates.
    virtual void Indicate(int& disp);

    void Repaint() override;

    // Puts the indicator's centre at the origin, ScrollPos pixels along the axis (not
    // limited to Length), as OnIndicate leaves it.
    void LocateIndicator();
    bool IsDraging() const { return FDragging; }

    int GetLength() const { return Length; }
    void SetLength(int value);
    int GetScrollPos() const { return ScrollPos; }
    // Not clamped; no scroll events.
    void SetScrollPos(int value);
    TScrollBarKind GetKind() const { return Kind; }
    void SetKind(TScrollBarKind value);
    KxBarOrigin* GetOrigin() const { return Origin.get(); }
    void SetOrigin(KxBarOrigin* value);
    // The indicator image's live bitmap.
    TBitmap* GetIndicator() const;
    // Copies the bitmap; the image takes its size.
    void SetIndicator(TBitmap* value);
    TImage* IndicatorImage() const { return FIndicatorImage; }

    // The indicator's mouse events, passed on to the bar in bar coordinates.
    void OnImgMouseDown(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);
    void OnImgMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void OnImgMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

    // Puts KxBar on the designer's palette page "KxComponents".
    static void Register();

    TNotifyEvent OnStartScroll;
    TNotifyEvent OnEndScroll;
    KxScrollEvent OnScroll;
    KxIndicateEvent OnIndicate;

    // What the constructor gives and the form description leaves out.
    static constexpr int DefaultLength = 20;

protected:
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // A drag whose capture was taken away ends as a release would end it.
    void CancelMouseMode() override;
    // A description may leave out every setting that places the indicator (all at their
    // defaults): it is placed once the whole description is read, without events.
    void Loaded() override;

    // Puts the indicator's centre at the origin, ScrollPos pixels along the axis; Indicate
    // is asked only when `indicate` holds.
    void PlaceIndicator(bool indicate);

    TImage* FIndicatorImage = nullptr; // owned by the bar as a component
    int Length = DefaultLength;
    int ScrollPos = 0;
    bool FDragging = false;
    int FLastX = 0;
    int FLastY = 0;
    TScrollBarKind Kind = sbHorizontal;
    std::unique_ptr<KxBarOrigin> Origin;
};

