#pragma once
// Registry files as Windows' Registry Editor writes and imports them
// ("Windows Registry Editor Version 5.00", UTF-16 with its byte-order mark):
// the form of Tessivar's backups of ACT!'s configuration.
//
// A backup ends with a comment line that counts its values, so that a file
// cut short at a line boundary is told from a whole one; the Registry Editor
// skips comment lines when it imports.
//
// Both directions work piece by piece: a backup of a key holding a value of
// a hundred megabytes must not need its file in memory several times over.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/RegistryValue.h"

namespace regfile {

struct Value {
    std::string name;  // UTF-8
    RegistryValue value;  // text (UTF-8), 32-bit number or byte array
    bool operator==(const Value&) const = default;
};

struct Key {
    std::string path;  // "HKEY_CURRENT_USER\\Software\\...", UTF-8
    std::vector<Value> values;
    bool operator==(const Key&) const = default;
};

// Takes the file's bytes as they are made; raises AppError when they cannot be stored.
using Sink = std::function<void(std::span<const std::uint8_t>)>;

// Byte-order mark and header at once, then the keys in order, each with its
// values, and the closing count at Finish. Output reaches the sink in
// pieces of about a megabyte.
class Writer {
public:
    explicit Writer(Sink out);
    // A comment line naming what the backup was taken before; only before
    // the first key. Line breaks become blanks, and a very long text is cut.
    void Reason(std::string_view text);
    void BeginKey(std::string_view path);
    void Number(std::string_view name, std::int32_t value);
    void Binary(std::string_view name, std::span<const std::uint8_t> data);
    void Text(std::string_view name, std::string_view text);
    void Put(const Value& value);
    void Finish();

private:
    void Emit(std::string_view utf8);
    void Hex(std::string& line, std::string_view prefix, std::span<const std::uint8_t> bytes);
    void Flush();

    Sink m_Out;
    std::vector<std::uint8_t> m_Buffer;
    std::size_t m_Values = 0;
    bool m_InKey = false;
};

// The whole file of these keys.
std::vector<std::uint8_t> Write(const std::vector<Key>& keys);

// Fills `buffer` with the file's next bytes; fewer only at its end.
using Source = std::function<std::size_t(std::span<std::uint8_t>)>;

// What a file holds, handed over as it is read. A handler refuses the file
// by raising AppError; reading then stops.
class Handler {
public:
    virtual ~Handler() = default;
    virtual void OnKey(std::string path) = 0;
    virtual void OnNumber(std::string name, std::int32_t value) = 0;
    virtual void OnText(std::string name, std::string text) = 0;
    virtual void OnBinary(std::string name, ByteArray data) = 0;
};

// Reads a file that Writer made (or the Registry Editor saved again in the
// same form), holding no more of it than one line, or of a wrapped binary
// value only its bytes. Raises AppError 321 with a German description
// naming the line for a file that is not such a backup: another header, a
// line it does not know, a value type other than text, number and binary,
// a file cut short, or a value count that does not match. The handler has
// then seen part of the file: it must act only once Read has returned.
void Read(const Source& file, Handler& handler);

// Whether the last bytes of a file (an even number of them, at most
// kTailBytes, from the file's end) close it as Writer does: its last line
// is the closing count. A file cut short anywhere else fails; one damaged
// further up passes, and only Read tells.
inline constexpr std::size_t kTailBytes = 256;
bool EndsWhole(std::span<const std::uint8_t> tail);

// The reason a backup names in its first lines (Writer::Reason), read from
// the first bytes of the file (at most kHeadBytes); empty for a file
// without one, such as a backup of an older version.
inline constexpr std::size_t kHeadBytes = 2048;
std::string ReasonOf(std::span<const std::uint8_t> head);

// Read, collecting the file's keys.
std::vector<Key> ReadKeys(const Source& file);
// Read over a file in memory, collecting its keys.
std::vector<Key> Parse(std::span<const std::uint8_t> file);

}  // namespace regfile
