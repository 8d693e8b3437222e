// The progress window's logic over a recording window: the run's messages
// reach the label of the one window, which only the first shows, and OK or
// Escape close it.
#include "manager/clHaupt.h"

#include <gtest/gtest.h>

#include "manager/HauptControls.h"
#include "platform/MemoryWindowSystem.h"
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

// While the run works the window answers, but nothing closes it before the
// run's last message; afterwards OK has the focus.
TEST(ProgressWindowLogic, WhileTheRunWorksNothingClosesTheWindow) {
    RecordingHaupt window;
    clHaupt logic(window);
    platform::MemoryWindowSystem windows;
    platform::FakeClock clock;
    platform::Pacing pacing(windows, clock);
    logic.Run(pacing, [&] {
        EXPECT_TRUE(pacing.Working()) << "the window's events run meanwhile";
        EXPECT_FALSE(window.Enabled(c::cmdOK));
        logic.cmdOK_Click();
        logic.Form_KeyPress(27);
        EXPECT_FALSE(logic.Form_QueryUnload());
    });
    EXPECT_EQ(window.closes, 0);
    EXPECT_TRUE(window.Enabled(c::cmdOK) && window.At(c::cmdOK).focused);
    EXPECT_TRUE(logic.Form_QueryUnload());
    EXPECT_THROW(logic.Run(pacing, [] { throw std::runtime_error("intern"); }), std::runtime_error);
    logic.Form_KeyPress(27);
    EXPECT_EQ(window.closes, 1) << "a run that failed leaves the window to be closed";
}

}  // namespace
