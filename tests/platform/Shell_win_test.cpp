// The shell and the system DLLs loaded on first use, for real under Wine.
#include "platform/Shell_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "common/clShellExecute.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/SubstitutePlatform.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"
#include "support/Process_win.h"

namespace {

TEST(RealShell, AProgramStartedThroughTheShellIsKeptUntilItEnds) {
    platform::SubstitutePlatform sub;
    platform::WinShell shell;
    EXPECT_EQ(shell.DesktopWindow(), reinterpret_cast<platform::WindowHandle>(GetDesktopWindow()));
    clShellExecute launcher(sub.messages, shell);
    const std::string minimal = platform::Narrow(support::ProgramFolder() + L"minimal.exe");
    ASSERT_EQ(launcher.LaunchProgram(minimal, clShellExecute::kDesktopWindow, "", "", clShellExecute::kHide), -1);
    EXPECT_GT(launcher.InstanceResult(), 32);
    ASSERT_NE(launcher.ProcessHandle(), 0u) << "kept open";
    bool ended = false;
    for (int i = 0; i < 500 && !(ended = !launcher.StillExecuting()); ++i) Sleep(10);
    EXPECT_TRUE(ended);
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(reinterpret_cast<HANDLE>(launcher.ProcessHandle()), &code));
    EXPECT_EQ(code, 0u);

    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST(RealShell, AnEntryTheSystemLacksIsAnErrorNotACrash) {
    EXPECT_NE(platform::SystemLibrary(L"SHELL32.dll"), nullptr);
    EXPECT_EQ(platform::SystemLibrary(L"shell32.dll"), platform::SystemLibrary(L"SHELL32.dll")) << "loaded once";
    EXPECT_EQ(platform::SystemLibrary(L"gibt-es-nicht.dll"), nullptr);
    try {
        platform::SystemEntryAddress(L"shell32.dll", "GibtEsNicht");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.description(), "Eine Systembibliothek ist nicht verfügbar: shell32.dll (GibtEsNicht)");
    }
}

}  // namespace
