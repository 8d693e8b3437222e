// Long work lets the window's events run: only while it is marked as
// running, at most once an interval, never from inside an event, and what
// an event raises stays the event's.
#include "platform/Pacing.h"

#include <gtest/gtest.h>

#include "platform/MemoryWindowSystem.h"

TEST(Pacing, EventsRunOnlyWhileWorkRunsAtMostOnceAnIntervalAndNeverFromInsideAnEvent) {
    platform::MemoryWindowSystem windows;
    platform::FakeClock clock;
    platform::Pacing pacing(windows, clock);
    constexpr auto kInterval = platform::Pacing::kIntervalMs;
    int events = 0;
    windows.onDoEvents = [&] {
        ++events;
        clock.Advance(kInterval);
        pacing.Step();  // an event's own registry calls
        throw std::runtime_error("what an event raises");
    };
    clock.Advance(500);
    pacing.Step();
    EXPECT_EQ(events, 0) << "outside work nothing runs, however long it has been";
    {
        const platform::Pacing::Work work = pacing.Begin();
        pacing.Step();
        clock.Advance(kInterval - 1);
        pacing.Step();
        EXPECT_EQ(events, 0) << "the interval counts from the work's start";
        clock.Advance(1);
        EXPECT_NO_THROW(pacing.Step());
        EXPECT_EQ(events, 1) << "once, not again from inside the event";
        { const platform::Pacing::Work inner = pacing.Begin(); }
        clock.Advance(kInterval);
        pacing.Step();
        EXPECT_EQ(events, 2) << "work nests, and a fault of an event ends no pacing";
        EXPECT_EQ(pacing.Steps(), 2u);
    }
    clock.Advance(kInterval);
    pacing.Step();
    EXPECT_EQ(events, 2);
}
