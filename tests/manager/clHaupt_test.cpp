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
// run's last message: OK is locked, Escape and the close box do nothing.
TEST(ProgressWindowLogic, WhileTheRunWorksNothingClosesTheWindowAndAfterwardsOkHasTheFocus) {
    RecordingHaupt window;
    clHaupt logic(window);
    platform::MemoryWindowSystem windows;
    platform::FakeClock clock;
    platform::Pacing pacing(windows, clock);
    bool ran = false;
    logic.Run(pacing, [&] {
        ran = true;
        EXPECT_TRUE(pacing.Working()) << "the window's events run while the run works";
        EXPECT_FALSE(window.Enabled(c::cmdOK));
        EXPECT_EQ(window.pointer, ui::Pointer::Hourglass);
        logic.cmdOK_Click();
        logic.Form_KeyPress(27);
        EXPECT_FALSE(logic.Form_QueryUnload());
        logic.SetInfo("fertig");
    });
    EXPECT_TRUE(ran);
    EXPECT_EQ(window.closes, 0);
    EXPECT_FALSE(pacing.Working());
    EXPECT_TRUE(window.Enabled(c::cmdOK));
    EXPECT_TRUE(window.At(c::cmdOK).focused);
    EXPECT_EQ(window.pointer, ui::Pointer::Default);
    EXPECT_TRUE(logic.Form_QueryUnload());

    // A run that fails leaves the window to be closed.
    EXPECT_THROW(logic.Run(pacing, [] { throw std::runtime_error("intern"); }), std::runtime_error);
    EXPECT_TRUE(window.Enabled(c::cmdOK));
    logic.Form_KeyPress(27);
    EXPECT_EQ(window.closes, 1);
}

}  // namespace
