#pragma once
// The progress window of the install and removal runs, built from its
// control table (HauptControls); what it does lies in clHaupt, which is the
// progress window the runs report to (Logic()).
#include "manager/HauptControls.h"
#include "manager/clHaupt.h"
#include "ui/FormWindow_win.h"

class frmHaupt : public ui::FormWindow, public IHauptWindow {
public:
    static constexpr const wchar_t* kClassName = L"TessivarHaupt";

    frmHaupt();

    // What the runs report to.
    clHaupt& Logic() { return m_Logic; }
    using ui::Window::RunUntilClosed;

    // IHauptWindow
    void Load() override;
    void Display() override;
    void Repaint() override;

    HWND imBanner() const { return At<ui::Control>(HauptControls::imBanner).hwnd(); }
    HWND lbInfo() const { return At<ui::Control>(HauptControls::lbInfo).hwnd(); }
    HWND cmdOK() const { return At<ui::Control>(HauptControls::cmdOK).hwnd(); }

protected:
    void OnCreate() override;
    bool OnEscape() override;
    bool OnClose() override { return m_Logic.Form_QueryUnload(); }

private:
    clHaupt m_Logic;
};
