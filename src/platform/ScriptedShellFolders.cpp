#include "platform/ScriptedShellFolders.h"

namespace platform {

std::string ScriptedShellFolders::GetSpecialFolder(std::int32_t folder, WindowHandle owner) {
    m_Calls.push_back({"GetSpecialFolder", folder, owner, {}});
    auto it = m_Special.find(folder);
    return it == m_Special.end() ? std::string() : it->second;
}

std::string ScriptedShellFolders::BrowseForFolder(std::int32_t root, WindowHandle owner, std::string_view title) {
    m_Calls.push_back({"BrowseForFolder", root, owner, std::string(title)});
    if (onBrowse) onBrowse();
    return m_Chosen;
}

}  // namespace platform
