#pragma once
// Starting the real programs from a test, as a separate process.
#include <windows.h>

#include <optional>
#include <string>

namespace support {

class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : m_H(h) {}
    UniqueHandle(UniqueHandle&& o) noexcept : m_H(o.m_H) { o.m_H = nullptr; }
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) {
            reset();
            m_H = o.m_H;
            o.m_H = nullptr;
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }
    HANDLE get() const { return m_H; }
    void reset() {
        if (m_H != nullptr && m_H != INVALID_HANDLE_VALUE) CloseHandle(m_H);
        m_H = nullptr;
    }

private:
    HANDLE m_H = nullptr;
};

// A child process that is ended when the object goes, if it still runs.
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
    UniqueHandle m_Process;
    DWORD m_Id = 0;
};

// The folder of the running test program, with a trailing backslash.
std::wstring ProgramFolder();

// The first visible top-level window of `className` whose process is `pid` (0: any).
HWND WaitForWindow(const std::wstring& className, DWORD pid, DWORD timeoutMs);

}  // namespace support
