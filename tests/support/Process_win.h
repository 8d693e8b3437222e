#pragma once
// Starting the real programs from a test, as a separate process.
#include <windows.h>

#include <optional>
#include <string>

#include "platform/Handles_win.h"

namespace support {

// A child process that is ended when the object goes, if it still runs:
// its windows are asked to close, and what does not end is killed.
class ChildProcess {
public:
    // `arguments` is appended to the quoted program path after one blank.
    static ChildProcess Start(const std::wstring& program, const std::wstring& arguments);
    ChildProcess(ChildProcess&&) = default;
    ChildProcess& operator=(ChildProcess&&) = default;
    ~ChildProcess();

    DWORD Id() const { return m_Id; }
    // The exit code, or nothing if it still runs after `timeoutMs`.
    std::optional<DWORD> WaitForExit(DWORD timeoutMs);
    void Kill();
    // Until the program waits for input: its windows exist.
    void WaitForInputIdle(DWORD timeoutMs);

private:
    ChildProcess() = default;
    platform::UniqueProcess m_Process;
    DWORD m_Id = 0;
};

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();

// The first visible top-level window of `className` whose process is `pid` (0: any).
HWND WaitForWindow(const std::wstring& className, DWORD pid, DWORD timeoutMs);

}  // namespace support
