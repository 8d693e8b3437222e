#pragma once
// The modal command editor of the list window, built from its control
// table (BearbeitenControls); what it does lies in clBearbeiten. The
// window adds what only the real text boxes do: they take no more
// characters than their field holds.
#include <optional>

#include "manager/BearbeitenControls.h"
#include "manager/clBearbeiten.h"
#include "ui/FormWindow_win.h"

class frmBearbeiten : public ui::FormWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarBearbeiten";

    frmBearbeiten(clBearbeiten::Services services, const clCustomTessivar& command, clBearbeiten::NameTaken nameTaken);

    // Shows the editor modally over `owner`: the edit made, or nothing.
    std::optional<modEditCommand::Edit> Edit(HWND owner);

    clBearbeiten& Logic() { return m_Logic; }

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clBearbeiten m_Logic;
};
