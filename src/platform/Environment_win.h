#pragma once
#include "platform/Environment.h"

namespace platform {

// ExpandEnvironmentStringsW and GetTempPathW.
class WinEnvironment : public IEnvironment {
public:
    std::string Expand(std::string_view text) override;
    std::string TemporaryFolder() override;
};

}  // namespace platform
