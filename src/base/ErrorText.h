#pragma once
// The two forms in which the programs put an error into words.
#include <cstdint>
#include <string>
#include <string_view>

class AppError;

namespace errortext {

// heading + "\r\nFehlernummer: " + number + "\r\nFehlerbeschreibung: " +
// description: how the classes and routines report a fault to the user
// ("Fehler in Klasse clCustomTessivars Methode Remove", "Fehler in Main").
std::string Report(std::string_view heading, std::int32_t number, std::string_view description);
std::string Report(std::string_view heading, const AppError& error);

// "Error: " + number + ". " + description: the thin platform wrappers' form.
std::string Brief(std::int32_t number, std::string_view description);
std::string Brief(const AppError& error);

}  // namespace errortext
