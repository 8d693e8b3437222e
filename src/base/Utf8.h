#pragma once
// UTF-8 helpers for text that is measured or cut in characters. Invalid
// sequences count as one character each and are never split.
#include <cstddef>
#include <string>
#include <string_view>

namespace utf8 {

// Length in bytes of the sequence that starts at text[pos] (1 for a stray byte).
std::size_t SequenceLength(std::string_view text, std::size_t pos);

// Number of characters.
std::size_t Length(std::string_view text);

// The first `count` characters.
std::string_view Left(std::string_view text, std::size_t count);

// Decodes to code points; invalid bytes become U+FFFD.
std::u32string Decode(std::string_view text);
std::string Encode(std::u32string_view codePoints);
void AppendCodePoint(std::string& out, char32_t cp);

// UTF-16 (for the Win32 boundary); unpaired surrogates become U+FFFD.
std::u16string ToUtf16(std::string_view text);
std::string FromUtf16(std::u16string_view text);

// Simple case mapping of the letters German users meet (Latin, Greek,
// Cyrillic); anything else is kept.
char32_t SimpleLower(char32_t cp);
std::string ToLower(std::string_view text);

}  // namespace utf8
