#include "base/ErrorText.h"

#include "base/AppError.h"
#include "base/UiTexts.h"

namespace errortext {

std::string Report(std::string_view heading, std::int32_t number, std::string_view description) {
    std::string text(heading);
    text += texts::kCrLf;
    text += texts::kErrorNumberLine;
    text += std::to_string(number);
    text += texts::kCrLf;
    text += texts::kErrorDescriptionLine;
    text += description;
    return text;
}

std::string Report(std::string_view heading, const AppError& error) {
    return Report(heading, error.number(), error.description());
}

std::string Brief(std::int32_t number, std::string_view description) {
    std::string text(texts::kErrorPrefix);
    text += std::to_string(number);
    text += ". ";
    text += description;
    return text;
}

std::string Brief(const AppError& error) { return Brief(error.number(), error.description()); }

}  // namespace errortext
