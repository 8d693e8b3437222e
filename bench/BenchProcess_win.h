#pragma once
// Starting programs and finding their windows for the timing runs.
//
// Under Wine every window call is a request to the one wineserver that all
// processes share, so the measuring process must not compete with the
// program it measures: it looks for a window by its class (one request, not
// one per window on the desktop) once a millisecond, and it lets what the
// previous run left behind (its end, the focus going back, the X server's
// work) die down before the next start, which would otherwise pay for it.
#include <windows.h>

#include <chrono>
#include <string>

#include "platform/Handles_win.h"

namespace bench {

// The pause before each timed start.
inline constexpr DWORD kSettleMs = 150;

// The visible top-level window of `className` that process `pid` shows now, or nullptr.
inline HWND WindowOf(DWORD pid, const wchar_t* className) {
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, className, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner == pid && IsWindowVisible(h)) return h;
    }
    return nullptr;
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

// A program started after the system has settled, with the moment of its start.
struct Timed : Started {
    std::chrono::steady_clock::time_point t0;
    // Milliseconds since the start.
    double Ms() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    }
};

inline Timed StartTimed(const std::wstring& program, const std::wstring& arguments) {
    Sleep(kSettleMs);
    Timed run;
    run.t0 = std::chrono::steady_clock::now();
    static_cast<Started&>(run) = StartProgram(program, arguments);
    return run;
}

// Polls once a millisecond until `ready` gives a window or the program has ended (nullptr).
template <class Ready>
HWND WaitFor(const Started& run, Ready&& ready) {
    for (;;) {
        if (HWND window = ready()) return window;
        if (!run.process || WaitForSingleObject(run.process.get(), 1) != WAIT_TIMEOUT) return nullptr;
    }
}

// The program's visible window of `className`, once it shows; nullptr when the program ends first.
inline HWND WaitForWindow(const Started& run, const wchar_t* className) {
    return WaitFor(run, [&] { return WindowOf(run.id, className); });
}

// From the start to the end of the program.
inline double TimeToExit(const std::wstring& program, const std::wstring& arguments) {
    const Timed run = StartTimed(program, arguments);
    if (!run.process) return -1;
    run.Wait(10000);
    return run.Ms();
}

// From the start until the program shows a window of `className`, which is
// then closed; -1 when it shows none.
inline double TimeToWindow(const std::wstring& program, const std::wstring& arguments, const wchar_t* className) {
    const Timed run = StartTimed(program, arguments);
    if (!run.process) return -1;
    HWND window = WaitForWindow(run, className);
    const double ms = run.Ms();
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    run.Wait(10000);
    return window != nullptr ? ms : -1;
}

}  // namespace bench
