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
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        throw std::runtime_error("CreateProcess failed: " + std::to_string(GetLastError()));
    }
    CloseHandle(pi.hThread);
    ChildProcess child;
    child.process_ = UniqueHandle(pi.hProcess);
    child.id_ = pi.dwProcessId;
    return child;
}

ChildProcess::~ChildProcess() { Kill(); }

std::optional<DWORD> ChildProcess::WaitForExit(DWORD timeoutMs) {
    if (process_.get() == nullptr) return std::nullopt;
    if (WaitForSingleObject(process_.get(), timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::Kill() {
    if (process_.get() == nullptr) return;
    if (WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.get(), 99);
        WaitForSingleObject(process_.get(), 5000);
    }
    process_.reset();
}

void ChildProcess::WaitForInputIdle(DWORD timeoutMs) {
    if (process_.get() != nullptr) ::WaitForInputIdle(process_.get(), timeoutMs);
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
