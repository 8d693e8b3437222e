#pragma once
// The messages a reader thread takes from the browser, handed over to the
// window thread: a queue under a lock, with an event that the window thread
// waits on together with its own window messages. The unread backlog is
// capped like one message: an endpoint that floods is no browser the
// program can work with.
#include <windows.h>

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <string>

#include "base/AppError.h"
#include "platform/Handles_win.h"

namespace platform {

class MessageInbox {
public:
    // Raises AppError (kBrowserCannotConnect) when the system gives no event.
    MessageInbox();

    // The reader's side. Raises AppError (kBrowserBadAnswer) and keeps
    // nothing when the unread messages would pass kMaxMessageBytes.
    void Add(std::string message);
    // The reader has stopped; `failure` says why when it was the browser's fault.
    void End(std::optional<AppError> failure);

    // The window thread's side: the next message, waiting up to `timeoutMs`
    // with the window answering; nothing when none came in that time. Raises
    // AppError once the reader has ended and every message was taken.
    std::optional<std::string> Take(int timeoutMs);
    bool Ended();
    // Waits up to `timeoutMs` for the reader's end; false when it has not ended.
    bool WaitEnded(int timeoutMs);

private:
    std::mutex m_Mutex;
    std::condition_variable m_Changed;
    // Set with every message and at the end; reset only while the queue is
    // empty, under the mutex.
    UniqueKernelHandle m_Arrived;
    std::deque<std::string> m_Messages;
    std::size_t m_QueuedBytes = 0;
    bool m_Ended = false;
    std::optional<AppError> m_Failure;
};

[[noreturn]] void RaiseConnectionLost();

}  // namespace platform
