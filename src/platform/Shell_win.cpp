#include "platform/Shell_win.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <cstddef>

#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

// A shell extension that the shell hands a file to may be a COM object: the
// thread must have COM, as the shell's documentation asks. ole32 is loaded
// for it only here.
void EnsureComForShell() {
    thread_local bool done = false;
    if (done) return;
    done = true;
    using CoInitializeExFn = HRESULT(WINAPI*)(LPVOID, DWORD);
    const auto init = SystemEntry<CoInitializeExFn>(L"ole32.dll", "CoInitializeEx");
    init(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
}

const wchar_t* OrNull(const std::wstring& text) { return text.empty() ? nullptr : text.c_str(); }

}  // namespace

// The 60-byte record is the 32-bit build's; the 64-bit one
// has the same fields with pointer-wide handles.
#ifdef _WIN64
static_assert(sizeof(SHELLEXECUTEINFOW) == 112);
#else
static_assert(sizeof(SHELLEXECUTEINFOW) == 60);
static_assert(offsetof(SHELLEXECUTEINFOW, hInstApp) == 32);
static_assert(offsetof(SHELLEXECUTEINFOW, hProcess) == 56);
#endif

std::intptr_t WinShell::Execute(WindowHandle owner, const std::optional<std::string>& verb, std::string_view file,
                                std::string_view parameters, std::string_view directory, std::int32_t show) {
    EnsureComForShell();
    const auto execute = SystemEntry<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
    const std::wstring wideVerb = verb ? Widen(*verb) : std::wstring();
    const std::wstring wideFile = Widen(file), wideParameters = Widen(parameters), wideDirectory = Widen(directory);
    HINSTANCE result = execute(reinterpret_cast<HWND>(owner), verb ? wideVerb.c_str() : nullptr, wideFile.c_str(),
                               OrNull(wideParameters), OrNull(wideDirectory), show);
    return reinterpret_cast<std::intptr_t>(result);
}

bool WinShell::ExecuteEx(ShellExecuteRecord& record) {
    EnsureComForShell();
    const auto execute = SystemEntry<decltype(&ShellExecuteExW)>(L"shell32.dll", "ShellExecuteExW");
    const std::wstring verb = record.verb ? Widen(*record.verb) : std::wstring();
    const std::wstring file = Widen(record.file), parameters = Widen(record.parameters),
                       directory = Widen(record.directory);
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = record.mask;
    info.hwnd = reinterpret_cast<HWND>(record.owner);
    info.lpVerb = record.verb ? verb.c_str() : nullptr;
    info.lpFile = file.c_str();
    info.lpParameters = OrNull(parameters);
    info.lpDirectory = OrNull(directory);
    info.nShow = record.show;
    const BOOL ok = execute(&info);
    record.instApp = reinterpret_cast<std::intptr_t>(info.hInstApp);
    record.process = reinterpret_cast<ProcessHandle>(info.hProcess);
    return ok != FALSE;
}

bool WinShell::GetExitCode(ProcessHandle process, std::uint32_t& code) {
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(reinterpret_cast<HANDLE>(process), &exitCode)) return false;
    code = exitCode;
    return true;
}

void WinShell::CloseProcess(ProcessHandle process) {
    if (process != 0) CloseHandle(reinterpret_cast<HANDLE>(process));
}

WindowHandle WinShell::DesktopWindow() { return reinterpret_cast<WindowHandle>(GetDesktopWindow()); }

}  // namespace platform
