#pragma once
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/support/WinInput.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"

// A control on a shown 300 x 200 form, with a log that its events are wired into. A fixture
// derived from it makes the control with Place(), skins it, wires the events it checks and
// parks the pointer off the control.
template <class Control> struct ControlOnForm : ::testing::Test {
    EventLog log;
    ShownForm form{300, 200};
    Control* control = nullptr;

    // Makes the control, a child of the form at the given place.
    void Place(int left, int top, int width, int height) {
        control = new Control(form.form.get());
        control->SetParent(form.form.get());
        control->SetBounds(left, top, width, height);
    }
    HWND Handle() const { return control->Handle(); }
    // The state whose test colour the control shows (see SkinStates).
    int Look() const { return ShownState(control); }

    // Moves the pointer onto the form, off the control, and forgets what that logged.
    void ParkPointer() {
        MoveMouseTo(form.Handle(), 5, 5);
        PumpMessages(30);
        log.entries.clear();
    }
    // Gives the control the keyboard focus.
    void Focus() {
        control->SetTabStop(true);
        control->SetFocus();
        PumpMessages(20);
        ASSERT_TRUE(control->Focused());
    }

    // ---- wiring the usual events into the log: each logs its own entry ----
    void LogEnterLeave() {
        control->OnMouseEnter = [this](TObject*) { log.Add("enter"); };
        control->OnMouseLeave = [this](TObject*) { log.Add("leave"); };
    }
    // OnClick logs what entry() gives while it runs.
    void LogClicks(std::function<std::string()> entry = [] { return std::string("click"); }) {
        control->OnClick = [this, entry](TObject*) { log.Add(entry()); };
    }
    void LogDoubleClicks() {
        control->OnDblClick = [this](TObject*) { log.Add("dblclick"); };
    }
    // "down" ("down2" for the press of a double click) and "up".
    void LogMouseButtons() {
        control->OnMouseDown = [this](TObject*, TMouseButton, TShiftState shift, int, int) {
            log.Add(shift & ssDouble ? "down2" : "down");
        };
        control->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
            log.Add("up");
        };
    }
};
