// The progress window in this process, as a user sees it: its size from the
// screen's DPI, every control inside it whole and apart, at 96 and at 144
// DPI; its message, its banner, and its OK button.
#include "manager/frmHaupt_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "common/ActRegistry.h"
#include "manager/SlowTable_win.h"
#include "manager/modHaupt.h"
#include "platform/Handles_win.h"
#include "platform/MemoryNamedMutex.h"
#include "support/Layout_win.h"
#include "support/TestWindow_win.h"
#include "ui/Twips.h"

namespace {

const std::string kCommands(actregistry::kCustomCommands);

std::wstring TextOf(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

void ExpectSoundLayout(HWND window) {
    for (const std::wstring& problem : support::LayoutProblems(window))
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
}

constexpr char kLongestMessage[] =
    "Das ACT!-Addon 'Müller-Routenplaner' konnte nicht als benutzerdefinierter Befehl in ACT! eingebunden werden.";

TEST(ProgressWindow, ShowsItsControlsWholeAndApartAtEveryDpi) {
    frmHaupt form;
    form.Logic().Show(kLongestMessage);
    ASSERT_NE(form.hwnd(), nullptr);
    RECT client;
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, ui::TwipsToPixels(3990, form.Dpi()));
    EXPECT_EQ(client.bottom, ui::TwipsToPixels(2220, form.Dpi()));
    ExpectSoundLayout(form.hwnd());
    EXPECT_TRUE(support::TextFits(form.lbInfo(), TextOf(form.lbInfo()), true));

    // Moved to a screen of 144 DPI, the window and its font grow with it.
    RECT suggested{0, 0, 0, 0};
    GetWindowRect(form.hwnd(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(form.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), 144u);
    RECT ok;
    GetWindowRect(form.cmdOK(), &ok);
    EXPECT_EQ(ok.bottom - ok.top, ui::TwipsToPixels(375, 144));
    ExpectSoundLayout(form.hwnd());
    EXPECT_TRUE(support::TextFits(form.lbInfo(), TextOf(form.lbInfo()), true));
}

TEST(ProgressWindow, ShowsTheRunsMessagesUnderItsTitle) {
    frmHaupt form;
    form.Logic().Show("Es wird das ACT!-Addon 'Müller' als neuer benutzerdefinierter Befehl in ACT! eingebunden.");
    EXPECT_EQ(TextOf(form.hwnd()), L"Tessivar");
    EXPECT_EQ(TextOf(form.cmdOK()), L"&OK");
    EXPECT_EQ(TextOf(form.lbInfo()),
              L"Es wird das ACT!-Addon 'M\u00FCller' als neuer benutzerdefinierter Befehl in ACT! eingebunden.");
    form.Logic().SetInfo("fertig");
    EXPECT_EQ(TextOf(form.lbInfo()), L"fertig");
}

TEST(ProgressWindow, TheBannerIsPaintedAndOkClosesTheWindow) {
    frmHaupt form;
    form.Logic().Show("x");
    SetWindowPos(form.hwnd(), HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE);
    support::PumpMessages();
    RECT banner;
    GetWindowRect(form.imBanner(), &banner);
    const platform::UniqueWindowDC screen = platform::ClientDC(nullptr);
    const COLORREF left = GetPixel(screen.get(), banner.left + 2, banner.top + 2);
    const COLORREF right = GetPixel(screen.get(), banner.right - 3, banner.top + 2);
    EXPECT_GT(GetBValue(left), GetRValue(left)) << "a blue banner";
    EXPECT_GT(GetBValue(right), GetBValue(left)) << "lighter to the right";

    PostMessageW(form.cmdOK(), BM_CLICK, 0, 0);
    form.RunUntilClosed();
    EXPECT_EQ(form.hwnd(), nullptr);

    // Esc closes it like OK, wherever the focus is.
    form.Logic().Show("y");
    PostMessageW(form.cmdOK(), WM_KEYDOWN, VK_ESCAPE, 0);
    form.RunUntilClosed();
    EXPECT_EQ(form.hwnd(), nullptr);
}

// A removal of command 0 from a table that takes over a second: the window
// answers meanwhile, its close box does nothing and OK is locked until the end.
TEST(ProgressWindow, AnswersWhileARemovalWorksOnALargeTableAndClosesOnlyAfterIt) {
    SlowTable table(300, "Gross");
    platform::MemoryNamedMutex locks;
    platform::FakeClock stamps;
    const modBackup::Store backups{table.files, stamps, "C:\\Sicherungen"};
    frmHaupt form;
    modHaupt::Services run{table.Commands(), form.Logic(), locks, "Gross", "C:\\Addons", false, backups};
    std::atomic<bool> running{true}, unlocked{false};
    std::atomic<int> probes{0};
    Pinger pings(frmHaupt::kClassName, [&](HWND window) {
        DWORD_PTR result = 0;
        if (probes++ == 0) SendMessageTimeoutW(window, WM_CLOSE, 0, 0, SMTO_NORMAL, 1000, &result);
        if (IsWindowEnabled(GetDlgItem(window, IDOK)) && running) unlocked = true;
    });
    const auto start = std::chrono::steady_clock::now();
    form.Logic().Run(table.pacing, [&] {
        modHaupt::Deinstall(run, modHaupt::kContactToolbar);
        running = false;
    });
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1)) << "long enough to tell";
    EXPECT_LT(pings.Stop(), 100.0);
    EXPECT_GE(probes, 20) << "pinged from the run's start";
    EXPECT_FALSE(unlocked) << "OK locked throughout";
    EXPECT_EQ(table.registry.Get(platform::kHKeyCurrentUser, kCommands, "Count")->data, (ByteArray{43, 1, 0, 0}));
    ASSERT_NE(form.hwnd(), nullptr) << "the close box did nothing while the run worked";
    PostMessageW(form.cmdOK(), BM_CLICK, 0, 0);
    form.RunUntilClosed();
    EXPECT_EQ(form.hwnd(), nullptr);
}

}  // namespace
