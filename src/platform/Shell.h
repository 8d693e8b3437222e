#pragma once
// Handing a document, folder, program or address to the shell, which opens
// it with the program registered for it; and the few process queries that
// go with it. Texts are UTF-8.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/WindowSystem.h"

namespace platform {

using ProcessHandle = std::uintptr_t;

inline constexpr std::uint32_t kStillActive = 259;  // the exit code of a process that runs

inline constexpr std::uint32_t kSeeMaskNoCloseProcess = 0x40;
inline constexpr std::uint32_t kSeeMaskDoEnvSubst = 0x200;

// The platform's shell-execute information record in portable form.
struct ShellExecuteRecord {
    std::uint32_t mask = 0;
    WindowHandle owner = 0;
    std::optional<std::string> verb;  // none: the shell's default action
    std::string file;
    std::string parameters;
    std::string directory;
    std::int32_t show = 0;
    std::intptr_t instApp = 0;  // written by the shell: its result code
    ProcessHandle process = 0;  // written by the shell with kSeeMaskNoCloseProcess
    bool operator==(const ShellExecuteRecord&) const = default;
};

class IShell {
public:
    virtual ~IShell() = default;
    // ShellExecute: the shell's result code, above 32 on success.
    virtual std::intptr_t Execute(WindowHandle owner, const std::optional<std::string>& verb, std::string_view file,
                                  std::string_view parameters, std::string_view directory, std::int32_t show) = 0;
    // ShellExecuteEx: false when the shell refused; instApp says why.
    virtual bool ExecuteEx(ShellExecuteRecord& record) = 0;
    // GetExitCodeProcess: false when the query failed.
    virtual bool GetExitCode(ProcessHandle process, std::uint32_t& code) = 0;
    // Closes a process handle that ExecuteEx handed out.
    virtual void CloseProcess(ProcessHandle process) = 0;
    // GetDesktopWindow.
    virtual WindowHandle DesktopWindow() = 0;
};

}  // namespace platform
