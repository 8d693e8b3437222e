#pragma once
// The one place where the programs' window messages are dispatched: the main
// loops, the modal loops and the yields of long operations all come here, so
// that a window's keyboard handling (its key preview, Tab and mnemonics)
// works in every loop alike.
#include <windows.h>

#include <exception>
#include <optional>
#include <functional>
#include <thread>
#include <type_traits>

namespace platform {

// Offered every message before it is dispatched; true: handled, not dispatched.
using MessageFilter = std::function<bool(MSG&)>;

// Adds a filter for its lifetime; later filters are asked first.
class MessageFilterScope {
public:
    explicit MessageFilterScope(MessageFilter filter);
    ~MessageFilterScope();
    MessageFilterScope(const MessageFilterScope&) = delete;
    MessageFilterScope& operator=(const MessageFilterScope&) = delete;

private:
    unsigned m_Id;
};

// The filters, then TranslateMessage and DispatchMessageW.
void DispatchFiltered(MSG& msg);

// Runs the messages waiting now. False when WM_QUIT came: it is posted again
// for the main loop, and the caller should stop.
bool PumpPending();

// Waits until a message arrives or `timeoutMs` passes, then runs what is
// waiting; the same answer as PumpPending.
bool PumpWithTimeout(DWORD timeoutMs);

// Runs messages until `done` says so or WM_QUIT comes (false then).
bool PumpUntil(const std::function<bool()>& done);

// Waits until `event` is signalled (true) or `timeoutMs` passes (false),
// running the messages that come meanwhile, so that the window keeps
// answering while the program waits for another process; with no event it
// pauses for the time. After WM_QUIT it waits without running any.
bool WaitPumping(HANDLE event, DWORD timeoutMs);

// Runs `blocking` on a thread of its own while this thread runs its
// messages (WaitPumping): for a system call that blocks (a connection, an
// HTTP answer) and is bounded by its own time limits. Its result, or the
// exception it raised. `blocking` must not touch windows or run messages.
template <class F>
auto RunPumping(F blocking) -> decltype(blocking()) {
    using Result = decltype(blocking());
    HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (done == nullptr) return blocking();
    std::exception_ptr failure;
    std::conditional_t<std::is_void_v<Result>, int, std::optional<Result>> result{};
    std::thread worker([&] {
        try {
            if constexpr (std::is_void_v<Result>) {
                blocking();
            } else {
                result.emplace(blocking());
            }
        } catch (...) {
            failure = std::current_exception();
        }
        SetEvent(done);
    });
    while (!WaitPumping(done, INFINITE)) {}
    worker.join();
    CloseHandle(done);
    if (failure) std::rethrow_exception(failure);
    if constexpr (!std::is_void_v<Result>) return std::move(*result);
}

}  // namespace platform
