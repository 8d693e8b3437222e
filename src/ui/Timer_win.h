#pragma once
// A window's timer: its tick runs in the window's message loop. Tests drive
// it by sending WM_TIMER with its identifier.
#include <windows.h>

#include <functional>

namespace ui {

class Timer {
public:
    Timer(HWND window, UINT_PTR id, UINT intervalMs) : m_Window(window), m_Id(id), m_Interval(intervalMs) {}
    ~Timer() { Stop(); }
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    UINT_PTR Id() const { return m_Id; }
    UINT Interval() const { return m_Interval; }
    bool Running() const { return m_Running; }
    void Start() { m_Running = SetTimer(m_Window, m_Id, m_Interval, nullptr) != 0; }
    void Stop() {
        if (m_Running && IsWindow(m_Window)) KillTimer(m_Window, m_Id);
        m_Running = false;
    }
    void Fire() {
        if (onTick) onTick();
    }

    std::function<void()> onTick;

private:
    HWND m_Window;
    UINT_PTR m_Id;
    UINT m_Interval;
    bool m_Running = false;
};

}  // namespace ui
