#pragma once
// Small text helpers that need no code page.
#include <string>
#include <string_view>

namespace ascii {

// Lower case for the letters A to Z only: for names that are ASCII by
// definition (automation members, registry keys, protocol words).
std::string Lower(std::string_view text);

// Without leading and trailing blanks (U+0020 only).
std::string_view TrimBlanks(std::string_view text);

}  // namespace ascii
