#pragma once
// Windows-1252, the code page of German Windows, in portable code: what the
// programs use for ACT!'s single-byte texts where the system's code page
// cannot be asked (off Windows, and in tests).
#include <string>
#include <string_view>

namespace cp1252 {

// UTF-8 to Windows-1252; characters it lacks become '?'.
std::string FromUtf8(std::string_view utf8);
// Windows-1252 to UTF-8.
std::string ToUtf8(std::string_view bytes);

}  // namespace cp1252
