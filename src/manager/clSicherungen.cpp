#include "manager/clSicherungen.h"

#include <cstdint>
#include <string_view>

#include "base/UiTexts.h"
#include "manager/SicherungenControls.h"

namespace c = SicherungenControls;

namespace {

constexpr std::string_view kHeaders[] = {texts::kRestoreColumn, texts::kRestoreNumberColumn, texts::kRestoreSizeColumn};

// What all the backups offered take on the disk: each one holds the whole
// configuration, so a large value there makes every one of them large.
std::string FolderSize(const std::vector<modBackup::Entry>& entries) {
    std::uint64_t total = 0;
    for (const modBackup::Entry& entry : entries) total += entry.size;
    return std::string(texts::kBackupsSizeStart) + modBackup::SizeText(total) + std::string(texts::kBackupsSizeEnd);
}

std::string Shown(const modBackup::Entry& entry) {
    std::string text = modBackup::Readable(entry.time);
    if (entry.sequence > 1) text += " (" + std::to_string(entry.sequence) + ")";
    return text;
}

}  // namespace

clSicherungen::clSicherungen(ui::IForm& window, std::vector<modBackup::Entry> entries)
    : m_Window(window), m_Entries(std::move(entries)) {}

void clSicherungen::Form_Load() {
    m_Window.SetText(c::lbSize, FolderSize(m_Entries));
    std::vector<ui::IForm::Row> rows;
    rows.reserve(m_Entries.size());
    for (const modBackup::Entry& entry : m_Entries) {
        rows.push_back({Shown(entry), entry.number > 0 ? std::to_string(entry.number) : std::string(),
                        modBackup::SizeText(entry.size)});
    }
    m_Window.ShowRows(c::lvBackups, kHeaders, rows);
    if (!m_Entries.empty()) m_Window.SelectRow(c::lvBackups, 0);
    m_Window.Focus(c::lvBackups);
}

// Without a row selected, OK waits for one.
void clSicherungen::cmdOK_Click() {
    const int row = m_Window.SelectedRow(c::lvBackups);
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return;
    m_Chosen = m_Entries[static_cast<std::size_t>(row)].path;
    m_Window.Close();
}

void clSicherungen::lvBackups_DblClick() { cmdOK_Click(); }

void clSicherungen::cmdCancel_Click() { m_Window.Close(); }

void clSicherungen::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}
