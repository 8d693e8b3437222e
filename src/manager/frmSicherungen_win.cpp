#include "manager/frmSicherungen_win.h"

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"
#include "ui/Label_win.h"
#include "ui/ListView_win.h"

namespace {

// Twips.
constexpr int kWidth = 4800, kHeight = 3420;
constexpr ui::Place kPrompt{120, 120, 4560, 255};
constexpr ui::Place kList{120, 435, 4560, 2340};
constexpr ui::Place kOk{2370, 2925, 1095, 375};
constexpr ui::Place kCancel{3585, 2925, 1095, 375};
constexpr ui::Place kSize{120, 2985, 2130, 255};

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

frmSicherungen::frmSicherungen(std::vector<modBackup::Entry> entries)
    : ui::Window(kClassName), m_Entries(std::move(entries)) {}

std::optional<std::string> frmSicherungen::Choose(HWND owner) {
    m_Chosen.reset();
    Create(ui::DialogFrame(std::string(texts::kRestoreChoiceTitle), kWidth, kHeight, owner));
    ShowModal(owner);
    return m_Chosen;
}

void frmSicherungen::OnCreate() {
    Add<ui::Label>("lbPrompt", kPrompt, texts::kRestoreChoicePrompt);
    m_lvBackups = &AddWithId<ui::ListView>(kListId, "lvBackups", kList);
    m_cmdOK = &AddWithId<ui::Button>(kOkId, "cmdOK", kOk, texts::kOkButton);
    m_cmdCancel = &AddWithId<ui::Button>(kCancelId, "cmdCancel", kCancel, texts::kCancelButton);
    m_cmdOK->SetDefault(true);

    Add<ui::Label>("lbSize", kSize, FolderSize(m_Entries));

    m_lvBackups->AddColumn(texts::kRestoreColumn);
    m_lvBackups->AddColumn(texts::kRestoreNumberColumn);
    m_lvBackups->AddColumn(texts::kRestoreSizeColumn);
    for (const modBackup::Entry& entry : m_Entries) {
        const int row = m_lvBackups->AddRow(Shown(entry));
        m_lvBackups->SetCell(row, 1, entry.number > 0 ? std::to_string(entry.number) : std::string());
        m_lvBackups->SetCell(row, 2, modBackup::SizeText(entry.size));
    }
    m_lvBackups->AutoSizeColumns(true);
    if (!m_Entries.empty()) m_lvBackups->SelectRow(0);

    m_cmdOK->onClick = [this] { Pick(); };
    m_cmdCancel->onClick = [this] { Close(); };
    m_lvBackups->onActivate = [this](int) { Pick(); };
    m_lvBackups->Focus();
}

bool frmSicherungen::OnEscape() {
    Close();
    return true;
}

void frmSicherungen::Pick() {
    const int row = m_lvBackups->SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return;
    m_Chosen = m_Entries[static_cast<std::size_t>(row)].path;
    Close();
}
