#include "manager/frmPfade_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"

namespace c = PfadeControls;

frmPfade::frmPfade(clPfade::Services services, std::vector<clPfade::Command> commands, std::string folder)
    : ui::FormWindow(kClassName), m_Logic(*this, services, std::move(commands), std::move(folder)) {}

std::optional<std::vector<modListActions::PathChange>> frmPfade::Confirm(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kPathsTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
    return m_Logic.Confirmed();
}

void frmPfade::OnCreate() {
    AddControls(c::All());
    At<ui::Button>(c::cmdOK).onClick = [this] { m_Logic.cmdOK_Click(); };
    At<ui::Button>(c::cmdCancel).onClick = [this] { m_Logic.cmdCancel_Click(); };
    m_Logic.Form_Load();
}

bool frmPfade::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}
