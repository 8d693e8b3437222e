#pragma once
// The small modal list from which the list window's user picks the backup
// to write back, built from its control table (SicherungenControls); what
// it does lies in clSicherungen.
#include <optional>
#include <string>
#include <vector>

#include "manager/SicherungenControls.h"
#include "manager/clSicherungen.h"
#include "manager/modBackup.h"
#include "ui/FormWindow_win.h"

class frmSicherungen : public ui::FormWindow, public ISicherungenWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarSicherungen";

    frmSicherungen(std::vector<modBackup::Entry> entries, clSicherungen::Differences differences);

    // Shows the list modally over `owner`: the chosen backup's path, or nothing.
    std::optional<std::string> Choose(HWND owner);

    // ISicherungenWindow
    void ShowDifferences(std::string backup, std::vector<modBackupDiff::Difference> differences) override;

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clSicherungen m_Logic;
};
