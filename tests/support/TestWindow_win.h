#pragma once
// Real top-level windows made by a test, of any class, destroyed with the object.
#include <windows.h>

#include <string>

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

// Lets the thread's pending messages run (window creation, show, destroy).
void PumpMessages();

}  // namespace support
