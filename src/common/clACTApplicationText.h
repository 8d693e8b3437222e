#pragma once
// The texts clACTApplication builds, and its reading of field-type words.
#include <cstdint>
#include <string>
#include <string_view>

namespace clACTApplicationText {

enum class FieldType { Contact, Group, Unknown };

// Compared after lower-casing, without trimming.
FieldType ClassifyFieldType(std::string_view word);
std::string BadFieldTypeWarning(std::string_view word);
std::string RetryQuestion();
// "Bestimme aktuelle ACT!-Suche (" + i / n * 100 with two decimals + ")".
std::string LookupProgress(std::int32_t i, std::int32_t n, std::string_view decimalSeparator);
std::string CloseDbFailed(std::int32_t answer);
std::string GroupViewError(std::int32_t error);

}  // namespace clACTApplicationText
