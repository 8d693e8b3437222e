#pragma once
// The window that tells what writing a backup back would change, built
// from its control table (UnterschiedeControls); what it does lies in
// clUnterschiede. Modal over the list of backups.
#include <string>
#include <vector>

#include "manager/UnterschiedeControls.h"
#include "manager/clUnterschiede.h"
#include "ui/FormWindow_win.h"

class frmUnterschiede : public ui::FormWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarUnterschiede";

    frmUnterschiede(std::string backup, std::vector<modBackupDiff::Difference> differences);

    void Show(HWND owner);

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clUnterschiede m_Logic;
};
