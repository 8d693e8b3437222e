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
    explicit FixedLocale(std::string separator = ".") : separator_(std::move(separator)) {}
    std::string DecimalSeparator() override { return separator_; }
    void SetDecimalSeparator(std::string separator) { separator_ = std::move(separator); }

private:
    std::string separator_;
};

}  // namespace platform
