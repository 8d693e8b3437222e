// Tessivar's start on the real platform, in this process: the refusal box
// while an ACT! main window is open, read and answered from a second thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <future>

#include "driver/BoxDriver_win.h"
#include "manager/modHaupt.h"
#include "platform/WinPlatform_win.h"
#include "support/RegistrySnapshot_win.h"
#include "support/TestWindow_win.h"

TEST(TessivarStartup, RefusesWithItsMessageWhileActsWindowIsOpen) {
    platform::WinPlatform win("Tessivar");
    support::TestWindow act(L"ACT3.0FrameClass", L"ACT! - Demo");
    auto answerer = std::async(std::launch::async, [] {
        HWND box = driver::FindMessageBox(GetCurrentProcessId(), L"Tessivar", 10000);
        driver::BoxInfo info;
        if (box != nullptr) {
            info = driver::ReadMessageBox(box);
            driver::Press(box, IDOK);
        }
        return info;
    });
    const auto request = modHaupt::Main(win.windows, win.text, win.messages, "Addon install gruppe");
    const driver::BoxInfo info = answerer.get();
    EXPECT_EQ(request.kind, modHaupt::RunKind::Refused);
    EXPECT_EQ(info.text, L"Bitte beenden Sie zuvor ACT!");
    EXPECT_EQ(info.icon, "information");
    EXPECT_EQ(info.buttons, std::vector<int>{IDOK});
}

TEST(TessivarStartup, WithoutActTheCommandLineDecidesAndNoBoxAppears) {
    platform::WinPlatform win("Tessivar");
    support::TestWindow hiddenAct(L"ACT3.0FrameClass", L"ACT! - Demo", SW_HIDE);
    const auto request = modHaupt::Main(win.windows, win.text, win.messages, "  Müller   DEINSTALL  G ");
    EXPECT_EQ(request, (modHaupt::RunRequest{modHaupt::RunKind::Deinstall, "Müller", 1}));
}
