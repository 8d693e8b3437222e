// Tessivar's start: the refusal while ACT! runs, and how a command line
// becomes a run request.
#include "manager/modHaupt.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
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
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, GetParam().line), GetParam().expected)
        << "[" << GetParam().line << "]";
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_TRUE(sub.registry.Calls().empty());
}

const std::string kLongWord(32 * 1024, 'W');

INSTANTIATE_TEST_SUITE_P(
    Lines, CommandLine,
    testing::Values(LineCase{"", {RunKind::ListWindow, "", 0}}, LineCase{"     ", {RunKind::ListWindow, "", 0}},
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
                    LineCase{kLongWord + " install " + kLongWord, {RunKind::Install, kLongWord, 0}},
                    // A backup's own name holds spaces: the file is the rest of the line.
                    LineCase{"/wiederherstellen", {RunKind::Restore, "", 0, false, ""}},
                    LineCase{" /Wiederherstellen   /QUIET ", {RunKind::Restore, "", 0, true, ""}},
                    LineCase{"/wiederherstellen C:\\S\\Sicherung 2026-12-09 05-30-12.reg /quiet",
                             {RunKind::Restore, "", 0, true, "C:\\S\\Sicherung 2026-12-09 05-30-12.reg"}},
                    LineCase{"/wiederherstellen /quiet \"D:\\alte Stände\\a.reg\"",
                             {RunKind::Restore, "", 0, true, "D:\\alte Stände\\a.reg"}},
                    LineCase{"/wiederherstellen D:\\x/quiet", {RunKind::Restore, "", 0, false, "D:\\x/quiet"}},
                    LineCase{"/Reparieren", {RunKind::Repair, "", 0, false, ""}},
                    LineCase{"/reparieren /quiet", {RunKind::Repair, "", 0, true, ""}},
                    LineCase{"/?", {RunKind::Usage, "", 0}},
                    LineCase{"/? Addon install /quiet", {RunKind::Usage, "", 0}}));

TEST(Startup, WhileActRunsEveryCommandLineEndsWithTheOneMessageAndTouchesNothing) {
    for (const std::string line : {"", "Addon", "Addon install", "Addon deinstall gruppe", "x y z w"}) {
        platform::SubstitutePlatform sub;
        sub.windows.Add("ACT3.0FrameClass", "ACT! - Kontakte");
        const RunRequest request = modHaupt::Main(sub.windows, sub.text, sub.messages, line);
        EXPECT_EQ(request.kind, RunKind::Refused) << line;
        EXPECT_TRUE(request.AddonName.empty());
        ASSERT_EQ(sub.messages.Shown().size(), 1u);
        EXPECT_EQ(sub.messages.Shown()[0],
                  (platform::MessageBoxRequest{"Bitte beenden Sie zuvor ACT!", "Tessivar",
                                               platform::MsgIcon::Information, platform::MsgButtons::Ok}));
        EXPECT_TRUE(sub.registry.Calls().empty());
    }
}

TEST(Startup, ARestoreIsRefusedWhileActRunsWithTheMessageOnlyWhenNotQuiet) {
    for (const auto& [line, boxes] : {std::pair{"/wiederherstellen", 1u}, std::pair{"/wiederherstellen /quiet", 0u},
                                      std::pair{"/reparieren", 1u}}) {
        platform::SubstitutePlatform sub;
        sub.windows.Add("ACT3.0FrameClass", "ACT! - Kontakte");
        EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, line).kind, RunKind::Refused) << line;
        EXPECT_EQ(sub.messages.Shown().size(), boxes) << line;
    }
    platform::SubstitutePlatform sub;
    sub.windows.Add("ACT3.0FrameClass", "ACT! - Kontakte");
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "/?").kind, RunKind::Usage)
        << "the help changes nothing";
}

// The help must not drift from what the parser takes: every toolbar word it
// lists selects the toolbar it names, and every form it shows is a run.
TEST(Startup, TheHelpListsTheFormsAndToolbarWordsThatTheCommandLineTakes) {
    platform::SubstitutePlatform sub;
    const std::string usage(modHaupt::UsageText());
    const auto line = [&usage](std::string_view start) {
        const std::size_t at = usage.find(start);
        EXPECT_NE(at, std::string::npos) << start;
        return at == std::string::npos ? std::string() : usage.substr(at, usage.find('\r', at) - at);
    };
    const auto words = [](std::string list) {
        list = list.substr(0, list.find(':'));
        std::vector<std::string> out;
        for (std::string& w : modHaupt::WordsOf(list)) out.push_back(w.back() == ',' ? w.substr(0, w.size() - 1) : w);
        return out;
    };
    for (const std::string& w : words(line("    kontakt"))) EXPECT_EQ(modHaupt::ToolbarChoiceOf(sub.text, w), 0) << w;
    for (const std::string& w : words(line("    gruppe"))) EXPECT_EQ(modHaupt::ToolbarChoiceOf(sub.text, w), 1) << w;
    EXPECT_EQ(words(line("    kontakt")).size() + words(line("    gruppe")).size(), 9u);

    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, line("tessivar.exe ADDON install").substr(13)).kind,
              RunKind::Install);
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, line("tessivar.exe ADDON deinstall").substr(13)).kind,
              RunKind::Deinstall);
    EXPECT_EQ(modHaupt::Main(sub.windows, sub.text, sub.messages, "/wiederherstellen").kind, RunKind::Restore);
    EXPECT_NE(line("tessivar.exe /wiederherstellen"), "");
    EXPECT_NE(line("tessivar.exe /?"), "");
    for (int code :
         {modHaupt::kExitFinished, modHaupt::kExitFailed, modHaupt::kExitActRunning, modHaupt::kExitNotUnderstood}) {
        EXPECT_NE(line("    " + std::to_string(code) + "  "), "") << code;
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


// An unattended setup must never wait for a click: under "/quiet" a fault
// that reached the entry point is one line of output, never a box.
TEST(Startup, AFaultAtTheEntryPointShowsNoBoxUnderQuietAndEndsWithOne) {
    EXPECT_TRUE(modHaupt::AsksForQuiet("Route install gruppe /QUIET"));
    EXPECT_TRUE(modHaupt::AsksForQuiet("/quiet /wiederherstellen"));
    EXPECT_FALSE(modHaupt::AsksForQuiet("Route install /quietly"));

    platform::SubstitutePlatform sub;
    std::vector<std::string> printed;
    const auto print = [&printed](std::string_view line) { printed.emplace_back(line); };
    const auto fault = [&](bool quiet) {
        try {
            throw AppError(ErrorNumber::Overflow, "Überlauf");
        } catch (...) {
            return modHaupt::LastResort(sub.messages, quiet, print);
        }
    };
    EXPECT_EQ(fault(true), modHaupt::kExitFailed);
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(printed, (std::vector<std::string>{"Tessivar: Überlauf\r\n"}));

    EXPECT_EQ(fault(false), modHaupt::kExitFailed);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text, "Überlauf");
    EXPECT_EQ(printed.size(), 1u);
}

}  // namespace
