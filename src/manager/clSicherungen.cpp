#include "manager/clSicherungen.h"

#include <cstdint>
#include <string_view>

#include "base/UiTexts.h"
#include "manager/SicherungenControls.h"

namespace c = SicherungenControls;

namespace {

constexpr std::string_view kHeaders[] = {texts::kRestoreColumn, texts::kRestoreNumberColumn, texts::kRestoreSizeColumn,
                                         texts::kRestoreReasonColumn};

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

clSicherungen::clSicherungen(ISicherungenWindow& window, std::vector<modBackup::Entry> entries, Differences differences)
    : m_Window(window), m_Entries(std::move(entries)), m_Differences(std::move(differences)) {}

void clSicherungen::Form_Load() {
    m_Window.SetText(c::lbSize, FolderSize(m_Entries));
    std::vector<ui::IForm::Row> rows;
    rows.reserve(m_Entries.size());
    for (const modBackup::Entry& entry : m_Entries) {
        rows.push_back({Shown(entry), entry.number > 0 ? std::to_string(entry.number) : std::string(),
                        modBackup::SizeText(entry.size), entry.reason});
    }
    m_Window.ShowRows(c::lvBackups, kHeaders, rows);
    if (!m_Entries.empty()) m_Window.SelectRow(c::lvBackups, 0);
    m_Window.Focus(c::lvBackups);
}

const modBackup::Entry* clSicherungen::Selected() const {
    const int row = m_Window.SelectedRow(c::lvBackups);
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return nullptr;
    return &m_Entries[static_cast<std::size_t>(row)];
}

// Without a row selected, OK waits for one.
void clSicherungen::cmdOK_Click() {
    const modBackup::Entry* entry = Selected();
    if (entry == nullptr) return;
    m_Chosen = entry->path;
    m_Window.Close();
}

// The backup named as the user sees it in the list; the focus goes back to
// the list, so that the next one is a key away.
void clSicherungen::cmdUnterschiede_Click() {
    const modBackup::Entry* entry = Selected();
    if (entry == nullptr || !m_Differences) return;
    if (auto differences = m_Differences(*entry)) {
        std::string named;
        if (entry->number > 0)
            named = std::string(texts::kRestoreNumberColumn) + " " + std::to_string(entry->number) + " ";
        named += std::string(texts::kDiffOf) + Shown(*entry);
        m_Window.ShowDifferences(std::move(named), std::move(*differences));
    }
    m_Window.Focus(c::lvBackups);
}

void clSicherungen::lvBackups_DblClick() { cmdOK_Click(); }

void clSicherungen::cmdCancel_Click() { m_Window.Close(); }

void clSicherungen::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}
