#include "common/modMessages.h"

#include "base/AppError.h"
#include "base/ErrorText.h"
#include "base/UiTexts.h"

namespace modMessages {

platform::MsgAnswer MsgBox(const platform::Platform& env, std::string_view text, platform::MsgIcon icon,
                           platform::MsgButtons buttons, std::string_view title) {
    platform::MessageBoxRequest request;
    request.text = std::string(text);
    request.title = title.empty() ? env.programTitle : std::string(title);
    request.icon = icon;
    request.buttons = buttons;
    return env.messages.Show(request);
}

void ShowRoutineError(const platform::Platform& env, std::string_view routine, std::int32_t number,
                      std::string_view description) {
    MsgBox(env, errortext::Brief(number, description), platform::MsgIcon::None, platform::MsgButtons::Ok, routine);
}

void ShowCurrentException(const platform::Platform& env, std::string_view routine) {
    const AppError e = CurrentError();
    ShowRoutineError(env, routine, e.number(), e.description());
}

void ShowClassError(const platform::Platform& env, std::string_view classAndMethod, std::int32_t number,
                    std::string_view description) {
    MsgBox(env,
           errortext::Report(std::string(texts::kClassErrorPrefix) + std::string(classAndMethod), number, description),
           platform::MsgIcon::Exclamation);
}

void ShowCurrentClassError(const platform::Platform& env, std::string_view classAndMethod) {
    const AppError e = CurrentError();
    ShowClassError(env, classAndMethod, e.number(), e.description());
}

}  // namespace modMessages
