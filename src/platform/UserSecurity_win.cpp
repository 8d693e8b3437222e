#include "platform/UserSecurity_win.h"

#include <aclapi.h>
#include <sddl.h>

#include "base/AppError.h"
#include "platform/Handles_win.h"

namespace platform {

namespace {

// The TOKEN_USER of this process.
std::vector<BYTE> TokenUser() {
    UniqueKernelHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return {};
    DWORD size = 0;
    GetTokenInformation(token.get(), ::TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token.get(), ::TokenUser, user.data(), size, &size)) return {};
    return user;
}

PSID SidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

}  // namespace

std::wstring CurrentUserSid() {
    std::vector<BYTE> user = TokenUser();
    if (user.empty()) return {};
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(SidOf(user), &text)) return {};
    std::wstring sid = text;
    LocalFree(text);
    return sid;
}

UserOnlySecurity::UserOnlySecurity() : m_User(TokenUser()) {
    if (m_User.empty()) Raise(static_cast<std::int32_t>(GetLastError()), "TokenUser");
    const PSID sid = SidOf(m_User);
    m_Acl.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(sid));
    auto* acl = reinterpret_cast<ACL*>(m_Acl.data());
    if (!InitializeAcl(acl, static_cast<DWORD>(m_Acl.size()), ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) ||
        !InitializeSecurityDescriptor(&m_Descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&m_Descriptor, TRUE, acl, FALSE) ||
        !SetSecurityDescriptorOwner(&m_Descriptor, sid, FALSE)) {
        Raise(static_cast<std::int32_t>(GetLastError()), "SecurityDescriptor");
    }
    m_Attributes.nLength = sizeof m_Attributes;
    m_Attributes.lpSecurityDescriptor = &m_Descriptor;
    m_Attributes.bInheritHandle = FALSE;
}

bool OwnedByCurrentUser(HANDLE handle) {
    std::vector<BYTE> user = TokenUser();
    if (user.empty()) return false;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(handle, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS) {
        return false;
    }
    const bool mine = owner != nullptr && EqualSid(owner, SidOf(user));
    LocalFree(descriptor);
    return mine;
}

}  // namespace platform
