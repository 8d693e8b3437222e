#pragma once
// The logic of Rovandel2's settings window: the one place where the user
// sets the options the runs only read. It shows the route planner (a preset
// or an address of the user's own), the browser (each marked when it is not
// on this machine; the default browser only for a planner that takes the
// addresses in its web address), the browser's extra arguments, ACT!'s field
// numbers of an address and the cookie folder. A value an administrator has
// set is shown locked. OK checks every value, refuses one that cannot be
// valid with a message naming its field (the window stays open), and writes
// each value that changed, one write each; Abbrechen and Escape write
// nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "browser/BrowserChoice.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFolders.h"
#include "ui/Form.h"

class clEinstellungen {
public:
    // The options; where the browsers are found (to mark the missing ones)
    // and whether a chosen program is there; the program's file dialog and
    // the folder chooser; the boxes of the refusals.
    struct Services {
        platform::ISettingsStore& settings;
        platform::BrowserChoice::Services browsers;
        platform::IFileDialogs& dialogs;
        platform::IShellFolders& folders;
        platform::IMessageBoxes& boxes;
    };

    clEinstellungen(Services services, ui::IForm& window);
    clEinstellungen(const clEinstellungen&) = delete;
    clEinstellungen& operator=(const clEinstellungen&) = delete;

    // OK has written the options (or found nothing changed) and closed the window.
    bool Saved() const { return m_Saved; }

    // --- window events ------------------------------------------------------
    // The options read, the browsers looked for, locked values locked.
    void Form_Load();
    void cbxRoutenplaner_Click();
    void txbURL_Change();
    // The user chose the browser option `option`.
    void optBrowser_Click(ui::ToggleId option);
    void cmdProgramm_Click();
    void cmdStandardwerte_Click();
    void cmdCookiePfad_Click();
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    // Escape (27) closes the window as Abbrechen does.
    void Form_KeyPress(int KeyAscii);

    // The values as the window shows them: what OK writes where they changed.
    struct Values {
        std::string url, browser, arguments, street, zip, city, country, cookieFolder;
        bool operator==(const Values&) const = default;
    };
    Values Shown() const;

private:
    // The planner's address the window shows now: the preset's or the user's own.
    std::string ChosenUrl() const;
    bool OwnAddress() const;
    void ShowPlanner(std::string_view url);
    void ShowBrowser(std::string_view option);
    void SelectBrowser(ui::ToggleId option);
    ui::ToggleId SelectedBrowser() const;
    void MarkBrowsers();
    void LockWhatIsSet();
    // Which controls take input now: the address box for an own address, the
    // program box for a program, the default browser for an address planner.
    void UpdateEnabled();
    // The first value that cannot be valid, reported and focused; false then.
    bool Check();
    void Refuse(std::string text, ui::ControlId field);
    bool Locked(std::string_view key) const;

    Services m_Env;
    ui::IForm& m_Window;
    Values m_Loaded;  // as shown right after load
    bool m_LoadedProgram = false;  // the browser was a program's path
    bool m_Saved = false;
};
