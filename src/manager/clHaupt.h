#pragma once
// The logic of the progress window (frmHaupt): a run reports to it as its
// IProgressWindow, and its message is the label's text; OK or Escape closes
// the window (the program ends with it). While the run works, the window
// keeps answering, but nothing closes it: OK, Escape and the close box wait
// for the run's last message.
#include <functional>
#include <string_view>

#include "manager/ProgressWindow.h"
#include "platform/Pacing.h"
#include "ui/Form.h"

// The window as this logic sees it: its controls, and what only the window does.
class IHauptWindow : public virtual ui::IForm {
public:
    // Makes the window and its controls, unseen, unless it is there.
    virtual void Load() = 0;
    // Shows the window, without a modal loop.
    virtual void Display() = 0;
    // Draws the window now: a run's message shows at once, not at the run's
    // next pause for the window's events.
    virtual void Repaint() = 0;
};

class clHaupt : public IProgressWindow {
public:
    explicit clHaupt(IHauptWindow& window) : m_Window(window) {}

    // IProgressWindow
    void Show(std::string_view info) override;
    void SetInfo(std::string_view info) override;

    // Runs `run` with the window answering meanwhile (Pacing): the controls
    // a task locks are locked and the pointer is the hourglass until it
    // ends; then OK has the focus.
    void Run(platform::Pacing& pacing, const std::function<void()>& run);

    // --- window events ----------------------------------------------------
    void cmdOK_Click();
    // Escape (27) closes the window as OK does.
    void Form_KeyPress(int KeyAscii);
    // False keeps the window open: the run still works.
    bool Form_QueryUnload() const { return !m_Working; }

private:
    void Lock(bool locked);

    IHauptWindow& m_Window;
    bool m_Working = false;
};
