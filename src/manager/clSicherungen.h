#pragma once
// The logic of the small modal list from which the list window's user picks
// the backup to write back: newest first (as given), each shown by its date
// and time, its number, its size and the change it was taken before, with
// the size of them all below. "Unterschiede…" tells what writing the
// selected one back would change, before anything is written. OK
// (or a double click, or Enter on a row) picks the selected one, Cancel and
// Esc pick nothing. Either closes the window.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "manager/modBackup.h"
#include "manager/modBackupDiff.h"
#include "ui/Form.h"

class ISicherungenWindow : public virtual ui::IForm {
public:
    // Shows the differences modally over this window; `backup` names it.
    virtual void ShowDifferences(std::string backup, std::vector<modBackupDiff::Difference> differences) = 0;
};

class clSicherungen {
public:
    // What writing a backup back would change; nothing when that could not
    // be found out (the function has said why).
    using Differences =
        std::function<std::optional<std::vector<modBackupDiff::Difference>>(const modBackup::Entry& entry)>;

    clSicherungen(ISicherungenWindow& window, std::vector<modBackup::Entry> entries, Differences differences);

    // The chosen backup's path once the window is closed, or nothing.
    const std::optional<std::string>& Chosen() const { return m_Chosen; }

    // --- window events ----------------------------------------------------
    // The backups listed, the first selected, the list focused.
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    void cmdUnterschiede_Click();
    // A double click or Enter on a row.
    void lvBackups_DblClick();
    // Escape (27) closes the window as Cancel does.
    void Form_KeyPress(int KeyAscii);

private:
    const modBackup::Entry* Selected() const;

    ISicherungenWindow& m_Window;
    std::vector<modBackup::Entry> m_Entries;
    Differences m_Differences;
    std::optional<std::string> m_Chosen;
};
