#pragma once
// Named locks in memory: every acquisition, refusal and release recorded in
// order, and locks that "another process" holds, for a while or for good.
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/NamedMutex.h"

namespace platform {

class MemoryNamedMutex : public INamedMutex {
public:
    static constexpr std::uint32_t kForever = std::numeric_limits<std::uint32_t>::max();

    struct Event {
        enum class Kind { Acquired, Refused, Released };
        Kind kind;
        std::string name;
        std::uint32_t timeoutMs = 0;  // what Acquire was given; 0 for a release
        bool operator==(const Event&) const = default;
    };

    std::unique_ptr<IHeldLock> Acquire(std::string_view name, std::uint32_t timeoutMs) override;

    // --- test side ---
    // Another process holds `name`; it lets go after `releaseAfterMs` of
    // waiting (kForever: not before any timeout runs out).
    void HoldElsewhere(std::string_view name, std::uint32_t releaseAfterMs = kForever);
    // Whether this process holds `name` now.
    bool IsHeld(std::string_view name) const;
    const std::vector<Event>& Events() const { return m_Events; }

private:
    class Held;
    void Release(const std::string& name);

    std::map<std::string, std::uint32_t> m_Elsewhere;  // name -> after how long it is let go
    std::map<std::string, int> m_Depth;  // name -> acquisitions not yet released
    std::vector<Event> m_Events;
};

}  // namespace platform
