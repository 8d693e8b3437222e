#include "support/TessivarDriver_win.h"

#include <commctrl.h>

#include <cwchar>

#include "support/Process_win.h"

namespace support {
namespace {

constexpr int kInfoId = 101;  // the label of the progress window
constexpr std::size_t kRemoteChars = 1024;

// Sends `msg` to a window of another process with a buffer there: the
// request `head` (bytes) first, then room for the text it points at.
template <class Head>
std::wstring AskRemote(HWND window, UINT msg, WPARAM wParam, Head head, wchar_t* Head::*text) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process == nullptr) return {};
    const std::size_t headSize = text != nullptr ? sizeof(Head) : 0;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, headSize + kRemoteChars * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
    std::wstring result(kRemoteChars, L'\0');
    if (remote != nullptr) {
        auto* remoteText = reinterpret_cast<wchar_t*>(remote + headSize);
        if (text != nullptr) {
            head.*text = remoteText;
            WriteProcessMemory(process, remote, &head, sizeof(Head), nullptr);
        }
        SendMessageW(window, msg, wParam, reinterpret_cast<LPARAM>(text != nullptr ? remote : remote + headSize));
        ReadProcessMemory(process, remoteText, result.data(), (kRemoteChars - 1) * sizeof(wchar_t), nullptr);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    result.resize(std::wcslen(result.c_str()));
    return result;
}

}  // namespace

HWND WaitForProgressWindow(DWORD pid, DWORD timeoutMs) { return WaitForWindow(L"TessivarHaupt", pid, timeoutMs); }

std::wstring InfoText(HWND progressWindow) {
    HWND label = GetDlgItem(progressWindow, kInfoId);
    wchar_t text[1024] = {};
    SendMessageW(label, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text));
    return text;
}

bool WaitForInfo(HWND progressWindow, const std::wstring& prefix, DWORD timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    do {
        if (InfoText(progressWindow).rfind(prefix, 0) == 0) return true;
        Sleep(20);
    } while (GetTickCount64() < deadline);
    return false;
}

void PressOK(HWND progressWindow) {
    PostMessageW(progressWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(progressWindow, IDOK)));
}

std::wstring ListCell(HWND list, int row, int column) {
    LVITEMW item{};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(kRemoteChars);
    return AskRemote(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), item, &LVITEMW::pszText);
}

std::wstring StatusBarText(HWND bar) {
    struct NoHead {
        wchar_t* text;
    };
    return AskRemote<NoHead>(bar, SB_GETTEXTW, 0, {}, nullptr);
}

}  // namespace support
