#include "platform/ProcessStart_win.h"

#include <cstdint>
#include <optional>
#include <mutex>

#include "base/AppError.h"
#include "platform/CrtDescriptors.h"

namespace platform {

namespace {

bool Unused(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }

// While a start runs, the handles it hands on are inheritable; a second start
// at that moment would hand them on too where the handle list is not
// honoured.
std::mutex g_Starting;

// How wide the program's pointers are: its descriptors' handles are that wide.
std::size_t HandleBytesOf(const std::wstring& commandLine) {
    std::wstring program;
    if (!commandLine.empty() && commandLine.front() == L'"') {
        program = commandLine.substr(1, commandLine.find(L'"', 1) - 1);
    } else {
        program = commandLine.substr(0, commandLine.find(L' '));
    }
    DWORD type = 0;
    if (GetBinaryTypeW(program.c_str(), &type)) {
        if (type == SCS_64BIT_BINARY) return 8;
        if (type == SCS_32BIT_BINARY) return 4;
    }
    return sizeof(HANDLE);
}

}  // namespace

StartedProcess StartInheriting(std::wstring commandLine, const std::vector<HANDLE>& handles,
                               const std::vector<HANDLE>& descriptors, DWORD creationFlags) {
    std::lock_guard lock(g_Starting);
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<BYTE> attributeBuffer(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBuffer.data());
    const bool listed =
        !handles.empty() && InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
        UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, const_cast<HANDLE*>(handles.data()),
                                  handles.size() * sizeof(HANDLE), nullptr, nullptr);
    for (HANDLE handle : handles) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);

    std::vector<std::optional<std::uint32_t>> values;
    for (HANDLE handle : descriptors) {
        if (Unused(handle)) {
            values.emplace_back();
        } else {
            values.emplace_back(static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle)));
        }
    }
    std::vector<std::uint8_t> block = CrtDescriptorBlock(values, HandleBytesOf(commandLine));
    STARTUPINFOEXW startup{};
    startup.StartupInfo.cb = listed ? sizeof startup : sizeof startup.StartupInfo;
    if (!descriptors.empty()) {
        startup.StartupInfo.cbReserved2 = static_cast<WORD>(block.size());
        startup.StartupInfo.lpReserved2 = block.data();
    }
    if (listed) startup.lpAttributeList = attributes;
    PROCESS_INFORMATION info{};
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, handles.empty() ? FALSE : TRUE,
                                        creationFlags | (listed ? EXTENDED_STARTUPINFO_PRESENT : 0), nullptr, nullptr,
                                        &startup.StartupInfo, &info);
    const DWORD error = GetLastError();
    for (HANDLE handle : handles) SetHandleInformation(handle, HANDLE_FLAG_INHERIT, 0);
    if (listed) DeleteProcThreadAttributeList(attributes);
    if (!started) Raise(static_cast<std::int32_t>(error), "CreateProcess");
    if (info.hThread != nullptr) CloseHandle(info.hThread);
    return {UniqueProcess(info.hProcess), info.dwProcessId};
}

}  // namespace platform
