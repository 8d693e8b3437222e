#pragma once
// Reading and writing one registry value.
#include <string_view>

#include "base/RegistryValue.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"

namespace modRegistry {

inline constexpr platform::RegKey HKeyCurrentUser = platform::kHKeyCurrentUser;

// What the routines below reach: the registry (the journal of the change
// under way, where there is one), the code page its names and texts cross
// to, and the boxes in which a routine shows a fault of its own.
struct Access {
    platform::IRegistry& registry;
    platform::ITextCodec& text;
    platform::IMessageBoxes& boxes;
};

// The value, or no value when the key or value is missing, a read fails, or
// the value is of a type other than text, binary or 32-bit number.
RegistryValue RegistryGetKeyValue(const Access& reg, platform::RegKey root, std::string_view keyPath,
                                  std::string_view valueName);

// The values of one key, read one after another through the key opened
// once, each in a single query while it is no larger than the largest read
// before: a table of tens of thousands of values takes a third of the
// registry calls it takes through RegistryGetKeyValue, value by value. Each
// value reads as RegistryGetKeyValue gives it; a key that cannot be opened
// holds no values.
class KeyReader {
public:
    KeyReader(const Access& reg, platform::RegKey root, std::string_view keyPath);
    RegistryValue Get(std::string_view valueName);

private:
    Access m_Reg;
    platform::RegistryKey m_Key;
    ByteArray m_Buffer;
};

// Whether a value of that name is there, of whatever type, readable or not.
// A registry that cannot say (the key or the value cannot be queried for
// another reason than its absence) counts as "there": callers ask before
// they would write over a value that may belong to someone else.
bool RegistryValueExists(const Access& reg, platform::RegKey root, std::string_view keyPath,
                         std::string_view valueName);

// Writes `value` as registry type 1 (text), 3 (binary) or 4 (32-bit number),
// creating the key when missing. A write the registry refuses raises
// AppError RegistryNotWritten naming the value: every write belongs to a
// change of the user's configuration, which must not go on as if it had
// happened. A value that cannot be converted to the requested kind is
// reported in a message box and not written. Any other type writes nothing.
void RegistrySetKeyValue(const Access& reg, platform::RegKey root, std::string_view keyPath, std::string_view valueName,
                         const RegistryValue& value, RegType valueType);

// Deletes a value; one that is not there (or whose key is not) is no
// failure. Any other failure raises AppError RegistryNotWritten.
void RegistryDeleteValue(const Access& reg, platform::RegKey root, std::string_view keyPath,
                         std::string_view valueName);

// "Der Wert "Count" im Schlüssel HKEY_CURRENT_USER\... konnte nicht
// geschrieben werden (Systemfehler 5)." (names in UTF-8); for an empty value
// name, that the key could not be made.
std::string NotWrittenText(platform::RegKey root, std::string_view keyPath, std::string_view valueName, long code,
                           bool deletion = false);

}  // namespace modRegistry
