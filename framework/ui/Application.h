#pragma once
#include "framework/core/AnsiString.h"
#include "framework/core/Closure.h"
#include "framework/core/Component.h"
#include "framework/core/Exceptions.h"
#include "framework/win/Win.h"

class TCustomForm;

// A help context number reached the application (F1, see Help.h): Sender is the control whose
// number it is. Returns whether the handler showed help.
using THelpEvent = Closure<bool(TObject* Sender, int HelpContext)>;

// The program's application object: its hidden window (which carries the taskbar button and
// owns every form), its forms, its main form and the message loop.
class TApplication : public TComponent {
public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Makes the hidden application window.
    void Initialize();
    // Creates a form owned by the application; the first form becomes the main form. Any
    // further arguments go to the form's constructor after its owner.
    template <class T, class... Arguments> void CreateForm(T*& Reference, Arguments... arguments) {
        Reference = nullptr;
        T* form = new T(this, arguments...);
        Reference = form;
        FormCreated(form);
    }
    TCustomForm* MainForm() const { return m_mainForm; }

    // Shows the main form and handles messages until Terminate (or the main form closed).
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }
    // Handles every message waiting in the queue, then returns.
    void ProcessMessages();
    // Handles one message; when the queue is empty, updates the actions (their OnUpdate)
    // and waits for one.
    void HandleMessage();

    // The hidden application window (made on first use).
    HWND Handle();
    bool HandleAllocated() const { return m_handle != nullptr; }

    // The title of the application window and of its message boxes; the program's file
    // name without extension when unset.
    AnsiString Title() const;
    void SetTitle(const AnsiString& value);
    // The full path of the running program.
    AnsiString ExeName() const;

    // The framework's standard report: a stop box with the exception's message.
    void ShowException(Exception* E);

    bool ShowMainForm = true;

    // Called by forms as they go.
    void FormDestroying(TCustomForm* form);

    // Hints and help (Hints.cpp, Help.cpp): the pointer's rest before a hint shows and the
    // time it stays, in milliseconds; ShowHint false shows no hint at all.
    int HintPause = 500;
    int HintHidePause = 2500;
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    THelpEvent OnHelp;
    // Hands a help context number to OnHelp; false when it is not set or did not handle it.
    bool HelpContext(TObject* Sender, int Context);

private:
    void FormCreated(TComponent* component);
    bool ProcessMessage(MSG& msg);
    void CreateHandle();

    HWND m_handle = nullptr;
    TCustomForm* m_mainForm = nullptr;
    bool m_terminated = false;
    bool m_titleSet = false;
    AnsiString m_title;
    bool m_showHint = true;
};

// The one application object of the program.
extern TApplication* Application;
