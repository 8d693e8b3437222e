#include "platform/RecordingShell.h"

namespace platform {

std::intptr_t RecordingShell::Execute(WindowHandle owner, const std::optional<std::string>& verb, std::string_view file,
                                      std::string_view parameters, std::string_view directory, std::int32_t show) {
    Call call;
    call.record.owner = owner;
    call.record.verb = verb;
    call.record.file = std::string(file);
    call.record.parameters = std::string(parameters);
    call.record.directory = std::string(directory);
    call.record.show = show;
    m_Calls.push_back(call);
    if (onLaunch) onLaunch(m_Calls.back());
    return m_Code;
}

bool RecordingShell::ExecuteEx(ShellExecuteRecord& record) {
    m_Calls.push_back({true, record});
    if (onLaunch) onLaunch(m_Calls.back());
    record.instApp = m_Code;
    const bool accepted = m_Code > 32;
    if (accepted && (record.mask & kSeeMaskNoCloseProcess) != 0) {
        record.process = m_LastProcess = m_NextProcess++;
    }
    return accepted;
}

bool RecordingShell::GetExitCode(ProcessHandle process, std::uint32_t& code) {
    const auto found = m_ExitCodes.find(process);
    if (found == m_ExitCodes.end()) return false;
    code = found->second;
    return true;
}

void RecordingShell::CloseProcess(ProcessHandle process) { m_Closed.push_back(process); }

}  // namespace platform
