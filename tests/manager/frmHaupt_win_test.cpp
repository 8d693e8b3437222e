// The progress window in this process: its size and layout in twips turned
// into pixels, its message, its banner, and its OK button.
#include "manager/frmHaupt_win.h"

#include <gtest/gtest.h>

#include "manager/Twips.h"
#include "support/TestWindow_win.h"

namespace {

RECT ClientRectOf(HWND parent, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring TextOf(HWND w) {
    wchar_t text[512] = {};
    GetWindowTextW(w, text, 512);
    return text;
}

TEST(ProgressWindow, HasTheLayoutOfTheFormInPixelsForTheScreensDpi) {
    EXPECT_EQ(TwipsToPixels(3990, 96), 266);
    EXPECT_EQ(TwipsToPixels(2220, 144), 222);
    EXPECT_EQ(TwipsToPixels(2295, 96), 153);

    frmHaupt form;
    form.Show("Es wird das ACT!-Addon 'Müller' als neuer benutzerdefinierter Befehl in ACT! eingebunden.");
    ASSERT_NE(form.hwnd(), nullptr);
    HDC screen = GetDC(nullptr);
    const unsigned dpi = static_cast<unsigned>(GetDeviceCaps(screen, LOGPIXELSY));
    ReleaseDC(nullptr, screen);

    RECT client;
    GetClientRect(form.hwnd(), &client);
    EXPECT_EQ(client.right, TwipsToPixels(3990, dpi));
    EXPECT_EQ(client.bottom, TwipsToPixels(2220, dpi));
    const RECT info = ClientRectOf(form.hwnd(), form.lbInfo());
    EXPECT_EQ(info.left, TwipsToPixels(120, dpi));
    EXPECT_EQ(info.top, TwipsToPixels(720, dpi));
    EXPECT_EQ(info.right - info.left, TwipsToPixels(3735, dpi));
    const RECT ok = ClientRectOf(form.hwnd(), form.cmdOK());
    EXPECT_EQ(ok.left, TwipsToPixels(1320, dpi));
    EXPECT_EQ(ok.bottom - ok.top, TwipsToPixels(375, dpi));
    const RECT banner = ClientRectOf(form.hwnd(), form.imBanner());
    EXPECT_EQ(banner.right - banner.left, TwipsToPixels(2295, dpi));

    EXPECT_EQ(TextOf(form.hwnd()), L"Tessivar");
    EXPECT_EQ(TextOf(form.cmdOK()), L"&OK");
    EXPECT_EQ(TextOf(form.lbInfo()),
              L"Es wird das ACT!-Addon 'M\u00FCller' als neuer benutzerdefinierter Befehl in ACT! eingebunden.");
    form.SetInfo("fertig");
    EXPECT_EQ(TextOf(form.lbInfo()), L"fertig");
}

TEST(ProgressWindow, TheBannerIsPaintedAndOkClosesTheWindow) {
    frmHaupt form;
    form.Show("x");
    SetWindowPos(form.hwnd(), HWND_TOPMOST, 10, 10, 0, 0, SWP_NOSIZE);
    support::PumpMessages();
    RECT banner;
    GetWindowRect(form.imBanner(), &banner);
    HDC screen = GetDC(nullptr);
    const COLORREF left = GetPixel(screen, banner.left + 2, banner.top + 2);
    const COLORREF right = GetPixel(screen, banner.right - 3, banner.top + 2);
    ReleaseDC(nullptr, screen);
    EXPECT_GT(GetBValue(left), GetRValue(left)) << "a blue banner";
    EXPECT_GT(GetBValue(right), GetBValue(left)) << "lighter to the right";

    PostMessageW(form.cmdOK(), BM_CLICK, 0, 0);
    form.RunUntilClosed();
    EXPECT_EQ(form.hwnd(), nullptr);
}

}  // namespace
