#pragma once
// A monotonic clock in milliseconds, for waiting loops that count seconds,
// and the local date and time, for names that people read.
#include <cstdint>

namespace platform {

struct LocalTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const LocalTime&) const = default;
};

class IClock {
public:
    virtual ~IClock() = default;
    // Milliseconds since an arbitrary start; never goes back.
    virtual std::int64_t Milliseconds() = 0;
    // The wall clock in the user's time zone; may go back.
    virtual LocalTime LocalNow() = 0;
};

// A clock that stands still until the test moves it on.
class FakeClock : public IClock {
public:
    explicit FakeClock(std::int64_t start = 0) : m_Now(start) {}
    std::int64_t Milliseconds() override { return m_Now; }
    LocalTime LocalNow() override { return m_Local; }
    void Advance(std::int64_t ms) { m_Now += ms; }
    void SetLocal(LocalTime local) { m_Local = local; }

private:
    std::int64_t m_Now;
    LocalTime m_Local{2026, 12, 9, 5, 30, 12};
};

}  // namespace platform
