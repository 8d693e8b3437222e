// The shell launcher over the recording substitute: the shell call each
// member makes, the result mapping, the kept process, and failures.
#include "common/clShellExecute.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/RecordingShell.h"
#include "platform/SubstitutePlatform.h"

using platform::RecordingShell;
using platform::ShellExecuteRecord;

namespace {

class ShellLauncher : public testing::Test {
protected:
    const ShellExecuteRecord& Last() const { return shell.Calls().back().record; }

    platform::SubstitutePlatform sub;
    RecordingShell shell;
    clShellExecute launcher{sub.messages, shell};
};

TEST_F(ShellLauncher, EachSimpleMemberAsksTheShellWithItsVerbTargetAndShowState) {
    struct Case {
        std::int32_t (*launch)(clShellExecute&);
        std::optional<std::string> verb;
        std::string target;
        std::int32_t show;
    };
    const Case cases[] = {
        {[](clShellExecute& l) { return l.Explore(0x55, "C:\\Befehle"); }, "explore", "C:\\Befehle", 10},
        {[](clShellExecute& l) { return l.LaunchEmail(0x55, "info@brannock-heyl.example", 3); }, std::nullopt,
         "mailto:info@brannock-heyl.example", 3},
        {[](clShellExecute& l) { return l.LaunchFolder(0x55, "C:\\Zusätze"); }, "open", "C:\\Zusätze", 10},
        {[](clShellExecute& l) { return l.PrintDocument(0x55, "Brief.doc"); }, "print", "Brief.doc", 0},
        {[](clShellExecute& l) { return l.LaunchURL("https://www.brannock-heyl.example/", 0x55); }, std::nullopt,
         "https://www.brannock-heyl.example/", 10},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.launch(launcher), -1) << c.target;
        ASSERT_FALSE(shell.Calls().back().extended);
        EXPECT_EQ(Last().verb, c.verb);
        EXPECT_EQ(Last().file, c.target);
        EXPECT_EQ(Last().show, c.show);
        EXPECT_EQ(Last().owner, 0x55u);
        EXPECT_EQ(Last().parameters, "");
        EXPECT_EQ(Last().directory, "");
    }
    EXPECT_FALSE(launcher.StillExecuting()) << "a simple call keeps no process";
}

TEST_F(ShellLauncher, MinusOneStandsForTheDesktopWindowAndTheShellsCodeIsMapped) {
    EXPECT_EQ(launcher.LaunchURL("https://www.brannock-heyl.example/"), -1);
    EXPECT_EQ(Last().owner, RecordingShell::kDesktop);
    launcher.Explore(clShellExecute::kDesktopWindow, "C:\\");
    EXPECT_EQ(Last().owner, RecordingShell::kDesktop) << "in every member: -1 is no window";

    for (const auto& [code, result] : {std::pair{0, 0}, {2, 2}, {31, 31}, {32, 32}, {33, -1}, {42, -1}}) {
        shell.Answer(code);
        EXPECT_EQ(launcher.LaunchURL("x"), result) << code;
        EXPECT_EQ(launcher.LaunchProgram("x.exe"), result) << code;
    }
    EXPECT_TRUE(sub.messages.Shown().empty()) << "a refusal of the shell is no failure";
}

TEST_F(ShellLauncher, TheExtendedMembersKeepTheirProcessUntilTheNextLaunch) {
    EXPECT_EQ(launcher.LaunchProgram("%WINDIR%\\notepad.exe", clShellExecute::kDesktopWindow, "a.txt", "C:\\"), -1);
    ASSERT_TRUE(shell.Calls().back().extended);
    EXPECT_EQ(Last().mask, 0x240u);
    EXPECT_EQ(Last().verb, "Open");
    EXPECT_EQ(Last().file, "%WINDIR%\\notepad.exe");
    EXPECT_EQ(Last().parameters, "a.txt");
    EXPECT_EQ(Last().directory, "C:\\");
    EXPECT_EQ(Last().show, 10);
    EXPECT_EQ(Last().owner, RecordingShell::kDesktop);
    const platform::ProcessHandle first = shell.LastProcess();
    EXPECT_EQ(launcher.ProcessHandle(), first);
    EXPECT_EQ(launcher.InstanceResult(), 42);

    EXPECT_FALSE(launcher.StillExecuting()) << "the exit code cannot be read";
    shell.SetExitCode(first, platform::kStillActive);
    EXPECT_TRUE(launcher.StillExecuting());
    shell.SetExitCode(first, 0);
    EXPECT_FALSE(launcher.StillExecuting());

    shell.SetExitCode(first, platform::kStillActive);
    launcher.LaunchDocument(0x77, "Brief.doc", "C:\\Briefe");
    EXPECT_EQ(Last().owner, 0x77u);
    EXPECT_EQ(Last().parameters, "");
    EXPECT_EQ(shell.Closed(), std::vector<platform::ProcessHandle>{first}) << "the old process let go";
    const platform::ProcessHandle second = shell.LastProcess();
    launcher.LaunchURL("https://www.brannock-heyl.example/");
    EXPECT_EQ(launcher.ProcessHandle(), 0u);
    EXPECT_EQ(launcher.InstanceResult(), 0);
    EXPECT_FALSE(launcher.StillExecuting());
    EXPECT_EQ(shell.Closed().back(), second);

    shell.Answer(2);
    EXPECT_EQ(launcher.LaunchDocument(0, "fehlt.doc", ""), 2);
    EXPECT_EQ(launcher.InstanceResult(), 2);
    EXPECT_EQ(launcher.ProcessHandle(), 0u);
}

TEST_F(ShellLauncher, AFailureIsShownTitledAfterTheMemberWhichGivesZero) {
    shell.onLaunch = [](const auto&) { throw AppError(1234, "Die Shell antwortet nicht"); };
    EXPECT_EQ(launcher.LaunchURL("https://www.brannock-heyl.example/"), 0);
    EXPECT_EQ(launcher.LaunchProgram("x.exe"), 0);
    EXPECT_EQ(launcher.PrintDocument(0, "x.doc"), 0);
    ASSERT_EQ(sub.messages.Shown().size(), 3u);
    EXPECT_EQ(sub.messages.Shown()[0],
              (platform::MessageBoxRequest{"Error: 1234. Die Shell antwortet nicht", "LaunchURL"}));
    EXPECT_EQ(sub.messages.Shown()[1].title, "LaunchProgram");
    EXPECT_EQ(sub.messages.Shown()[2].title, "PrintDocument");
}

TEST(ShellLauncherLifetime, TheKeptProcessIsClosedWithTheObject) {
    platform::SubstitutePlatform sub;
    RecordingShell shell;
    {
        clShellExecute launcher(sub.messages, shell);
        launcher.LaunchProgram("x.exe");
    }
    EXPECT_EQ(shell.Closed(), std::vector<platform::ProcessHandle>{shell.LastProcess()});
}

}  // namespace
