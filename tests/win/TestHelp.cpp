#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "KxPackage/Source/KxButton.h"
#include "framework/ui/Application.h"
#include "tests/support/WinKxSkins.h"
#include "tests/support/WinTestForm.h"

namespace {

// A skinned button on a panel on a shown form, the button focused; OnHelp writes down what
// reaches it.
struct HelpInput : ::testing::Test {
    EventLog log;
    ShownForm form{300, 200};
    std::unique_ptr<TWinControl> panel = std::make_unique<TWinControl>(nullptr);
    std::unique_ptr<KxButton> button = std::make_unique<KxButton>(nullptr);

    void SetUp() override {
        panel->SetParent(form.form.get());
        panel->SetBounds(10, 10, 200, 150);
        button->SetParent(panel.get());
        button->SetBounds(20, 20, 75, 27);
        SkinStates(button.get(), 4);
        button->SetTabStop(true);
        button->SetFocus();
        PumpMessages(20);
    }
    void TearDown() override {
        Application->OnHelp = nullptr;
        button.reset();
        panel.reset();
    }
};

TEST_F(HelpInput, F1SendsTheNumberOfTheFocusedControlOrOfItsNearestParentToOnHelp) {
    struct Case {
        const char* name;
        int form, panel, button;
        bool shift;
        const char* heard; // "" when OnHelp must not be called
    };
    const Case cases[] = {
        {"the button's own", 3, 7, 12, false, "12 from the button"},
        {"the panel's", 3, 7, 0, false, "7 from the panel"},
        {"the form's", 3, 0, 0, false, "3 from the form"},
        {"none anywhere", 0, 0, 0, false, ""},
        {"shift held", 3, 7, 12, true, ""},
    };
    Application->OnHelp = [this](TObject* Sender, int context) {
        const char* from = Sender == button.get()      ? "the button"
                           : Sender == panel.get()     ? "the panel"
                           : Sender == form.form.get() ? "the form"
                                                       : "elsewhere";
        log.Add(std::to_string(context) + " from " + from);
        return true;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(button->Focused());
        form->SetHelpContext(c.form);
        panel->SetHelpContext(c.panel);
        button->SetHelpContext(c.button);
        log.entries.clear();
        if (c.shift)
            PressKey(VK_SHIFT);
        TapKey(VK_F1);
        if (c.shift)
            ReleaseKey(VK_SHIFT);
        PumpMessages(30);
        EXPECT_EQ(log.Joined(), c.heard);
    }
    // With nobody listening nothing happens: no help window takes the focus.
    Application->OnHelp = nullptr;
    TapKey(VK_F1);
    PumpMessages(50);
    EXPECT_TRUE(button->Focused());
}

} // namespace
