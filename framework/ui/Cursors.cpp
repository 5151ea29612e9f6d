#include "framework/ui/Cursors.h"

#include "framework/streaming/Published.h"
#include "framework/ui/Control.h"
#include "framework/ui/WinControl.h"

namespace {
// Each shape and the system cursor that shows it. The framework has no cursors of its own:
// the drag shapes borrow the nearest system ones (crDrag and crMultiDrag the arrow, crNoDrop
// the slashed circle), the splitters the sizing arrows, crSQLWait the hourglass.
struct CursorShape {
    TCursor cursor;
    WORD systemId;
};
constexpr CursorShape kShapes[] = {
    {crArrow, 32512},     // IDC_ARROW
    {crCross, 32515},     // IDC_CROSS
    {crIBeam, 32513},     // IDC_IBEAM
    {crSizeNESW, 32643},  // IDC_SIZENESW
    {crSizeNS, 32645},    // IDC_SIZENS
    {crSizeNWSE, 32642},  // IDC_SIZENWSE
    {crSizeWE, 32644},    // IDC_SIZEWE
    {crUpArrow, 32516},   // IDC_UPARROW
    {crHourGlass, 32514}, // IDC_WAIT
    {crDrag, 32512},      // IDC_ARROW
    {crNoDrop, 32648},    // IDC_NO
    {crHSplit, 32644},    // IDC_SIZEWE
    {crVSplit, 32645},    // IDC_SIZENS
    {crMultiDrag, 32512}, // IDC_ARROW
    {crSQLWait, 32514},   // IDC_WAIT
    {crNo, 32648},        // IDC_NO
    {crAppStart, 32650},  // IDC_APPSTARTING
    {crHelp, 32651},      // IDC_HELP
    {crHandPoint, 32649}, // IDC_HAND
    {crSizeAll, 32646},   // IDC_SIZEALL
};
} // namespace

const std::vector<IdentMapping>& CursorNames() {
    // crSizeAll before crSize: the writer takes the first name of a value.
    static const std::vector<IdentMapping> names = {
        {crDefault, "crDefault"},     {crNone, "crNone"},
        {crArrow, "crArrow"},         {crCross, "crCross"},
        {crIBeam, "crIBeam"},         {crSizeAll, "crSizeAll"},
        {crSize, "crSize"},           {crSizeNESW, "crSizeNESW"},
        {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},
        {crSizeWE, "crSizeWE"},       {crUpArrow, "crUpArrow"},
        {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
        {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},
        {crVSplit, "crVSplit"},       {crMultiDrag, "crMultiDrag"},
        {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
        {crAppStart, "crAppStart"},   {crHelp, "crHelp"},
        {crHandPoint, "crHandPoint"},
    };
    return names;
}

HCURSOR CursorHandle(TCursor cursor) {
    if (cursor == crNone)
        return nullptr;
    WORD id = 32512; // IDC_ARROW
    for (const CursorShape& shape : kShapes)
        if (shape.cursor == cursor)
            id = shape.systemId;
    return LoadCursorA(nullptr, MAKEINTRESOURCEA(id));
}

bool ShowControlCursor(TWinControl* window, TMessage& Message) {
    // Only for the window's own client area: over a child window, or over the frame, the
    // system (and the child) decide.
    if (reinterpret_cast<HWND>(Message.WParam) != window->Handle() ||
        LOWORD(static_cast<DWORD>(Message.LParam)) != HTCLIENT)
        return false;
    POINT point;
    GetCursorPos(&point);
    ScreenToClient(window->Handle(), &point);
    TControl* control = window->ControlAtPos(TPoint(point.x, point.y), false);
    // A windowless control that holds the mouse keeps its shape while dragged off.
    TControl* capture = GetCaptureControl();
    if (capture && capture->Parent() == window && !dynamic_cast<TWinControl*>(capture))
        control = capture;
    TCursor cursor = crDefault;
    for (TControl* c = control ? control : window; c && cursor == crDefault; c = c->Parent())
        cursor = c->Cursor();
    if (cursor == crDefault)
        return false;
    SetCursor(CursorHandle(cursor));
    Message.Result = TRUE;
    return true;
}

// The pointer over the control takes the new shape at once, not at its next move.
void TControl::SetCursor(TCursor value) {
    if (value == m_cursor)
        return;
    m_cursor = value;
    auto* host = dynamic_cast<TWinControl*>(this);
    if (!host)
        host = m_parent;
    if (!host || !host->HandleAllocated())
        return;
    POINT point;
    GetCursorPos(&point);
    HWND window = host->Handle();
    if (WindowFromPoint(point) == window)
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}
