#pragma once
// The clean-up of the route planner's cookie files, started by a click on
// the main window's banner: the cookie folder is found (the option
// "CookiePfad", the shell's cookies folder, the registry, the folder
// chooser), then every ordinary file directly in it whose name holds the
// route planner's name is offered for deletion, one question each; links
// are passed over.
#include <cstddef>
#include <string>
#include <string_view>

class clRovandel2;

namespace modCookies {

// The value "Cookies" of this key under the current user's hive.
inline constexpr std::string_view kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
inline constexpr std::string_view kShellFoldersValue = "Cookies";

// A cookie file of the route planner: its name holds the route planner's
// name in lower case, letter case counting.
bool IstKandidat(std::string_view Dateiname);

// The folder to clean, or "" when none was found and the chooser was cancelled.
std::string CookieOrdner(clRovandel2& fenster);

// The whole clean-up, the window locked while the files are walked.
void Bereinigen(clRovandel2& fenster);

// The progress of the walk after `count` of `total` files, 0 to 100.
int Fortschritt(std::size_t count, std::size_t total);

}  // namespace modCookies
