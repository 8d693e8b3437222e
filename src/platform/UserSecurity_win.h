#pragma once
// Objects that only the user running this program may open.
#include <windows.h>

#include <string>
#include <vector>

namespace platform {

// The user's SID as text ("S-1-5-21-..."), or "" when it cannot be read.
std::wstring CurrentUserSid();

// Security attributes whose DACL grants the current user alone, and which
// name that user as owner. Raises AppError when the user cannot be read.
class UserOnlySecurity {
public:
    UserOnlySecurity();
    UserOnlySecurity(const UserOnlySecurity&) = delete;
    UserOnlySecurity& operator=(const UserOnlySecurity&) = delete;

    SECURITY_ATTRIBUTES* get() { return &m_Attributes; }

private:
    std::vector<BYTE> m_User;
    std::vector<BYTE> m_Acl;
    SECURITY_DESCRIPTOR m_Descriptor{};
    SECURITY_ATTRIBUTES m_Attributes{};
};

// True when the owner of the kernel object `handle` is the current user (an
// object someone else made under a name this program chose is not).
bool OwnedByCurrentUser(HANDLE handle);

}  // namespace platform
