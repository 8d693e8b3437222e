#pragma once
// Registry files as Windows' Registry Editor writes and imports them
// ("Windows Registry Editor Version 5.00", UTF-16 with its byte-order mark):
// the form of Tessivar's backups of ACT!'s configuration.
//
// A backup ends with a comment line that counts its values, so that a file
// cut short at a line boundary is told from a whole one; the Registry Editor
// skips comment lines when it imports.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/RegistryValue.h"

namespace regfile {

struct Value {
    std::string name;     // UTF-8
    RegistryValue value;  // text (UTF-8), 32-bit number or byte array
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;  // "HKEY_CURRENT_USER\\Software\\...", UTF-8
    std::vector<Value> values;
    bool operator==(const Key&) const = default;
};

// The file's bytes: byte-order mark, header, the keys in order, the closing count.
std::vector<std::uint8_t> Write(const std::vector<Key>& keys);

// Reads a file that Write made (or the Registry Editor saved again in the
// same form). Raises AppError 321 with a German description naming the
// line for a file that is not such a backup: another header, a line it
// does not know, a value type other than text, number and binary, a file
// cut short, or a value count that does not match.
std::vector<Key> Parse(std::span<const std::uint8_t> file);

}  // namespace regfile
