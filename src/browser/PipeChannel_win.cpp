#include "browser/PipeChannel_win.h"

#include <chrono>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "browser/BrowserConnection.h"
#include "browser/MessageInbox_win.h"
#include "platform/MessagePump_win.h"

namespace platform {

struct PipeChannel::Shared {
    UniqueFile pipe;
    MessageInbox inbox;
};

namespace {

constexpr DWORD kSendTimeoutMs = 10000;

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
        try {
            for (std::string& message : framing.Add(std::string_view(buffer.data(), *got))) {
                shared->inbox.Add(std::move(message));
            }
        } catch (const AppError& e) {
            failure = e;
            break;
        }
    }
    shared->inbox.End(std::move(failure));
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
    if (!m_Written || !m_Stop || !m_Shared->pipe) {
        Raise(kBrowserCannotConnect, std::string(texts::kBrowserCannotConnect));
    }
    m_Reader = std::thread([shared = m_Shared, stop = m_Stop.get()] { ReadMessages(shared, stop); });
}

PipeChannel::~PipeChannel() {
    SetEvent(m_Stop.get());
    if (!m_Shared->inbox.WaitEnded(2000)) {
        // Only a system that does not cancel gets here; the stop event must
        // outlive the reader then.
        m_Reader.detach();
        (void)m_Stop.release();
        return;
    }
    m_Reader.join();
}

void PipeChannel::Send(std::string_view message) {
    {
        if (m_Shared->inbox.Ended()) RaiseConnectionLost();
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
        if (!wrote || *wrote == 0) RaiseConnectionLost();
        sent += *wrote;
    }
}

std::optional<std::string> PipeChannel::Receive(int timeoutMs) { return m_Shared->inbox.Take(timeoutMs); }

}  // namespace platform
