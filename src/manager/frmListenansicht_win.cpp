#include "manager/frmListenansicht_win.h"

#include <algorithm>
#include <charconv>

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/clFileDialog.h"
#include "common/frmInfo_win.h"
#include "common/modMessages.h"
#include "manager/Banner_win.h"
#include "manager/TessivarArt_win.h"
#include "manager/frmSicherungen_win.h"
#include "manager/modListviewSort_win.h"
#include "toolbars/clACTToolbars.h"
#include "ui/Buttons_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/StatusBar_win.h"
#include "ui/ToolTips_win.h"

namespace {

constexpr ui::Place kBanner{120, 120, 2295, 375};
constexpr ui::Place kPicture1{2520, 120, 420, 420};
constexpr ui::Place kPicture2{3000, 120, 300, 300};
constexpr ui::Place kSpeichern{3360, 120, 975, 375};
constexpr ui::Place kLaden{4440, 120, 1095, 375};
constexpr ui::Place kToolbars{5640, 120, 1095, 375};
constexpr ui::Place kInfo{6840, 120, 495, 375};
constexpr ui::Place kWiederherstellen{7440, 120, 1695, 375};
constexpr int kStatusHeight = 20;  // pixels at 96 DPI: 300 twips
constexpr int kInfoPictureSide = 17;
constexpr std::string_view kStatusPanel = "Status";

std::string Decimal(std::int32_t n) { return std::to_string(n); }

bool IsCommandFile(platform::ITextCodec& text, const std::string& path) {
    const std::string lower = text.ToLower(path);
    return lower.size() > 4 && lower.ends_with(".cmd");
}

}  // namespace

frmListenansicht::frmListenansicht(Services services)
    : ui::Window(kClassName),
      m_Commands(services.commands),
      m_Dialogs(services.dialogs),
      m_Shell(services.shell),
      m_Locks(services.locks),
      m_Backups(services.backups) {
    showInfo = [this](HWND owner) {
        frmInfo info(TessivarInfoContent(m_Commands.registry.boxes, m_Shell));
        info.ShowModal(owner);
    };
    chooseBackup = [](HWND owner, std::vector<modBackup::Entry> entries) {
        frmSicherungen choice(std::move(entries));
        return choice.Choose(owner);
    };
}

frmListenansicht::~frmListenansicht() = default;

void frmListenansicht::Open(int show) {
    if (IsOpen()) return;
    Create({.caption = std::string(texts::kTessivarTitle),
            .style = WS_OVERLAPPEDWINDOW,
            .exStyle = WS_EX_ACCEPTFILES,
            .innerWidth = kInnerWidth,
            .innerHeight = kInnerHeight,
            .icon = ui::ProgramIcon()});
    Show(show);
    m_lvCommands->Focus();
}

void frmListenansicht::OnCreate() {
    m_imBanner = &AddWithId<ui::PictureBox>(kBannerId, "imBanner", kBanner);
    m_imBanner->ShowStretched(CreateTessivarBanner());
    m_Picture1 = &AddWithId<ui::PictureBox>(kPicture1Id, "Picture1", kPicture1, true);
    m_Picture2 = &AddWithId<ui::PictureBox>(kPicture2Id, "Picture2", kPicture2, true);
    m_cmdSpeichern = &AddWithId<ui::Button>(kSpeichernId, "cmdSpeichern", kSpeichern, texts::kSaveButton);
    m_cmdLaden = &AddWithId<ui::Button>(kLadenId, "cmdLaden", kLaden, texts::kLoadButton);
    m_cmdToolbars = &AddWithId<ui::Button>(kToolbarsId, "cmdToolbars", kToolbars, texts::kToolbarsButton);
    m_cmdInfo = &AddWithId<ui::Button>(kInfoId, "cmdInfo", kInfo, texts::kInfoButton);
    m_cmdWiederherstellen =
        &AddWithId<ui::Button>(kWiederherstellenId, "cmdWiederherstellen", kWiederherstellen, texts::kRestoreButton);
    Tips().Set(*m_cmdInfo, texts::kInfoButtonTip);  // its picture comes with the layout that follows
    m_lvCommands = &AddWithId<ui::ListView>(kListId, "lvCommands", ui::Place{0, kListTop, kInnerWidth, 2670});
    m_StatusBar = &AddWithId<ui::StatusBar>(kStatusId, "StatusBar", kStatusHeight);
    m_StatusBar->AddPanel(std::string(kStatusPanel));

    m_cmdSpeichern->onClick = [this] { cmdSpeichern_Click(); };
    m_cmdLaden->onClick = [this] { cmdLaden_Click(); };
    m_cmdToolbars->onClick = [this] { cmdToolbars_Click(); };
    m_cmdInfo->onClick = [this] { cmdInfo_Click(); };
    m_cmdWiederherstellen->onClick = [this] { cmdWiederherstellen_Click(); };
    m_lvCommands->onItemClick = [this](int row) { lvCommands_ItemClick(row); };
    m_lvCommands->onKeyUp = [this](UINT key) { lvCommands_KeyUp(key); };
    m_lvCommands->onColumnClick = [this](int column) { lvCommands_ColumnClick(column); };

    // Form load: the table, read once, and the command view.
    if (!m_Table) m_Table = std::make_unique<clCustomTessivars>(m_Commands);
    m_SortColumn.reset();
    ShowCommands();
}

void frmListenansicht::MakeInfoPicture() {
    m_cmdInfo->SetPicture(DrawInfoButtonPicture(Px(kInfoPictureSide * ui::kTwipsPerPixelAt96Dpi)));
}

void frmListenansicht::OnLayout() {
    ui::Window::OnLayout();
    if (m_cmdInfo != nullptr) MakeInfoPicture();
    ResizeList();
}

// The list fills the window between the buttons and the status bar.
void frmListenansicht::ResizeList() {
    if (m_lvCommands == nullptr || m_StatusBar == nullptr) return;
    const SIZE client = ClientSize();
    const int top = Px(kListTop);
    const int height = std::max(0, static_cast<int>(client.cy) - top - m_StatusBar->PixelHeight());
    m_lvCommands->SetPlace({0, kListTop, Twips(client.cx), Twips(height)});
    MoveWindow(m_lvCommands->hwnd(), 0, top, client.cx, height, TRUE);
}

// Narrower or lower than the least size, the window snaps back to it; the
// size change this makes comes here again and goes on to the next step.
void frmListenansicht::OnSize(UINT kind, int, int) {
    if (kind == SIZE_MINIMIZED) return;
    if (m_StatusBar != nullptr) m_StatusBar->Layout(Dpi());  // docks itself at the new bottom
    RECT frame{};
    GetWindowRect(hwnd(), &frame);
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    if (width < Px(kMinOuterWidth)) {
        SetWindowPos(hwnd(), nullptr, 0, 0, Px(kMinOuterWidth), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    if (height < Px(kMinOuterHeight)) {
        SetWindowPos(hwnd(), nullptr, 0, 0, width, Px(kMinOuterHeight), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    ResizeList();
}

LRESULT frmListenansicht::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_GETMINMAXINFO: {
            // Dragging stops at the least size instead of snapping back.
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {Px(kMinOuterWidth), Px(kMinOuterHeight)};
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

void frmListenansicht::OnError() {
    modMessages::MsgBox(m_Commands.registry.boxes, errortext::Brief(CurrentError()), platform::MsgIcon::Exclamation);
}

bool frmListenansicht::InCommandView() const { return m_cmdToolbars->Text() == texts::kToolbarsButton; }

void frmListenansicht::ShowCommands() {
    ui::ListView& list = *m_lvCommands;
    list.BeginUpdate();
    list.ClearColumns();
    for (std::string_view header : {texts::kColumnNr, texts::kColumnName, texts::kColumnZeile, texts::kColumnStart,
                                    texts::kColumnBeschreibung, texts::kColumnQuickInfo, texts::kColumnMenu}) {
        list.AddColumn(header);
    }
    const auto handler = std::exchange(list.onItemClick, nullptr);  // no pictures painted while filling
    list.ClearRows();
    for (auto& command : *m_Table) AddCommandItem(*command);
    list.onItemClick = handler;
    // Sized while the list draws nothing: each width set otherwise redraws
    // the list and its header.
    modListviewSort::AutoSizeColumns(list);
    list.EndUpdate();
    m_StatusBar->SetPanelText(kStatusPanel, Decimal(m_Table->Count()) + std::string(texts::kStatusCommands));
    FillDone();
}

void frmListenansicht::AddCommandItem(clCustomTessivar& command) {
    ui::ListView& list = *m_lvCommands;
    const int row = list.AddRow(Decimal(command.RegistryIndex()));
    list.SetCell(row, 1, command.Name());
    list.SetCell(row, 2, command.Zeile());
    list.SetCell(row, 3, command.Start());
    list.SetCell(row, 4, command.Beschreibung());
    list.SetCell(row, 5, command.QuickInfo());
    list.SetCell(row, 6, command.Menu());
}

void frmListenansicht::ShowToolbars() {
    ui::ListView& list = *m_lvCommands;
    list.BeginUpdate();
    list.ClearColumns();
    list.AddColumn(texts::kColumnNr);
    list.AddColumn(texts::kColumnName);
    const auto handler = std::exchange(list.onItemClick, nullptr);
    list.ClearRows();
    clACTToolbars toolbars(m_Commands.registry);
    for (const clACTToolbar& toolbar : toolbars) AddToolbarItem(toolbar);
    list.onItemClick = handler;
    modListviewSort::AutoSizeColumns(list);
    list.EndUpdate();
    m_StatusBar->SetPanelText(kStatusPanel, Decimal(toolbars.Count()) + std::string(texts::kStatusToolbars));
    FillDone();
}

void frmListenansicht::AddToolbarItem(const clACTToolbar& toolbar) {
    const int row = m_lvCommands->AddRow(Decimal(toolbar.RegistryIndex()));
    m_lvCommands->SetCell(row, 1, toolbar.WindowName());
}

// After every fill: the order the user chose, and the first row selected
// (in the command view with its pictures shown).
void frmListenansicht::FillDone() {
    ui::ListView& list = *m_lvCommands;
    if (m_SortColumn && *m_SortColumn < list.ColumnCount()) {
        modListviewSort::SortByColumn(list, *m_SortColumn, m_SortAscending, m_Commands.registry.text);
    }
    ClearPictures();
    if (list.RowCount() > 0) list.SelectRow(0);
}

void frmListenansicht::ClearPictures() {
    for (ui::PictureBox* picture : {m_Picture1, m_Picture2}) {
        picture->ClearSurface(GetSysColor(COLOR_BTNFACE));
        picture->Refresh();
    }
}

std::optional<std::int32_t> frmListenansicht::RowNumber(int row) const {
    if (row < 0 || row >= m_lvCommands->RowCount()) return std::nullopt;
    const std::string text = m_lvCommands->Cell(row, 0);
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return number;
}

bool frmListenansicht::HoldsCommand(std::int32_t number) const {
    return number >= 0 && number < std::distance(m_Table->begin(), m_Table->end());
}

std::optional<std::int32_t> frmListenansicht::SelectedNumber() const {
    if (!InCommandView()) return std::nullopt;
    const std::optional<std::int32_t> number = RowNumber(m_lvCommands->SelectedRow());
    return number && HoldsCommand(*number) ? number : std::nullopt;
}

void frmListenansicht::cmdToolbars_Click() {
    const std::string caption = m_cmdToolbars->Text();
    if (caption == texts::kToolbarsButton) {
        m_cmdToolbars->SetText(texts::kCommandsButton);
        m_SortColumn.reset();
        ShowToolbars();
        m_cmdSpeichern->SetEnabled(false);
        m_cmdLaden->SetEnabled(false);
    } else if (caption == texts::kCommandsButton) {
        m_cmdToolbars->SetText(texts::kToolbarsButton);
        m_SortColumn.reset();
        ShowCommands();
        m_cmdSpeichern->SetEnabled(true);
        m_cmdLaden->SetEnabled(true);
    }
}

void frmListenansicht::cmdLaden_Click() {
    clFileDialog dialog(m_Commands.registry.boxes, m_Dialogs);
    dialog.DialogTitle(texts::kLoadDialogTitle);
    dialog.Filter(texts::kCommandFileFilter);
    dialog.hWndParent(reinterpret_cast<platform::WindowHandle>(hwnd()));
    if (!dialog.Show(true)) return;
    LoadFile(dialog.FileName());
}

void frmListenansicht::LoadFile(const std::string& path) {
    const modListActions::LoadResult loaded = modListActions::LoadCommand(Actions(), *m_Table, path);
    if (loaded.outcome == modListActions::Outcome::Stale || loaded.outcome == modListActions::Outcome::Undone) {
        ReadTableAgain();
        return;
    }
    if (loaded.command == nullptr) return;
    clCustomTessivar& command = *loaded.command;
    AddCommandItem(command);
    m_lvCommands->SelectRow(m_lvCommands->RowCount() - 1);

    std::string question(texts::kInstallQuestion1);
    question += command.Name();
    question += texts::kInstallQuestion2;
    if (modMessages::MsgBox(m_Commands.registry.boxes, question, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) == platform::MsgAnswer::Yes) {
        modListActions::AddToContactToolbar(Actions(), command.CommandID());
    }
}

void frmListenansicht::ReadTableAgain() {
    m_Table = std::make_unique<clCustomTessivars>(m_Commands);
    ShowCommands();
}

void frmListenansicht::cmdSpeichern_Click() {
    const std::optional<std::int32_t> number = SelectedNumber();
    if (!number) return;
    clCustomTessivar& command = m_Table->Item(*number);
    if (!modListActions::CanSave(m_Commands.registry.boxes, command)) return;
    clFileDialog dialog(m_Commands.registry.boxes, m_Dialogs);
    dialog.DialogTitle(texts::kSaveDialogTitle);
    dialog.Filter(texts::kCommandFileFilter);
    dialog.hWndParent(reinterpret_cast<platform::WindowHandle>(hwnd()));
    if (!dialog.Show(false)) return;
    // Save reports its own failures.
    command.Save(dialog.FileName());
}

void frmListenansicht::cmdInfo_Click() {
    if (showInfo) showInfo(hwnd());
}

// Whatever the outcome, both views show the configuration as it is now.
void frmListenansicht::cmdWiederherstellen_Click() {
    std::vector<modBackup::Entry> entries = modBackup::List(m_Backups);
    if (entries.empty()) {
        modMessages::MsgBox(m_Commands.registry.boxes, texts::kRestoreNoBackup, platform::MsgIcon::Information);
        return;
    }
    const std::optional<std::string> chosen = chooseBackup ? chooseBackup(hwnd(), std::move(entries)) : std::nullopt;
    if (!chosen) return;
    const modListActions::Outcome outcome = modListActions::RestoreBackup(Actions(), *chosen);
    m_Table = std::make_unique<clCustomTessivars>(m_Commands);
    if (InCommandView()) {
        ShowCommands();
    } else {
        ShowToolbars();
    }
    if (outcome == modListActions::Outcome::Done) {
        modMessages::MsgBox(m_Commands.registry.boxes, modBackup::RestoreDone(*chosen), platform::MsgIcon::Information);
    }
}

void frmListenansicht::lvCommands_ItemClick(int row) {
    if (!InCommandView()) return;
    const std::optional<std::int32_t> number = RowNumber(row);
    if (!number || !HoldsCommand(*number)) return;
    clCustomTessivar& command = m_Table->Item(*number);
    ClearPictures();
    command.Paint_LBitmap(reinterpret_cast<platform::DeviceContext>(m_Picture1->Surface()));
    command.Paint_SBitmap(reinterpret_cast<platform::DeviceContext>(m_Picture2->Surface()));
    m_Picture1->Refresh();
    m_Picture2->Refresh();
}

void frmListenansicht::lvCommands_KeyUp(UINT key) {
    if (key != VK_DELETE) return;
    const std::optional<std::int32_t> number = SelectedNumber();
    if (!number) return;
    if (modMessages::MsgBox(m_Commands.registry.boxes, texts::kDeleteQuestion, platform::MsgIcon::Question,
                            platform::MsgButtons::YesNo) != platform::MsgAnswer::Yes) {
        return;
    }
    const modListActions::Outcome outcome = modListActions::DeleteCommand(Actions(), *m_Table, *number);
    if (outcome == modListActions::Outcome::Stale || outcome == modListActions::Outcome::Undone) {
        ReadTableAgain();
        return;
    }
    // Filled again: the commands behind the deleted one have new numbers.
    if (outcome == modListActions::Outcome::Done) ShowCommands();
}

void frmListenansicht::lvCommands_ColumnClick(int column) {
    m_SortAscending = m_SortColumn == column ? !m_SortAscending : true;
    m_SortColumn = column;
    modListviewSort::SortByColumn(*m_lvCommands, column, m_SortAscending, m_Commands.registry.text);
}

void frmListenansicht::OnDropFiles(const std::vector<std::string>& paths) {
    if (!InCommandView()) return;
    // One file at a time, each with its own question.
    for (const std::string& path : paths) {
        if (IsCommandFile(m_Commands.registry.text, path)) LoadFile(path);
    }
}
