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
    Create({.caption = std::string(texts::kRestoreChoiceTitle),
            .style = WS_POPUP | WS_CAPTION | WS_SYSMENU,
            .exStyle = WS_EX_DLGMODALFRAME,
            .innerWidth = kWidth,
            .innerHeight = kHeight,
            .owner = owner});
    ShowModal(owner);
    return m_Chosen;
}

void frmSicherungen::OnCreate() {
    Add<ui::Label>("lbPrompt", kPrompt, texts::kRestoreChoicePrompt);
    m_lvBackups = &AddWithId<ui::ListView>(kListId, "lvBackups", kList);
    m_cmdOK = &AddWithId<ui::Button>(kOkId, "cmdOK", kOk, texts::kOkButton);
    m_cmdCancel = &AddWithId<ui::Button>(kCancelId, "cmdCancel", kCancel, texts::kCancelButton);
    m_cmdOK->SetDefault(true);

    m_lvBackups->AddColumn(texts::kRestoreColumn);
    for (const modBackup::Entry& entry : m_Entries) m_lvBackups->AddRow(Shown(entry));
    m_lvBackups->AutoSizeColumn(0, true);
    if (!m_Entries.empty()) m_lvBackups->SelectRow(0);

    m_cmdOK->onClick = [this] { Pick(); };
    m_cmdCancel->onClick = [this] { Close(); };
    m_lvBackups->onActivate = [this](int) { Pick(); };
    m_lvBackups->Focus();
}

bool frmSicherungen::OnKey(const MSG& msg) {
    if (!IsEscape(msg)) return false;
    Close();
    return true;
}

void frmSicherungen::Pick() {
    const int row = m_lvBackups->SelectedRow();
    if (row < 0 || row >= static_cast<int>(m_Entries.size())) return;
    m_Chosen = m_Entries[static_cast<std::size_t>(row)].path;
    Close();
}
