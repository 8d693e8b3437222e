#pragma once
// The user's number settings, as far as the programs write numbers.
#include <string>

namespace platform {

class ILocale {
public:
    virtual ~ILocale() = default;
    virtual std::string DecimalSeparator() = 0;
};

// Settable, for tests and platforms without user settings.
class FixedLocale : public ILocale {
public:
    explicit FixedLocale(std::string separator = ".") : m_Separator(std::move(separator)) {}
    std::string DecimalSeparator() override { return m_Separator; }
    void SetDecimalSeparator(std::string separator) { m_Separator = std::move(separator); }

private:
    std::string m_Separator;
};

}  // namespace platform
