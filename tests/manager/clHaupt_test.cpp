// The progress window's logic over a recording window: the run's messages
// reach the label of a window that is made once, and OK or Escape close it.
#include "manager/clHaupt.h"

#include <gtest/gtest.h>

#include "manager/HauptControls.h"
#include "ui/RecordingForm.h"

namespace c = HauptControls;

namespace {

class RecordingHaupt : public RecordingForm, public IHauptWindow {
public:
    RecordingHaupt() : RecordingForm(c::All(), "Tessivar") {}
    void Load() override { log.push_back(loaded++ == 0 ? "load" : "load again"); }
    void Display() override { log.push_back("display"); }
    void Repaint() override { log.push_back("repaint"); }
    int loaded = 0;
};

TEST(ProgressWindowLogic, EveryMessageShowsAtOnceInTheOneWindowAndOnlyTheFirstShowsIt) {
    RecordingHaupt window;
    clHaupt logic(window);
    logic.Show("Es wird das ACT!-Addon 'Müller & Co' eingebunden.");
    logic.SetInfo("Das ACT!-Addon 'Müller & Co' wurde eingebunden.");
    EXPECT_EQ(window.log,
              (std::vector<std::string>{"load", "text lbInfo Es wird das ACT!-Addon 'Müller & Co' eingebunden.",
                                        "repaint", "display", "load again",
                                        "text lbInfo Das ACT!-Addon 'Müller & Co' wurde eingebunden.", "repaint"}));
    EXPECT_TRUE(ui::Find(c::All(), c::lbInfo)->plainText) << "an add-on's '&' is no access key";
}

TEST(ProgressWindowLogic, OkAndEscapeCloseTheWindowAndOtherKeysDoNothing) {
    RecordingHaupt window;
    clHaupt logic(window);
    logic.Form_KeyPress('x');
    logic.Form_KeyPress(13);
    EXPECT_EQ(window.closes, 0);
    logic.Form_KeyPress(27);
    logic.cmdOK_Click();
    EXPECT_EQ(window.closes, 2);
    EXPECT_TRUE(ui::Find(c::All(), c::cmdOK)->isDefault);
}

}  // namespace
