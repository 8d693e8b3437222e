#include "manager/frmHaupt_win.h"

#include "base/UiTexts.h"
#include "manager/Banner_win.h"
#include "ui/Buttons_win.h"
#include "ui/PictureBox_win.h"

namespace c = HauptControls;

frmHaupt::frmHaupt() : ui::FormWindow(kClassName), m_Logic(*this) {}

void frmHaupt::Load() {
    if (IsOpen()) return;
    Create(
        {.caption = std::string(texts::kTessivarTitle), .innerWidth = c::kInnerWidth, .innerHeight = c::kInnerHeight});
}

void frmHaupt::Display() { Show(SW_SHOWNORMAL); }

void frmHaupt::Repaint() { UpdateWindow(hwnd()); }

void frmHaupt::OnCreate() {
    AddControls(c::All());
    At<ui::PictureBox>(c::imBanner).ShowStretched(CreateTessivarBanner());
    At<ui::Button>(c::cmdOK).onClick = [this] { m_Logic.cmdOK_Click(); };
}

bool frmHaupt::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}
