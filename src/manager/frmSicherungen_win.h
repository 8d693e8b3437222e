#pragma once
// The small modal list from which the list window's user picks the backup
// to write back: newest first, each shown by its date and time, its number
// and its size, with the size of them all below; OK (or a double click)
// picks, Cancel and Esc pick nothing.
#include <optional>
#include <string>
#include <vector>

#include "manager/modBackup.h"
#include "ui/Window_win.h"

namespace ui {
class Button;
class ListView;
}  // namespace ui

class frmSicherungen : public ui::Window {
public:
    static constexpr const wchar_t* kClassName = L"TessivarSicherungen";
    static constexpr int kListId = 200;
    static constexpr int kOkId = 201;
    static constexpr int kCancelId = 202;

    explicit frmSicherungen(std::vector<modBackup::Entry> entries);

    // The chosen backup's path, or nothing.
    std::optional<std::string> Choose(HWND owner);

    ui::ListView& lvBackups() const { return *m_lvBackups; }
    ui::Button& cmdOK() const { return *m_cmdOK; }
    ui::Button& cmdCancel() const { return *m_cmdCancel; }

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    void Pick();

    std::vector<modBackup::Entry> m_Entries;
    std::optional<std::string> m_Chosen;
    ui::ListView* m_lvBackups = nullptr;
    ui::Button* m_cmdOK = nullptr;
    ui::Button* m_cmdCancel = nullptr;
};
