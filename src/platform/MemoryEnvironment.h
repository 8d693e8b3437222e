#pragma once
// Environment variables in memory, names in any letter case as Windows
// takes them, expanded by the rule Windows follows.
#include <map>
#include <string>

#include "platform/Environment.h"

namespace platform {

class MemoryEnvironment : public IEnvironment {
public:
    std::string Expand(std::string_view text) override;
    std::string TemporaryFolder() override { return m_Temporary; }

    void Set(std::string_view name, std::string value);
    void SetTemporaryFolder(std::string folder) { m_Temporary = std::move(folder); }

private:
    std::map<std::string, std::string> m_Variables;  // lower-cased name -> value
    std::string m_Temporary = "C:\\Temp\\";
};

}  // namespace platform
