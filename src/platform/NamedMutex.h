#pragma once
// A lock that every process of the current user shares by name: taken by
// Acquire, held until the returned object goes.
#include <cstdint>
#include <memory>
#include <string_view>

namespace platform {

// Held while it lives; destroying it gives the lock back.
class IHeldLock {
public:
    virtual ~IHeldLock() = default;
};

class INamedMutex {
public:
    virtual ~INamedMutex() = default;
    // Waits up to `timeoutMs` for the lock called `name` (letters, digits,
    // dots and hyphens). Nothing when another process still holds it then;
    // AppError when the lock cannot be made at all. Taken again by the
    // process that holds it, it is granted at once, as the system's are.
    virtual std::unique_ptr<IHeldLock> Acquire(std::string_view name, std::uint32_t timeoutMs) = 0;
};

}  // namespace platform
