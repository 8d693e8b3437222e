#include "common/clACTApplicationText.h"

#include "base/Ascii.h"
#include "base/UiTexts.h"

namespace clACTApplicationText {

FieldType ClassifyFieldType(std::string_view word) {
    const std::string lower = ascii::Lower(word);
    if (lower == "kontakt" || lower == "contact") return FieldType::Contact;
    if (lower == "gruppe" || lower == "gruppen" || lower == "group" || lower == "groups") return FieldType::Group;
    return FieldType::Unknown;
}

std::string BadFieldTypeWarning(std::string_view word) {
    return std::string(texts::kActBadFieldTypeStart) + std::string(word) + std::string(texts::kActBadFieldTypeEnd);
}

std::string RetryQuestion() {
    std::string text(texts::kActRetryLine1);
    text += texts::kCrLf;
    text += texts::kActRetryLine2;
    text += texts::kCrLf;
    text += texts::kActRetryLine3;
    return text;
}

std::string LookupProgress(std::int32_t i, std::int32_t n, std::string_view decimalSeparator) {
    // Hundredths of a percent, rounded half up, in integers: no locale and no
    // binary fraction decides the last digit.
    const std::int64_t scaled = static_cast<std::int64_t>(i) * 10000;
    const std::int64_t hundredths = (2 * scaled + n) / (2 * static_cast<std::int64_t>(n));
    const std::int64_t fraction = hundredths % 100;
    std::string text(texts::kActLookupProgressStart);
    text += std::to_string(hundredths / 100);
    text += decimalSeparator;
    if (fraction < 10) text += '0';
    text += std::to_string(fraction);
    text += texts::kActLookupProgressEnd;
    return text;
}

std::string CloseDbFailed(std::int32_t answer) {
    std::string text(texts::kClassErrorPrefix);
    text += texts::kActClassName;
    text += texts::kActCloseDbMethod;
    text += texts::kCrLf;
    text += texts::kActErrorNumberLine;
    text += std::to_string(answer);
    text += texts::kCrLf;
    text += texts::kActCloseDbFailed;
    return text;
}

std::string GroupViewError(std::int32_t error) {
    std::string text(texts::kActOleErrorStart);
    if (error >= 0) text += ' ';
    text += std::to_string(error);
    text += texts::kActOleErrorEnd;
    return text;
}

}  // namespace clACTApplicationText
