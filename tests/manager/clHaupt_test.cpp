// The progress window's logic over a recording window: the run's messages
// reach the label of the one window, which only the first shows, and OK or
// Escape close it.
#include "manager/clHaupt.h"

#include <gtest/gtest.h>

#include "manager/HauptControls.h"
#include "ui/RecordingForm.h"

namespace c = HauptControls;

namespace {

class RecordingHaupt : public RecordingForm, public IHauptWindow {
public:
    RecordingHaupt() : RecordingForm(c::All(), "Tessivar") {}
    void Load() override { log.push_back("load"); }
    void Display() override { log.push_back("display"); }
    void Repaint() override { log.push_back("repaint"); }
};

TEST(ProgressWindowLogic, EveryMessageShowsAtOnceOkAndEscapeCloseAndOtherKeysDoNothing) {
    RecordingHaupt window;
    clHaupt logic(window);
    logic.Show("Es wird das ACT!-Addon 'Müller & Co' eingebunden.");
    logic.SetInfo("fertig");
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"load", "text lbInfo Es wird das ACT!-Addon 'Müller & Co' eingebunden.",
                                        "repaint", "display", "load", "text lbInfo fertig", "repaint"}));
    EXPECT_TRUE(ui::Find(c::All(), c::lbInfo)->plainText) << "an add-on's '&' is no access key";

    logic.Form_KeyPress('x');
    EXPECT_EQ(window.closes, 0);
    logic.Form_KeyPress(27);
    logic.cmdOK_Click();
    EXPECT_EQ(window.closes, 2);
}

}  // namespace
