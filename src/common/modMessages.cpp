#include "common/modMessages.h"

#include <new>

#include "common/AppError.h"
#include "common/UiTexts.h"

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
    std::string text(texts::kErrorPrefix);
    text += std::to_string(number);
    text += ". ";
    text += description;
    MsgBox(env, text, platform::MsgIcon::None, platform::MsgButtons::Ok, routine);
}

void ShowCurrentException(const platform::Platform& env, std::string_view routine) {
    try {
        throw;
    } catch (const AppError& e) {
        ShowRoutineError(env, routine, e.number(), e.description());
    } catch (const std::bad_alloc&) {
        ShowRoutineError(env, routine, ErrorNumber::OutOfMemory, texts::kOutOfMemory);
    } catch (const std::exception& e) {
        ShowRoutineError(env, routine, ErrorNumber::Internal, std::string(texts::kInternalError) + ": " + e.what());
    } catch (...) {
        ShowRoutineError(env, routine, ErrorNumber::Internal, texts::kInternalError);
    }
}

}  // namespace modMessages
