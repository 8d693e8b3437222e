#pragma once
// UTF-8 <-> UTF-16 at the Win32 boundary.
#include <string>
#include <string_view>

namespace platform {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace platform
