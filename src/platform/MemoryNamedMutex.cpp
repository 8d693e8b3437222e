#include "platform/MemoryNamedMutex.h"

namespace platform {

class MemoryNamedMutex::Held : public IHeldLock {
public:
    Held(MemoryNamedMutex& owner, std::string name) : m_Owner(owner), m_Name(std::move(name)) {}
    ~Held() override { m_Owner.Release(m_Name); }

private:
    MemoryNamedMutex& m_Owner;
    std::string m_Name;
};

std::unique_ptr<IHeldLock> MemoryNamedMutex::Acquire(std::string_view name, std::uint32_t timeoutMs) {
    const std::string key(name);
    const auto other = m_Elsewhere.find(key);
    if (other != m_Elsewhere.end()) {
        if (other->second == kForever || other->second > timeoutMs) {
            m_Events.push_back({Event::Kind::Refused, key, timeoutMs});
            return nullptr;
        }
        m_Elsewhere.erase(other);
    }
    ++m_Depth[key];
    m_Events.push_back({Event::Kind::Acquired, key, timeoutMs});
    return std::make_unique<Held>(*this, key);
}

void MemoryNamedMutex::Release(const std::string& name) {
    if (--m_Depth[name] == 0) m_Depth.erase(name);
    m_Events.push_back({Event::Kind::Released, name, 0});
}

void MemoryNamedMutex::HoldElsewhere(std::string_view name, std::uint32_t releaseAfterMs) {
    m_Elsewhere[std::string(name)] = releaseAfterMs;
}

bool MemoryNamedMutex::IsHeld(std::string_view name) const { return m_Depth.contains(std::string(name)); }

}  // namespace platform
