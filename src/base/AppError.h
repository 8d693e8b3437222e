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
    AppError(std::int32_t number, std::string description) : m_Number(number), m_Description(std::move(description)) {}

    std::int32_t number() const noexcept { return m_Number; }
    const std::string& description() const noexcept { return m_Description; }
    const char* what() const noexcept override { return m_Description.c_str(); }

private:
    std::int32_t m_Number;
    std::string m_Description;
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
inline constexpr std::int32_t NotSupported = 438;
// A registry write of a change that did not happen; the description names
// the value and the system's error number.
inline constexpr std::int32_t RegistryNotWritten = 1000;
}  // namespace ErrorNumber

// The German description the run-time gives a number ("" for numbers of others).
std::string DescriptionOf(std::int32_t number);

// Raises one of the run-time errors above with its own description.
[[noreturn]] void Raise(std::int32_t number);
// Raises an error with a description of the case's own.
[[noreturn]] void Raise(std::int32_t number, std::string description);

// Whatever the programs throw, as the one error type: an AppError as it is,
// out of memory and the standard library's faults with numbers and German
// descriptions of their own.
AppError ErrorOf(const std::exception& error);

// The exception being handled, as the one error type: for the catch-all
// blocks at the boundaries (window procedures, callbacks, entry points),
// where even an exception of a foreign kind must be put into words.
AppError CurrentError();
