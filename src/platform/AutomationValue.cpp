#include <cstdlib>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "platform/Automation.h"

namespace platform {

namespace {

[[noreturn]] void TypeMismatch() { Raise(ErrorNumber::TypeMismatch); }

std::int32_t LeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t n = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        n = n * 10 + (text[i] - '0');
        if (n > 2147483648LL) Raise(ErrorNumber::Overflow);
    }
    if (negative) n = -n;
    if (n > 2147483647LL) Raise(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(n);
}

}  // namespace

AutoObjectPtr AsObject(const AutoValue& value) {
    if (const auto* object = std::get_if<AutoObjectPtr>(&value)) return *object;
    return nullptr;
}

std::string AsText(const AutoValue& value) {
    switch (value.index()) {
        case 0: return {};
        case 1: return std::get<std::string>(value);
        case 2: return std::to_string(std::get<std::int16_t>(value));
        case 3: return std::to_string(std::get<std::int32_t>(value));
        case 4: return std::string(std::get<bool>(value) ? texts::kAutoTrue : texts::kAutoFalse);
        default:
            if (!std::get<AutoObjectPtr>(value)) return {};
            TypeMismatch();
    }
}

std::int32_t AsNumber(const AutoValue& value) {
    switch (value.index()) {
        case 0: return 0;
        case 1: return LeadingNumber(std::get<std::string>(value));
        case 2: return std::get<std::int16_t>(value);
        case 3: return std::get<std::int32_t>(value);
        case 4: return std::get<bool>(value) ? -1 : 0;
        default:
            if (!std::get<AutoObjectPtr>(value)) return 0;
            TypeMismatch();
    }
}

bool AsBool(const AutoValue& value) {
    if (const auto* b = std::get_if<bool>(&value)) return *b;
    if (const auto* t = std::get_if<std::string>(&value)) {
        const std::string lower = ascii::Lower(ascii::TrimBlanks(*t));
        if (lower == "wahr" || lower == "true") return true;
        if (lower == "falsch" || lower == "false") return false;
    }
    return AsNumber(value) != 0;
}

std::string Describe(const AutoValue& value) {
    switch (value.index()) {
        case 0: return "empty";
        case 1: return "s\"" + std::get<std::string>(value) + "\"";
        case 2: return "i2:" + std::to_string(std::get<std::int16_t>(value));
        case 3: return "i4:" + std::to_string(std::get<std::int32_t>(value));
        case 4: return std::get<bool>(value) ? "b:true" : "b:false";
        default: return std::get<AutoObjectPtr>(value) ? "obj" : "nothing";
    }
}

}  // namespace platform
