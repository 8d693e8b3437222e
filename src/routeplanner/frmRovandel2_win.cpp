#include "routeplanner/frmRovandel2_win.h"

#include "base/UiTexts.h"
#include "common/frmInfo_win.h"
#include "routeplanner/Rovandel2Art_win.h"
#include "routeplanner/frmEinstellungen_win.h"
#include "ui/Buttons_win.h"
#include "ui/PictureBox_win.h"
#include "ui/StatusBar_win.h"

namespace c = Rovandel2Controls;

void ProcessEnd::EndNow() { ExitProcess(0); }

frmRovandel2::frmRovandel2(clRovandel2::Services services, clEinstellungen::Services settings, IProgramEnd& end)
    : ui::FormWindow(std::wstring(c::kClassName)),
      m_Shell(services.launcher),
      m_Settings(settings),
      m_End(end),
      m_Logic(std::move(services), *this) {}

frmRovandel2::~frmRovandel2() = default;

void frmRovandel2::Build() {
    if (IsOpen()) return;
    m_Loaded = false;
    m_ilBH = ui::ImageList();
    m_ilBH.Add("off", CreateStatusPicture(false));
    m_ilBH.Add("on", CreateStatusPicture(true));
    m_StartPicture = ui::ImageList();
    m_StartPicture.Add("start", CreateStartPicture());
    Create({.caption = std::string(texts::kRovandelTitle),
            .style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
            .innerWidth = c::kInnerWidth,
            .innerHeight = c::kInnerHeight,
            .center = false,
            .icon = ui::ProgramIcon()});
}

void frmRovandel2::Open(int show) {
    if (IsOpen() && m_Loaded) return;
    Build();
    m_Logic.Form_Load();
    m_Loaded = true;
    Show(show);
}

void frmRovandel2::OnCreate() {
    AddControls(c::All());
    auto& banner = At<ui::PictureBox>(c::imBanner);
    banner.onPaint = [](HDC dc, const RECT& rc) { PaintRovandelBanner(dc, rc); };
    At<ui::Button>(c::cmdInfo).SetPicture(CreateInfoPicture());
    At<ui::StatusBar>(c::StatusBar).SetPanelIcon(ui::kStatusPanel, m_StartPicture.Icon("start"));

    clRovandel2& l = m_Logic;
    banner.onClick = [&l] { l.imBanner_Click(); };
    At<ui::Button>(c::cmdAktuellerDatensatzStart).onClick = [&l] { l.cmdAktuellerDatensatzStart_Click(); };
    At<ui::Button>(c::cmdPersoenlicherDatensatzStart).onClick = [&l] { l.cmdPersoenlicherDatensatzStart_Click(); };
    At<ui::Button>(c::cmdAktuellerDatensatzZiel).onClick = [&l] { l.cmdAktuellerDatensatzZiel_Click(); };
    At<ui::Button>(c::cmdPersoenlicherDatensatzZiel).onClick = [&l] { l.cmdPersoenlicherDatensatzZiel_Click(); };
    At<ui::Button>(c::cmdInfo).onClick = [&l] { l.cmdInfo_Click(); };
    At<ui::Button>(c::cmdEinstellungen).onClick = [&l] { l.cmdEinstellungen_Click(); };
    At<ui::Button>(c::cmdBrowse).onClick = [&l] { l.cmdBrowse_Click(); };
}

bool frmRovandel2::OnEscape() {
    m_Logic.Form_KeyPress(27);
    return true;
}

bool frmRovandel2::OnClose() {
    if (!m_Logic.Form_QueryUnload()) return false;
    m_Logic.Form_Unload();
    return true;
}

// --- IRovandel2Window -----------------------------------------------------------

void frmRovandel2::SetStatusPicture(int number) {
    At<ui::StatusBar>(c::StatusBar).SetPanelIcon(ui::kStatusPanel, m_ilBH.Icon(number));
}

void frmRovandel2::SetStatusPicture(std::string_view key) {
    At<ui::StatusBar>(c::StatusBar).SetPanelIcon(ui::kStatusPanel, m_ilBH.Icon(key));
}

void frmRovandel2::EndProgram() { m_End.EndNow(); }

// The About window with Rovandel2's art and texts, its version from this
// program's own version resource.
void frmRovandel2::ShowInfo() {
    frmInfo info(Rovandel2InfoContent(), {m_Shell, m_Logic.Boxes(), LinkOpening::Quietly});
    info.ShowModal(hwnd());
}

void frmRovandel2::ShowSettings() {
    frmEinstellungen settings(m_Settings);
    settings.Edit(hwnd());
}

void frmRovandel2::Signal() { MessageBeep(MB_ICONWARNING); }
