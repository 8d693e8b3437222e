#pragma once
// Long work on a window's thread (reading or changing a table of tens of
// thousands of commands takes seconds) lets the program's window events run
// every few milliseconds, so that its windows keep painting and answering:
// the system takes a window that leaves its messages waiting for seconds as
// hung, and a user takes it so much sooner.
//
// Events run only while work is marked as running (Begin), which the window
// that starts the work does once it has locked its own actions against a
// second start. Elsewhere a step lets nothing run, so that no event comes
// in the middle of code that does not expect one. It belongs to the thread
// of the windows: the events it runs are that thread's.
#include <cstdint>

#include "platform/Clock.h"
#include "platform/WindowSystem.h"

namespace platform {

class Pacing {
public:
    // Often enough that a window answers well within a tenth of a second;
    // seldom enough that the work hardly slows.
    static constexpr std::int64_t kIntervalMs = 25;

    Pacing(IWindowSystem& windows, IClock& clock) : m_Windows(windows), m_Clock(clock) {}
    Pacing(const Pacing&) = delete;
    Pacing& operator=(const Pacing&) = delete;

    // Work marked as running while it lives; it nests.
    class Work {
    public:
        explicit Work(Pacing& pacing);
        ~Work();
        Work(const Work&) = delete;
        Work& operator=(const Work&) = delete;

    private:
        Pacing& m_Pacing;
    };
    [[nodiscard]] Work Begin() { return Work(*this); }
    bool Working() const { return m_Depth > 0; }

    // A step of long work: while work runs, lets the pending events run
    // once kIntervalMs have passed since they last did. Never raises: what
    // an event does is the event's own business.
    void Step();
    // How often events have run: what work shows as it goes (rows read so
    // far) is worth showing once this has moved on.
    std::uint64_t Steps() const { return m_Steps; }

private:
    IWindowSystem& m_Windows;
    IClock& m_Clock;
    int m_Depth = 0;
    bool m_InStep = false;  // an event's own registry calls must not run events again
    std::int64_t m_Last = 0;
    std::uint64_t m_Steps = 0;
};

}  // namespace platform
