#include "platform/MessagePump_win.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

struct Entry {
    unsigned id;
    MessageFilter filter;
};

// Each thread's own: a window's messages come only through the pump of the
// thread that made it, and a helper thread that runs its messages (COM's
// waits, a yield) must neither see nor race with the window thread's filters.
// Held through a plain pointer, made with a thread's first filter and freed
// with its last: a thread-local vector itself crashed, built by this
// toolchain, in a helper thread's first pump.
thread_local std::vector<Entry>* t_Filters = nullptr;
thread_local unsigned t_NextId = 1;

}  // namespace

MessageFilterScope::MessageFilterScope(MessageFilter filter) : m_Id(t_NextId++) {
    if (t_Filters == nullptr) t_Filters = new std::vector<Entry>;
    t_Filters->push_back({m_Id, std::move(filter)});
}

MessageFilterScope::~MessageFilterScope() {
    if (t_Filters == nullptr) return;
    std::erase_if(*t_Filters, [this](const Entry& e) { return e.id == m_Id; });
    if (t_Filters->empty()) {
        delete t_Filters;
        t_Filters = nullptr;
    }
}

void DispatchFiltered(MSG& msg) {
    if (t_Filters != nullptr) {
        // A filter may add or remove filters (a window opening or closing): walk a copy.
        const std::vector<Entry> filters = *t_Filters;
        for (auto it = filters.rbegin(); it != filters.rend(); ++it) {
            if (it->filter(msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

bool PumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the main loop
            return false;
        }
        DispatchFiltered(msg);
    }
    return true;
}

bool PumpWithTimeout(DWORD timeoutMs) {
    MsgWaitForMultipleObjectsEx(0, nullptr, timeoutMs, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return PumpPending();
}

bool PumpUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done()) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (got < 0) return false;
        DispatchFiltered(msg);
    }
    return true;
}

bool WaitPumping(HANDLE event, DWORD timeoutMs) {
    const ULONGLONG end = timeoutMs == INFINITE ? 0 : GetTickCount64() + timeoutMs;
    const DWORD count = event != nullptr ? 1 : 0;
    bool quit = false;
    for (;;) {
        DWORD left = INFINITE;
        if (timeoutMs != INFINITE) {
            const ULONGLONG now = GetTickCount64();
            left = now >= end ? 0 : static_cast<DWORD>(end - now);
        }
        // Once WM_QUIT is waiting, the queue would wake every wait at once.
        if (quit) {
            if (event == nullptr) {
                Sleep(left);
                return false;
            }
            return WaitForSingleObject(event, left) == WAIT_OBJECT_0;
        }
        const DWORD woke = MsgWaitForMultipleObjectsEx(count, &event, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (count == 1 && woke == WAIT_OBJECT_0) return true;
        if (woke != WAIT_OBJECT_0 + count) return count == 1 && WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
        quit = !PumpPending();
    }
}

}  // namespace platform
