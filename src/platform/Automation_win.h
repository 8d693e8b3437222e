#pragma once
// Late-bound automation through IDispatch, as the classic callers make it.
// The thread that makes it is a single-threaded apartment for its lifetime:
// from the start, or from its first object on (for a program whose start
// must not wait for COM's own), and only that thread creates objects.
#include "platform/Automation.h"
#include "platform/Locale.h"

struct IDispatch;

namespace platform {

// An automation object over a reference of its own to `dispatch` (nullptr: none).
AutoObjectPtr DispatchObjectOf(IDispatch* dispatch);

enum class ComStart { Now, WithFirstObject };

class WinAutomation : public IAutomation {
public:
    explicit WinAutomation(ComStart start = ComStart::Now);
    WinAutomation(const WinAutomation&) = delete;
    WinAutomation& operator=(const WinAutomation&) = delete;
    ~WinAutomation() override;

    AutoObjectPtr Create(std::string_view progId) override;

private:
    void Initialize();

    bool m_Initialized = false;
    bool m_Uninitialize = false;
};

// The user's number settings (LOCALE_SDECIMAL).
class WinLocale : public ILocale {
public:
    std::string DecimalSeparator() override;
};

}  // namespace platform
