#include "manager/frmHaupt_win.h"

#include "base/UiTexts.h"
#include "manager/Banner_win.h"
#include "ui/Buttons_win.h"
#include "ui/Label_win.h"
#include "ui/PictureBox_win.h"

namespace {

// The window's inner size and its controls, in twips.
constexpr int kInnerWidth = 3990, kInnerHeight = 2220;
constexpr ui::Place kBanner{120, 120, 2295, 375};
constexpr ui::Place kInfo{120, 720, 3735, 855};
constexpr ui::Place kOK{1320, 1680, 1215, 375};

}  // namespace

frmHaupt::frmHaupt() : ui::Window(kClassName) {}

void frmHaupt::Open() {
    if (IsOpen()) return;
    Create({.caption = std::string(texts::kTessivarTitle), .innerWidth = kInnerWidth, .innerHeight = kInnerHeight});
}

void frmHaupt::OnCreate() {
    m_imBanner = &AddWithId<ui::PictureBox>(kBannerId, "imBanner", kBanner);
    m_imBanner->ShowStretched(CreateTessivarBanner());
    m_lbInfo = &AddWithId<ui::Label>(kInfoId, "lbInfo", kInfo, "", ui::Label::Options{.mnemonic = false});
    m_cmdOK = &AddWithId<ui::Button>(IDOK, "cmdOK", kOK, texts::kOkButton);
    m_cmdOK->SetDefault(true);
    m_cmdOK->onClick = [this] { Destroy(); };
}

// Esc closes the window like OK.
bool frmHaupt::OnEscape() {
    Destroy();
    return true;
}

void frmHaupt::Show(std::string_view info) {
    Open();
    SetInfo(info);
    ui::Window::Show(SW_SHOWNORMAL);
}

void frmHaupt::SetInfo(std::string_view info) {
    Open();
    m_lbInfo->SetText(info);
    UpdateWindow(hwnd());
}

HWND frmHaupt::imBanner() const { return m_imBanner->hwnd(); }
HWND frmHaupt::lbInfo() const { return m_lbInfo->hwnd(); }
HWND frmHaupt::cmdOK() const { return m_cmdOK->hwnd(); }
