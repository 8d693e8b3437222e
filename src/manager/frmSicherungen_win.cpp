#include "manager/frmSicherungen_win.h"

#include "base/UiTexts.h"
#include "manager/frmUnterschiede_win.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"

namespace c = SicherungenControls;

frmSicherungen::frmSicherungen(std::vector<modBackup::Entry> entries, clSicherungen::Differences differences)
    : ui::FormWindow(kClassName), m_Logic(*this, std::move(entries), std::move(differences)) {}

std::optional<std::string> frmSicherungen::Choose(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kRestoreChoiceTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
    return m_Logic.Chosen();
}

void frmSicherungen::OnCreate() {
    AddControls(c::All());
    At<ui::Button>(c::cmdOK).onClick = [this] { m_Logic.cmdOK_Click(); };
    At<ui::Button>(c::cmdCancel).onClick = [this] { m_Logic.cmdCancel_Click(); };
    At<ui::Button>(c::cmdUnterschiede).onClick = [this] { m_Logic.cmdUnterschiede_Click(); };
    At<ui::ListView>(c::lvBackups).onActivate = [this](int) { m_Logic.lvBackups_DblClick(); };
    m_Logic.Form_Load();
}

bool frmSicherungen::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}

void frmSicherungen::ShowDifferences(std::string backup, std::vector<modBackupDiff::Difference> differences) {
    frmUnterschiede window(std::move(backup), std::move(differences));
    window.Show(hwnd());
}
