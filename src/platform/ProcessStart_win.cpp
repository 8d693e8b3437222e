#include "platform/ProcessStart_win.h"

#include <cstring>
#include <mutex>

#include "base/AppError.h"

namespace platform {

namespace {

constexpr BYTE kDescriptorOpen = 0x01;  // FOPEN
constexpr BYTE kDescriptorPipe = 0x08;  // FPIPE

bool Unused(HANDLE handle) { return handle == nullptr || handle == INVALID_HANDLE_VALUE; }

// While a start runs, the handles it hands on are inheritable; a second start
// at that moment would hand them on too where the handle list is not
// honoured.
std::mutex g_Starting;

}  // namespace

std::vector<BYTE> DescriptorBlock(const std::vector<HANDLE>& descriptors) {
    const int count = static_cast<int>(descriptors.size());
    std::vector<BYTE> block(sizeof(int) + descriptors.size() * (1 + sizeof(HANDLE)));
    std::memcpy(block.data(), &count, sizeof count);
    BYTE* flags = block.data() + sizeof(int);
    BYTE* handles = flags + descriptors.size();
    for (std::size_t i = 0; i < descriptors.size(); ++i) {
        const HANDLE handle = Unused(descriptors[i]) ? INVALID_HANDLE_VALUE : descriptors[i];
        flags[i] = Unused(descriptors[i]) ? 0 : static_cast<BYTE>(kDescriptorOpen | kDescriptorPipe);
        std::memcpy(handles + i * sizeof(HANDLE), &handle, sizeof handle);
    }
    return block;
}

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

    std::vector<BYTE> block = DescriptorBlock(descriptors);
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
