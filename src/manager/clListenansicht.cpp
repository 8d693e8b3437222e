#include "manager/clListenansicht.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <utility>

#include "base/AppError.h"
#include "base/ErrorText.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "common/clFileDialog.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "manager/ListenansichtControls.h"
#include "manager/modListviewSort.h"
#include "toolbars/clACTToolbars.h"

namespace c = ListenansichtControls;

namespace {

constexpr int kDeleteKey = 46;
// Rows put into the list at a time between the window's events: a few
// milliseconds' work.
constexpr std::size_t kRowsPerPiece = 1000;
// While a table is read, the rows read show about four times a second.
constexpr std::uint64_t kStepsPerShowing = 10;

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
    std::array<std::string_view, std::size(kCommandColumns) + 1> headers{};
    for (std::size_t c = 0; c < std::size(kCommandColumns); ++c) headers[c] = kCommandColumns[c].header;
    headers.back() = texts::kColumnProgram;  // the mark of the missing program (ProgramCell), last
    return headers;
}();
constexpr std::string_view kToolbarHeaders[] = {texts::kColumnNr, texts::kColumnName};
constexpr std::string_view kAppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";

// Without an environment, paths are looked for as they are written.
class AsWritten : public platform::IEnvironment {
public:
    std::string Expand(std::string_view text) override { return std::string(text); }
    std::string TemporaryFolder() override { return {}; }
};

platform::IEnvironment& EnvironmentOf(const clListenansicht::Services& services) {
    static AsWritten asWritten;
    return services.environment != nullptr ? *services.environment : asWritten;
}

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
    Task([this] {
        m_SortColumn.reset();
        if (m_Table) {
            ShowCommands();
        } else {
            ReadTable();
        }
    });
}

bool clListenansicht::Form_QueryUnload() {
    if (!m_Busy) return true;
    m_CloseRequested = true;
    return false;
}

// The window answers meanwhile: its events run between the steps of the work.
void clListenansicht::Task(const std::function<void()>& body) {
    if (m_Busy) return;
    m_Busy = true;
    Lock(true);
    // A close asked for during a task that failed is dropped: the window
    // reports the fault first, and the user may close it then.
    ScopeExit unlock([this] {
        m_Busy = false;
        m_CloseRequested = false;
        Lock(false);
    });
    {
        const platform::Pacing::Work work = m_Services.pacing.Begin();
        try {
            body();
        } catch (const Abandoned&) {
            // The window closes; what was read goes with it.
        }
    }
    const bool close = m_CloseRequested;
    unlock.RunNow();
    if (close) m_Window.Close();
}

// What works on commands needs the command view: it stays off in the other one.
void clListenansicht::Lock(bool locked) {
    m_Window.SetPointer(locked ? ui::Pointer::Hourglass : ui::Pointer::Default);
    for (const ui::ControlEntry& control : c::All()) {
        if (!control.lockedWhileBusy) continue;
        const ui::ControlId id{control.id};
        const bool forCommands = id == c::cmdLaden || id == c::cmdSpeichern || id == c::cmdBearbeiten ||
                                 id == c::cmdPfade || id == c::cmdSchaltflaechen;
        const bool enabled = !locked && (!forCommands || InCommandView());
        if (m_Window.Enabled(id) != enabled) m_Window.SetEnabled(id, enabled);
    }
}

bool clListenansicht::InCommandView() const { return m_Window.Text(c::cmdToolbars) == texts::kToolbarsButton; }

void clListenansicht::ShowCommands() {
    m_Rows.clear();
    BeginProgramCheck();
    for (auto& command : *m_Table) {
        AddCommandItem(*command);
        m_Services.pacing.Step();
    }
    Fill(kCommandHeaders);
    m_Window.SetStatusText(c::StatusBar, CommandStatus());
    FillDone();
}

// The table held stays until the new one is read whole.
void clListenansicht::ReadTable() {
    m_Rows.clear();
    BeginProgramCheck();
    m_RowsShown = 0;
    m_StepsSeen = m_Services.pacing.Steps();
    m_Table = std::make_unique<clCustomTessivars>(m_Services.commands, [this](clCustomTessivar& command) {
        AddCommandItem(command);
        RowsRead();
    });
    if (m_SortColumn) {
        Fill(kCommandHeaders);
    } else {
        ShowRest(kCommandHeaders);
    }
    m_Window.SetStatusText(c::StatusBar, CommandStatus());
    FillDone();
}

// What has been read is shown in the order of the table, the first rows as
// soon as the window's events have run, then every few times they have
// (each showing paints the list anew); a close asked for meanwhile ends the
// reading.
void clListenansicht::RowsRead() {
    if (m_CloseRequested) throw Abandoned{};
    const std::uint64_t steps = m_Services.pacing.Steps();
    if (steps == m_StepsSeen || (m_RowsShown > 0 && steps - m_StepsSeen < kStepsPerShowing)) return;
    ShowRest(kCommandHeaders);
    m_Window.SetStatusText(c::StatusBar,
                           std::string(texts::kStatusReading) + Decimal(static_cast<std::int32_t>(m_Rows.size())));
    m_StepsSeen = m_Services.pacing.Steps();
}

void clListenansicht::AddCommandItem(clCustomTessivar& command) {
    Row row;
    row.reserve(std::size(kCommandHeaders));
    for (const CommandColumn& column : kCommandColumns) row.push_back(column.cell(command));
    row.push_back(ProgramCell(command));
    m_Rows.push_back(std::move(row));
}

// A bare name the shell finds through its App Paths ("winword.exe") is there too.
void clListenansicht::BeginProgramCheck() {
    m_ProgramCheck.emplace(
        m_Services.commands.files, EnvironmentOf(m_Services),
        [this](std::string_view name) -> std::optional<std::string> {
            const std::string key = std::string(kAppPaths) + std::string(name);
            for (const platform::RegKey root : {platform::kHKeyCurrentUser, platform::kHKeyLocalMachine}) {
                const RegistryValue value =
                    modRegistry::RegistryGetKeyValue(m_Services.commands.registry, root, key, "");
                if (value.IsText()) return value.ToText();
            }
            return std::nullopt;
        });
    m_Missing = 0;
}

std::string clListenansicht::ProgramCell(const clCustomTessivar& command) {
    if (!m_ProgramCheck) BeginProgramCheck();
    if (!m_ProgramCheck->Missing(command.Zeile(), command.Start())) return {};
    ++m_Missing;
    return std::string(texts::kProgramMissing);
}

std::string clListenansicht::CommandStatus() const {
    std::string status = Decimal(m_Table->Count()) + std::string(texts::kStatusCommands);
    if (m_Missing > 0) {
        status += texts::kStatusMissing1;
        status += Decimal(m_Missing);
        status += texts::kStatusMissing2;
    }
    return status;
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
    m_RowsShown = 0;
    ShowRest(headers);
}

// A few rows (every list of an ordinary table) go in at once.
void clListenansicht::ShowRest(std::span<const std::string_view> headers) {
    if (m_RowsShown == 0) {
        m_RowsShown = std::min(m_Rows.size(), kRowsPerPiece);
        m_Window.ShowRows(
            c::lvCommands, headers,
            m_RowsShown == m_Rows.size()
                ? m_Rows
                : std::vector<Row>(m_Rows.begin(), m_Rows.begin() + static_cast<std::ptrdiff_t>(m_RowsShown)));
    }
    while (m_RowsShown < m_Rows.size()) {
        m_Services.pacing.Step();
        const std::size_t count = std::min(m_Rows.size() - m_RowsShown, kRowsPerPiece);
        m_Window.AddRows(c::lvCommands, std::span<const Row>(m_Rows).subspan(m_RowsShown, count));
        m_RowsShown += count;
    }
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

// After every fill the first row is selected (unless the user chose one
// while the list filled), in the command view with its pictures shown.
void clListenansicht::FillDone() {
    ClearPictures();
    if (m_Rows.empty()) return;
    int row = m_Window.SelectedRow(c::lvCommands);
    if (row < 0) {
        row = 0;
        m_Window.SelectRow(c::lvCommands, row);
    }
    ShowPictures(row);
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

// Loading and saving go on and off with the view as the lock ends (Lock).
void clListenansicht::cmdToolbars_Click() {
    const std::string caption = m_Window.Text(c::cmdToolbars);
    if (caption != texts::kToolbarsButton && caption != texts::kCommandsButton) return;
    Task([this, toToolbars = caption == texts::kToolbarsButton] {
        m_Window.SetText(c::cmdToolbars, toToolbars ? texts::kCommandsButton : texts::kToolbarsButton);
        m_SortColumn.reset();
        if (toToolbars) {
            ShowToolbars();
        } else {
            ShowCommands();
        }
    });
}

void clListenansicht::cmdLaden_Click() {
    Task([this] {
        if (const std::optional<std::string> path = AskFile(texts::kLoadDialogTitle, true)) LoadFile(*path);
    });
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
    ShowPictures(row);

    std::string question(texts::kInstallQuestion1);
    question += command.Name();
    question += texts::kInstallQuestion2;
    if (modMessages::MsgBox(Boxes(), question, platform::MsgIcon::Question, platform::MsgButtons::YesNo) ==
        platform::MsgAnswer::Yes) {
        modListActions::AddToContactToolbar(Actions(), command.CommandID());
    }
}

void clListenansicht::ReadTableAgain() { ReadTable(); }

void clListenansicht::cmdSpeichern_Click() {
    Task([this] {
        const std::optional<std::int32_t> number = SelectedNumber();
        if (!number) return;
        clCustomTessivar& command = m_Table->Item(*number);
        if (!modListActions::CanSave(Boxes(), command)) return;
        // Save reports its own failures.
        if (const std::optional<std::string> path = AskFile(texts::kSaveDialogTitle, false)) command.Save(*path);
    });
}

void clListenansicht::cmdInfo_Click() {
    if (!m_Busy) m_Window.ShowInfo(Boxes(), m_Services.shell);
}

// Whatever the outcome, both views show the configuration as it is now.
void clListenansicht::cmdWiederherstellen_Click() {
    Task([this] {
        std::vector<modBackup::Entry> entries = modBackup::List(m_Services.backups);
        if (entries.empty()) {
            modMessages::MsgBox(Boxes(), texts::kRestoreNoBackup, platform::MsgIcon::Information);
            return;
        }
        const std::optional<std::string> chosen = m_Window.ChooseBackup(
            std::move(entries), [this](const modBackup::Entry& entry) { return Differences(entry); });
        if (!chosen) return;
        const modListActions::Outcome outcome = modListActions::RestoreBackup(Actions(), *chosen);
        if (InCommandView()) {
            ReadTable();
        } else {
            m_Table = std::make_unique<clCustomTessivars>(m_Services.commands);
            ShowToolbars();
        }
        if (outcome == modListActions::Outcome::Done) {
            modMessages::MsgBox(Boxes(), modBackup::RestoreDone(*chosen), platform::MsgIcon::Information);
        }
    });
}

// The toolbars are read as they are now; the list stays as it is, the
// commands have not changed.
void clListenansicht::cmdSchaltflaechen_Click() {
    Task([this] {
        const std::optional<std::int32_t> number = SelectedNumber();
        if (!number) return;
        const clCustomTessivar& command = m_Table->Item(*number);
        const std::string name = command.Name();
        const std::int32_t id = command.CommandID();
        auto placed = m_Window.PlaceButtons(id, name, modButtonPlacement::Read(m_Services.commands.registry, id));
        if (placed) modButtonPlacement::Write(Actions(), *placed, name);
    });
}

// Read afresh: the backup against the configuration as it is now.
std::optional<std::vector<modBackupDiff::Difference>> clListenansicht::Differences(
    const modBackup::Entry& entry) const {
    try {
        const modRegistry::Access& registry = m_Services.commands.registry;
        return modBackupDiff::Compare(modBackup::Current(registry),
                                      modBackup::Keys(m_Services.backups.files, entry.path), registry.text);
    } catch (const AppError& error) {
        modMessages::MsgBox(Boxes(), std::string(texts::kDiffUnreadable) + error.description(),
                            platform::MsgIcon::Exclamation);
        return std::nullopt;
    }
}

// While a task works, the list is the task's: a row clicked then shows its
// pictures when the task is done.
void clListenansicht::lvCommands_ItemClick(int row) {
    if (!m_Busy) ShowPictures(row);
}

void clListenansicht::ShowPictures(int row) {
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
    Task([this] {
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
    });
}

// The selected row moves with its row; nothing is painted anew, the
// command is the same.
void clListenansicht::lvCommands_ColumnClick(int column) {
    Task([this, column] {
        m_SortAscending = m_SortColumn == column ? !m_SortAscending : true;
        m_SortColumn = column;
        const int selected = SortRows(m_Window.SelectedRow(c::lvCommands));
        m_Window.ReorderRows(c::lvCommands, m_Rows);
        if (selected >= 0) m_Window.SelectRow(c::lvCommands, selected);
    });
}

void clListenansicht::Form_DragDrop(const std::vector<std::string>& paths) {
    if (!InCommandView()) return;
    Task([this, &paths] {
        // One file at a time, each with its own question.
        for (const std::string& path : paths) {
            if (IsCommandFile(m_Services.commands.registry.text, path)) LoadFile(path);
        }
    });
}

void clListenansicht::cmdBearbeiten_Click() {
    Task([this] {
        if (const std::optional<std::int32_t> number = SelectedNumber()) EditCommand(*number);
    });
}

void clListenansicht::lvCommands_DblClick(int) { cmdBearbeiten_Click(); }

// The command's row shows the new texts where it stands, its pictures the new pictures.
void clListenansicht::EditCommand(std::int32_t number) {
    clCustomTessivar& command = m_Table->Item(number);
    const auto taken = [this, number](const std::string& lowerName) {
        std::int32_t n = 0;
        for (const auto& other : *m_Table) {
            if (n++ != number && other->LowerName() == lowerName) return true;
        }
        return false;
    };
    const std::optional<modEditCommand::Edit> edit = m_Window.EditCommand(command, taken);
    if (!edit) return;
    modListActions::Outcome outcome = modListActions::Outcome::Refused;
    try {
        outcome = modEditCommand::Apply(Actions(), *m_Table, number, *edit);
    } catch (const AppError&) {
        // What the table holds may no longer be what is stored.
        ReadTableAgain();
        throw;
    }
    if (outcome == modListActions::Outcome::Stale || outcome == modListActions::Outcome::Undone) {
        ReadTableAgain();
        return;
    }
    if (outcome != modListActions::Outcome::Done) return;
    const int row = m_Window.SelectedRow(c::lvCommands);
    if (RowNumber(row) != number) return;
    AddCommandItem(command);
    m_Rows[static_cast<std::size_t>(row)] = std::move(m_Rows.back());
    m_Rows.pop_back();
    m_Window.ReorderRows(c::lvCommands, m_Rows);
    m_Window.SelectRow(c::lvCommands, row);
    ShowPictures(row);
}

void clListenansicht::ShowError(const AppError& error) {
    modMessages::MsgBox(Boxes(), errortext::Brief(error), platform::MsgIcon::Exclamation);
}

std::vector<std::int32_t> clListenansicht::SelectedNumbers() const {
    std::vector<std::int32_t> numbers;
    for (int row : m_Window.SelectedRows(c::lvCommands)) {
        const std::optional<std::int32_t> number = RowNumber(row);
        if (number && HoldsCommand(*number)) numbers.push_back(*number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

std::vector<std::int32_t> clListenansicht::MarkedNumbers() const {
    std::vector<std::int32_t> numbers;
    for (int row = 0; row < static_cast<int>(m_Rows.size()); ++row) {
        const Row& cells = m_Rows[static_cast<std::size_t>(row)];
        if (cells.size() != std::size(kCommandHeaders) || cells.back() != texts::kProgramMissing) continue;
        if (const std::optional<std::int32_t> number = RowNumber(row); number && HoldsCommand(*number)) {
            numbers.push_back(*number);
        }
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

// The rows selected, unless commands are marked beyond them: then the user
// says whether all marked ones are meant.
std::optional<std::vector<std::int32_t>> clListenansicht::PathCandidates() {
    std::vector<std::int32_t> selected = SelectedNumbers();
    std::vector<std::int32_t> marked = MarkedNumbers();
    if (marked.empty() || selected == marked) return selected;
    if (selected.empty()) return marked;
    std::string question(texts::kPathsAllQuestion1);
    question += Decimal(static_cast<std::int32_t>(marked.size()));
    question += texts::kPathsAllQuestion2;
    question += Decimal(static_cast<std::int32_t>(selected.size()));
    question += texts::kPathsAllQuestion3;
    switch (modMessages::MsgBox(Boxes(), question, platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel)) {
        case platform::MsgAnswer::Yes: return marked;
        case platform::MsgAnswer::No: return selected;
        default: return std::nullopt;
    }
}

void clListenansicht::cmdPfade_Click() {
    if (!InCommandView()) return;
    Task([this] {
        const std::optional<std::vector<std::int32_t>> numbers = PathCandidates();
        if (numbers && !numbers->empty()) ChangePaths(*numbers);
    });
}

// Filled again afterwards, whatever the outcome: the marks show what is there now.
void clListenansicht::ChangePaths(const std::vector<std::int32_t>& numbers) {
    const std::optional<std::string> folder =
        m_Services.dialogs.PickFolder(m_Window.Handle(), texts::kPathsFolderTitle);
    if (!folder) return;
    std::vector<clPfade::Command> commands;
    commands.reserve(numbers.size());
    for (std::int32_t number : numbers) {
        const clCustomTessivar& command = m_Table->Item(number);
        commands.push_back({number, command.Name(), command.Zeile(), command.Start(), command.IsComplete()});
    }
    const clPfade::Services services{m_Services.commands.files, EnvironmentOf(m_Services),
                                     m_Services.commands.registry.text};
    const std::optional<std::vector<modListActions::PathChange>> changes =
        m_Window.ConfirmPaths(services, std::move(commands), *folder);
    if (!changes || changes->empty()) return;
    const modListActions::Outcome outcome = modListActions::ChangePaths(Actions(), *m_Table, *changes);
    if (outcome == modListActions::Outcome::Stale || outcome == modListActions::Outcome::Undone) {
        ReadTableAgain();
    } else if (outcome == modListActions::Outcome::Done) {
        ShowCommands();
    }
}
