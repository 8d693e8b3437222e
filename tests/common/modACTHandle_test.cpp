// The window search and the ACT! presence test over a window list of our own.
#include "common/modACTHandle.h"

#include <gtest/gtest.h>

#include <cctype>

#include "platform/SubstitutePlatform.h"

using namespace modACTHandle;

namespace {

class WindowSearch : public testing::Test {
protected:
    platform::SubstitutePlatform sub;
    platform::MemoryWindowSystem& windows = sub.windows;
};

TEST_F(WindowSearch, TheLastMatchInEnumerationOrderWinsAndHiddenWindowsDoNotCount) {
    windows.Add("Notepad", "Brief an ACT-Kunden");
    const auto first = windows.Add("ACT3.0FrameClass", "ACT! - Kontakte");
    const auto second = windows.Add("ACT3.0FrameClass", "ACT! - Gruppen");
    windows.Add("ACT3.0FrameClass", "ACT! - versteckt", false);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "act3.0frameclass", "ACT"), second);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "act3.0frameclass", "Kontakte"), first);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "act3.0frameclass", "versteckt"), 0u);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "ACT3.0", "ACT"), 0u);  // the class part is lower case
}

TEST_F(WindowSearch, EmptyClassPartMatchesAnyClassAndTheStarAnyTitle) {
    const auto untitled = windows.Add("Leer", "");
    const auto notepad = windows.Add("Notepad", "Brief");
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "", "Brief"), notepad);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "leer", "*"), untitled);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "leer", "NoText"), untitled);
    EXPECT_EQ(FindTopLevelWindow(sub.windows, sub.text, "", "*"), notepad);
}

TEST_F(WindowSearch, TitlesLoseLeadingBlanksAndAreCutToFiftyCharacters) {
    const auto blanks = windows.Add("X", "   ACT! - Datenbank");
    const auto umlauts = windows.Add("X", std::string(45, 'x') + "ÄÖÜäöüß");
    const auto onlyBlanks = windows.Add("X", "    ");
    EXPECT_EQ(GetWindowTitle(sub.windows, blanks), "ACT! - Datenbank");
    EXPECT_EQ(GetWindowTitle(sub.windows, umlauts), std::string(45, 'x') + "ÄÖÜäö");
    EXPECT_EQ(GetWindowTitle(sub.windows, onlyBlanks), "");
    EXPECT_EQ(GetWindowTitle(sub.windows, windows.Add("X", "")), "NoText");
    EXPECT_EQ(GetWindowTitle(sub.windows, 0xDEAD), "");
    EXPECT_EQ(GetWindowClassLower(sub.windows, sub.text, windows.Add("ÄCT3.0FRAMECLASS", "t")), "äct3.0frameclass");
}

struct PresenceCase {
    const char* what;
    const char* className;
    std::string title;
    bool visible;
    bool running;
};

void PrintTo(const PresenceCase& c, std::ostream* os) { *os << c.what; }

class Presence : public testing::TestWithParam<PresenceCase> {};

TEST_P(Presence, ActCountsAsRunningOnlyWithAVisibleMainWindowOfItsClassAndTitle) {
    platform::SubstitutePlatform sub;
    sub.windows.Add("Shell_TrayWnd", "ACT!");
    sub.windows.Add(GetParam().className, GetParam().title, GetParam().visible);
    EXPECT_EQ(IsACTRunning(sub.windows, sub.text), GetParam().running) << GetParam().what;
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_TRUE(sub.registry.Calls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Presence,
    testing::Values(PresenceCase{"english title", "ACT3.0FrameClass", "ACT! - Kontakte.dbf", true, true},
                    PresenceCase{"german title", "ACT3.0FrameClass", "Kundenmanager - Daten", true, true},
                    PresenceCase{"class in other case", "Act3.0FRAMECLASS", "ACT!", true, true},
                    PresenceCase{"class inside a longer name", "MyACT3.0FrameClassEx", "ACT!", true, true},
                    PresenceCase{"hidden", "ACT3.0FrameClass", "ACT!", false, false},
                    PresenceCase{"title in lower case", "ACT3.0FrameClass", "act! - kontakte", true, false},
                    PresenceCase{"ACT past the 50th character", "ACT3.0FrameClass", std::string(50, '-') + "ACT", true,
                                 false},
                    PresenceCase{"ACT at the 50th character after blanks", "ACT3.0FrameClass",
                                 std::string(10, ' ') + std::string(47, '-') + "ACT", true, true},
                    PresenceCase{"other class", "ACT2.0FrameClass", "ACT!", true, false},
                    PresenceCase{"untitled", "ACT3.0FrameClass", "", true, false}),
    [](const auto& info) {
        std::string name;
        for (char c : std::string(info.param.what)) name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        return name;
    });

}  // namespace
