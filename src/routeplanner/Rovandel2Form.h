#pragma once
// Rovandel2's main window as its logic sees it: controls found by their
// design names, the mouse pointer, the status panel, the progress bar and
// the few things only the window itself can do. The Win32 window implements
// it; tests put a recording window in its place.
#include <string>
#include <string_view>
#include <vector>

#include "platform/WindowSystem.h"

class IRovandel2Form {
public:
    virtual ~IRovandel2Form() = default;

    // Every control's design name, in the window's order, as the window has them now.
    virtual std::vector<std::string> ControlNames() const = 0;
    virtual std::string Tag(std::string_view name) const = 0;

    // Text boxes (and any control's caption).
    virtual std::string Text(std::string_view name) const = 0;
    virtual void SetText(std::string_view name, std::string_view text) = 0;
    virtual bool Enabled(std::string_view name) const = 0;
    virtual void SetEnabled(std::string_view name, bool enabled) = 0;

    // Drop-down lists; positions from 0, -1 when nothing is selected.
    virtual void AddItem(std::string_view name, std::string_view text) = 0;
    virtual int ListCount(std::string_view name) const = 0;
    virtual std::string ItemText(std::string_view name, int index) const = 0;
    virtual int ListIndex(std::string_view name) const = 0;
    virtual void SetListIndex(std::string_view name, int index) = 0;

    // Check boxes and option buttons.
    virtual bool Checked(std::string_view name) const = 0;
    virtual void SetChecked(std::string_view name, bool checked) = 0;

    virtual std::string Caption() const = 0;
    virtual platform::WindowHandle Handle() const = 0;
    // The hourglass over the whole window, or the default pointer.
    virtual void SetHourglass(bool hourglass) = 0;

    // The status bar's panel "Status": its text and the picture before it,
    // by number (from 1) or key of the image list ilBH ("off", "on").
    virtual void SetStatusText(std::string_view text) = 0;
    virtual std::string StatusText() const = 0;
    virtual void SetStatusPicture(int index) = 0;
    virtual void SetStatusPicture(std::string_view key) = 0;
    virtual void SetProgress(int value) = 0;
    virtual int Progress() const = 0;

    // Asks the window to close; its close steps follow.
    virtual void CloseWindow() = 0;
    // Ends the program at once: no close steps, nothing stored.
    virtual void EndProgram() = 0;
    // The About window, modal over this one.
    virtual void ShowInfo() = 0;
    // A short warning sound: a request refused while another task runs.
    virtual void Signal() = 0;
};
