#include "tests/support/WinStreamedForm.h"

#include "framework/streaming/Published.h"
#include "framework/ui/FrameworkClasses.h"

void RegisterStreamedForm() {
    static const bool registered = [] {
        RegisterFrameworkClasses();
        KxButtonTx::Register();
        KxBrick::Register();
        KxBrickTx::Register();
        KxCheckBox::Register();
        KxBar::Register();
        KxNumLed::Register();
        PublishedClass<TStreamedForm>("TStreamedForm", "TForm")
            .Field("Background", &TStreamedForm::Background)
            .Field("Message", &TStreamedForm::Message)
            .Field("Causion", &TStreamedForm::Causion)
            .Field("Timer", &TStreamedForm::Timer)
            .Field("YesButton", &TStreamedForm::YesButton)
            .Field("Brick", &TStreamedForm::Brick)
            .Field("Label", &TStreamedForm::Label)
            .Field("Box", &TStreamedForm::Box)
            .Field("Grayed", &TStreamedForm::Grayed)
            .Field("Bar", &TStreamedForm::Bar)
            .Field("Led", &TStreamedForm::Led)
            .Handler("FormShow", &TStreamedForm::FormShow)
            .Handler("TimerTimer", &TStreamedForm::TimerTimer)
            .Handler("BackgroundMouseDown", &TStreamedForm::BackgroundMouseDown)
            .Handler("YesButtonClick", &TStreamedForm::YesButtonClick)
            .Handler("BrickDblClick", &TStreamedForm::BrickDblClick)
            .Handler("TargetContextPopup", &TStreamedForm::TargetContextPopup)
            .Handler("BoxClick", &TStreamedForm::BoxClick)
            .Handler("BarScroll", &TStreamedForm::BarScroll)
            .Handler("BarIndicate", &TStreamedForm::BarIndicate);
        return true;
    }();
    (void)registered;
}
