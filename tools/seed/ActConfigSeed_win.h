#pragma once
// A typical ACT! configuration in the current user's registry, as ACT!
// leaves it: toolbars with their German window names and a few
// user-defined commands. For the demo and the end-to-end tests.
#include <string>

namespace seed {

inline constexpr const wchar_t* kActRoot = L"Software\\Symantec\\ACT!";
inline constexpr const char* kMenuConfig = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";

// Replaces whatever is under kActRoot with the typical configuration.
void SeedTypicalActConfiguration();

// A command file for an add-on: its command named `name`, 24-bit images.
bool WriteCommandFile(const std::wstring& path, const std::wstring& name);

}  // namespace seed
