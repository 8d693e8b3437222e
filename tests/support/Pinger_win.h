#pragma once
// Asks a window of this process whether it answers, as the system asks a
// window whether it hangs: WM_NULL through SendMessageTimeout, from a thread
// of its own, every 10 ms while the window thread works.
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace support {

class Pinger {
public:
    // Pings the visible top-level window of `className` of this process once
    // it shows; `probe` then runs after each answer, on the pinging thread.
    explicit Pinger(std::wstring className, std::function<void(HWND)> probe = {});
    ~Pinger();
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;

    // Waits for the last ping, answering it when it is this thread's window.
    void Stop();
    // Milliseconds each ping waited for its answer; 1000 and more for one that came not at all.
    std::vector<double> Answers() const;
    double Slowest() const;

private:
    void Run();

    std::wstring m_ClassName;
    std::function<void(HWND)> m_Probe;
    std::atomic<bool> m_Stop{false};
    std::atomic<bool> m_Done{false};
    mutable std::mutex m_Lock;
    std::vector<double> m_Answers;
    std::thread m_Thread;
};

}  // namespace support
