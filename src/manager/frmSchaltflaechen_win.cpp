#include "manager/frmSchaltflaechen_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"

namespace c = SchaltflaechenControls;

frmSchaltflaechen::frmSchaltflaechen(std::int32_t commandId, std::string commandName,
                                     clSchaltflaechen::Toolbars toolbars)
    : ui::FormWindow(kClassName), m_Logic(*this, commandId, std::move(commandName), std::move(toolbars)) {}

std::optional<clSchaltflaechen::Toolbars> frmSchaltflaechen::Place(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kPlaceTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
    return m_Logic.Result();
}

void frmSchaltflaechen::OnCreate() {
    AddControls(c::All());
    At<ui::Button>(c::cmdHinzufuegen).onClick = [this] { m_Logic.cmdHinzufuegen_Click(); };
    At<ui::Button>(c::cmdEntfernen).onClick = [this] { m_Logic.cmdEntfernen_Click(); };
    At<ui::Button>(c::cmdLinks).onClick = [this] { m_Logic.cmdLinks_Click(); };
    At<ui::Button>(c::cmdRechts).onClick = [this] { m_Logic.cmdRechts_Click(); };
    At<ui::Button>(c::cmdOK).onClick = [this] { m_Logic.cmdOK_Click(); };
    At<ui::Button>(c::cmdCancel).onClick = [this] { m_Logic.cmdCancel_Click(); };
    At<ui::ListView>(c::lvToolbars).onItemClick = [this](int row) { m_Logic.lvToolbars_ItemClick(row); };
    m_Logic.Form_Load();
}

bool frmSchaltflaechen::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}
