// Work on a thread of its own while the window thread goes on, and the
// filters of one thread's pump unseen by another's.
#include "platform/MessagePump_win.h"

#include <gtest/gtest.h>

#include <objbase.h>

#include <atomic>
#include <stdexcept>

#include "platform/Automation_win.h"

namespace {

TEST(Background, RunsElsewhereAnswersThisThreadsMessagesMeanwhileAndGivesBackResultOrError) {
    const DWORD self = GetCurrentThreadId();
    // The work ends only once this thread has run a message while waiting.
    std::atomic<bool> released{false};
    platform::Background<DWORD> elsewhere([&] {
        while (!released) Sleep(1);
        return GetCurrentThreadId();
    });
    platform::MessageFilterScope filter([&](MSG& msg) {
        if (msg.message != WM_APP + 7) return false;
        released = true;
        return true;
    });
    PostThreadMessageW(self, WM_APP + 7, 0, 0);
    EXPECT_NE(elsewhere.Wait(), self);

    platform::Background<int> failing([]() -> int { throw std::runtime_error("kaputt"); });
    EXPECT_THROW(failing.Wait(), std::runtime_error);
    platform::Background<void> nothing([] {});
    nothing.Wait();
}

TEST(Background, AHelperThreadsPumpNeverAsksTheFiltersOfTheWindowThread) {
    int asked = 0;
    platform::MessageFilterScope windowThreads([&](MSG&) { return ++asked, false; });
    platform::Background<void> helper([] {
        PostThreadMessageW(GetCurrentThreadId(), WM_APP + 8, 0, 0);
        platform::PumpPending();
    });
    helper.Wait();
    EXPECT_EQ(asked, 0);
}

TEST(WinAutomation, OnFirstObjectTheThreadBecomesAnApartmentOnlyWhenAnObjectIsAskedFor) {
    platform::Background<void>([] {
        APTTYPE type{};
        APTTYPEQUALIFIER qualifier{};
        platform::WinAutomation automation(platform::ComStart::WithFirstObject);
        EXPECT_EQ(CoGetApartmentType(&type, &qualifier), CO_E_NOTINITIALIZED);
        EXPECT_ANY_THROW(automation.Create("Gibt.Es.Nicht"));
        ASSERT_EQ(CoGetApartmentType(&type, &qualifier), S_OK);
        EXPECT_TRUE(type == APTTYPE_STA || type == APTTYPE_MAINSTA) << type;
    }).Wait();
}

}  // namespace
