// The named lock against the system's own mutexes: another thread (as any
// other process would) waits for it, times out, and gets it once it is given back.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>

#include "platform/NamedMutex_win.h"

namespace {

constexpr const char* kName = "Tessivar.Test-Sperre";

// Whether a thread of its own gets the lock (and gives it back there): a
// mutex is granted again to the thread that holds it, and only that thread
// can give it back.
bool AcquireElsewhere(std::uint32_t timeoutMs) {
    return std::async(std::launch::async,
                      [timeoutMs] {
                          platform::WinNamedMutex locks;
                          return locks.Acquire(kName, timeoutMs) != nullptr;
                      })
        .get();
}

TEST(WinNamedMutex, IsExclusiveAcrossThreadsUntilItsHolderGoesAndIsNamedPerUser) {
    const std::wstring object = platform::WinNamedMutex::ObjectName(kName);
    EXPECT_EQ(object.rfind(L"Local\\Tessivar.Test-Sperre.S-1-", 0), 0u) << object.size();

    platform::WinNamedMutex locks;
    auto held = locks.Acquire(kName, 0);
    ASSERT_NE(held, nullptr);
    EXPECT_NE(locks.Acquire(kName, 0), nullptr);  // the holder's own thread

    const auto t0 = std::chrono::steady_clock::now();
    EXPECT_FALSE(AcquireElsewhere(300));
    EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(250));

    // Given back while the other waits: it gets the lock then.
    std::future<bool> patient = std::async(std::launch::async, [] { return AcquireElsewhere(5000); });
    Sleep(200);
    held.reset();
    EXPECT_TRUE(patient.get());
    EXPECT_TRUE(AcquireElsewhere(0));
}

}  // namespace
