#pragma once
// What the route calculation needs of Rovandel2's main window frmRovandel2:
// its status line, progress bar and status picture, its locking and
// topmost state, the address boxes, country lists and check boxes, its
// address buttons, the settings store, its message boxes and its closing.
// Controls are named by their design names ("txbrouteEntry_start_street",
// "cbxrouteEntry_dest_country", "ckAutoStart", ...).
#include <string>
#include <string_view>

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"

class RouteHost {
public:
    // Where Rovandel2 keeps its options in the settings store.
    static constexpr std::string_view kSettingsApp = "Rovandel2";
    static constexpr std::string_view kSettingsSection = "Optionen";

    virtual ~RouteHost() = default;

    // Programmname + ": " + Text in the status line ("" clears it), then
    // the pending window events run once.
    virtual void zeigeStatus(std::string_view Text) = 0;
    // Locks (false) or unlocks (true) the text boxes and buttons, with the
    // hourglass while locked; then the pending window events run once.
    virtual void aktiviereEingaben(bool Aktiv) = 0;
    // Keeps the main window above all others (true) or not (false); the
    // window is the host's own.
    virtual void SetFrontwindow(bool ImVordergrund) = 0;
    virtual void SetProgress(int value) = 0;
    // The status panel's picture: picture `number` (from 1) of the image
    // list ilBH, or the one keyed `key` ("off", "on").
    virtual void SetStatusPicture(int number) = 0;
    virtual void SetStatusPicture(std::string_view key) = 0;

    // A text box's text; the text of a drop-down list's selected entry.
    virtual std::string Text(std::string_view control) = 0;
    virtual std::string SelectedText(std::string_view control) = 0;
    virtual bool IsChecked(std::string_view control) = 0;
    // Presses an address button: its whole action runs before this returns.
    virtual void Press(std::string_view control) = 0;

    virtual platform::ISettingsStore& Settings() = 0;
    virtual std::string Programmname() = 0;
    virtual platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) = 0;

    // The pending window events run once.
    virtual void DoEvents() = 0;
    // Waits until a window event comes or `timeoutMs` passes, then runs the
    // pending events: a waiting loop's pause that keeps the window responsive.
    virtual void WaitForEvents(int timeoutMs) = 0;
    // True once the program is ending (Escape, the window closed by the
    // user): the run then stops at once and shows nothing more.
    virtual bool Ended() = 0;

    // The browser failed and the failure was reported (or the program was
    // ending): the program's exit code says so.
    virtual void Browserfehler() = 0;

    // Closes the main window with its close steps (the window's values are
    // stored); the program ends.
    virtual void CloseWindow() = 0;
};
