#pragma once
// Late-bound automation through IDispatch, as the classic callers make it.
// The thread is made a single-threaded apartment for the object's lifetime.
#include "platform/Automation.h"
#include "platform/Locale.h"

namespace platform {

class WinAutomation : public IAutomation {
public:
    WinAutomation();
    WinAutomation(const WinAutomation&) = delete;
    WinAutomation& operator=(const WinAutomation&) = delete;
    ~WinAutomation() override;

    AutoObjectPtr Create(std::string_view progId) override;

private:
    bool m_Uninitialize = false;
};

// The user's number settings (LOCALE_SDECIMAL).
class WinLocale : public ILocale {
public:
    std::string DecimalSeparator() override;
};

}  // namespace platform
