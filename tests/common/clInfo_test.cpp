// The About window's logic over a recording window, where the real window's
// tests cannot reach: the two programs' ways of opening the link, a link
// that cannot be opened, and a window without a credit picture. The
// scrolling, the hover state and the ways of closing are checked on the
// real window (frmInfo_win_test).
#include "common/clInfo.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "common/InfoControls.h"
#include "platform/RecordingShell.h"
#include "platform/ScriptedMessageBoxes.h"
#include "ui/RecordingForm.h"

namespace c = InfoControls;

namespace {

class RecordingInfo : public RecordingForm, public IInfoWindow {
public:
    RecordingInfo() : RecordingForm(c::All(), "Informationen über das Programm") {}
    void DrawCredits(std::int32_t) override {}
    std::int32_t CreditHeight() const override { return 0; }
    void SetLinkUnderlined(bool) override {}
    void LetEventsRun() override {}
};

TEST(AboutLogic, EachProgramOpensTheLinkItsOwnWayAndTheWindowClosesAlsoWhenTheShellFails) {
    RecordingInfo window;
    platform::RecordingShell shell;
    platform::ScriptedMessageBoxes boxes{"Tessivar"};
    const clInfo::Texts texts{"Version 2.0.0", "©", "www.brannock-heyl.example", "https://www.brannock-heyl.example/",
                              "C:\\Programme\\Drittanbieter.txt"};

    // The route planner's: owned by the About window, a normal window, a failure unsaid.
    clInfo quiet({shell, boxes, LinkOpening::Quietly}, window, texts);
    quiet.lbBH_Click();
    shell.onLaunch = [](const auto&) { Raise(ErrorNumber::FileNotFound); };
    quiet.lbBH_Click();
    ASSERT_EQ(shell.Calls().size(), 2u);
    EXPECT_EQ(shell.Calls()[0].record,
              (platform::ShellExecuteRecord{
                  .owner = window.Handle(), .file = "https://www.brannock-heyl.example/", .show = 1}));
    EXPECT_TRUE(boxes.Shown().empty());
    EXPECT_EQ(window.closes, 2);

    // The command manager's: through the launcher, owned by the desktop, which reports a failure.
    clInfo launched({shell, boxes, LinkOpening::ThroughLauncher}, window, texts);
    launched.lbBH_Click();
    ASSERT_EQ(shell.Calls().size(), 3u);
    EXPECT_EQ(shell.Calls()[2].record.owner, platform::RecordingShell::kDesktop);
    EXPECT_EQ(shell.Calls()[2].record.show, 10);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].title, "LaunchURL");
    EXPECT_EQ(window.closes, 3);

    // The third-party notices: opened as a file, a failure said; the window closes.
    boxes.Clear();
    shell.onLaunch = nullptr;
    launched.lbDrittanbieter_Click();
    EXPECT_EQ(shell.Calls().back().record.verb, std::optional<std::string>("open"));
    EXPECT_EQ(shell.Calls().back().record.file, "C:\\Programme\\Drittanbieter.txt");
    EXPECT_TRUE(boxes.Shown().empty());
    shell.Answer(2);  // the file is not there
    launched.lbDrittanbieter_Click();
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text,
              "Die Hinweise zu Drittanbietern lassen sich nicht öffnen:\r\nC:\\Programme\\Drittanbieter.txt");
    EXPECT_EQ(window.closes, 5);

    // Without a credit picture the text stays at its top.
    launched.Form_Load();
    launched.Timer1_Timer();
    EXPECT_EQ(launched.ScrollOffset(), 0);
    EXPECT_EQ(VersionText(ProgramVersion{3, 1, 0, 7}), "Version 3.1.7");
}

}  // namespace
