#pragma once
// The logic of the small modal list from which the list window's user picks
// the backup to write back: newest first (as given), each shown by its date
// and time, its number and its size, with the size of them all below; OK
// (or a double click, or Enter on a row) picks the selected one, Cancel and
// Esc pick nothing. Either closes the window.
#include <optional>
#include <string>
#include <vector>

#include "manager/modBackup.h"
#include "ui/Form.h"

class clSicherungen {
public:
    clSicherungen(ui::IForm& window, std::vector<modBackup::Entry> entries);

    // The chosen backup's path once the window is closed, or nothing.
    const std::optional<std::string>& Chosen() const { return m_Chosen; }

    // --- window events ----------------------------------------------------
    // The backups listed, the first selected, the list focused.
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // A double click or Enter on a row.
    void lvBackups_DblClick();
    // Escape (27) closes the window as Cancel does.
    void Form_KeyPress(int KeyAscii);

private:
    ui::IForm& m_Window;
    std::vector<modBackup::Entry> m_Entries;
    std::optional<std::string> m_Chosen;
};
