#pragma once
// Real top-level windows made by a test, of any class, destroyed with the object.
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "platform/Handles_win.h"

namespace support {

class TestWindow {
public:
    TestWindow(const std::wstring& className, const std::wstring& title, int show = SW_SHOWNOACTIVATE);
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;

    HWND hwnd() const { return m_Window.get(); }
    std::uintptr_t handle() const { return reinterpret_cast<std::uintptr_t>(m_Window.get()); }
    // Messages of kind WM_APP the window has seen.
    int appMessages() const { return m_AppMessages; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    platform::UniqueWindow m_Window;
    int m_AppMessages = 0;
};

// Sends the window message after message from a thread of its own while
// the window's thread is busy elsewhere: the longest answer (3 s when none).
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window);
    ~AnswerWatch();
    unsigned long long LongestMs() const { return m_Longest; }

private:
    std::atomic<bool> m_Stop{false};
    std::atomic<unsigned long long> m_Longest{0};
    std::thread m_Thread;
};

// Lets the thread's pending messages run (window creation, show, destroy).
void PumpMessages();

}  // namespace support
