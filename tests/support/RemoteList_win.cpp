#include "support/RemoteList_win.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/Handles_win.h"

namespace support {
namespace {

constexpr SIZE_T kTextChars = 512;

struct Lent {
    HANDLE process;
    void* at;
    ~Lent() {
        if (at != nullptr) VirtualFreeEx(process, at, 0, MEM_RELEASE);
    }
};

}  // namespace

std::vector<std::wstring> RemoteRows(HWND list, int columns) {
    std::vector<std::wstring> rows;
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    const platform::UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) return rows;
    const SIZE_T size = sizeof(LVITEMW) + kTextChars * sizeof(wchar_t);
    const Lent lent{process.get(), VirtualAllocEx(process.get(), nullptr, size, MEM_COMMIT, PAGE_READWRITE)};
    if (lent.at == nullptr) return rows;
    auto* remoteText = reinterpret_cast<wchar_t*>(static_cast<char*>(lent.at) + sizeof(LVITEMW));
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int r = 0; r < count; ++r) {
        std::wstring row;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.pszText = remoteText;
            item.cchTextMax = static_cast<int>(kTextChars);
            wchar_t text[kTextChars] = {};
            if (!WriteProcessMemory(process.get(), lent.at, &item, sizeof item, nullptr)) return {};
            const auto length = static_cast<SIZE_T>(
                SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(r), reinterpret_cast<LPARAM>(lent.at)));
            if (length > 0 && !ReadProcessMemory(process.get(), remoteText, text,
                                                 std::min(length, kTextChars - 1) * sizeof(wchar_t), nullptr)) {
                return {};
            }
            row += (column > 0 ? L"|" : L"") + std::wstring(text);
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace support
