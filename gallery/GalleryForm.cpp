// The control gallery's form: what each control does to the others.
#include "gallery/GalleryForm.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "KxPackage/Source/KxBar.h"
#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxButton.h"
#include "KxPackage/Source/KxButtonTx.h"
#include "KxPackage/Source/KxCheckBox.h"
#include "KxPackage/Source/KxNumLED.h"
#include "framework/streaming/FormReader.h"
#include "framework/ui/ActnList.h"
#include "framework/ui/FrameworkClasses.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Menus.h"
#include "framework/streaming/Published.h"
#include "framework/ui/Timer.h"
#include "framework/win/Win.h"

TGalleryForm* GalleryForm = nullptr;

namespace {
const char kFormResource[] = "TMAINFORM";
const double kOneSecond = 1.0 / (24 * 60 * 60);
} // namespace

const char* CheckStateName(int state) {
    switch (state) {
    case cbChecked:
        return "Checked";
    case cbGrayed:
        return "Grayed";
    default:
        return "Unchecked";
    }
}

void TGalleryForm::Register() {
    RegisterFrameworkClasses();
    KxButtonTx::Register();
    KxBrickTx::Register();
    KxCheckBox::Register();
    KxBar::Register();
    KxNumLed::Register();
    PublishedClass<TGalleryForm>("TGalleryForm", "TForm")
        .Field("Background", &TGalleryForm::Background)
        .Field("ButtonsTitle", &TGalleryForm::ButtonsTitle)
        .Field("CheckTitle", &TGalleryForm::CheckTitle)
        .Field("RoundTitle", &TGalleryForm::RoundTitle)
        .Field("BricksTitle", &TGalleryForm::BricksTitle)
        .Field("BarTitle", &TGalleryForm::BarTitle)
        .Field("VBarTitle", &TGalleryForm::VBarTitle)
        .Field("ClockTitle", &TGalleryForm::ClockTitle)
        .Field("DateTitle", &TGalleryForm::DateTitle)
        .Field("CheckLabel", &TGalleryForm::CheckLabel)
        .Field("CheckHint", &TGalleryForm::CheckHint)
        .Field("RoundLabel", &TGalleryForm::RoundLabel)
        .Field("BarHint", &TGalleryForm::BarHint)
        .Field("VBarLabel", &TGalleryForm::VBarLabel)
        .Field("PowerButton", &TGalleryForm::PowerButton)
        .Field("SwitchButton", &TGalleryForm::SwitchButton)
        .Field("CloseButton", &TGalleryForm::CloseButton)
        .Field("GrayCheck", &TGalleryForm::GrayCheck)
        .Field("RoundButton", &TGalleryForm::RoundButton)
        .Field("Brick", &TGalleryForm::Brick)
        .Field("CaptionBrick", &TGalleryForm::CaptionBrick)
        .Field("DockArea", &TGalleryForm::DockArea)
        .Field("HBar", &TGalleryForm::HBar)
        .Field("BarLed", &TGalleryForm::BarLed)
        .Field("VBar", &TGalleryForm::VBar)
        .Field("ClockLed", &TGalleryForm::ClockLed)
        .Field("DateLed", &TGalleryForm::DateLed)
        .Field("ResetButton", &TGalleryForm::ResetButton)
        .Field("LedMenu", &TGalleryForm::LedMenu)
        .Field("ResetAction", &TGalleryForm::ResetAction)
        .Field("ClockTimer", &TGalleryForm::ClockTimer)
        .Handler("PowerButtonClick", &TGalleryForm::PowerButtonClick)
        .Handler("CloseButtonClick", &TGalleryForm::CloseButtonClick)
        .Handler("GrayCheckClick", &TGalleryForm::GrayCheckClick)
        .Handler("RoundButtonClick", &TGalleryForm::RoundButtonClick)
        .Handler("HBarScroll", &TGalleryForm::HBarScroll)
        .Handler("VBarScroll", &TGalleryForm::VBarScroll)
        .Handler("ClockTimerTimer", &TGalleryForm::ClockTimerTimer)
        .Handler("CopyValueItemClick", &TGalleryForm::CopyValueItemClick)
        .Handler("ResetActionExecute", &TGalleryForm::ResetActionExecute)
        .Handler("ResetActionUpdate", &TGalleryForm::ResetActionUpdate);
}

TGalleryForm::TGalleryForm(TComponent* Owner) : TForm(Owner) {
    Register();
    ReadFormResource(this, kFormResource);
    // The first brick docks in this box when dragged there.
    DockArea->DockSite = true;
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - Width()) / 2,
              (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2, Width(), Height());
    // The displays show something true before the first tick.
    BarLed->SetValue(HBar->GetScrollPos() / 10.0);
    m_clock = Now();
    ShowClock();
}

void TGalleryForm::RunClockFast(TDateTime start) {
    m_fastClock = true;
    m_clock = start;
    ShowClock();
}

void TGalleryForm::ShowClock() {
    ClockLed->SetValue(m_clock);
    DateLed->SetValue(m_clock);
}

void TGalleryForm::ClockTimerTimer(TObject*) {
    m_clock = m_fastClock ? TDateTime(m_clock + kOneSecond) : Now();
    ShowClock();
}

void TGalleryForm::PowerButtonClick(TObject*) {
    // The power button wakes the text button and puts it to sleep again: its disabled look
    // (bitmap and grey caption) against its raised one.
    const bool enable = !SwitchButton->Enabled();
    SwitchButton->SetEnabled(enable);
    SwitchButton->SetText(enable ? "Enabled" : "Disabled");
}

void TGalleryForm::CloseButtonClick(TObject*) {
    Close();
}

void TGalleryForm::GrayCheckClick(TObject*) {
    // OnClick comes after the check box has moved to its next state.
    CheckLabel->SetCaption(CheckStateName(GrayCheck->GetState()));
}

void TGalleryForm::RoundButtonClick(TObject*) {
    ++m_roundPresses;
    RoundLabel->SetCaption(AnsiString("Presses: " + std::to_string(m_roundPresses)));
}

void TGalleryForm::HBarScroll(TObject*, int& disp, bool) {
    BarLed->SetValue(disp / 10.0);
}

void TGalleryForm::VBarScroll(TObject*, int& disp, bool) {
    VBarLabel->SetCaption(AnsiString("Position " + std::to_string(disp)));
}

void TGalleryForm::CopyValueItemClick(TObject*) {
    double value = 0;
    BarLed->GetValue(value);
    char text[32];
    std::snprintf(text, sizeof(text), "%.1f", value);
    if (!OpenClipboard(Handle()))
        return;
    EmptyClipboard();
    const size_t size = std::strlen(text) + 1;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size);
    if (void* data = memory ? GlobalLock(memory) : nullptr) {
        std::memcpy(data, text, size);
        GlobalUnlock(memory);
        // The clipboard owns the memory once it took it.
        if (SetClipboardData(CF_TEXT, memory))
            memory = nullptr;
    }
    if (memory)
        GlobalFree(memory);
    CloseClipboard();
}

void TGalleryForm::ResetActionExecute(TObject*) {
    HBar->SetScrollPos(0);
    BarLed->SetValue(0.0);
}

void TGalleryForm::ResetActionUpdate(TObject*) {
    // Nothing to reset at zero: the button and the menu item grey out.
    ResetAction->SetEnabled(HBar->GetScrollPos() != 0);
}
