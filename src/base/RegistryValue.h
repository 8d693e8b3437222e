#pragma once
// A registry value as the programs handle it: nothing, a text, a signed
// 32-bit number or a byte array (registry types 1, 4 and 3).
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using ByteArray = std::vector<std::uint8_t>;

// The registry types a value is written as. Other numbers write nothing.
enum class RegType : std::int32_t { Text = 1, Binary = 3, Dword = 4 };

class RegistryValue {
public:
    enum class Kind { None, Text, Number, Bytes };

    RegistryValue() = default;
    RegistryValue(std::string text) : m_Value(std::move(text)) {}
    RegistryValue(const char* text) : m_Value(std::string(text)) {}
    RegistryValue(std::int32_t number) : m_Value(number) {}
    RegistryValue(ByteArray bytes) : m_Value(std::move(bytes)) {}

    Kind kind() const { return static_cast<Kind>(m_Value.index()); }
    bool IsNone() const { return kind() == Kind::None; }
    bool IsText() const { return kind() == Kind::Text; }
    bool IsNumber() const { return kind() == Kind::Number; }
    bool IsBytes() const { return kind() == Kind::Bytes; }

    // Conversions for writing a value as a given kind. They raise AppError
    // (type mismatch or overflow) when the value cannot be converted:
    // nothing becomes "" or 0, numbers become decimal text and decimal text
    // becomes a number; nothing else converts.
    std::string ToText() const;
    std::int32_t ToNumber() const;
    ByteArray ToBytes() const;

    bool operator==(const RegistryValue&) const = default;

private:
    std::variant<std::monostate, std::string, std::int32_t, ByteArray> m_Value;
};

// A number that ACT! stores as a DWORD but that hand-edited or imported keys
// may hold as decimal text; anything else, and text that is no number, is 0.
std::int32_t LenientNumber(const RegistryValue& value);
