#include "platform/NamedMutex_win.h"

#include <windows.h>
#include <sddl.h>

#include <string>
#include <vector>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "platform/Handles_win.h"
#include "platform/WinText_win.h"

namespace platform {
namespace {

[[noreturn]] void RaiseLastError(const char* what) {
    Raise(ErrorNumber::InvalidCall,
          std::string(texts::kLockNotMade) + what + " (" + std::to_string(GetLastError()) + ")");
}

// "S-1-5-21-..." of the account the process runs as.
std::wstring UserSid() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) RaiseLastError("OpenProcessToken");
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size == 0 ? sizeof(TOKEN_USER) : size);
    if (!GetTokenInformation(token.get(), TokenUser, buffer.data(), static_cast<DWORD>(buffer.size()), &size)) {
        RaiseLastError("GetTokenInformation");
    }
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        RaiseLastError("ConvertSidToStringSidW");
    }
    std::wstring sid(text);
    LocalFree(text);
    return sid;
}

class HeldMutex : public IHeldLock {
public:
    explicit HeldMutex(UniqueKernelHandle mutex) : m_Mutex(std::move(mutex)) {}
    ~HeldMutex() override { ReleaseMutex(m_Mutex.get()); }

private:
    UniqueKernelHandle m_Mutex;
};

}  // namespace

std::wstring WinNamedMutex::ObjectName(std::string_view name) { return L"Local\\" + Widen(name) + L"." + UserSid(); }

std::unique_ptr<IHeldLock> WinNamedMutex::Acquire(std::string_view name, std::uint32_t timeoutMs) {
    UniqueKernelHandle mutex(CreateMutexW(nullptr, FALSE, ObjectName(name).c_str()));
    if (!mutex) RaiseLastError("CreateMutexW");
    switch (WaitForSingleObject(mutex.get(), timeoutMs)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED:  // a holder that died gave it up; the lock is ours
            return std::make_unique<HeldMutex>(std::move(mutex));
        case WAIT_TIMEOUT: return nullptr;
        default: RaiseLastError("WaitForSingleObject");
    }
}

}  // namespace platform
