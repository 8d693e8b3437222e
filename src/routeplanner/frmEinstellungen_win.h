#pragma once
// Rovandel2's settings window, modal over the main window, built from its
// control table (EinstellungenControls); what it does lies in clEinstellungen.
#include "routeplanner/EinstellungenControls.h"
#include "routeplanner/clEinstellungen.h"
#include "ui/FormWindow_win.h"

class frmEinstellungen : public ui::FormWindow {
public:
    explicit frmEinstellungen(clEinstellungen::Services services);

    // Shows the window modally over `owner` until OK or Abbrechen; whether OK wrote.
    bool Edit(HWND owner);

protected:
    void OnCreate() override;
    bool OnEscape() override;

private:
    clEinstellungen m_Logic;
};
