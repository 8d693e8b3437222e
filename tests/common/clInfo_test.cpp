// The About window's logic over a recording window: the credit text's rows
// over whole rounds of ticks, the link's hover state, and every way of
// closing, the link's included when opening it fails.
#include "common/clInfo.h"

#include <gtest/gtest.h>

#include <stdexcept>

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
    void DrawCredits(std::int32_t row) override { rows.push_back(row); }
    std::int32_t CreditHeight() const override { return height; }
    void SetLinkUnderlined(bool underlined) override { log.push_back(underlined ? "underline 1" : "underline 0"); }
    void LetEventsRun() override { log.push_back("events"); }

    std::vector<std::int32_t> rows;
    std::int32_t height = 420;
};

struct Link {
    platform::RecordingShell shell;
    platform::ScriptedMessageBoxes boxes{"Tessivar"};
    clInfo::Services Services(LinkOpening opening) { return {shell, boxes, opening}; }
};

clInfo::Texts Texts() {
    return {"Version 2.0.0", "© Brannock-Heyl", "www.brannock-heyl.example", "https://www.brannock-heyl.example/"};
}

TEST(AboutLogic, LoadingShowsTheTextsAndTheFirstRowsThenEachTickMovesOneRowUpToRow378) {
    RecordingInfo window;
    Link link;
    clInfo logic(link.Services(LinkOpening::Quietly), window, Texts());
    logic.Form_Load();
    EXPECT_EQ(window.Text(c::lbVersion), "Version 2.0.0");
    EXPECT_EQ(window.Text(c::lbCopyright), "© Brannock-Heyl");
    EXPECT_EQ(window.Text(c::lbBH), "www.brannock-heyl.example");
    EXPECT_EQ(window.rows, (std::vector<std::int32_t>{0}));
    window.rows.clear();
    for (int tick = 0; tick < 380; ++tick) logic.Timer1_Timer();
    ASSERT_EQ(window.rows.size(), 380u);
    EXPECT_EQ(window.rows[0], 0);
    EXPECT_EQ(window.rows[378], 378) << "the 379th tick draws rows 378 to 418";
    EXPECT_EQ(window.rows[379], 0) << "and the 380th the top again";
    EXPECT_EQ(logic.ScrollOffset(), 1);

    // Loaded again, it starts from the top; without a picture it stays there.
    logic.Form_Load();
    EXPECT_EQ(logic.ScrollOffset(), 0);
    window.height = 0;
    logic.Timer1_Timer();
    EXPECT_EQ(logic.ScrollOffset(), 0);
    EXPECT_EQ(VersionText(ProgramVersion{3, 1, 0, 7}), "Version 3.1.7");
    EXPECT_EQ(VersionText(std::nullopt), "Version 0.0.0");
}

TEST(AboutLogic, TheLinkStaysUnderlinedUntilTheMouseCrossesTheBackground) {
    RecordingInfo window;
    Link link;
    clInfo logic(link.Services(LinkOpening::Quietly), window, Texts());
    logic.lbBH_MouseMove();
    logic.lbBH_MouseMove();
    EXPECT_EQ(window.log, (std::vector<std::string>{"underline 1", "pointer up", "events"})) << "once per visit";
    EXPECT_EQ(window.pointer, ui::Pointer::UpArrow);
    logic.Form_MouseMove();
    logic.Form_MouseMove();
    EXPECT_EQ(window.Lines("underline "), (std::vector<std::string>{"1", "0"}));
    EXPECT_EQ(window.pointer, ui::Pointer::Default);
}

TEST(AboutLogic, AClickEscOrTheLinkCloseItAndTheLinkClosesItAlsoWhenItCannotBeOpened) {
    RecordingInfo window;
    Link link;
    clInfo logic(link.Services(LinkOpening::Quietly), window, Texts());
    logic.Form_KeyPress('a');
    logic.Form_KeyPress(13);
    EXPECT_EQ(window.closes, 0) << "only Esc of the keys";
    logic.Form_KeyPress(27);
    logic.Form_Click();
    EXPECT_EQ(window.closes, 2);
    EXPECT_TRUE(link.shell.Calls().empty());

    // The route planner's way: owned by the About window, a normal window, a failure unsaid.
    logic.lbBH_Click();
    ASSERT_EQ(link.shell.Calls().size(), 1u);
    const platform::ShellExecuteRecord& quiet = link.shell.Calls()[0].record;
    EXPECT_EQ(quiet.owner, window.Handle());
    EXPECT_EQ(quiet.verb, std::nullopt);
    EXPECT_EQ(quiet.file, "https://www.brannock-heyl.example/");
    EXPECT_EQ(quiet.show, 1);
    EXPECT_EQ(window.closes, 3);
    link.shell.onLaunch = [](const auto&) { Raise(ErrorNumber::FileNotFound); };
    logic.lbBH_Click();
    EXPECT_EQ(window.closes, 4);
    EXPECT_TRUE(link.boxes.Shown().empty());

    // The command manager's: through the launcher, owned by the desktop, which reports a failure.
    clInfo launched(link.Services(LinkOpening::ThroughLauncher), window, Texts());
    launched.lbBH_Click();
    ASSERT_EQ(link.shell.Calls().size(), 3u);
    EXPECT_EQ(link.shell.Calls()[2].record.owner, platform::RecordingShell::kDesktop);
    EXPECT_EQ(link.shell.Calls()[2].record.show, 10);
    ASSERT_EQ(link.boxes.Shown().size(), 1u);
    EXPECT_EQ(link.boxes.Shown()[0].title, "LaunchURL");
    EXPECT_EQ(window.closes, 5);
}

}  // namespace
