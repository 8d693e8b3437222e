#pragma once
// Rovandel2's start: the one ACT! link of the run, and the two refusals
// before the window shows (ACT! not running, no database open).
#include <memory>
#include <string>

#include "base/AppError.h"
#include "common/clACTApplication.h"
#include "platform/Automation.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"

namespace modRovandel2 {

// What the whole run shares.
struct Programm {
    std::unique_ptr<clACTApplication> ACTApp;  // kept until the program ends
    std::string Programmname;  // put in front of every status message
};

enum class Start {
    Fenster,  // show the main window
    Abgelehnt,  // ACT! not running or no database: the message has been shown
    Fehler,  // ACT! could not be asked: the error has been shown
};

inline constexpr int kExitFinished = 0;
inline constexpr int kExitFailed = 1;  // also: the route calculation's browser failed
inline constexpr int kExitRefused = 2;  // ACT! not running or no database open: nothing was done

// Creates ACTApp, refuses without a running ACT! or an open database
// (exclamation boxes, system-modal), and sets Programmname.
Start Main(const clACTApplication::Services& link, Programm& programm);

// Main's two refusals alone, asking ACT! through `link`; the boxes are shown
// here. For a start that asks ACT! on another thread while it builds the
// window: no state of the run is touched.
Start Pruefe(platform::IMessageBoxes& boxes, clACTApplication& link);

// "Fehler in " + routine, "Fehlernummer: " + number, "Fehlerbeschreibung: " +
// description, with the exclamation icon.
void MeldeFehler(platform::IMessageBoxes& boxes, std::string_view routine, const AppError& error);

}  // namespace modRovandel2
