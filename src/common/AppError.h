#pragma once
// The one error type of both programs: a number and a description, as the
// classic automation errors carry them. Thrown where a fault must reach the
// caller; caught at window-event and callback boundaries.
#include <cstdint>
#include <exception>
#include <string>
#include <utility>

class AppError : public std::exception {
public:
    AppError(std::int32_t number, std::string description)
        : number_(number), description_(std::move(description)) {}

    std::int32_t number() const noexcept { return number_; }
    const std::string& description() const noexcept { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string description_;
};

// Numbers of the run-time errors that the routines raise themselves; they
// follow the numbering of the classic Basic run-time so that messages read
// the way ACT! users know them.
namespace ErrorNumber {
inline constexpr std::int32_t InvalidCall = 5;
inline constexpr std::int32_t Overflow = 6;
inline constexpr std::int32_t OutOfMemory = 7;
inline constexpr std::int32_t SubscriptOutOfRange = 9;
inline constexpr std::int32_t TypeMismatch = 13;
inline constexpr std::int32_t Internal = 51;
inline constexpr std::int32_t FileNotFound = 53;
inline constexpr std::int32_t DiskFull = 61;
inline constexpr std::int32_t PermissionDenied = 70;
inline constexpr std::int32_t FileAccess = 75;
inline constexpr std::int32_t PathNotFound = 76;
inline constexpr std::int32_t BadFileFormat = 321;
}  // namespace ErrorNumber
