#pragma once
// The one place where the programs' window messages are dispatched: the main
// loops, the modal loops and the yields of long operations all come here, so
// that a window's keyboard handling (its key preview, Tab and mnemonics)
// works in every loop alike.
#include <windows.h>

#include <functional>

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

}  // namespace platform
