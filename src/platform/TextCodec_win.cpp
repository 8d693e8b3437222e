#include "platform/TextCodec_win.h"

#include <windows.h>

#include <climits>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

int CheckedLength(std::size_t n) {
    if (n > static_cast<std::size_t>(INT_MAX)) Raise(ErrorNumber::Overflow);
    return static_cast<int>(n);
}

}  // namespace

std::string WinTextCodec::ToCodePage(std::string_view utf8) {
    const std::wstring wide = Widen(utf8);
    if (wide.empty()) return {};
    const int n = CheckedLength(wide.size());
    char defaultChar = '?';
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), n, nullptr, 0, &defaultChar, nullptr);
    std::string out(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), n, out.data(), bytes, &defaultChar, nullptr);
    return out;
}

std::string WinTextCodec::FromCodePage(std::string_view bytes) {
    if (bytes.empty()) return {};
    const int n = CheckedLength(bytes.size());
    const int chars = MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(chars), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), n, wide.data(), chars);
    return Narrow(wide);
}

std::string WinTextCodec::ToLower(std::string_view utf8) {
    std::wstring wide = Widen(utf8);
    if (!wide.empty()) CharLowerBuffW(wide.data(), static_cast<DWORD>(CheckedLength(wide.size())));
    return Narrow(wide);
}

}  // namespace platform
