#include "platform/WinText_win.h"

#include "base/Utf8.h"

namespace platform {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

std::wstring Widen(std::string_view utf8) {
    const std::u16string u16 = utf8::ToUtf16(utf8);
    return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(std::wstring_view utf16) {
    const std::u16string u16(utf16.begin(), utf16.end());
    return utf8::FromUtf16(u16);
}

}  // namespace platform
