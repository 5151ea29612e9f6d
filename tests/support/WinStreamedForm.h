#pragma once
#include <string>
#include <vector>

#include "KxPackage/Source/KxBar.h"
#include "KxPackage/Source/KxBrick.h"
#include "KxPackage/Source/KxBrickTx.h"
#include "KxPackage/Source/KxButtonTx.h"
#include "KxPackage/Source/KxCheckBox.h"
#include "KxPackage/Source/KxNumLED.h"
#include "framework/ui/Form.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Timer.h"

// The form the streaming tests under Wine read descriptions into: a field for every
// component they name and handlers that write what they were called with into Calls.
class TStreamedForm : public TForm {
public:
    explicit TStreamedForm(TComponent* owner = nullptr) : TForm(owner) {}

    TImage* Background = nullptr;
    TLabel* Message = nullptr;
    TLabel* Causion = nullptr;
    TTimer* Timer = nullptr;
    KxButtonTx* YesButton = nullptr;
    KxBrick* Brick = nullptr;
    KxBrickTx* Label = nullptr;
    KxCheckBox* Box = nullptr;
    KxCheckBox* Grayed = nullptr;
    KxBar* Bar = nullptr;
    KxNumLed* Led = nullptr;
    std::vector<std::string> Calls;

    void FormShow(TObject*) { Calls.push_back("FormShow"); }
    void TimerTimer(TObject*) { Calls.push_back("TimerTimer"); }
    void BackgroundMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y) {
        Calls.push_back("BackgroundMouseDown " + std::to_string(X) + "," + std::to_string(Y));
    }
    void YesButtonClick(TObject*) {
        Calls.push_back("YesButtonClick with result " + std::to_string(ModalResult()));
    }
    void BrickDblClick(TObject*) { Calls.push_back("BrickDblClick"); }
    void TargetContextPopup(TObject*, TPoint pos, bool&) {
        Calls.push_back("TargetContextPopup " + std::to_string(pos.x));
    }
    void BoxClick(TObject*) { Calls.push_back("BoxClick"); }
    void BarScroll(TObject*, int& disp, bool) {
        Calls.push_back("BarScroll " + std::to_string(disp));
    }
    void BarIndicate(TObject*, int& disp) {
        Calls.push_back("BarIndicate " + std::to_string(disp));
    }
};

// Registers the framework's classes, the package's and TStreamedForm, once a process.
void RegisterStreamedForm();
