#include "browser/MessageInbox_win.h"

#include <chrono>

#include "base/UiTexts.h"
#include "browser/DevToolsSession.h"
#include "platform/MessagePump_win.h"

namespace platform {

void RaiseConnectionLost() { Raise(kBrowserConnectionLost, std::string(texts::kBrowserConnectionLost)); }

MessageInbox::MessageInbox() : m_Arrived(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!m_Arrived) Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
}

void MessageInbox::Add(std::string message) {
    std::lock_guard lock(m_Mutex);
    if (message.size() > kMaxMessageBytes - m_QueuedBytes) {
        Raise(kBrowserBadAnswer, std::string(texts::kBrowserMessageTooLong));
    }
    m_QueuedBytes += message.size();
    m_Messages.push_back(std::move(message));
    SetEvent(m_Arrived.get());
    m_Changed.notify_all();
}

void MessageInbox::End(std::optional<AppError> failure) {
    std::lock_guard lock(m_Mutex);
    m_Failure = std::move(failure);
    m_Ended = true;
    SetEvent(m_Arrived.get());
    m_Changed.notify_all();
}

std::optional<std::string> MessageInbox::Take(int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        {
            std::lock_guard lock(m_Mutex);
            if (!m_Messages.empty()) {
                std::string message = std::move(m_Messages.front());
                m_Messages.pop_front();
                m_QueuedBytes -= message.size();
                return message;
            }
            if (m_Ended) {
                if (m_Failure) throw *m_Failure;
                RaiseConnectionLost();
            }
            ResetEvent(m_Arrived.get());
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return std::nullopt;
        // The window's messages run while the browser takes its time.
        WaitPumping(m_Arrived.get(), static_cast<DWORD>(end - now));
    }
}

bool MessageInbox::Ended() {
    std::lock_guard lock(m_Mutex);
    return m_Ended;
}

bool MessageInbox::WaitEnded(int timeoutMs) {
    std::unique_lock lock(m_Mutex);
    return m_Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return m_Ended; });
}

}  // namespace platform
