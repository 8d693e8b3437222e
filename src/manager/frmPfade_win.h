#pragma once
// The modal window in which the list window's user sees commands' paths
// mended before they are written, built from its control table
// (PfadeControls); what it does lies in clPfade.
#include <optional>
#include <string>
#include <vector>

#include "manager/PfadeControls.h"
#include "manager/clPfade.h"
#include "ui/FormWindow_win.h"

class frmPfade : public ui::FormWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarPfade";

    frmPfade(clPfade::Services services, std::vector<clPfade::Command> commands, std::string folder);

    // Shows the window modally over `owner`: the changes confirmed, or nothing.
    std::optional<std::vector<modListActions::PathChange>> Confirm(HWND owner);

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clPfade m_Logic;
};
