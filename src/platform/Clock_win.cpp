#include "platform/Clock_win.h"

#include <windows.h>

namespace platform {

std::int64_t WinClock::Milliseconds() { return static_cast<std::int64_t>(GetTickCount64()); }

LocalTime WinClock::LocalNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace platform
