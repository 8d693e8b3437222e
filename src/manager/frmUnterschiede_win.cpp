#include "manager/frmUnterschiede_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"

namespace c = UnterschiedeControls;

frmUnterschiede::frmUnterschiede(std::string backup, std::vector<modBackupDiff::Difference> differences)
    : ui::FormWindow(kClassName), m_Logic(*this, std::move(backup), std::move(differences)) {}

void frmUnterschiede::Show(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kDiffTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
}

void frmUnterschiede::OnCreate() {
    AddControls(c::All());
    At<ui::Button>(c::cmdClose).onClick = [this] { m_Logic.cmdClose_Click(); };
    m_Logic.Form_Load();
}

bool frmUnterschiede::OnEscape() {
    m_Logic.cmdClose_Click();
    return true;
}
