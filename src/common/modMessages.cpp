#include "common/modMessages.h"

#include "base/AppError.h"
#include "base/ErrorText.h"
#include "base/UiTexts.h"

namespace modMessages {

platform::MsgAnswer MsgBox(platform::IMessageBoxes& boxes, std::string_view text, platform::MsgIcon icon,
                           platform::MsgButtons buttons, std::string_view title) {
    platform::MessageBoxRequest request;
    request.text = std::string(text);
    request.title = std::string(title);
    request.icon = icon;
    request.buttons = buttons;
    return boxes.Show(request);
}

void ShowRoutineError(platform::IMessageBoxes& boxes, std::string_view routine, const AppError& error) {
    MsgBox(boxes, errortext::Brief(error), platform::MsgIcon::None, platform::MsgButtons::Ok, routine);
}

void ShowClassError(platform::IMessageBoxes& boxes, std::string_view classAndMethod, const AppError& error) {
    MsgBox(boxes, errortext::Report(std::string(texts::kClassErrorPrefix) + std::string(classAndMethod), error),
           platform::MsgIcon::Exclamation);
}

}  // namespace modMessages
