#include "manager/clListenansicht.h"

#include <array>
#include <charconv>
#include <iterator>
#include <utility>

#include "base/AppError.h"
#include "base/ErrorText.h"
#include "base/UiTexts.h"
#include "common/clFileDialog.h"
#include "common/modMessages.h"
#include "manager/ListenansichtControls.h"
#include "manager/modListviewSort.h"
#include "toolbars/clACTToolbars.h"

namespace c = ListenansichtControls;

namespace {

constexpr int kDeleteKey = 46;

std::string Decimal(std::int32_t n) { return std::to_string(n); }

// The command view's columns, in their order: the header and what a
// command's row shows there. The first is the command's position, which
// every operation on a row reads back.
struct CommandColumn {
    std::string_view header;
    std::string (*cell)(const clCustomTessivar& command);
};
constexpr CommandColumn kCommandColumns[] = {
    {texts::kColumnNr, [](const clCustomTessivar& command) { return Decimal(command.RegistryIndex()); }},
    {texts::kColumnName, [](const clCustomTessivar& command) { return command.Name(); }},
    {texts::kColumnZeile, [](const clCustomTessivar& command) { return command.Zeile(); }},
    {texts::kColumnStart, [](const clCustomTessivar& command) { return command.Start(); }},
    {texts::kColumnBeschreibung, [](const clCustomTessivar& command) { return command.Beschreibung(); }},
    {texts::kColumnQuickInfo, [](const clCustomTessivar& command) { return command.QuickInfo(); }},
    {texts::kColumnMenu, [](const clCustomTessivar& command) { return command.Menu(); }},
};
constexpr auto kCommandHeaders = [] {
    std::array<std::string_view, std::size(kCommandColumns)> headers{};
    for (std::size_t c = 0; c < headers.size(); ++c) headers[c] = kCommandColumns[c].header;
    return headers;
}();
constexpr std::string_view kToolbarHeaders[] = {texts::kColumnNr, texts::kColumnName};

bool IsCommandFile(platform::ITextCodec& text, const std::string& path) {
    const std::string lower = text.ToLower(path);
    return lower.size() > 4 && lower.ends_with(".cmd");
}

}  // namespace

clListenansicht::clListenansicht(Services services, IListenansichtWindow& window)
    : m_Window(window), m_Services(services) {}

clListenansicht::~clListenansicht() = default;

platform::IMessageBoxes& clListenansicht::Boxes() const { return m_Services.commands.registry.boxes; }

void clListenansicht::Form_Load() {
    if (!m_Table) m_Table = std::make_unique<clCustomTessivars>(m_Services.commands);
    m_SortColumn.reset();
    ShowCommands();
}

bool clListenansicht::InCommandView() const { return m_Window.Text(c::cmdToolbars) == texts::kToolbarsButton; }

void clListenansicht::ShowCommands() {
    m_Rows.clear();
    for (auto& command : *m_Table) AddCommandItem(*command);
    Fill(kCommandHeaders);
    m_Window.SetStatusText(c::StatusBar, Decimal(m_Table->Count()) + std::string(texts::kStatusCommands));
    FillDone();
}

void clListenansicht::AddCommandItem(clCustomTessivar& command) {
    Row row;
    row.reserve(std::size(kCommandColumns));
    for (const CommandColumn& column : kCommandColumns) row.push_back(column.cell(command));
    m_Rows.push_back(std::move(row));
}

void clListenansicht::ShowToolbars() {
    m_Rows.clear();
    clACTToolbars toolbars(m_Services.commands.registry);
    for (const clACTToolbar& toolbar : toolbars) AddToolbarItem(toolbar);
    Fill(kToolbarHeaders);
    m_Window.SetStatusText(c::StatusBar, Decimal(toolbars.Count()) + std::string(texts::kStatusToolbars));
    FillDone();
}

void clListenansicht::AddToolbarItem(const clACTToolbar& toolbar) {
    m_Rows.push_back({Decimal(toolbar.RegistryIndex()), toolbar.WindowName()});
}

// The rows held, in the order the user chose, replace the list's.
void clListenansicht::Fill(std::span<const std::string_view> headers) {
    if (m_SortColumn && *m_SortColumn < static_cast<int>(headers.size())) SortRows(-1);
    m_Window.ShowRows(c::lvCommands, headers, m_Rows);
}

int clListenansicht::SortRows(int follow) {
    const std::vector<std::size_t> order = modListviewSort::SortedOrder(
        m_Rows, m_SortColumn.value_or(0), m_SortAscending, m_Services.commands.registry.text);
    std::vector<Row> sorted;
    sorted.reserve(m_Rows.size());
    int followed = -1;
    for (std::size_t to = 0; to < order.size(); ++to) {
        if (static_cast<int>(order[to]) == follow) followed = static_cast<int>(to);
        sorted.push_back(std::move(m_Rows[order[to]]));
    }
    m_Rows = std::move(sorted);
    return followed;
}

// After every fill the first row is selected, in the command view with its
// pictures shown.
void clListenansicht::FillDone() {
    ClearPictures();
    if (m_Rows.empty()) return;
    m_Window.SelectRow(c::lvCommands, 0);
    lvCommands_ItemClick(0);
}

void clListenansicht::ClearPictures() {
    for (ui::PictureId picture : {c::Picture1, c::Picture2}) {
        m_Window.ClearPicture(picture);
        m_Window.Refresh(picture);
    }
}

std::optional<std::int32_t> clListenansicht::RowNumber(int row) const {
    if (row < 0 || row >= static_cast<int>(m_Rows.size())) return std::nullopt;
    const Row& cells = m_Rows[static_cast<std::size_t>(row)];
    if (cells.empty()) return std::nullopt;
    const std::string& text = cells.front();
    std::int32_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end == text.data()) return std::nullopt;
    return number;
}

bool clListenansicht::HoldsCommand(std::int32_t number) const {
    return number >= 0 && number < std::distance(m_Table->begin(), m_Table->end());
}

std::optional<std::int32_t> clListenansicht::SelectedNumber() const {
    if (!InCommandView()) return std::nullopt;
    const std::optional<std::int32_t> number = RowNumber(m_Window.SelectedRow(c::lvCommands));
    return number && HoldsCommand(*number) ? number : std::nullopt;
}

std::optional<std::string> clListenansicht::AskFile(std::string_view title, bool open) const {
    clFileDialog dialog(Boxes(), m_Services.dialogs);
    dialog.DialogTitle(title);
    dialog.Filter(texts::kCommandFileFilter);
    dialog.hWndParent(m_Window.Handle());
    if (!dialog.Show(open)) return std::nullopt;
    return dialog.FileName();
}

void clListenansicht::cmdToolbars_Click() {
    const std::string caption = m_Window.Text(c::cmdToolbars);
    if (caption == texts::kToolbarsButton) {
        m_Window.SetText(c::cmdToolbars, texts::kCommandsButton);
        m_SortColumn.reset();
        ShowToolbars();
        m_Window.SetEnabled(c::cmdSpeichern, false);
        m_Window.SetEnabled(c::cmdLaden, false);
    } else if (caption == texts::kCommandsButton) {
        m_Window.SetText(c::cmdToolbars, texts::kToolbarsButton);
        m_SortColumn.reset();
        ShowCommands();
        m_Window.SetEnabled(c::cmdSpeichern, true);
        m_Window.SetEnabled(c::cmdLaden, true);
    }
}

void clListenansicht::cmdLaden_Click() {
    if (const std::optional<std::string> path = AskFile(texts::kLoadDialogTitle, true)) LoadFile(*path);
}

void clListenansicht::LoadFile(const std::string& path) {
    const modListActions::LoadResult loaded = modListActions::LoadCommand(Actions(), *m_Table, path);
    if (loaded.outcome == modListActions::Outcome::Stale || loaded.outcome == modListActions::Outcome::Undone) {
        ReadTableAgain();
        return;
    }
    if (loaded.command == nullptr) return;
    clCustomTessivar& command = *loaded.command;
    AddCommandItem(command);
    m_Window.AddRow(c::lvCommands, m_Rows.back());
    const int row = static_cast<int>(m_Rows.size()) - 1;
    m_Window.SelectRow(c::lvCommands, row);
    lvCommands_ItemClick(row);

    std::string question(texts::kInstallQuestion1);
    question += command.Name();
    question += texts::kInstallQuestion2;
    if (modMessages::MsgBox(Boxes(), question, platform::MsgIcon::Question, platform::MsgButtons::YesNo) ==
        platform::MsgAnswer::Yes) {
        modListActions::AddToContactToolbar(Actions(), command.CommandID());
    }
}

void clListenansicht::ReadTableAgain() {
    m_Table = std::make_unique<clCustomTessivars>(m_Services.commands);
    ShowCommands();
}

void clListenansicht::cmdSpeichern_Click() {
    const std::optional<std::int32_t> number = SelectedNumber();
    if (!number) return;
    clCustomTessivar& command = m_Table->Item(*number);
    if (!modListActions::CanSave(Boxes(), command)) return;
    // Save reports its own failures.
    if (const std::optional<std::string> path = AskFile(texts::kSaveDialogTitle, false)) command.Save(*path);
}

void clListenansicht::cmdInfo_Click() { m_Window.ShowInfo(Boxes(), m_Services.shell); }

// Whatever the outcome, both views show the configuration as it is now.
void clListenansicht::cmdWiederherstellen_Click() {
    std::vector<modBackup::Entry> entries = modBackup::List(m_Services.backups);
    if (entries.empty()) {
        modMessages::MsgBox(Boxes(), texts::kRestoreNoBackup, platform::MsgIcon::Information);
        return;
    }
    const std::optional<std::string> chosen = m_Window.ChooseBackup(std::move(entries));
    if (!chosen) return;
    const modListActions::Outcome outcome = modListActions::RestoreBackup(Actions(), *chosen);
    m_Table = std::make_unique<clCustomTessivars>(m_Services.commands);
    if (InCommandView()) {
        ShowCommands();
    } else {
        ShowToolbars();
    }
    if (outcome == modListActions::Outcome::Done) {
        modMessages::MsgBox(Boxes(), modBackup::RestoreDone(*chosen), platform::MsgIcon::Information);
    }
}

void clListenansicht::lvCommands_ItemClick(int row) {
    if (!InCommandView()) return;
    const std::optional<std::int32_t> number = RowNumber(row);
    if (!number || !HoldsCommand(*number)) return;
    clCustomTessivar& command = m_Table->Item(*number);
    ClearPictures();
    command.Paint_LBitmap(m_Window.Surface(c::Picture1));
    command.Paint_SBitmap(m_Window.Surface(c::Picture2));
    m_Window.Refresh(c::Picture1);
    m_Window.Refresh(c::Picture2);
}

void clListenansicht::lvCommands_KeyUp(int KeyCode) {
    if (KeyCode != kDeleteKey) return;
    const std::optional<std::int32_t> number = SelectedNumber();
    if (!number) return;
    if (modMessages::MsgBox(Boxes(), texts::kDeleteQuestion, platform::MsgIcon::Question,
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

// The selected row moves with its row; nothing is painted anew, the
// command is the same.
void clListenansicht::lvCommands_ColumnClick(int column) {
    m_SortAscending = m_SortColumn == column ? !m_SortAscending : true;
    m_SortColumn = column;
    const int selected = SortRows(m_Window.SelectedRow(c::lvCommands));
    m_Window.ReorderRows(c::lvCommands, m_Rows);
    if (selected >= 0) m_Window.SelectRow(c::lvCommands, selected);
}

void clListenansicht::Form_DragDrop(const std::vector<std::string>& paths) {
    if (!InCommandView()) return;
    // One file at a time, each with its own question.
    for (const std::string& path : paths) {
        if (IsCommandFile(m_Services.commands.registry.text, path)) LoadFile(path);
    }
}

void clListenansicht::ShowError(const AppError& error) {
    modMessages::MsgBox(Boxes(), errortext::Brief(error), platform::MsgIcon::Exclamation);
}
