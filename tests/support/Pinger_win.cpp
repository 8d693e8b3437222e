#include "support/Pinger_win.h"

#include <algorithm>
#include <chrono>

namespace support {
namespace {

constexpr UINT kTimeoutMs = 1000;

HWND VisibleWindowOf(const std::wstring& className) {
    for (HWND h = nullptr; (h = FindWindowExW(nullptr, h, className.c_str(), nullptr)) != nullptr;) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

}  // namespace

Pinger::Pinger(std::wstring className, std::function<void(HWND)> probe)
    : m_ClassName(std::move(className)), m_Probe(std::move(probe)), m_Thread([this] { Run(); }) {}

Pinger::~Pinger() { Stop(); }

// The last ping may wait for this very thread: its sent messages are
// answered until the pinging thread has ended.
void Pinger::Stop() {
    m_Stop = true;
    while (!m_Done) {
        MSG msg;
        PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        Sleep(1);
    }
    if (m_Thread.joinable()) m_Thread.join();
}

void Pinger::Run() {
    HWND window = nullptr;
    while (!m_Stop && (window = VisibleWindowOf(m_ClassName)) == nullptr) Sleep(1);
    while (!m_Stop && IsWindow(window)) {
        DWORD_PTR result = 0;
        const auto t0 = std::chrono::steady_clock::now();
        const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &result) != 0;
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
        {
            const std::lock_guard<std::mutex> held(m_Lock);
            m_Answers.push_back(answered ? ms : std::max(ms, double{kTimeoutMs}));
        }
        if (m_Probe) m_Probe(window);
        Sleep(10);
    }
    m_Done = true;
}

std::vector<double> Pinger::Answers() const {
    const std::lock_guard<std::mutex> held(m_Lock);
    return m_Answers;
}

double Pinger::Slowest() const {
    const std::vector<double> answers = Answers();
    return answers.empty() ? 0 : *std::max_element(answers.begin(), answers.end());
}

}  // namespace support
