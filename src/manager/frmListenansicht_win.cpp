#include "manager/frmListenansicht_win.h"

#include <algorithm>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/frmInfo_win.h"
#include "manager/Banner_win.h"
#include "manager/TessivarArt_win.h"
#include "manager/frmBearbeiten_win.h"
#include "manager/frmPfade_win.h"
#include "manager/frmSchaltflaechen_win.h"
#include "manager/frmSicherungen_win.h"
#include "manager/modListviewSort_win.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/StatusBar_win.h"

namespace c = ListenansichtControls;

namespace {

constexpr int kInfoPictureSide = 17;  // pixels at 96 DPI

}  // namespace

frmListenansicht::frmListenansicht(Services services)
    : ui::FormWindow(kClassName), m_Logic(services, *this), m_Services(services) {}

frmListenansicht::~frmListenansicht() = default;

void frmListenansicht::Open(int show) {
    if (IsOpen()) return;
    Create({.caption = std::string(texts::kTessivarTitle),
            .style = WS_OVERLAPPEDWINDOW,
            .exStyle = WS_EX_ACCEPTFILES,
            .innerWidth = c::kInnerWidth,
            .innerHeight = c::kInnerHeight,
            .icon = ui::ProgramIcon()});
    Show(show);
    Focus(c::lvCommands);
    // Seen at once, empty, and filled as the table is read.
    UpdateWindow(hwnd());
    m_Logic.Form_Load();
}

void frmListenansicht::OnCreate() {
    AddControls(c::All());
    At<ui::PictureBox>(c::imBanner).ShowStretched(CreateTessivarBanner());
    At<ui::Button>(c::cmdSpeichern).onClick = [this] { m_Logic.cmdSpeichern_Click(); };
    At<ui::Button>(c::cmdLaden).onClick = [this] { m_Logic.cmdLaden_Click(); };
    At<ui::Button>(c::cmdToolbars).onClick = [this] { m_Logic.cmdToolbars_Click(); };
    At<ui::Button>(c::cmdInfo).onClick = [this] { m_Logic.cmdInfo_Click(); };
    At<ui::Button>(c::cmdWiederherstellen).onClick = [this] { m_Logic.cmdWiederherstellen_Click(); };
    At<ui::Button>(c::cmdBearbeiten).onClick = [this] { m_Logic.cmdBearbeiten_Click(); };
    At<ui::Button>(c::cmdPfade).onClick = [this] { m_Logic.cmdPfade_Click(); };
    At<ui::Button>(c::cmdSchaltflaechen).onClick = [this] { m_Logic.cmdSchaltflaechen_Click(); };
    auto& list = At<ui::ListView>(c::lvCommands);
    // Several commands' paths are mended at once.
    list.AllowSeveralSelected();
    list.onItemClick = [this](int row) { m_Logic.lvCommands_ItemClick(row); };
    list.onKeyUp = [this](UINT key) { m_Logic.lvCommands_KeyUp(static_cast<int>(key)); };
    list.onColumnClick = [this](int column) { m_Logic.lvCommands_ColumnClick(column); };
    list.onActivate = [this](int row) { m_Logic.lvCommands_DblClick(row); };
}

// Sized as modListviewSort sizes a list: the first column with room for small icons, should the list show any.
void frmListenansicht::SizeColumns(ui::ListView& view) { modListviewSort::AutoSizeColumns(view); }

// The Info button's picture is drawn for the window's DPI.
void frmListenansicht::OnLayout() {
    ui::FormWindow::OnLayout();
    if (auto* info = dynamic_cast<ui::Button*>(FindById(c::cmdInfo.id))) {
        info->SetPicture(DrawInfoButtonPicture(Px(kInfoPictureSide * ui::kTwipsPerPixelAt96Dpi)));
    }
    ResizeList();
}

// The list fills the window between the buttons and the status bar.
void frmListenansicht::ResizeList() {
    auto* list = dynamic_cast<ui::ListView*>(FindById(c::lvCommands.id));
    auto* bar = dynamic_cast<ui::StatusBar*>(FindById(c::StatusBar.id));
    if (list == nullptr || bar == nullptr) return;
    const SIZE client = ClientSize();
    const int top = Px(c::kListTop);
    const int height = std::max(0, static_cast<int>(client.cy) - top - bar->PixelHeight());
    list->SetPlace({0, c::kListTop, Twips(client.cx), Twips(height)});
    MoveWindow(list->hwnd(), 0, top, client.cx, height, TRUE);
}

// Narrower or lower than the least size, the window snaps back to it; the
// size change this makes comes here again and goes on to the next step.
void frmListenansicht::OnSize(UINT kind, int, int) {
    if (kind == SIZE_MINIMIZED) return;
    if (auto* bar = dynamic_cast<ui::StatusBar*>(FindById(c::StatusBar.id))) {
        bar->Layout(Dpi());  // docks itself at the new bottom
    }
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width < Px(c::kMinOuterWidth)) {
        SetWindowPos(hwnd(), nullptr, 0, 0, Px(c::kMinOuterWidth), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (height < Px(c::kMinOuterHeight)) {
        SetWindowPos(hwnd(), nullptr, 0, 0, width, Px(c::kMinOuterHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    ResizeList();
}

LRESULT frmListenansicht::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETMINMAXINFO: {
            // Dragging stops at the least size instead of snapping back.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {Px(c::kMinOuterWidth), Px(c::kMinOuterHeight)};
            return 0;
        }
        case WM_ACTIVATE:
            // Back to the control that had the focus, as in a dialog.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focus = GetFocus();
                if (focus != nullptr && IsChild(hwnd(), focus)) m_FocusBeforeDeactivation = focus;
            } else if (m_FocusBeforeDeactivation != nullptr && IsWindow(m_FocusBeforeDeactivation) &&
                       IsWindowEnabled(m_FocusBeforeDeactivation)) {
                SetFocus(m_FocusBeforeDeactivation);
                return 0;
            }
            break;
        default: break;
    }
    return Default(msg, wParam, lParam);
}

void frmListenansicht::OnDropFiles(const std::vector<std::string>& paths) { m_Logic.Form_DragDrop(paths); }

void frmListenansicht::OnError() { m_Logic.ShowError(CurrentError()); }

void frmListenansicht::ShowInfo(platform::IMessageBoxes& boxes, platform::IShell& shell) {
    frmInfo info(TessivarInfoContent(), {shell, boxes, LinkOpening::ThroughLauncher});
    info.ShowModal(hwnd());
}

std::optional<std::string> frmListenansicht::ChooseBackup(std::vector<modBackup::Entry> entries,
                                                          clSicherungen::Differences differences) {
    frmSicherungen choice(std::move(entries), std::move(differences));
    return choice.Choose(hwnd());
}

std::optional<modEditCommand::Edit> frmListenansicht::EditCommand(const clCustomTessivar& command,
                                                                  const clBearbeiten::NameTaken& nameTaken) {
    const CommandServices& commands = m_Services.commands;
    frmBearbeiten editor(
        {commands.registry.text, commands.registry.boxes, m_Services.dialogs, commands.graphics, m_Images}, command,
        nameTaken);
    return editor.Edit(hwnd());
}

std::optional<std::vector<modListActions::PathChange>> frmListenansicht::ConfirmPaths(
    clPfade::Services services, std::vector<clPfade::Command> commands, std::string folder) {
    frmPfade window(services, std::move(commands), std::move(folder));
    return window.Confirm(hwnd());
}

std::optional<clSchaltflaechen::Toolbars> frmListenansicht::PlaceButtons(std::int32_t commandId, std::string name,
                                                                         clSchaltflaechen::Toolbars toolbars) {
    frmSchaltflaechen window(commandId, std::move(name), std::move(toolbars));
    return window.Place(hwnd());
}
