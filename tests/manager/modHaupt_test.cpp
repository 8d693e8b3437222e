// Tessivar's start: the refusal while ACT! runs, and how a command line
// becomes a run request.
#include "manager/modHaupt.h"

#include <gtest/gtest.h>

#include "platform/SubstitutePlatform.h"

using modHaupt::RunKind;
using modHaupt::RunRequest;

namespace {

struct LineCase {
    std::string line;
    RunRequest expected;
};

void PrintTo(const LineCase& c, std::ostream* os) { *os << "[" << c.line.substr(0, 40) << "]"; }

class CommandLine : public testing::TestWithParam<LineCase> {};

TEST_P(CommandLine, BecomesTheRequestedRunWithNameAndToolbar) {
    platform::SubstitutePlatform sub;
    EXPECT_EQ(modHaupt::Main(sub.platform, GetParam().line), GetParam().expected) << "[" << GetParam().line << "]";
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_TRUE(sub.registry.Calls().empty());
}

const std::string kLongWord(32 * 1024, 'W');

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLine,
    testing::Values(
        LineCase{"", {RunKind::ListWindow, "", 0}},
        LineCase{"     ", {RunKind::ListWindow, "", 0}},
        LineCase{"Addon", {RunKind::ListWindow, "", 0}},
        LineCase{"Addon INSTALL", {RunKind::Install, "Addon", 0}},
        LineCase{"Addon install GRUPPE", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install g", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install Groups", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install gruppen", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install Group", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install Kontakt", {RunKind::Install, "Addon", 0}},
        LineCase{"Addon install gr", {RunKind::Install, "Addon", 0}},
        LineCase{"Addon install Gruppenliste", {RunKind::Install, "Addon", 0}},
        LineCase{"Addon deinstall", {RunKind::Deinstall, "Addon", 0}},
        LineCase{"Addon DeInstall C", {RunKind::Deinstall, "Addon", 0}},
        LineCase{"   Addon    deinstall   G   ", {RunKind::Deinstall, "Addon", 1}},
        LineCase{"install Addon", {RunKind::ListWindow, "install", 0}},
        LineCase{"Addon installieren gruppe", {RunKind::ListWindow, "Addon", 1}},
        LineCase{"Addon\tinstall", {RunKind::ListWindow, "", 0}},
        LineCase{"Addon install\tg", {RunKind::ListWindow, "Addon", 0}},
        LineCase{"Addon install g extra words here", {RunKind::Install, "Addon", 1}},
        LineCase{"Addon install kontakt gruppe", {RunKind::Install, "Addon", 0}},
        LineCase{"\"Mein Addon\" install", {RunKind::ListWindow, "\"Mein", 0}},
        LineCase{"\"MeinAddon\" install", {RunKind::Install, "\"MeinAddon\"", 0}},
        LineCase{"MüllerRoute INSTALL Gruppe", {RunKind::Install, "MüllerRoute", 1}},
        LineCase{"Страница install", {RunKind::Install, "Страница", 0}},
        LineCase{"ÄddOn ÏNSTALL", {RunKind::ListWindow, "ÄddOn", 0}},
        LineCase{kLongWord + " install " + kLongWord, {RunKind::Install, kLongWord, 0}}));

TEST(Startup, WhileActRunsEveryCommandLineEndsWithTheOneMessageAndTouchesNothing) {
    for (const std::string line : {"", "Addon", "Addon install", "Addon deinstall gruppe", "x y z w"}) {
        platform::SubstitutePlatform sub;
        sub.windows.Add("ACT3.0FrameClass", "ACT! - Kontakte");
        const RunRequest request = modHaupt::Main(sub.platform, line);
        EXPECT_EQ(request.kind, RunKind::Refused) << line;
        EXPECT_TRUE(request.AddonName.empty());
        ASSERT_EQ(sub.messages.Shown().size(), 1u);
        EXPECT_EQ(sub.messages.Shown()[0],
                  (platform::MessageBoxRequest{"Bitte beenden Sie zuvor ACT!", "Tessivar",
                                               platform::MsgIcon::Information, platform::MsgButtons::Ok}));
        EXPECT_TRUE(sub.registry.Calls().empty());
    }
}

TEST(Startup, TheProgramPathIsRemovedFromTheProcessCommandLine) {
    using modHaupt::ArgumentText;
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\ACT\\tessivar.exe\" Addon install"), "Addon install");
    EXPECT_EQ(ArgumentText("tessivar.exe   Addon  install "), "Addon  install ");
    EXPECT_EQ(ArgumentText("C:\\ACT\\tessivar.exe\tAddon"), "Addon");
    EXPECT_EQ(ArgumentText("\"C:\\ACT\\tessivar.exe\""), "");
    EXPECT_EQ(ArgumentText("tessivar.exe"), "");
    EXPECT_EQ(ArgumentText("\"unclosed path Addon"), "");
    EXPECT_EQ(ArgumentText(""), "");
}

}  // namespace
