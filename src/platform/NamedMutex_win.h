#pragma once
#include <string>

#include "platform/NamedMutex.h"

namespace platform {

// Named kernel mutexes in the session's namespace, the name made per user
// from the account's security identifier.
class WinNamedMutex : public INamedMutex {
public:
    std::unique_ptr<IHeldLock> Acquire(std::string_view name, std::uint32_t timeoutMs) override;
    // The object name for `name`: "Local\" + name + "." + the user's identifier.
    static std::wstring ObjectName(std::string_view name);
};

}  // namespace platform
