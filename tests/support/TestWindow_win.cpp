#include "support/TestWindow_win.h"

#include <algorithm>

namespace support {

TestWindow::TestWindow(const std::wstring& className, const std::wstring& title, int show) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW wc{};
    if (!GetClassInfoW(instance, className.c_str(), &wc)) {
        wc = WNDCLASSW{};
        wc.lpfnWndProc = Proc;
        wc.hInstance = instance;
        wc.lpszClassName = className.c_str();
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        RegisterClassW(&wc);
    }
    m_Window.reset(CreateWindowExW(0, className.c_str(), title.c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 300, 200,
                                   nullptr, nullptr, instance, this));
    if (show != SW_HIDE) ShowWindow(m_Window.get(), show);
    PumpMessages();
}

TestWindow::~TestWindow() {
    m_Window.reset();
    PumpMessages();
}

LRESULT CALLBACK TestWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    if (msg == WM_APP) {
        if (auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA))) ++self->m_AppMessages;
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

AnswerWatch::AnswerWatch(HWND window)
    : m_Thread([this, window] {
          for (; !m_Stop; Sleep(50)) {
              const ULONGLONG start = GetTickCount64();
              DWORD_PTR result = 0;
              const bool answered = SendMessageTimeoutW(window, WM_APP, 0, 0, SMTO_NORMAL, 3000, &result) != 0;
              m_Longest = std::max<unsigned long long>(m_Longest, answered ? GetTickCount64() - start : 3000);
          }
      }) {}

AnswerWatch::~AnswerWatch() {
    m_Stop = true;
    m_Thread.join();
}

void PumpMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace support
