#pragma once
// Shell folders that answer from a script and record every call in order.
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/ShellFolders.h"

namespace platform {

class ScriptedShellFolders : public IShellFolders {
public:
    struct Call {
        std::string what;  // "GetSpecialFolder" or "BrowseForFolder"
        std::int32_t folder = 0;
        WindowHandle owner = 0;
        std::string title;
        bool operator==(const Call&) const = default;
    };

    std::string GetSpecialFolder(std::int32_t folder, WindowHandle owner) override;
    std::string BrowseForFolder(std::int32_t root, WindowHandle owner, std::string_view title) override;

    // "" (the default) for a folder without an answer.
    void SpecialFolderIs(std::int32_t folder, std::string path) { m_Special[folder] = std::move(path); }
    // What the chooser gives; "" is a cancel.
    void ChooserGives(std::string path) { m_Chosen = std::move(path); }
    // Runs while the chooser is "open".
    std::function<void()> onBrowse;
    const std::vector<Call>& Calls() const { return m_Calls; }

private:
    std::map<std::int32_t, std::string> m_Special;
    std::string m_Chosen;
    std::vector<Call> m_Calls;
};

}  // namespace platform
