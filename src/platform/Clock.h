#pragma once
// A monotonic clock in milliseconds, for waiting loops that count seconds.
#include <cstdint>

namespace platform {

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual std::int64_t Milliseconds() = 0;
};

// A clock that stands still until the test moves it on.
class FakeClock : public IClock {
public:
    explicit FakeClock(std::int64_t start = 0) : m_Now(start) {}
    std::int64_t Milliseconds() override { return m_Now; }
    void Advance(std::int64_t ms) { m_Now += ms; }

private:
    std::int64_t m_Now;
};

}  // namespace platform
