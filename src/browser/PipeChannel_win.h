#pragma once
// The DevTools connection over a pipe: the browser's whole connection
// (Chromium's --remote-debugging-pipe, reached through Rovandel2's browser
// keeper), its messages ended by a NUL byte. A reader thread takes them as
// they come, as for the WebSocket; the window answers while one waits.
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "browser/DevToolsSession.h"
#include "platform/Handles_win.h"

namespace platform {

// Reads or writes `size` bytes of `file` (opened overlapped or not) through
// `event`, waiting at most `timeoutMs` (INFINITE: no limit); with `pump` the
// window's messages run meanwhile. The bytes moved, or nothing when the
// handle failed (the other end went), the time ran out (`*timedOut` set) or
// `stop` was signalled; the transfer is cancelled then.
std::optional<DWORD> PipeTransfer(HANDLE file, bool write, void* data, DWORD size, HANDLE event, DWORD timeoutMs,
                                  bool pump, bool* timedOut = nullptr, HANDLE stop = nullptr);

class PipeChannel : public IDevToolsChannel {
public:
    // `pipe` is a duplex pipe opened for overlapped I/O (the keeper's named
    // pipe, client end): it is read and written at the same time.
    explicit PipeChannel(UniqueFile pipe);
    ~PipeChannel() override;
    PipeChannel(const PipeChannel&) = delete;
    PipeChannel& operator=(const PipeChannel&) = delete;

    void Send(std::string_view message) override;
    std::optional<std::string> Receive(int timeoutMs) override;

    struct Shared;

private:
    std::shared_ptr<Shared> m_Shared;
    // Ends the reader whatever it does; set once, so that a read it starts
    // after the end was asked for ends too.
    UniqueKernelHandle m_Stop{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    UniqueKernelHandle m_Written{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread m_Reader;
};

}  // namespace platform
