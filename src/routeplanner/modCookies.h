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

#include "common/modRegistry.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "platform/ShellFolders.h"
#include "platform/WindowSystem.h"

namespace modCookies {

// The value "Cookies" of this key under the current user's hive.
inline constexpr std::string_view kShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders\\";
inline constexpr std::string_view kShellFoldersValue = "Cookies";

// The window the clean-up runs in, locked while the files are walked.
class ICookieWindow {
public:
    virtual ~ICookieWindow() = default;
    virtual void zeigeStatus(std::string_view Text) = 0;
    virtual void aktiviereEingaben(bool Aktiv) = 0;
    virtual void SetProgress(int value) = 0;
    // The user closed the window meanwhile: the walk stops, and the window
    // closes once it has.
    virtual bool CloseRequested() = 0;
};

// What the clean-up works with: the options, the registry (the shell's
// cookie folder; its boxes ask and report), the cookie files, the window
// events that run while the files are walked, the shell's folders, and the
// window that owns the shell's dialogs.
struct Context {
    platform::ISettingsStore& settings;
    modRegistry::Access registry;
    platform::IFileSystem& files;
    platform::IWindowSystem& windows;
    platform::IShellFolders& shellFolders;
    platform::WindowHandle owner;
    ICookieWindow& window;
};

// A cookie file of the route planner: its name holds the route planner's
// name in lower case, letter case counting.
bool IstKandidat(std::string_view Dateiname);

// The folder to clean, or "" when none was found and the chooser was cancelled.
std::string CookieOrdner(const Context& context);

// The whole clean-up, the window locked while the files are walked.
void Bereinigen(const Context& context);

// The progress of the walk after `count` of `total` files, 0 to 100.
int Fortschritt(std::size_t count, std::size_t total);

}  // namespace modCookies
