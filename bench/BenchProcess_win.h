#pragma once
// Starting programs and finding their windows for the timing runs. The
// searches are polled without pause: the figures are the programs', not the poller's.
#include <windows.h>

#include <string>

#include "platform/Handles_win.h"

namespace bench {

struct WindowSearch {
    DWORD pid;
    const wchar_t* cls;
    HWND found;
};

inline BOOL CALLBACK WindowSearchProc(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<WindowSearch*>(lp);
    DWORD owner = 0;
    GetWindowThreadProcessId(h, &owner);
    wchar_t cls[64] = {};
    GetClassNameW(h, cls, 64);
    if (owner == s->pid && IsWindowVisible(h) && std::wstring(cls) == s->cls) {
        s->found = h;
        return FALSE;
    }
    return TRUE;
}

// The visible top-level window of `className` that process `pid` shows now, or nullptr.
inline HWND WindowOf(DWORD pid, const wchar_t* className) {
    WindowSearch s{pid, className, nullptr};
    EnumWindows(WindowSearchProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// The folder of the running program, with a trailing backslash: the
// programs measured lie beside the benchmark.
inline std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    const std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

struct Started {
    platform::UniqueProcess process;  // empty when the program could not be started
    DWORD id = 0;
    bool Running() const { return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT; }
    void Wait(DWORD timeoutMs) const { WaitForSingleObject(process.get(), timeoutMs); }
};

inline Started StartProgram(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return {};
    }
    const platform::UniqueKernelHandle thread(pi.hThread);
    return {platform::UniqueProcess(pi.hProcess), pi.dwProcessId};
}

}  // namespace bench
