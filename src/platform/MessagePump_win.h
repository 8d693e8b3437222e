#pragma once
// The one place where the programs' window messages are dispatched: the main
// loops, the modal loops and the yields of long operations all come here, so
// that a window's keyboard handling (its key preview, Tab and mnemonics)
// works in every loop alike.
#include <windows.h>

#include <exception>
#include <optional>
#include <system_error>
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

// Work started on a thread of its own when this is made, while this thread
// goes on; Wait() runs this thread's messages (WaitPumping) until the work
// has ended and gives its result, or raises what it raised. The work must
// not touch this thread's windows. Should no thread be had, the work is done
// at once, on this thread.
template <class Result>
class Background {
public:
    template <class F>
    explicit Background(F work) : m_Work(std::move(work)) {
        m_Done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (m_Done != nullptr) {
            try {
                m_Thread = std::thread([this] { Run(); });
                return;
            } catch (const std::system_error&) {}
        }
        Run();
    }
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;
    // A task not waited for is still ended before its parts go.
    ~Background() {
        if (m_Thread.joinable()) m_Thread.join();
        if (m_Done != nullptr) CloseHandle(m_Done);
    }

    Result Wait() {
        if (m_Thread.joinable()) {
            while (!WaitPumping(m_Done, INFINITE)) {}
            m_Thread.join();
        }
        if (m_Failure) std::rethrow_exception(m_Failure);
        if constexpr (!std::is_void_v<Result>) return std::move(*m_Result);
    }

private:
    void Run() {
        try {
            if constexpr (std::is_void_v<Result>) {
                m_Work();
            } else {
                m_Result.emplace(m_Work());
            }
        } catch (...) {
            m_Failure = std::current_exception();
        }
        if (m_Done != nullptr) SetEvent(m_Done);
    }

    std::function<Result()> m_Work;
    HANDLE m_Done = nullptr;
    std::exception_ptr m_Failure;
    std::conditional_t<std::is_void_v<Result>, int, std::optional<Result>> m_Result{};
    std::thread m_Thread;
};

// Runs `blocking` on a thread of its own while this thread runs its
// messages: for a system call that blocks (a connection, an HTTP answer) and
// is bounded by its own time limits.
template <class F>
auto RunPumping(F blocking) -> decltype(blocking()) {
    return Background<decltype(blocking())>(std::move(blocking)).Wait();
}

}  // namespace platform
