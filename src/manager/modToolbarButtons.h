#pragma once
// The toolbar step of a change: a command's button put on or taken off a
// toolbar looked for by name. A toolbar whose button list cannot be read or
// changed keeps its buttons; the change goes on without the step, and its
// caller reports the error (Report). A write the registry refused ends the
// whole change, as every refused write does.
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "base/AppError.h"
#include "platform/MessageBoxes.h"
#include "toolbars/clACTToolbars.h"

namespace modToolbarButtons {

// The names a toolbar is looked for by, tried in order.
using Names = std::span<const std::string_view>;

// The first toolbar found by one of `names`; nullptr when none is there.
clACTToolbar* Find(clACTToolbars& toolbars, Names names);

// A separator and the command's button appended to the toolbar; nothing
// when there is no such toolbar. The error that kept the step from being
// done, or nothing.
std::optional<AppError> Add(clACTToolbars& toolbars, Names names, std::int32_t commandId);

// The command's button taken off the toolbar. Identifier 0 marks
// separators: a command whose identifier could not be read (0) takes
// nothing off.
std::optional<AppError> Remove(clACTToolbars& toolbars, Names names, std::int32_t commandId);

// "Fehler in Klasse clACTToolbar" + method (" Methode AddButton", ...) with
// the error's number and description.
void Report(platform::IMessageBoxes& boxes, std::string_view method, const AppError& error);

}  // namespace modToolbarButtons
