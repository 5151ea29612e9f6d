// The notice window. One source for both programs: spelorin is built with SILENT_SETUP,
// which adds the timer and keeps the window on top of all others.
#include "launcher/MainForm.h"

#include "KxPackage/Source/KxButtonTx.h"
#include "framework/ui/Application.h"
#include "framework/streaming/FormReader.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/streaming/Published.h"
#include "framework/ui/Timer.h"

TMainForm* MainForm = nullptr;

namespace {
const char kFormResource[] = "TMAINFORM";
}

void TMainForm::Register() {
    RegisterFrameworkClasses();
    KxButtonTx::Register();
    PublishedClass<TMainForm>("TMainForm", "TForm")
        .Field("Background", &TMainForm::Background)
        .Field("Message", &TMainForm::Message)
        .Field("Causion", &TMainForm::Causion)
        .Field("YesButton", &TMainForm::YesButton)
#ifdef SILENT_SETUP
        .Field("Timer", &TMainForm::Timer)
        .Handler("TimerTimer", &TMainForm::TimerTimer)
#endif
        .Handler("FormShow", &TMainForm::FormShow)
        .Handler("YesButtonClick", &TMainForm::YesButtonClick);
}

TMainForm::TMainForm(TComponent* Owner) : TMainForm(Owner, GetModuleHandleA("user32.dll")) {}

TMainForm::TMainForm(TComponent* Owner, HMODULE user32) : TForm(Owner) {
    Register();
    ReadFormResource(this, kFormResource);
    // The maker switches its colour key on when the system has layered windows.
    m_shaper.emplace(user32);
}

TMainForm::~TMainForm() {
    // The maker goes first: its drag delegate still refers to the image, which the form
    // destroys with its other components after this body.
    m_shaper.reset();
}

int CentredStart(int screenExtent, int extent) {
    return (screenExtent - extent) / 2;
}

void TMainForm::PrepareWindow() {
    m_shaper->SetColorKeyEnabled(true);
    m_shaper->Attach(Background);
    // The size after attaching: the skin image's.
    SetBounds(CentredStart(GetSystemMetrics(SM_CXSCREEN), Width()),
              CentredStart(GetSystemMetrics(SM_CYSCREEN), Height()), Width(), Height());
    // The application window carries the taskbar button: as a tool window it has none.
    HWND application = Application->Handle();
    LONG exStyle = GetWindowLongA(application, GWL_EXSTYLE);
    exStyle = (exStyle | WS_EX_TOPMOST | WS_EX_TOOLWINDOW) & ~WS_EX_APPWINDOW;
    SetWindowLongA(application, GWL_EXSTYLE, exStyle);
    SetWindowPos(application, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER);
}

void TMainForm::FormShow(TObject*) {
#ifdef SILENT_SETUP
    SetWindowPos(Application->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
#endif
    // The framework runs OnShow before it shows the form, and a window not shown yet does
    // not take the keyboard focus with the foreground under Wine: show it (not activated)
    // first, so that the keys reach it.
    if (!IsWindowVisible(Handle())) {
        ShowWindow(Handle(), SW_SHOWNA);
        // Painted at once: the foreground change below takes a while, and the window should
        // not stand there empty meanwhile.
        UpdateWindow(Handle());
    }
    // This form is MainForm, the only instance.
    BringWindowToForeground(Handle());
    ShowWindow(Application->Handle(), SW_HIDE);
}

#ifdef SILENT_SETUP
void TMainForm::TimerTimer(TObject* Sender) {
    FormShow(Sender);
}
#endif

void TMainForm::YesButtonClick(TObject*) {
    Close();
}

void TMainForm::WndProc(TMessage& Message) {
    // The OK button takes no focus (it is no tab stop), so the keys come to the form. Only a
    // fresh press counts: a key still held from starting the program repeats (bit 30, the
    // key was already down) and must not close the notice before it is read.
    const bool freshPress = (Message.LParam & (1 << 30)) == 0;
    if (Message.Msg == WM_KEYDOWN && freshPress &&
        (Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE ||
         Message.WParam == VK_SPACE)) {
        // What the button's click does: the form learns its result, then its OnClick runs.
        SetModalResult(YesButton->GetModalResult());
        YesButtonClick(YesButton);
        Message.Result = 0;
        return;
    }
    TForm::WndProc(Message);
}

const ForegroundServices& SystemForegroundServices() {
    static const ForegroundServices services = {
        IsIconic,
        ShowWindow,
        GetForegroundWindow,
        GetWindowThreadProcessId,
        AttachThreadInput,
        AllowSetForegroundWindow,
        SetForegroundWindow,
        BringWindowToTop,
        SystemParametersInfoA,
    };
    return services;
}

void BringWindowToForeground(HWND window, const ForegroundServices& services) {
    if (services.isIconic(window))
        services.showWindow(window, SW_RESTORE);
    HWND foreground = services.getForegroundWindow();
    const DWORD ownThread = services.getWindowThreadProcessId(window, nullptr);
    const DWORD foregroundThread = services.getWindowThreadProcessId(foreground, nullptr);
    const bool otherThread = ownThread != foregroundThread;
    if (otherThread)
        services.attachThreadInput(ownThread, foregroundThread, TRUE);
    services.allowSetForegroundWindow(ASFW_ANY);
    services.setForegroundWindow(window);
    services.bringWindowToTop(window);
    if (otherThread)
        services.attachThreadInput(ownThread, foregroundThread, FALSE);
    if (services.getForegroundWindow() != window) {
        // The system keeps the foreground for its owner for a while after input; without that
        // lock the second try goes through.
        DWORD timeout = 0;
        services.systemParametersInfo(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &timeout, 0);
        services.systemParametersInfo(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
        services.bringWindowToTop(window);
        services.setForegroundWindow(window);
        services.systemParametersInfo(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                                      reinterpret_cast<PVOID>(static_cast<ULONG_PTR>(timeout)),
                                      SPIF_SENDCHANGE);
    }
    services.showWindow(window, services.isIconic(window) ? SW_RESTORE : SW_SHOW);
}
