#include "framework/ui/Application.h"

#include <vector>

#include "framework/ui/ActnList.h"
#include "framework/ui/Form.h"
#include "framework/ui/MessageBox.h"
#include "framework/ui/WinControl.h"

namespace {
const char kApplicationClass[] = "TesselApplication";

LRESULT CALLBACK ApplicationWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Closing the application window (from the taskbar) closes the main form.
    if (msg == WM_CLOSE && Application && Application->MainForm()) {
        Application->MainForm()->Close();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

// A framework exception out of a window's handler gets the standard report.
void ReportWindowProcException(Exception* E) {
    Application->ShowException(E);
}

} // namespace

// The application object lives until the process ends; it is never destroyed, because at
// exit the statics its forms' objects rely on may already be gone.
TApplication* Application = new TApplication(nullptr);

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {
    SetWindowProcExceptionHook(ReportWindowProcException);
}

TApplication::~TApplication() {
    // Forms first (they report to this object as they go), then the window that owned them.
    m_mainForm = nullptr;
    DestroyComponents();
    if (m_handle)
        DestroyWindow(m_handle);
    m_handle = nullptr;
}

void TApplication::Initialize() {
    Handle();
}

void TApplication::CreateHandle() {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = ApplicationWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kApplicationClass;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw EOutOfResources("Cannot register the application window class");
    // Zero-sized at the centre of the screen: it only carries the taskbar button and owns
    // the forms.
    m_handle = CreateWindowExA(WS_EX_APPWINDOW, kApplicationClass, Title().c_str(),
                               WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                               GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2,
                               0, 0, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_handle)
        throw EOutOfResources("Error creating window");
}

HWND TApplication::Handle() {
    if (!m_handle)
        CreateHandle();
    return m_handle;
}

void TApplication::FormCreated(TComponent* component) {
    if (m_mainForm)
        return;
    if (auto* form = dynamic_cast<TCustomForm*>(component)) {
        form->HandleNeeded();
        m_mainForm = form;
    }
}

void TApplication::FormDestroying(TCustomForm* form) {
    if (form == m_mainForm)
        m_mainForm = nullptr;
}

void TApplication::Run() {
    m_terminated = false;
    if (m_mainForm && ShowMainForm)
        m_mainForm->Show();
    while (!m_terminated)
        HandleMessage();
}

void TApplication::Terminate() {
    PostQuitMessage(0);
}

bool TApplication::ProcessMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT) {
        m_terminated = true;
        return true;
    }
    // Tab moves the focus between controls (TWinControl); its character must not follow.
    bool translate = true;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
        char className[32] = {};
        GetClassNameA(msg.hwnd, className, sizeof(className));
        translate = lstrcmpA(className, "TesselControl") != 0;
    }
    if (translate)
        TranslateMessage(&msg);
    DispatchMessageA(&msg);
    RethrowWindowProcException();
    return true;
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (ProcessMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!ProcessMessage(msg)) {
        // The queue ran empty: the actions bring their state up to date before the wait.
        UpdateActions();
        WaitMessage();
    }
}

AnsiString TApplication::ExeName() const {
    // A path cut at the buffer size has no terminating NUL: grow until it fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length < buffer.size())
            return AnsiString(buffer.data(), static_cast<int>(length));
        buffer.resize(buffer.size() * 2);
    }
}

AnsiString TApplication::Title() const {
    if (m_titleSet)
        return m_title;
    const std::string path = ExeName().str();
    const size_t slash = path.find_last_of("\\/:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        name.erase(dot);
    return AnsiString(name);
}

void TApplication::SetTitle(const AnsiString& value) {
    m_title = value;
    m_titleSet = true;
    if (m_handle)
        SetWindowTextA(m_handle, value.c_str());
}

void TApplication::ShowException(Exception* E) {
    std::string text = E->Message.str();
    // The classic report ends a sentence that ends in a letter or digit with a full stop.
    if (!text.empty() && static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    ShowMessageBox(m_handle, text.c_str(), Title().c_str(), MB_OK | MB_ICONSTOP);
}
