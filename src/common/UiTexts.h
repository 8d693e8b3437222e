#pragma once
// Every text that the programs show, in one place.
#include <string_view>

namespace texts {

inline constexpr std::string_view kCrLf = "\r\n";

inline constexpr std::string_view kTessivarTitle = "Tessivar";
inline constexpr std::string_view kRovandelTitle = "Rovandel2";

// Start-up of the command manager.
inline constexpr std::string_view kQuitActFirst = "Bitte beenden Sie zuvor ACT!";

// The thin platform wrappers: "Error: " + number + ". " + description.
inline constexpr std::string_view kErrorPrefix = "Error: ";

// Descriptions of the run-time errors raised by the programs themselves.
inline constexpr std::string_view kTypeMismatch = "Typen unverträglich";
inline constexpr std::string_view kOverflow = "Überlauf";
inline constexpr std::string_view kOutOfMemory = "Nicht genügend Speicher";
inline constexpr std::string_view kInvalidCall = "Unzulässiger Prozeduraufruf oder unzulässiges Argument";
inline constexpr std::string_view kInternalError = "Interner Fehler";
inline constexpr std::string_view kSubscriptOutOfRange = "Index außerhalb des gültigen Bereichs";
inline constexpr std::string_view kFileNotFound = "Datei nicht gefunden";
inline constexpr std::string_view kDiskFull = "Datenträger voll";
inline constexpr std::string_view kPermissionDenied = "Zugriff verweigert";
inline constexpr std::string_view kFileAccess = "Fehler beim Zugriff auf Pfad/Datei";
inline constexpr std::string_view kPathNotFound = "Pfad nicht gefunden";

}  // namespace texts
