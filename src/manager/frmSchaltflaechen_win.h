#pragma once
// The window in which a command's button is placed on ACT!'s toolbars,
// built from its control table (SchaltflaechenControls); what it does lies
// in clSchaltflaechen. Modal over the list window.
#include <optional>
#include <string>

#include "manager/SchaltflaechenControls.h"
#include "manager/clSchaltflaechen.h"
#include "ui/FormWindow_win.h"

class frmSchaltflaechen : public ui::FormWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarSchaltflaechen";

    frmSchaltflaechen(std::int32_t commandId, std::string commandName, clSchaltflaechen::Toolbars toolbars);

    // The toolbars as changed when the user closed the window with OK.
    std::optional<clSchaltflaechen::Toolbars> Place(HWND owner);

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clSchaltflaechen m_Logic;
};
