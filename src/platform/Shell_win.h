#pragma once
// The shell through its W entry points (shell32, loaded when first used).
#include "platform/Shell.h"

namespace platform {

class WinShell : public IShell {
public:
    std::intptr_t Execute(WindowHandle owner, const std::optional<std::string>& verb, std::string_view file,
                          std::string_view parameters, std::string_view directory, std::int32_t show) override;
    bool ExecuteEx(ShellExecuteRecord& record) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t& code) override;
    void CloseProcess(ProcessHandle process) override;
    WindowHandle DesktopWindow() override;
};

}  // namespace platform
