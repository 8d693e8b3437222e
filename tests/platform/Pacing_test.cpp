// Long work lets the window's events run: only while it is marked as
// running, at most once an interval, never from inside an event, and
// whatever an event does stays the event's.
#include "platform/Pacing.h"

#include <gtest/gtest.h>

#include "platform/MemoryWindowSystem.h"

namespace {

class PacingTest : public testing::Test {
protected:
    int Events() const {
        int n = 0;
        for (const auto& call : windows.Calls()) n += call.op == platform::MemoryWindowSystem::Op::DoEvents;
        return n;
    }
    platform::MemoryWindowSystem windows;
    platform::FakeClock clock{1000};
    platform::Pacing pacing{windows, clock};
};

TEST_F(PacingTest, EventsRunOnlyWhileWorkRunsAndAtMostOnceAnInterval) {
    clock.Advance(500);
    pacing.Step();
    EXPECT_EQ(Events(), 0) << "outside work nothing runs, however long it has been";
    {
        const platform::Pacing::Work work = pacing.Begin();
        EXPECT_TRUE(pacing.Working());
        pacing.Step();
        EXPECT_EQ(Events(), 0) << "the interval counts from the work's start";
        clock.Advance(platform::Pacing::kIntervalMs - 1);
        pacing.Step();
        EXPECT_EQ(Events(), 0);
        clock.Advance(1);
        pacing.Step();
        pacing.Step();
        EXPECT_EQ(Events(), 1);
        EXPECT_EQ(pacing.Steps(), 1u);
        {
            const platform::Pacing::Work inner = pacing.Begin();
            clock.Advance(platform::Pacing::kIntervalMs);
            pacing.Step();
        }
        EXPECT_TRUE(pacing.Working()) << "work nests";
        clock.Advance(platform::Pacing::kIntervalMs);
        pacing.Step();
        EXPECT_EQ(Events(), 3);
    }
    EXPECT_FALSE(pacing.Working());
    clock.Advance(platform::Pacing::kIntervalMs);
    pacing.Step();
    EXPECT_EQ(Events(), 3);
}

TEST_F(PacingTest, AnEventsOwnStepsRunNothingAndItsFaultStaysWithIt) {
    const platform::Pacing::Work work = pacing.Begin();
    int nested = 0;
    windows.onDoEvents = [&] {
        // An event's own registry calls step too, while its time goes on.
        clock.Advance(platform::Pacing::kIntervalMs);
        pacing.Step();
        ++nested;
        throw std::runtime_error("what an event raises");
    };
    clock.Advance(platform::Pacing::kIntervalMs);
    EXPECT_NO_THROW(pacing.Step());
    EXPECT_EQ(nested, 1);
    EXPECT_EQ(Events(), 1);
    clock.Advance(platform::Pacing::kIntervalMs);
    pacing.Step();
    EXPECT_EQ(Events(), 2) << "a fault of an event ends no pacing";
}

}  // namespace
