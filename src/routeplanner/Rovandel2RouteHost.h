#pragma once
// The main window frmRovandel2 as the route calculation sees it: its logic
// (status line, locking, topmost state, address buttons, settings, closing)
// and its controls, through clRovandel2 and the window it drives.
#include "routeplanner/RouteHost.h"
#include "routeplanner/clRovandel2.h"

class Rovandel2RouteHost : public RouteHost {
public:
    explicit Rovandel2RouteHost(clRovandel2& logic) : m_Logic(logic) {}

    void zeigeStatus(std::string_view Text) override;
    void aktiviereEingaben(bool Aktiv) override;
    void SetFrontwindow(bool ImVordergrund) override;
    void SetProgress(int value) override;
    void SetStatusPicture(int number) override;
    void SetStatusPicture(std::string_view key) override;
    std::string Text(std::string_view control) override;
    std::string SelectedText(std::string_view control) override;
    bool IsChecked(std::string_view control) override;
    // The address buttons' whole actions, run inside the route calculation's task.
    void Press(std::string_view control) override;
    platform::ISettingsStore& Settings() override;
    std::string Programmname() override;
    platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) override;
    void DoEvents() override;
    void WaitForEvents(int timeoutMs) override;
    // Escape was pressed, or the user closed the window while the run waits.
    bool Ended() override;
    void Browserfehler() override;
    void CloseWindow() override;

private:
    clRovandel2& m_Logic;
};
