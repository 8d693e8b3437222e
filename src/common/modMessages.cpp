#include "common/modMessages.h"

#include <new>

#include "base/AppError.h"
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
    std::string text(texts::kErrorPrefix);
    text += std::to_string(number);
    text += ". ";
    text += description;
    MsgBox(env, text, platform::MsgIcon::None, platform::MsgButtons::Ok, routine);
}

AppError CurrentError() {
    try {
        throw;
    } catch (const AppError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return AppError(ErrorNumber::OutOfMemory, std::string(texts::kOutOfMemory));
    } catch (const std::exception& e) {
        return AppError(ErrorNumber::Internal, std::string(texts::kInternalError) + ": " + e.what());
    } catch (...) {
        return AppError(ErrorNumber::Internal, std::string(texts::kInternalError));
    }
}

void ShowCurrentException(const platform::Platform& env, std::string_view routine) {
    const AppError e = CurrentError();
    ShowRoutineError(env, routine, e.number(), e.description());
}

void ShowClassError(const platform::Platform& env, std::string_view classAndMethod, std::int32_t number,
                    std::string_view description) {
    std::string text(texts::kClassErrorPrefix);
    text += classAndMethod;
    text += texts::kCrLf;
    text += texts::kErrorNumberLine;
    text += std::to_string(number);
    text += texts::kCrLf;
    text += texts::kErrorDescriptionLine;
    text += description;
    MsgBox(env, text, platform::MsgIcon::Exclamation);
}

void ShowCurrentClassError(const platform::Platform& env, std::string_view classAndMethod) {
    const AppError e = CurrentError();
    ShowClassError(env, classAndMethod, e.number(), e.description());
}

}  // namespace modMessages
