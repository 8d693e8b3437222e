#include "routeplanner/frmEinstellungen_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"
#include "ui/ComboList_win.h"
#include "ui/Edit_win.h"

namespace c = EinstellungenControls;

frmEinstellungen::frmEinstellungen(clEinstellungen::Services services)
    : ui::FormWindow(std::wstring(c::kClassName)), m_Logic(std::move(services), *this) {}

bool frmEinstellungen::Edit(HWND owner) {
    Create(ui::DialogFrame(std::string(texts::kSetTitle), c::kInnerWidth, c::kInnerHeight, owner));
    ShowModal(owner);
    return m_Logic.Saved();
}

void frmEinstellungen::OnCreate() {
    AddControls(c::All());
    clEinstellungen& l = m_Logic;
    At<ui::ComboList>(c::cbxRoutenplaner).onChange = [&l] { l.cbxRoutenplaner_Click(); };
    At<ui::Edit>(c::txbURL).onChange = [&l] { l.txbURL_Change(); };
    for (ui::ToggleId option :
         {c::optAutomatisch, c::optEdge, c::optChrome, c::optStandard, c::optIE, c::optProgramm}) {
        At<ui::ToggleButton>(option).onClick = [&l, option] { l.optBrowser_Click(option); };
    }
    At<ui::Button>(c::cmdProgramm).onClick = [&l] { l.cmdProgramm_Click(); };
    At<ui::Button>(c::cmdStandardwerte).onClick = [&l] { l.cmdStandardwerte_Click(); };
    At<ui::Button>(c::cmdCookiePfad).onClick = [&l] { l.cmdCookiePfad_Click(); };
    At<ui::Button>(c::cmdOK).onClick = [&l] { l.cmdOK_Click(); };
    At<ui::Button>(c::cmdAbbrechen).onClick = [&l] { l.cmdAbbrechen_Click(); };
    m_Logic.Form_Load();
}

bool frmEinstellungen::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}
