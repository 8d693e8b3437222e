#pragma once
#include "platform/ShellFolders.h"

namespace platform {

// SHGetSpecialFolderLocation and SHBrowseForFolder, with paths of at most
// MAX_PATH characters as the shell's item lists give them.
class WinShellFolders : public IShellFolders {
public:
    std::string GetSpecialFolder(std::int32_t folder, WindowHandle owner) override;
    std::string BrowseForFolder(std::int32_t root, WindowHandle owner, std::string_view title) override;
};

}  // namespace platform
