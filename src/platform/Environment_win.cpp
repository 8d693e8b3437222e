#include "platform/Environment_win.h"

#include <windows.h>

#include <vector>

#include "platform/WinText_win.h"

namespace platform {

std::string WinEnvironment::Expand(std::string_view text) {
    const std::wstring wide = Widen(text);
    std::vector<wchar_t> buffer(wide.size() + 256);
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (needed == 0) return {};
        // The count includes the closing NUL.
        if (needed <= buffer.size()) return Narrow(std::wstring_view(buffer.data(), needed - 1));
        buffer.resize(needed);
    }
}

std::string WinEnvironment::TemporaryFolder() {
    wchar_t folder[MAX_PATH + 2] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH + 1) return {};
    return Narrow(std::wstring_view(folder, length));
}

}  // namespace platform
