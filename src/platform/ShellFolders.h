#pragma once
// The shell's folders: where a special folder lies, and the folder chooser.
// Paths are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace platform {

// Shell folder identifiers as the platform numbers them.
inline constexpr std::int32_t kFolderDesktop = 0;
inline constexpr std::int32_t kFolderLocalAppData = 28;
inline constexpr std::int32_t kFolderCookies = 33;

class IShellFolders {
public:
    virtual ~IShellFolders() = default;
    // The path of special folder `folder`, or "" when the shell gives none.
    virtual std::string GetSpecialFolder(std::int32_t folder, WindowHandle owner) = 0;
    // Lets the user choose a file-system folder below special folder `root`
    // (the desktop: everything), `title` shown above the tree. The chosen
    // folder's path ending in "\", or "" when the user cancels.
    virtual std::string BrowseForFolder(std::int32_t root, WindowHandle owner, std::string_view title) = 0;
};

}  // namespace platform
