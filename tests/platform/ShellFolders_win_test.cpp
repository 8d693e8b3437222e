// The shell's folders under Wine: a special folder's path, and the folder
// chooser answered from a second thread.
#include "platform/ShellFolders_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <future>

#include "driver/BoxDriver_win.h"
#include "platform/Automation_win.h"
#include "platform/WinText_win.h"

namespace {

std::wstring StaticTexts(HWND dialog) {
    std::wstring all;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[32] = {};
        GetClassNameW(child, cls, 32);
        if (_wcsicmp(cls, L"Static") != 0) continue;
        wchar_t text[512] = {};
        GetWindowTextW(child, text, 512);
        all += text;
        all += L"|";
    }
    return all;
}

TEST(WinShellFolders, SpecialFoldersGiveAPathOrNothing) {
    platform::WinAutomation com;  // the shell wants the thread in an apartment
    platform::WinShellFolders shell;
    const std::string windows = shell.GetSpecialFolder(0x24, 0);  // the Windows folder
    EXPECT_FALSE(windows.empty());
    EXPECT_NE(GetFileAttributesW(platform::Widen(windows).c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NO_THROW(shell.GetSpecialFolder(platform::kFolderCookies, 0));
    EXPECT_EQ(shell.GetSpecialFolder(0x7777, 0), "");
}

TEST(WinShellFolders, TheChooserShowsItsTitleAndACancelGivesNothing) {
    platform::WinAutomation com;
    platform::WinShellFolders shell;
    auto answer = std::async(std::launch::async, [] {
        std::wstring seen;
        for (int i = 0; i < 300 && seen.find(L"Cookie-Ordner") == std::wstring::npos; ++i, Sleep(50)) {
            if (HWND dialog = driver::FindMessageBox(GetCurrentProcessId(), L"", 50)) {
                seen = StaticTexts(dialog);
                if (seen.find(L"Cookie-Ordner") != std::wstring::npos) driver::Press(dialog, IDCANCEL);
            }
        }
        return seen;
    });
    EXPECT_EQ(shell.BrowseForFolder(platform::kFolderDesktop, 0, "Bitte wählen Sie den Cookie-Ordner aus"), "");
    EXPECT_NE(answer.get().find(L"Bitte wählen Sie den Cookie-Ordner aus"), std::wstring::npos);
}

}  // namespace
