#pragma once
// Rovandel2's main window, built from its control table
// (Rovandel2Controls), with the art only the real window has: the banner,
// the Info button's picture, the status pictures of ilBH and the status
// panel's picture at start. What the window does lies in clRovandel2
// (Logic()); the window forwards its controls' events, Escape and its close
// to it.
#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/clEinstellungen.h"
#include "routeplanner/clRovandel2.h"
#include "ui/FormWindow_win.h"
#include "ui/ImageList_win.h"

// How Escape ends the program: at once, without the close steps.
class IProgramEnd {
public:
    virtual ~IProgramEnd() = default;
    virtual void EndNow() = 0;
};

// The process ends with exit code 0; nothing of the program runs on.
class ProcessEnd : public IProgramEnd {
public:
    void EndNow() override;
};

class frmRovandel2 : public ui::FormWindow, public IRovandel2Window {
public:
    // `settings`: what the settings window works with.
    frmRovandel2(clRovandel2::Services services, clEinstellungen::Services settings, IProgramEnd& end);
    ~frmRovandel2() override;

    // Makes the window and its controls, unseen and not yet loaded.
    void Build();
    // Builds the window unless that is done, loads its values (Form_Load)
    // and shows it.
    void Open(int show = SW_SHOWNORMAL);
    using ui::Window::RunUntilClosed;

    clRovandel2& Logic() { return m_Logic; }
    // ilBH: "off" (1) and "on" (2), 32 x 16 each.
    ui::ImageList& ilBH() { return m_ilBH; }

    // IRovandel2Window
    void SetStatusPicture(int number) override;
    void SetStatusPicture(std::string_view key) override;
    void EndProgram() override;
    void ShowInfo() override;
    void ShowSettings() override;
    void Signal() override;

protected:
    void OnCreate() override;
    bool OnEscape() override;
    bool OnClose() override;

private:
    platform::IShell& m_Shell;
    clEinstellungen::Services m_Settings;
    IProgramEnd& m_End;
    clRovandel2 m_Logic;
    ui::ImageList m_ilBH;
    ui::ImageList m_StartPicture;  // the status panel's picture at start
    bool m_Loaded = false;  // Form_Load has run on the window there is
};
