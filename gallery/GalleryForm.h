#pragma once
#include "framework/core/DateTime.h"
#include "framework/ui/Form.h"

class TImage;
class TLabel;
class TTimer;
class TAction;
class TPopupMenu;
class KxBar;
class KxBrick;
class KxBrickTx;
class KxButton;
class KxButtonTx;
class KxCheckBox;
class KxNumLed;

// The control gallery: every control of the package on one form, read from the form
// resource TMAINFORM and wired together by the handlers below.
class TGalleryForm : public TForm {
public:
    // Published fields, in the order of the form description.
    TImage* Background = nullptr;
    TLabel* ButtonsTitle = nullptr;
    TLabel* CheckTitle = nullptr;
    TLabel* RoundTitle = nullptr;
    TLabel* BricksTitle = nullptr;
    TLabel* BarTitle = nullptr;
    TLabel* VBarTitle = nullptr;
    TLabel* ClockTitle = nullptr;
    TLabel* DateTitle = nullptr;
    TLabel* CheckLabel = nullptr;
    TLabel* CheckHint = nullptr;
    TLabel* RoundLabel = nullptr;
    TLabel* BarHint = nullptr;
    TLabel* VBarLabel = nullptr;
    KxButton* PowerButton = nullptr;
    KxButtonTx* SwitchButton = nullptr;
    KxButtonTx* CloseButton = nullptr;
    KxCheckBox* GrayCheck = nullptr;
    KxButton* RoundButton = nullptr;
    KxBrick* Brick = nullptr;
    KxBrickTx* CaptionBrick = nullptr;
    TWinControl* DockArea = nullptr;
    KxBar* HBar = nullptr;
    KxNumLed* BarLed = nullptr;
    KxBar* VBar = nullptr;
    KxNumLed* ClockLed = nullptr;
    KxNumLed* DateLed = nullptr;
    KxButtonTx* ResetButton = nullptr;
    TPopupMenu* LedMenu = nullptr;
    TAction* ResetAction = nullptr;
    TTimer* ClockTimer = nullptr;

    // Published handlers.
    void PowerButtonClick(TObject* Sender);
    void CloseButtonClick(TObject* Sender);
    void GrayCheckClick(TObject* Sender);
    void RoundButtonClick(TObject* Sender);
    void HBarScroll(TObject* Sender, int& disp, bool direction);
    void VBarScroll(TObject* Sender, int& disp, bool direction);
    void ClockTimerTimer(TObject* Sender);
    // The bar's display's context menu: its value to the clipboard as text ("4.2"); the
    // reset action, shared with the reset button, puts bar and display back to zero.
    void CopyValueItemClick(TObject* Sender);
    void ResetActionExecute(TObject* Sender);
    void ResetActionUpdate(TObject* Sender);

    // Builds the form from the resource TMAINFORM, centres it and shows the current time.
    explicit TGalleryForm(TComponent* Owner);

    // From now on every tick of the clock's timer advances the clock by one second from
    // `start`, whatever the interval: a run with a short interval then redraws the clock at
    // every tick, as a real second would.
    void RunClockFast(TDateTime start);

    // Registers the class's published fields and handlers (and the classes its description
    // names); registering again changes nothing.
    static void Register();

private:
    // Shows m_clock on the clock and the date display.
    void ShowClock();

    TDateTime m_clock;
    bool m_fastClock = false;
    int m_roundPresses = 0;
};

// The gallery window (the application's main form).
extern TGalleryForm* GalleryForm;

// The caption the check box's label shows for a check state.
const char* CheckStateName(int state);
