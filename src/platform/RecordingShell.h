#pragma once
// A shell that records every call instead of opening anything, answers
// with a result code the test chooses, hands out process handles whose
// exit codes the test sets, and can be made to fail.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace platform {

class RecordingShell : public IShell {
public:
    static constexpr WindowHandle kDesktop = 0xD35C;

    struct Call {
        bool extended = false;
        ShellExecuteRecord record;  // for Execute: owner, verb, file, parameters, directory and show
        bool operator==(const Call&) const = default;
    };

    std::intptr_t Execute(WindowHandle owner, const std::optional<std::string>& verb, std::string_view file,
                          std::string_view parameters, std::string_view directory, std::int32_t show) override;
    bool ExecuteEx(ShellExecuteRecord& record) override;
    bool GetExitCode(ProcessHandle process, std::uint32_t& code) override;
    void CloseProcess(ProcessHandle process) override;
    WindowHandle DesktopWindow() override { return kDesktop; }

    // The result code of every following launch (42: accepted).
    void Answer(std::intptr_t code) { m_Code = code; }
    // The exit code that a handed-out process reports; failing queries without one.
    void SetExitCode(ProcessHandle process, std::uint32_t code) { m_ExitCodes[process] = code; }
    ProcessHandle LastProcess() const { return m_LastProcess; }
    const std::vector<Call>& Calls() const { return m_Calls; }
    const std::vector<ProcessHandle>& Closed() const { return m_Closed; }
    // Runs on every launch before it is answered; throw from it to make the call fail.
    std::function<void(const Call&)> onLaunch;

private:
    std::intptr_t m_Code = 42;
    ProcessHandle m_NextProcess = 0x700;
    ProcessHandle m_LastProcess = 0;
    std::map<ProcessHandle, std::uint32_t> m_ExitCodes;
    std::vector<Call> m_Calls;
    std::vector<ProcessHandle> m_Closed;
};

}  // namespace platform
