// Real message boxes, read and answered from a second thread as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>

#include "driver/BoxDriver_win.h"
#include "platform/MessageBoxes_win.h"

namespace {

struct Seen {
    driver::BoxInfo info;
    bool found = false;
};

// Shows `request`, and meanwhile finds the box of this process, reads it and presses `button`.
std::pair<platform::MsgAnswer, Seen> ShowAndAnswer(const platform::MessageBoxRequest& request, int button) {
    auto answerer = std::async(std::launch::async, [button, title = request.title] {
        Seen seen;
        const std::wstring wideTitle(title.begin(), title.end());
        HWND box = driver::FindMessageBox(GetCurrentProcessId(), L"", 10000);
        if (box == nullptr) return seen;
        seen.found = true;
        seen.info = driver::ReadMessageBox(box);
        driver::Press(box, button);
        return seen;
    });
    platform::WinMessageBoxes boxes;
    const platform::MsgAnswer answer = boxes.Show(request);
    return {answer, answerer.get()};
}

TEST(WinMessageBoxes, TextTitleIconAndButtonsReachTheScreenAndTheAnswerComesBack) {
    using platform::MsgButtons;
    using platform::MsgIcon;
    auto [answer, seen] = ShowAndAnswer(
        {"Erste Zeile mit Ümläüten\r\nZweite Zeile", "Tessivar", MsgIcon::Information, MsgButtons::Ok}, IDOK);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.info.title, L"Tessivar");
    EXPECT_EQ(seen.info.text, L"Erste Zeile mit \u00DCml\u00E4\u00FCten\r\nZweite Zeile");
    EXPECT_EQ(seen.info.icon, "information");
    EXPECT_EQ(seen.info.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(answer, platform::MsgAnswer::Ok);
}

TEST(WinMessageBoxes, QuestionsAnswerYesOrNo) {
    using platform::MsgButtons;
    using platform::MsgIcon;
    auto [no, seenNo] = ShowAndAnswer({"Weiter?", "Frage", MsgIcon::Question, MsgButtons::YesNo}, IDNO);
    ASSERT_TRUE(seenNo.found);
    EXPECT_EQ(seenNo.info.icon, "question");
    EXPECT_EQ(seenNo.info.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(no, platform::MsgAnswer::No);

    auto [yes, seenYes] = ShowAndAnswer({"Achtung", "Warnung", MsgIcon::Exclamation, MsgButtons::YesNo}, IDYES);
    EXPECT_EQ(seenYes.info.icon, "exclamation");
    EXPECT_EQ(yes, platform::MsgAnswer::Yes);
}

TEST(WinMessageBoxes, ABoxWithoutIconShowsNone) {
    auto [answer, seen] = ShowAndAnswer(
        {"Error: 13. Typen unverträglich", "RegistrySetKeyValue", platform::MsgIcon::None, platform::MsgButtons::Ok},
        IDOK);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.info.title, L"RegistrySetKeyValue");
    EXPECT_EQ(seen.info.icon, "none");
    EXPECT_EQ(answer, platform::MsgAnswer::Ok);
}

}  // namespace
