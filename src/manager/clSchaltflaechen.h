#pragma once
// The logic of the window in which the list window's user places a
// command's button: the toolbars that hold it and the contact and the group
// toolbar, each with the button's place; the selected toolbar's button put
// on, taken off, or moved one place left or right. Nothing is written here:
// OK hands the toolbars as changed to the caller, who writes them in one
// change; Cancel and Esc hand nothing.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "manager/modButtonPlacement.h"
#include "ui/Form.h"

class clSchaltflaechen {
public:
    using Toolbars = std::vector<modButtonPlacement::Toolbar>;

    clSchaltflaechen(ui::IForm& window, std::int32_t commandId, std::string commandName, Toolbars toolbars);

    // The toolbars as changed, once the window was closed with OK.
    const std::optional<Toolbars>& Result() const { return m_Result; }

    // --- window events ----------------------------------------------------
    void Form_Load();
    void lvToolbars_ItemClick(int row);
    void cmdHinzufuegen_Click();
    void cmdEntfernen_Click();
    void cmdLinks_Click();
    void cmdRechts_Click();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Escape (27) closes the window as Cancel does.
    void Form_KeyPress(int KeyAscii);

private:
    modButtonPlacement::Toolbar* Selected();
    // The rows anew, `row` selected, and the steps that can be made there enabled.
    void Show(int row);
    void EnableSteps();
    template <class Step>
    void Apply(Step step);

    ui::IForm& m_Window;
    std::int32_t m_CommandId;
    std::string m_CommandName;
    Toolbars m_Toolbars;
    std::optional<Toolbars> m_Result;
};
