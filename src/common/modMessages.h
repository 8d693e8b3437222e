#pragma once
// Showing a message box the way every routine of the programs does.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/MessageBoxes.h"

class AppError;

namespace modMessages {

// A box titled `title`, or the program's own title when `title` is empty.
platform::MsgAnswer MsgBox(platform::IMessageBoxes& boxes, std::string_view text,
                           platform::MsgIcon icon = platform::MsgIcon::None,
                           platform::MsgButtons buttons = platform::MsgButtons::Ok, std::string_view title = {});

// "Error: " + number + ". " + description, OK, no icon, titled after the
// routine: how the thin platform wrappers report a fault of their own.
void ShowRoutineError(platform::IMessageBoxes& boxes, std::string_view routine, const AppError& error);

// "Fehler in Klasse " + classAndMethod, "Fehlernummer: " + number and
// "Fehlerbeschreibung: " + description, with the exclamation icon.
void ShowClassError(platform::IMessageBoxes& boxes, std::string_view classAndMethod, const AppError& error);

}  // namespace modMessages
