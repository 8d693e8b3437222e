#include "manager/frmBearbeiten_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"
#include "ui/Edit_win.h"

namespace c = BearbeitenControls;

frmBearbeiten::frmBearbeiten(clBearbeiten::Services services, const clCustomTessivar& command,
                             clBearbeiten::NameTaken nameTaken)
    : ui::FormWindow(kClassName), m_Logic(services, *this, command, std::move(nameTaken)) {}

std::optional<modEditCommand::Edit> frmBearbeiten::Edit(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kEditTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
    return m_Logic.Result();
}

void frmBearbeiten::OnCreate() {
    AddControls(c::All());
    clBearbeiten& l = m_Logic;
    for (ui::TextBoxId box : {c::txbName, c::txbZeile, c::txbStart, c::txbQuickInfo, c::txbBeschreibung, c::txbMenu}) {
        auto& edit = At<ui::Edit>(box);
        // Characters, as the edit counts them: those of ACT!'s code page are one each.
        SendMessageW(edit.hwnd(), EM_LIMITTEXT, clBearbeiten::Width(box), 0);
        edit.onChange = [&l, box] { l.txb_Change(box); };
    }
    At<ui::Button>(c::cmdDurchsuchen).onClick = [&l] { l.cmdDurchsuchen_Click(); };
    At<ui::Button>(c::cmdBildLadenGross).onClick = [&l] { l.cmdBildLaden_Click(true); };
    At<ui::Button>(c::cmdPngGross).onClick = [&l] { l.cmdPng_Click(true); };
    At<ui::Button>(c::cmdBildLadenKlein).onClick = [&l] { l.cmdBildLaden_Click(false); };
    At<ui::Button>(c::cmdPngKlein).onClick = [&l] { l.cmdPng_Click(false); };
    At<ui::Button>(c::cmdOK).onClick = [&l] { l.cmdOK_Click(); };
    At<ui::Button>(c::cmdAbbrechen).onClick = [&l] { l.cmdAbbrechen_Click(); };
    m_Logic.Form_Load();
}

bool frmBearbeiten::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}
