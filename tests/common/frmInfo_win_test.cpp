// The About window in this process, driven through window messages: its
// size, texts and art, the credit text's offsets over a whole round of
// ticks, the hover state of its link, and every way of closing it.
#include "common/frmInfo_win.h"

#include <gtest/gtest.h>

#include "platform/RecordingShell.h"
#include "platform/ScriptedMessageBoxes.h"
#include "support/Layout_win.h"
#include "support/TestWindow_win.h"
#include "ui/Label_win.h"
#include "ui/Paint_win.h"
#include "ui/PictureBox_win.h"
#include "ui/Timer_win.h"
#include "ui/ToolTips_win.h"
#include "ui/Twips.h"

namespace {

constexpr COLORREF kArt = RGB(10, 40, 90);
constexpr COLORREF kLink = RGB(255, 214, 102);

// Row r of the credit picture has its own colour.
COLORREF RowColour(int row) { return RGB(row & 0xFF, row >> 8, 99); }

// The shell that opens the link, owned by the About window.
struct Link {
    platform::RecordingShell shell;
    platform::ScriptedMessageBoxes boxes;
    clInfo::Services Services() { return {shell, boxes, LinkOpening::Quietly}; }
};

InfoContent TestContent() {
    InfoContent content;
    content.background = ui::MakePicture(320, 182, [](HDC dc) { ui::FillColour(dc, {0, 0, 320, 182}, kArt); });
    content.credits = ui::MakePicture(140, 420, [](HDC dc) {
        for (int row = 0; row < 420; ++row) ui::FillColour(dc, {0, row, 140, row + 1}, RowColour(row));
    });
    content.rights = "© Brannock-Heyl. Alle Rechte vorbehalten.";
    content.linkColour = kLink;
    return content;
}

class AboutWindow : public testing::Test {
protected:
    void SetUp() override {
        info.Open(nullptr);
        info.Show(SW_SHOWNOACTIVATE);
        SetWindowPos(info.hwnd(), HWND_TOPMOST, 20, 20, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        platform::PumpPending();
    }
    void TearDown() override { info.Destroy(); }

    void Tick() { SendMessageW(info.hwnd(), WM_TIMER, info.Timer1().Id(), 0); }

    COLORREF ScreenPixel(HWND window, int x, int y) {
        POINT at{x, y};
        ClientToScreen(window, &at);
        const platform::UniqueWindowDC screen = platform::ClientDC(nullptr);
        return GetPixel(screen.get(), at.x, at.y);
    }

    int LinkPixels() {
        const SIZE size{info.lbBH().PixelRect().right - info.lbBH().PixelRect().left,
                        info.lbBH().PixelRect().bottom - info.lbBH().PixelRect().top};
        int count = 0;
        for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) count += ScreenPixel(info.lbBH().hwnd(), x, y) == kLink ? 1 : 0;
        }
        return count;
    }

    Link link;
    frmInfo info{TestContent(), link.Services()};
};

TEST_F(AboutWindow, ShowsTheArtTheVersionOfTheProgramAndItsTexts) {
    EXPECT_EQ(info.Caption(), "Informationen über das Programm");
    const SIZE client = info.ClientSize();
    EXPECT_EQ(client.cx, ui::TwipsToPixels(4800, info.Dpi()));
    EXPECT_EQ(client.cy, ui::TwipsToPixels(2730, info.Dpi()));
    if (info.Dpi() == 96) {
        EXPECT_EQ(client.cx, 320);
        EXPECT_EQ(info.picScrollText().PixelSize().cx, 140);
        EXPECT_EQ(info.picScrollText().PixelSize().cy, 41);
    }
    EXPECT_EQ(info.lbVersion().Text(), "Version 3.1.7") << "FILEVERSION 3,1,0,7 of the test program";
    EXPECT_EQ(VersionText(std::nullopt), "Version 0.0.0");
    EXPECT_EQ(info.lbCopyright().Text(), "© Brannock-Heyl. Alle Rechte vorbehalten.");
    EXPECT_EQ(info.lbBH().Text(), "www.brannock-heyl.example");
    EXPECT_EQ(info.lbBH().Tag(), "https://www.brannock-heyl.example/");
    EXPECT_EQ(info.Tips().TextOf(info.lbBH()), "Besuchen Sie uns im Internet...");
    for (const std::wstring& problem : support::LayoutProblems(info.hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
    EXPECT_EQ(ScreenPixel(info.hwnd(), 2, client.cy - 2), kArt) << "the art fills the window";
    EXPECT_EQ(ScreenPixel(info.hwnd(), client.cx - 2, 2), kArt);
    EXPECT_EQ(info.Timer1().Interval(), 70u);
    EXPECT_TRUE(info.Timer1().Running());
}

TEST_F(AboutWindow, TheCreditTextMovesUpOneRowATickAndStartsAgainAfterRow378) {
    ASSERT_EQ(info.picScrollText().PixelSize().cy, 41) << "one picture row to one pixel at 96 DPI";
    // The window's own timer may have ticked while the machine was busy
    // opening it; from here on only the test's ticks move the text.
    info.Timer1().Stop();
    platform::PumpPending();
    const int before = info.ScrollOffset();
    ASSERT_GE(before, 0);
    ASSERT_LE(before, 378);
    int wraps = 0;
    for (int tick = 1; tick <= 380; ++tick) {
        Tick();
        // Row `top` is drawn at the viewport's top; after row 378 it starts again.
        const int top = (before + tick - 1) % 379;
        ASSERT_EQ(info.picScrollText().SurfacePixel(0, 0), RowColour(top)) << "tick " << tick;
        ASSERT_EQ(info.picScrollText().SurfacePixel(139, 40), RowColour(top + 40)) << "tick " << tick;
        ASSERT_EQ(info.ScrollOffset(), (top + 1) % 379) << "tick " << tick;
        if (top == 378) ++wraps;
    }
    EXPECT_EQ(wraps, 1) << "the offsets run 0 to 378, then 0";
    EXPECT_EQ(ScreenPixel(info.picScrollText().hwnd(), 5, 0), RowColour(0)) << "each drawing shows at once";
}

TEST_F(AboutWindow, TheLinkIsUnderlinedWithTheUpArrowUntilTheMouseCrossesTheBackground) {
    const int plain = LinkPixels();
    SendMessageW(info.lbBH().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(info.lbBH().Underlined());
    EXPECT_EQ(info.GetPointer(), ui::Pointer::UpArrow);
    platform::PumpPending();
    EXPECT_GT(LinkPixels(), plain) << "the underline is drawn";

    SendMessageW(info.lbVersion().hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    EXPECT_TRUE(info.lbBH().Underlined()) << "only the background takes it away";
    SendMessageW(info.hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(info.lbBH().Underlined());
    EXPECT_EQ(info.GetPointer(), ui::Pointer::Default);
    platform::PumpPending();
    EXPECT_EQ(LinkPixels(), plain) << "and no trace of it is left on the art";
}

TEST_F(AboutWindow, AKeyOtherThanEscDoesNothing) {
    PostMessageW(info.hwnd(), WM_KEYDOWN, 'A', 0);
    PostMessageW(info.hwnd(), WM_CHAR, 'a', 0);
    PostMessageW(info.hwnd(), WM_KEYDOWN, VK_RETURN, 0);
    platform::PumpPending();
    EXPECT_TRUE(info.IsOpen());
}

// Each way of closing, on a window of its own.
TEST(AboutWindowClosing, AClickAnywhereEscOrTheLinkClosesIt) {
    const std::vector<std::pair<std::string, std::function<void(frmInfo&)>>> ways = {
        {"background", [](frmInfo& f) { PostMessageW(f.hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4)); }},
        {"lbVersion",
         [](frmInfo& f) { SendMessageW(f.lbVersion().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }},
        {"lbCopyright",
         [](frmInfo& f) { SendMessageW(f.lbCopyright().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }},
        {"picScrollText",
         [](frmInfo& f) { SendMessageW(f.picScrollText().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2)); }},
        {"Esc", [](frmInfo& f) { PostMessageW(f.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0); }},
    };
    for (const auto& [name, close] : ways) {
        Link link;
        frmInfo info(TestContent(), link.Services());
        info.Open(nullptr);
        info.Show(SW_SHOWNOACTIVATE);
        close(info);
        platform::PumpPending();
        EXPECT_FALSE(info.IsOpen()) << name;
        EXPECT_TRUE(link.shell.Calls().empty()) << name;
    }

    Link link;
    frmInfo info(TestContent(), link.Services());
    info.Open(nullptr);
    info.Show(SW_SHOWNOACTIVATE);
    const HWND about = info.hwnd();
    SendMessageW(info.lbBH().hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    platform::PumpPending();
    ASSERT_EQ(link.shell.Calls().size(), 1u);
    EXPECT_EQ(link.shell.Calls()[0].record.owner, reinterpret_cast<platform::WindowHandle>(about))
        << "the About window is there to own a shell call";
    EXPECT_EQ(link.shell.Calls()[0].record.file, "https://www.brannock-heyl.example/");
    EXPECT_FALSE(info.IsOpen());
}

TEST(AboutWindowClosing, ShownModallyItDisablesItsOwnerUntilItIsClosed) {
    support::TestWindow owner(L"AboutOwner", L"Besitzer");
    Link link;
    frmInfo info(TestContent(), link.Services());
    info.Open(owner.hwnd());
    EXPECT_EQ(GetWindow(info.hwnd(), GW_OWNER), owner.hwnd());
    bool ownerDisabled = false;
    ui::Timer& probe = info.AddTimer(60000);
    probe.onTick = [&] { ownerDisabled = !IsWindowEnabled(owner.hwnd()); };
    // Both run inside the modal loop, in this order.
    PostMessageW(info.hwnd(), WM_TIMER, probe.Id(), 0);
    PostMessageW(info.hwnd(), WM_KEYDOWN, VK_ESCAPE, 0);
    info.ShowModal(owner.hwnd());
    EXPECT_FALSE(info.IsOpen());
    EXPECT_TRUE(ownerDisabled);
    EXPECT_TRUE(IsWindowEnabled(owner.hwnd()));
    // The window can be shown again, from its first row.
    info.Open(owner.hwnd());
    EXPECT_EQ(info.ScrollOffset(), 0);
    EXPECT_EQ(info.picScrollText().SurfacePixel(0, 0), RowColour(0));
    info.Destroy();
}

TEST_F(AboutWindow, AScreenOfAnotherDpiScalesTheWindowAndItsViewport) {
    RECT suggested{};
    GetWindowRect(info.hwnd(), &suggested);
    suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
    suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
    SendMessageW(info.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(info.picScrollText().PixelSize().cx, ui::TwipsToPixels(2100, 144));
    Tick();
    Tick();
    EXPECT_EQ(info.picScrollText().SurfacePixel(0, 0), RowColour(1)) << "the same rows, scaled";
    for (const std::wstring& problem : support::LayoutProblems(info.hwnd())) {
        ADD_FAILURE() << std::string(problem.begin(), problem.end());
    }
}

}  // namespace
