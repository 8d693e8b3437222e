#pragma once
// The logic of the progress window (frmHaupt): a run reports to it as its
// IProgressWindow, and its message is the label's text; OK or Escape closes
// the window (the program ends with it).
#include <string_view>

#include "manager/ProgressWindow.h"
#include "ui/Form.h"

// The window as this logic sees it: its controls, and what only the window does.
class IHauptWindow : public virtual ui::IForm {
public:
    // Makes the window and its controls, unseen, unless it is there.
    virtual void Load() = 0;
    // Shows the window, without a modal loop.
    virtual void Display() = 0;
    // Draws the window now: a run goes on with its work without letting
    // the window's events run, and its message must show meanwhile.
    virtual void Repaint() = 0;
};

class clHaupt : public IProgressWindow {
public:
    explicit clHaupt(IHauptWindow& window) : m_Window(window) {}

    // IProgressWindow
    void Show(std::string_view info) override;
    void SetInfo(std::string_view info) override;

    // --- window events ----------------------------------------------------
    void cmdOK_Click();
    // Escape (27) closes the window as OK does.
    void Form_KeyPress(int KeyAscii);

private:
    IHauptWindow& m_Window;
};
