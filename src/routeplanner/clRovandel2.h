#pragma once
// The logic of Rovandel2's main window over its controls: loading the values
// from the settings store and storing them on close, the status line, the
// locking while a task runs, the address capture from ACT!, the cookie
// clean-up, Escape. The window (frmRovandel2) calls the event routines; what
// the window keeps and what a task locks, the logic reads from the window's
// control table (Rovandel2Controls). The route calculation and the clean-up
// get what they need handed to them and report back through narrow
// interfaces; they do not reach into this class.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/AppError.h"
#include "common/clACTApplication.h"
#include "browser/Browser.h"
#include "platform/Clock.h"
#include "common/modRegistry.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "platform/Shell.h"
#include "platform/ShellFolders.h"
#include "ui/Form.h"

// The main window as its logic sees it: its controls, and what only the window does.
class IRovandel2Window : public virtual ui::IForm {
public:
    // The status panel's picture: picture `number` (from 1) of the image
    // list ilBH, or the one keyed `key` ("off", "on").
    virtual void SetStatusPicture(int number) = 0;
    virtual void SetStatusPicture(std::string_view key) = 0;
    // Ends the program at once: no close steps, nothing stored.
    virtual void EndProgram() = 0;
    // The About window, modal over this one.
    virtual void ShowInfo() = 0;
    // The settings window, modal over this one.
    virtual void ShowSettings() = 0;
    // A short warning sound: a request refused while another task runs.
    virtual void Signal() = 0;
};

class clRovandel2 {
public:
    // What the window works with: the window events that its tasks let run
    // and the window list (the window kept on top); the registry (the
    // shell's cookie folder), whose boxes show the window's messages; the
    // cookie files; the options; the shell's folders; the link to ACT!; ...
    struct Services {
        platform::IWindowSystem& windows;
        modRegistry::Access registry;
        platform::IFileSystem& files;
        platform::ISettingsStore& settings;
        platform::IShellFolders& shell;
        clACTApplication& ACTApp;
        std::string Programmname;
        // The route calculation's browser, the shell that opens web
        // addresses in the user's default browser (and the maker's address
        // from the About window), and the clock of the waits.
        platform::IBrowserFactory& browsers;
        platform::IShell& launcher;
        platform::IClock& clock;
    };

    clRovandel2(Services services, IRovandel2Window& window);
    clRovandel2(const clRovandel2&) = delete;
    clRovandel2& operator=(const clRovandel2&) = delete;

    // --- window events ------------------------------------------------------
    // Fills the lists and restores the stored values.
    void Form_Load();
    // Whether the window may close now. While a task runs it closes only
    // when the task has ended; the close steps then follow.
    bool Form_QueryUnload();
    // The close steps: every value restored at load is stored, in that order.
    void Form_Unload();
    // Escape (27) ends the program at once, storing nothing.
    void Form_KeyPress(int KeyAscii);
    void cmdAktuellerDatensatzStart_Click();
    void cmdPersoenlicherDatensatzStart_Click();
    void cmdAktuellerDatensatzZiel_Click();
    void cmdPersoenlicherDatensatzZiel_Click();
    void cmdBrowse_Click();
    void cmdInfo_Click();
    void cmdEinstellungen_Click();
    void imBanner_Click();

    // --- operations of the window's tasks -----------------------------------
    // "Rovandel2: " + Text in the status panel ("" clears it; nothing before
    // the window has loaded), then pending window events run once.
    void zeigeStatus(std::string_view Text);
    // Locks (false) or unlocks the window: the hourglass, and every control
    // that a task locks disabled or enabled; then pending events run.
    void aktiviereEingaben(bool Aktiv);
    // The first top-level window titled like `Fenster` stays on top of all
    // others, or becomes an ordinary window again; failures are ignored.
    void SetFrontwindow(const ui::IForm& Fenster, bool ImVordergrund);
    // Reads ACT!'s current contact into the start or the destination controls.
    void setzeStartadresse();
    void setzeZieladresse();
    // Closes the window with its close steps: now, or when the running task ends.
    void Schliessen();

    bool Beschaeftigt() const { return m_Busy; }
    // Escape has ended the program.
    bool Beendet() const { return m_Ended; }
    // The route calculation failed (its browser, or ACT! for its automatic
    // addresses): the program ends with exit code 1.
    bool Fehlgeschlagen() const { return m_Failed; }
    bool SchliessenAngefragt() const { return m_CloseRequested; }

    IRovandel2Window& Window() { return m_Window; }
    platform::IWindowSystem& Windows() const { return m_Env.windows; }
    platform::IMessageBoxes& Boxes() const { return m_Env.registry.boxes; }

private:
    // Runs `body` as a task of the window. While another task runs the
    // request is refused with a warning sound. An error that leaves `body`
    // is reported ("Fehler in " + routine). False when refused.
    bool Aufgabe(std::string_view routine, const std::function<void()>& body);
    // Escape, or the user closed the window while a task yields: the task stops.
    bool Stopping() const { return m_Ended || m_CloseRequested; }
    platform::ISettingsStore& Settings() { return m_Env.settings; }
    clACTApplication& ACTApp() { return m_Env.ACTApp; }
    const std::string& Programmname() const { return m_Env.Programmname; }

    // The four address buttons' whole actions (locking, capture, unlocking,
    // the report of a failure), also for the route calculation, which takes
    // the automatic addresses inside its own task.
    void AktuellerDatensatzStart();
    void PersoenlicherDatensatzStart();
    void AktuellerDatensatzZiel();
    void PersoenlicherDatensatzZiel();
    // The Start button's task: the automatic addresses, the window locked and
    // on top, the run, and the window unlocked or closed by its outcome.
    void RouteCalculation();
    // Start's tip names the host of the planner the options give now.
    void ShowPlannerInTip();
    // "Street, ZIP City, Country" of the start or the destination controls.
    std::string AddressLine(bool start) const;

    // What one capture read from ACT! for the boxes of one side.
    struct Adresse {
        std::string city, street, zip, houseNo;
        int country = 0;
    };
    Adresse LeseAdresse();
    // `start`: the start controls, else the destination's.
    void ZeigeAdresse(bool start, const Adresse& adresse);
    void setzeAdresse(bool start);
    // One capture inside its frame (locked, on top, its status): from ACT!'s
    // current contact, or from the user's own record and back; `take` gets
    // what was read before the window is unlocked.
    void Erfassung(std::string_view meldung, bool persoenlich, const std::function<void(const Adresse&)>& take);
    void AktuellerDatensatz(std::string_view meldung, bool start);
    void PersoenlicherDatensatz(std::string_view meldung, bool start);
    // A capture of the Start button: its boxes change only when ACT! answered
    // every call and still runs afterwards. False when the run stops: ACT!
    // did not answer (said), or the program is ending.
    bool AutomatischeAdresse(std::string_view meldung, bool start, bool persoenlich);
    // Said once; the run ends failed and the window closes with its boxes as they were.
    void ActAntwortetNicht();
    // A call to ACT! whose error gives "" and is reported after the capture.
    std::string Link(const std::function<std::string()>& call);
    void MeldeErfassungsfehler();

    void Restore(const ui::ControlEntry& kept);
    void RestoreList(ui::DropDownId list, std::string_view key);
    void RestoreCheck(ui::ToggleId check, std::string_view key);
    void Store(const ui::ControlEntry& kept);

    Services m_Env;
    IRovandel2Window& m_Window;
    bool m_StatusPanel = false;  // taken when the window loads
    bool m_Busy = false;
    bool m_Ended = false;
    bool m_Failed = false;
    bool m_CloseRequested = false;
    bool m_Unloaded = false;
    std::optional<AppError> m_CaptureError;
};
