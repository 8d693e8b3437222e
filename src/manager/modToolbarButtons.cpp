#include "manager/modToolbarButtons.h"

#include <string>

#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace modToolbarButtons {
namespace {

// Runs the step; a fault of the toolbar is given back, a refused write goes on.
template <class Step>
std::optional<AppError> Attempt(Step&& step) {
    try {
        step();
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::RegistryNotWritten) throw;
        return error;
    }
    return std::nullopt;
}

}  // namespace

clACTToolbar* Find(clACTToolbars& toolbars, Names names) {
    for (std::string_view name : names) {
        if (clACTToolbar* toolbar = toolbars.Item(name)) return toolbar;
    }
    return nullptr;
}

std::optional<AppError> Add(clACTToolbars& toolbars, Names names, std::int32_t commandId) {
    return Attempt([&] {
        if (clACTToolbar* toolbar = Find(toolbars, names)) toolbar->AddSeparatorAndButton(commandId);
    });
}

std::optional<AppError> Remove(clACTToolbars& toolbars, Names names, std::int32_t commandId) {
    if (commandId <= 0) return std::nullopt;
    return Attempt([&] {
        if (clACTToolbar* toolbar = Find(toolbars, names)) toolbar->RemoveButton(commandId);
    });
}

void Report(platform::IMessageBoxes& boxes, std::string_view method, const AppError& error) {
    modMessages::ShowClassError(boxes, std::string(texts::kClassToolbar) + std::string(method), error);
}

}  // namespace modToolbarButtons
