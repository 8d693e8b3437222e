#include "base/RegistryValue.h"

#include <charconv>

#include "base/AppError.h"

namespace {

[[noreturn]] void ThrowTypeMismatch() { Raise(ErrorNumber::TypeMismatch); }

std::int32_t ParseNumber(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) ThrowTypeMismatch();
    const char* begin = text.data() + first;
    const char* end = text.data() + last + 1;
    if (*begin == '+') ++begin;
    std::int64_t wide = 0;
    auto [ptr, ec] = std::from_chars(begin, end, wide);
    if (ec == std::errc::result_out_of_range) Raise(ErrorNumber::Overflow);
    if (ec != std::errc() || ptr != end || begin == end) ThrowTypeMismatch();
    if (wide < INT32_MIN || wide > INT32_MAX) Raise(ErrorNumber::Overflow);
    return static_cast<std::int32_t>(wide);
}

}  // namespace

std::string RegistryValue::ToText() const {
    switch (kind()) {
        case Kind::None: return {};
        case Kind::Text: return std::get<std::string>(m_Value);
        case Kind::Number: return std::to_string(std::get<std::int32_t>(m_Value));
        case Kind::Bytes: break;
    }
    ThrowTypeMismatch();
}

std::int32_t RegistryValue::ToNumber() const {
    switch (kind()) {
        case Kind::None: return 0;
        case Kind::Text: return ParseNumber(std::get<std::string>(m_Value));
        case Kind::Number: return std::get<std::int32_t>(m_Value);
        case Kind::Bytes: break;
    }
    ThrowTypeMismatch();
}

ByteArray RegistryValue::ToBytes() const {
    if (kind() != Kind::Bytes) ThrowTypeMismatch();
    return std::get<ByteArray>(m_Value);
}

std::int32_t LenientNumber(const RegistryValue& value) {
    if (!value.IsNumber() && !value.IsText()) return 0;
    try {
        return value.ToNumber();
    } catch (const AppError&) {
        return 0;
    }
}
