#include "routeplanner/frmRovandel2_win.h"

#include "base/UiTexts.h"
#include "common/frmInfo_win.h"
#include "routeplanner/Rovandel2Art_win.h"
#include "ui/Buttons_win.h"
#include "ui/ComboList_win.h"
#include "ui/Edit_win.h"
#include "ui/Label_win.h"
#include "ui/PictureBox_win.h"
#include "ui/ProgressBar_win.h"
#include "ui/StatusBar_win.h"
#include "ui/ToolTips_win.h"

namespace c = Rovandel2Controls;
using K = Rovandel2Controls::Kind;

namespace {

ui::Place PlaceOf(const c::Entry& entry) { return {entry.left, entry.top, entry.width, entry.height}; }

}  // namespace

frmRovandel2::frmRovandel2(clRovandel2::Services services)
    : ui::Window(std::wstring(c::kClassName)), m_Shell(services.launcher), m_Logic(std::move(services), *this) {}

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
    for (const c::Entry& entry : c::All()) AddControl(entry);
}

std::function<void()> frmRovandel2::ClickOf(std::string_view name) {
    clRovandel2& l = m_Logic;
    if (name == c::cmdAktuellerDatensatzStart) return [&l] { l.cmdAktuellerDatensatzStart_Click(); };
    if (name == c::cmdPersoenlicherDatensatzStart) return [&l] { l.cmdPersoenlicherDatensatzStart_Click(); };
    if (name == c::cmdAktuellerDatensatzZiel) return [&l] { l.cmdAktuellerDatensatzZiel_Click(); };
    if (name == c::cmdPersoenlicherDatensatzZiel) return [&l] { l.cmdPersoenlicherDatensatzZiel_Click(); };
    if (name == c::cmdBrowse) return [&l] { l.cmdBrowse_Click(); };
    if (name == c::cmdInfo) return [&l] { l.cmdInfo_Click(); };
    if (name == c::imBanner) return [&l] { l.imBanner_Click(); };
    return {};
}

void frmRovandel2::AddControl(const c::Entry& entry) {
    const std::string name(entry.name);
    const ui::Place place = PlaceOf(entry);
    const int id = entry.id != 0 ? entry.id : NextControlId();
    ui::Control* added = nullptr;
    switch (entry.kind) {
        case K::Frame: added = &AddWithId<ui::Frame>(id, name, place, entry.caption); break;
        case K::Label: added = &AddWithId<ui::Label>(id, name, place, entry.caption); break;
        case K::TextBox: added = &AddWithId<ui::Edit>(id, name, place, entry.caption); break;
        case K::List: added = &AddWithId<ui::ComboList>(id, name, place); break;
        case K::Button:
        case K::PictureButton: {
            auto& button = AddWithId<ui::Button>(id, name, place, entry.caption);
            button.onClick = ClickOf(entry.name);
            if (entry.kind == K::PictureButton) button.SetPicture(CreateInfoPicture());
            if (entry.name == c::cmdBrowse) {
                button.SetDefault(true);
                Tips().Set(button, std::string(texts::kRovBrowseTip) + std::string(texts::kRoutePlannerHost));
            }
            if (entry.name == c::cmdInfo) Tips().Set(button, texts::kRovInfoTip);
            added = &button;
            break;
        }
        case K::Option:
            added = &AddWithId<ui::OptionButton>(id, name, place, entry.caption, entry.firstOfGroup, entry.selected);
            break;
        case K::Check: added = &AddWithId<ui::CheckBox>(id, name, place, entry.caption); break;
        case K::Picture: {
            auto& picture = AddWithId<ui::PictureBox>(id, name, place);
            picture.onPaint = [](HDC dc, const RECT& rc) { PaintRovandelBanner(dc, rc); };
            picture.onClick = ClickOf(entry.name);
            added = &picture;
            break;
        }
        case K::Progress: added = &AddWithId<ui::ProgressBar>(id, name, place, 0, 100); break;
        case K::Status: {
            auto& bar = AddWithId<ui::StatusBar>(id, name, c::kStatusBarHeight);
            bar.AddPanel(std::string(c::kStatusPanel));
            bar.SetPanelIcon(c::kStatusPanel, m_StartPicture.Icon("start"));
            added = &bar;
            break;
        }
    }
    if (added != nullptr && !entry.tag.empty()) added->SetTag(std::string(entry.tag));
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

// --- IRovandel2Form -----------------------------------------------------------

std::vector<std::string> frmRovandel2::ControlNames() const {
    std::vector<std::string> names;
    for (const auto& control : Controls()) names.push_back(control->Name());
    return names;
}

std::string frmRovandel2::Tag(std::string_view name) const { return Get<ui::Control>(name).Tag(); }
std::string frmRovandel2::Text(std::string_view name) const { return Get<ui::Control>(name).Text(); }
void frmRovandel2::SetText(std::string_view name, std::string_view text) { Get<ui::Control>(name).SetText(text); }
bool frmRovandel2::Enabled(std::string_view name) const { return Get<ui::Control>(name).Enabled(); }
void frmRovandel2::SetEnabled(std::string_view name, bool enabled) { Get<ui::Control>(name).SetEnabled(enabled); }
void frmRovandel2::AddItem(std::string_view name, std::string_view text) { Get<ui::ComboList>(name).AddItem(text); }
int frmRovandel2::ListCount(std::string_view name) const { return Get<ui::ComboList>(name).Count(); }
std::string frmRovandel2::ItemText(std::string_view name, int index) const {
    return Get<ui::ComboList>(name).ItemText(index);
}
int frmRovandel2::ListIndex(std::string_view name) const { return Get<ui::ComboList>(name).ListIndex(); }
void frmRovandel2::SetListIndex(std::string_view name, int index) { Get<ui::ComboList>(name).SetListIndex(index); }
bool frmRovandel2::Checked(std::string_view name) const { return Get<ui::ToggleButton>(name).Checked(); }
void frmRovandel2::SetChecked(std::string_view name, bool checked) { Get<ui::ToggleButton>(name).SetChecked(checked); }
std::string frmRovandel2::Caption() const { return ui::Window::Caption(); }
platform::WindowHandle frmRovandel2::Handle() const { return reinterpret_cast<platform::WindowHandle>(hwnd()); }
void frmRovandel2::SetHourglass(bool hourglass) {
    SetPointer(hourglass ? ui::Pointer::Hourglass : ui::Pointer::Default);
}
void frmRovandel2::SetStatusText(std::string_view text) {
    Get<ui::StatusBar>(c::StatusBar).SetPanelText(c::kStatusPanel, text);
}
std::string frmRovandel2::StatusText() const { return Get<ui::StatusBar>(c::StatusBar).PanelText(c::kStatusPanel); }
void frmRovandel2::SetStatusPicture(int index) {
    Get<ui::StatusBar>(c::StatusBar).SetPanelIcon(c::kStatusPanel, m_ilBH.Icon(index));
}
void frmRovandel2::SetStatusPicture(std::string_view key) {
    Get<ui::StatusBar>(c::StatusBar).SetPanelIcon(c::kStatusPanel, m_ilBH.Icon(key));
}
void frmRovandel2::SetProgress(int value) { Get<ui::ProgressBar>(c::ProgressBar).SetValue(value); }
int frmRovandel2::Progress() const { return Get<ui::ProgressBar>(c::ProgressBar).Value(); }
void frmRovandel2::CloseWindow() { Close(); }

void frmRovandel2::EndProgram() {
    if (onEnd) {
        onEnd();
        return;
    }
    ExitProcess(0);
}

// The About window with Rovandel2's art and texts, its version from this
// program's own version resource.
void frmRovandel2::ShowInfo() {
    frmInfo info(Rovandel2InfoContent(m_Shell));
    info.ShowModal(hwnd());
}

void frmRovandel2::Signal() { MessageBeep(MB_ICONWARNING); }
