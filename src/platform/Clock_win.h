#pragma once
#include "platform/Clock.h"

namespace platform {

// The system's tick count (GetTickCount64): monotonic, about 16 ms steps;
// the local time from GetLocalTime.
class WinClock : public IClock {
public:
    std::int64_t Milliseconds() override;
    LocalTime LocalNow() override;
};

}  // namespace platform
