#include "browser/PipeChannel_win.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "browser/BrowserConnection.h"
#include "platform/MessagePump_win.h"

namespace platform {

struct PipeChannel::Shared {
    UniqueFile pipe;
    std::mutex mutex;
    std::condition_variable arrived;
    // Set with every message and at the end; reset only while the queue is
    // empty, under the mutex (as for the WebSocket).
    UniqueKernelHandle arrivedEvent{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::deque<std::string> messages;
    std::size_t queuedBytes = 0;
    bool closed = false;
    bool readerDone = false;
    std::optional<AppError> failure;
};

namespace {

constexpr DWORD kSendTimeoutMs = 10000;

[[noreturn]] void RaiseLost() { Raise(kBrowserConnectionLost, std::string(texts::kBrowserConnectionLost)); }

void ReadMessages(const std::shared_ptr<PipeChannel::Shared>& shared, HANDLE stop) {
    NulFraming framing;
    std::string buffer(64 * 1024, '\0');
    UniqueKernelHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    std::optional<AppError> failure;
    while (event) {
        const std::optional<DWORD> got =
            PipeTransfer(shared->pipe.get(), false, buffer.data(), static_cast<DWORD>(buffer.size()), event.get(),
                         INFINITE, false, nullptr, stop);
        if (!got || *got == 0) break;
        std::vector<std::string> messages;
        try {
            messages = framing.Add(std::string_view(buffer.data(), *got));
        } catch (const AppError& e) {
            failure = e;
            break;
        }
        if (messages.empty()) continue;
        std::lock_guard lock(shared->mutex);
        for (std::string& message : messages) {
            if (message.size() > kMaxMessageBytes - shared->queuedBytes) {
                failure = AppError(kBrowserBadAnswer, std::string(texts::kBrowserMessageTooLong));
                break;
            }
            shared->queuedBytes += message.size();
            shared->messages.push_back(std::move(message));
        }
        SetEvent(shared->arrivedEvent.get());
        shared->arrived.notify_all();
        if (failure) break;
    }
    std::lock_guard lock(shared->mutex);
    shared->failure = std::move(failure);
    shared->closed = true;
    shared->readerDone = true;
    SetEvent(shared->arrivedEvent.get());
    shared->arrived.notify_all();
}

}  // namespace

std::optional<DWORD> PipeTransfer(HANDLE file, bool write, void* data, DWORD size, HANDLE event, DWORD timeoutMs,
                                  bool pump, bool* timedOut, HANDLE stop) {
    if (timedOut != nullptr) *timedOut = false;
    OVERLAPPED overlapped{};
    overlapped.hEvent = event;
    ResetEvent(event);
    DWORD done = 0;
    const BOOL finished =
        write ? WriteFile(file, data, size, nullptr, &overlapped) : ReadFile(file, data, size, nullptr, &overlapped);
    if (!finished && GetLastError() != ERROR_IO_PENDING) return std::nullopt;
    if (!finished) {
        const HANDLE both[] = {event, stop};
        const bool signalled = pump   ? WaitPumping(event, timeoutMs)
                               : stop ? WaitForMultipleObjects(2, both, FALSE, timeoutMs) == WAIT_OBJECT_0
                                      : WaitForSingleObject(event, timeoutMs) == WAIT_OBJECT_0;
        if (!signalled) {
            CancelIoEx(file, &overlapped);
            GetOverlappedResult(file, &overlapped, &done, TRUE);
            if (timedOut != nullptr) *timedOut = stop == nullptr || WaitForSingleObject(stop, 0) != WAIT_OBJECT_0;
            return std::nullopt;
        }
    }
    if (!GetOverlappedResult(file, &overlapped, &done, TRUE)) return std::nullopt;
    return done;
}

PipeChannel::PipeChannel(UniqueFile pipe) : m_Shared(std::make_shared<Shared>()) {
    m_Shared->pipe = std::move(pipe);
    if (!m_Shared->arrivedEvent || !m_Written || !m_Stop || !m_Shared->pipe) {
        Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
    }
    m_Reader = std::thread([shared = m_Shared, stop = m_Stop.get()] { ReadMessages(shared, stop); });
}

PipeChannel::~PipeChannel() {
    SetEvent(m_Stop.get());
    std::unique_lock lock(m_Shared->mutex);
    if (!m_Shared->arrived.wait_for(lock, std::chrono::milliseconds(2000), [this] { return m_Shared->readerDone; })) {
        // Only a system that does not cancel gets here; the stop event must
        // outlive the reader then.
        lock.unlock();
        m_Reader.detach();
        (void)m_Stop.release();
        return;
    }
    lock.unlock();
    m_Reader.join();
}

void PipeChannel::Send(std::string_view message) {
    {
        std::lock_guard lock(m_Shared->mutex);
        if (m_Shared->closed) RaiseLost();
    }
    std::string framed(message);
    framed += '\0';
    std::size_t sent = 0;
    while (sent < framed.size()) {
        bool timedOut = false;
        const std::optional<DWORD> wrote =
            PipeTransfer(m_Shared->pipe.get(), true, framed.data() + sent, static_cast<DWORD>(framed.size() - sent),
                         m_Written.get(), kSendTimeoutMs, true, &timedOut);
        if (timedOut) Raise(kBrowserTimeout, std::string(texts::kBrowserTimeout));
        if (!wrote || *wrote == 0) RaiseLost();
        sent += *wrote;
    }
}

std::optional<std::string> PipeChannel::Receive(int timeoutMs) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs < 0 ? 0 : timeoutMs);
    for (;;) {
        {
            std::lock_guard lock(m_Shared->mutex);
            if (!m_Shared->messages.empty()) {
                std::string message = std::move(m_Shared->messages.front());
                m_Shared->messages.pop_front();
                m_Shared->queuedBytes -= message.size();
                return message;
            }
            if (m_Shared->closed) {
                if (m_Shared->failure) throw *m_Shared->failure;
                RaiseLost();
            }
            ResetEvent(m_Shared->arrivedEvent.get());
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return std::nullopt;
        WaitPumping(m_Shared->arrivedEvent.get(), static_cast<DWORD>(end - now));
    }
}

}  // namespace platform
