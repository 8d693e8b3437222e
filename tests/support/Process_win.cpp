#include "support/Process_win.h"

#include <stdexcept>

#include "driver/BoxDriver_win.h"

namespace support {

ChildProcess ChildProcess::Start(const std::wstring& program, const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    // Wine now and then fails a start under load with ERROR_INTERNAL_ERROR
    // (the new process died while the server set it up); a second try works.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
            break;
        const DWORD error = GetLastError();
        if (error != ERROR_INTERNAL_ERROR || attempt == 3) {
            throw std::runtime_error("CreateProcess failed: " + std::to_string(error));
        }
        Sleep(200);
    }
    const platform::UniqueKernelHandle thread(pi.hThread);
    ChildProcess child;
    child.m_Process.reset(pi.hProcess);
    child.m_Id = pi.dwProcessId;
    return child;
}

namespace {

struct CloseSearch {
    DWORD pid;
    int closed = 0;
};

BOOL CALLBACK CloseWindowsOf(HWND hwnd, LPARAM lParam) {
    auto* s = reinterpret_cast<CloseSearch*>(lParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner == s->pid) {
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
        ++s->closed;
    }
    return TRUE;
}

}  // namespace

// Asked to close first, as a user would close it: a stand-in for ACT! that
// is killed leaves its class registration behind in Wine, and every later
// stand-in's automation server is then shadowed by it.
ChildProcess::~ChildProcess() {
    if (m_Process.get() != nullptr && WaitForSingleObject(m_Process.get(), 0) == WAIT_TIMEOUT) {
        CloseSearch search{m_Id};
        EnumWindows(CloseWindowsOf, reinterpret_cast<LPARAM>(&search));
        if (search.closed > 0) WaitForSingleObject(m_Process.get(), 3000);
    }
    Kill();
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (m_Process.get() == nullptr) return std::nullopt;
    if (WaitForSingleObject(m_Process.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_Process.get(), &code);
    return code;
}

void ChildProcess::Kill() {
    if (m_Process.get() == nullptr) return;
    if (WaitForSingleObject(m_Process.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_Process.get(), 99);
        WaitForSingleObject(m_Process.get(), 5000);
    }
    m_Process.reset();
}

void ChildProcess::WaitForInputIdle(DWORD timeoutMs) {
    if (m_Process.get() != nullptr) ::WaitForInputIdle(m_Process.get(), timeoutMs);
}

std::wstring ProgramFolder() {
    wchar_t path[MAX_PATH * 4] = {};
    const DWORD n = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    std::wstring p(path, n);
    return p.substr(0, p.find_last_of(L"\\/") + 1);
}

HWND WaitForWindow(const std::wstring& className, DWORD pid, DWORD timeoutMs) {
    return driver::FindWindowOfClass(className, pid, L"", timeoutMs);
}

}  // namespace support
