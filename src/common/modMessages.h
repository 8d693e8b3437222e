#pragma once
// Showing a message box the way every routine of the programs does.
#include <string>
#include <string_view>

#include "platform/Platform.h"

class AppError;

namespace modMessages {

// A box titled `title`, or the program's own title when `title` is empty.
platform::MsgAnswer MsgBox(const platform::Platform& env, std::string_view text,
                           platform::MsgIcon icon = platform::MsgIcon::None,
                           platform::MsgButtons buttons = platform::MsgButtons::Ok, std::string_view title = {});

// "Error: " + number + ". " + description, OK, no icon, titled after the routine.
void ShowRoutineError(const platform::Platform& env, std::string_view routine, std::int32_t number,
                      std::string_view description);

// "Fehler in Klasse " + classAndMethod, "Fehlernummer: " + number and
// "Fehlerbeschreibung: " + description, with the exclamation icon.
void ShowClassError(const platform::Platform& env, std::string_view classAndMethod, std::int32_t number,
                    std::string_view description);

// The same for whatever the current exception is; used in catch (...) blocks.
void ShowCurrentException(const platform::Platform& env, std::string_view routine);
void ShowCurrentClassError(const platform::Platform& env, std::string_view classAndMethod);

}  // namespace modMessages
