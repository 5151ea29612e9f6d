#pragma once
#include <optional>
#include <vector>

#include "framework/ui/Form.h"
#include "framework/win/Win.h"
#include "tessel/widget/TShapedForm.h"

class TImage;
class TLabel;
class TTimer;
class KxButtonTx;

// The notice window: a borderless form cut to the shape of its skin image, centred, kept out
// of the taskbar and brought to the foreground when shown. spelorin (SILENT_SETUP) keeps it
// on top of all others with a timer; pelorin activates it once.
class TMainForm : public TForm {
public:
    // Published fields, in the order of the form description.
    TImage* Background = nullptr;
    TLabel* Message = nullptr;
    TLabel* Causion = nullptr;
    KxButtonTx* YesButton = nullptr;
#ifdef SILENT_SETUP
    TTimer* Timer = nullptr;
#endif

    // Published handlers.
    void FormShow(TObject* Sender);
    void YesButtonClick(TObject* Sender);
#ifdef SILENT_SETUP
    void TimerTimer(TObject* Sender);
#endif

    // Builds the form from the resource TMAINFORM.
    explicit TMainForm(TComponent* Owner);
    // The same, with the layered-window service looked up in `user32` (see TLayeredFormMaker):
    // without it the window stays rectangular.
    TMainForm(TComponent* Owner, HMODULE user32);
    ~TMainForm() override;

    // Shapes the form after its skin, centres it on the screen and turns the application's
    // window into a hidden-from-the-taskbar tool window. Called once, before the message loop.
    void PrepareWindow();

    // Registers the class's published fields and handlers (and the classes its description
    // names); done by the constructor, again changing nothing.
    static void Register();

    // Enter, Escape and Space answer the notice as a click on OK does.
    void WndProc(TMessage& Message) override;

private:
    // Constructed once the form description has been read and destroyed before the form's
    // own destruction: the optional puts both moments in the code (see the constructor and
    // the destructor) while the maker stays part of the form.
    std::optional<tessel::TLayeredFormMaker> m_shaper;
};

// The notice window of the program (the application's main form).
extern TMainForm* MainForm;

// Where a window of `extent` starts when centred on a screen of `screenExtent`: the division
// rounds toward zero, so a window 5 pixels wider than the screen starts at -2.
int CentredStart(int screenExtent, int extent);

// The system calls BringWindowToForeground goes through; tests hand in their own to watch
// the order of the calls or to have the foreground refused.
struct ForegroundServices {
    BOOL(WINAPI* isIconic)(HWND window);
    BOOL(WINAPI* showWindow)(HWND window, int command);
    HWND(WINAPI* getForegroundWindow)();
    DWORD(WINAPI* getWindowThreadProcessId)(HWND window, LPDWORD processId);
    BOOL(WINAPI* attachThreadInput)(DWORD attach, DWORD attachTo, BOOL doAttach);
    BOOL(WINAPI* allowSetForegroundWindow)(DWORD processId);
    BOOL(WINAPI* setForegroundWindow)(HWND window);
    BOOL(WINAPI* bringWindowToTop)(HWND window);
    BOOL(WINAPI* systemParametersInfo)(UINT action, UINT parameter, PVOID value, UINT flags);
};
const ForegroundServices& SystemForegroundServices();

// Makes the window the foreground window and shows it, restoring it when minimised. When the
// system refuses the foreground, the foreground lock time-out is lifted for one more try and
// then put back; nothing is reported either way.
void BringWindowToForeground(HWND window,
                             const ForegroundServices& services = SystemForegroundServices());
