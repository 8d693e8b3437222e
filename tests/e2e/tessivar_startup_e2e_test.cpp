// The real tessivar.exe, started as a separate process beside a stand-in for
// ACT!'s main window, its message box read and answered from here.
#include <windows.h>

#include <gtest/gtest.h>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

constexpr DWORD kExitRefused = 2;

class TessivarStartup : public testing::Test {
protected:
    void SetUp() override { seed::SeedTypicalActConfiguration(); }
    void TearDown() override { support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot); }

    static support::RegSnapshot ActConfiguration() { return support::SnapshotTree(HKEY_CURRENT_USER, seed::kActRoot); }

    ChildProcess StartAct(const std::wstring& options) {
        ChildProcess act = ChildProcess::Start(m_Folder + L"actstandin.exe", options);
        act.WaitForInputIdle(10000);
        return act;
    }

    ChildProcess StartTessivar(const std::wstring& arguments) {
        return ChildProcess::Start(m_Folder + L"tessivar.exe", arguments);
    }

    const std::wstring m_Folder = support::ProgramFolder();
};

TEST_F(TessivarStartup, WhileActRunsEveryCommandLineGetsTheOneMessageAndChangesNothing) {
    ChildProcess act = StartAct(L"--title \"ACT! - Demo-Datenbank\"");
    ASSERT_NE(support::WaitForWindow(L"ACT3.0FrameClass", act.Id(), 100), nullptr);
    const support::RegSnapshot before = ActConfiguration();
    ASSERT_GT(before.size(), 20u);

    const std::wstring lines[] = {
        L"",
        L"Addon",
        L"Addon install",
        L"Addon DEINSTALL gruppe",
        L"install Addon",
        L"   M\u00FCller-Route   INSTALL   g   noch mehr  ",
        L"\"Mein Addon\" install",
        L"Addon\tinstall\tg",
        std::wstring(32000, L'W') + L" install",
    };
    for (const std::wstring& line : lines) {
        SCOPED_TRACE(testing::Message() << "command line of " << line.size() << " characters");
        ChildProcess tessivar = StartTessivar(line);
        HWND box = driver::FindMessageBox(tessivar.Id(), L"", 15000);
        ASSERT_NE(box, nullptr);
        const driver::BoxInfo info = driver::ReadMessageBox(box);
        EXPECT_EQ(info.title, L"Tessivar");
        EXPECT_EQ(info.text, L"Bitte beenden Sie zuvor ACT!");
        EXPECT_EQ(info.icon, "information");
        EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
        ASSERT_TRUE(driver::Press(box, IDOK));
        EXPECT_EQ(tessivar.WaitForExit(10000), std::optional<DWORD>(kExitRefused));
        EXPECT_EQ(ActConfiguration(), before);
    }
}

TEST_F(TessivarStartup, AHiddenActWindowOrAWindowOfAnotherClassDoesNotCountAsActRunning) {
    ChildProcess hidden = StartAct(L"--hidden");
    ChildProcess other = StartAct(L"--class ACT2.0FrameClass");
    ChildProcess tessivar = StartTessivar(L"Addon install");
    HWND box = driver::FindMessageBox(tessivar.Id(), L"", 1500);
    if (box != nullptr) {
        EXPECT_NE(driver::ReadMessageBox(box).text, L"Bitte beenden Sie zuvor ACT!");
    }
    const auto code = tessivar.WaitForExit(1000);
    if (code) {
        EXPECT_NE(*code, kExitRefused);
    }
}

TEST_F(TessivarStartup, AMinimisedActStillCounts) {
    ChildProcess act = StartAct(L"--minimized --title \"Kundenmanager - Demo\"");
    ChildProcess tessivar = StartTessivar(L"");
    HWND box = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(driver::ReadMessageBox(box).text, L"Bitte beenden Sie zuvor ACT!");
    driver::Press(box, IDOK);
    EXPECT_EQ(tessivar.WaitForExit(10000), std::optional<DWORD>(kExitRefused));
}

}  // namespace
