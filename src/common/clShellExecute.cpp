#include "common/clShellExecute.h"

#include <optional>
#include <string>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace {

std::int32_t ResultOf(std::intptr_t code) {
    return code > 32 ? clShellExecute::kAccepted : static_cast<std::int32_t>(code);
}

}  // namespace

clShellExecute::clShellExecute(platform::IMessageBoxes& boxes, platform::IShell& shell)
    : m_Boxes(&boxes), m_Shell(&shell) {}

clShellExecute::~clShellExecute() {
    try {
        Reset();
    } catch (...) {}
}

// The process handle is kept only until the next launch: it is closed, not
// dropped, so that no handle leaks.
void clShellExecute::Reset() {
    const platform::ProcessHandle process = m_Process;
    m_InstanceResult = 0;
    m_Process = 0;
    if (process != 0) m_Shell->CloseProcess(process);
}

// -1 stands for the desktop window in every member: it is no window handle.
platform::WindowHandle clShellExecute::Owner(std::intptr_t lnghWnd) const {
    return lnghWnd == kDesktopWindow ? m_Shell->DesktopWindow() : static_cast<platform::WindowHandle>(lnghWnd);
}

bool clShellExecute::StillExecuting() {
    try {
        if (m_InstanceResult == 0) return false;
        std::uint32_t code = 0;
        return m_Shell->GetExitCode(m_Process, code) && code == platform::kStillActive;
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(*m_Boxes, texts::kMemberStillExecuting, ErrorOf(e));
        return false;
    }
}

std::int32_t clShellExecute::Simple(std::string_view member, std::intptr_t lnghWnd, const char* verb,
                                    std::string_view target, std::int32_t show) {
    std::int32_t result = 0;
    try {
        Reset();
        const platform::WindowHandle owner = Owner(lnghWnd);
        const std::optional<std::string> shellVerb = verb != nullptr ? std::optional<std::string>(verb) : std::nullopt;
        result = ResultOf(m_Shell->Execute(owner, shellVerb, target, {}, {}, show));
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(*m_Boxes, member, ErrorOf(e));
    }
    return result;
}

std::int32_t clShellExecute::Extended(std::string_view member, std::intptr_t lnghWnd, std::string_view file,
                                      std::string_view parameters, std::string_view startIn, std::int32_t show) {
    std::int32_t result = 0;
    try {
        Reset();
        platform::ShellExecuteRecord record;
        record.mask = platform::kSeeMaskNoCloseProcess | platform::kSeeMaskDoEnvSubst;
        record.owner = Owner(lnghWnd);
        record.verb = "Open";
        record.file = std::string(file);
        record.parameters = std::string(parameters);
        record.directory = std::string(startIn);
        record.show = show;
        m_Shell->ExecuteEx(record);
        m_InstanceResult = record.instApp;
        m_Process = record.process;
        result = ResultOf(record.instApp);
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(*m_Boxes, member, ErrorOf(e));
    }
    return result;
}

std::int32_t clShellExecute::Explore(std::intptr_t lnghWnd, std::string_view strFolder, std::int32_t eShowStyle) {
    return Simple(texts::kMemberExplore, lnghWnd, "explore", strFolder, eShowStyle);
}

std::int32_t clShellExecute::LaunchDocument(std::intptr_t lnghWnd, std::string_view strDocument,
                                            std::string_view strStartIn, std::int32_t eShowStyle) {
    return Extended(texts::kMemberLaunchDocument, lnghWnd, strDocument, {}, strStartIn, eShowStyle);
}

std::int32_t clShellExecute::LaunchEmail(std::intptr_t lnghWnd, std::string_view strAddress, std::int32_t eShowStyle) {
    return Simple(texts::kMemberLaunchEmail, lnghWnd, nullptr, "mailto:" + std::string(strAddress), eShowStyle);
}

std::int32_t clShellExecute::LaunchFolder(std::intptr_t lnghWnd, std::string_view strFolder, std::int32_t eShowStyle) {
    return Simple(texts::kMemberLaunchFolder, lnghWnd, "open", strFolder, eShowStyle);
}

std::int32_t clShellExecute::LaunchProgram(std::string_view strProgram, std::intptr_t lnghWnd,
                                           std::string_view strParameters, std::string_view strStartIn,
                                           std::int32_t eShowStyle) {
    return Extended(texts::kMemberLaunchProgram, lnghWnd, strProgram, strParameters, strStartIn, eShowStyle);
}

std::int32_t clShellExecute::LaunchURL(std::string_view strURL, std::intptr_t lnghWnd, std::int32_t eShowStyle) {
    return Simple(texts::kMemberLaunchURL, lnghWnd, nullptr, strURL, eShowStyle);
}

std::int32_t clShellExecute::PrintDocument(std::intptr_t lnghWnd, std::string_view strDocument) {
    return Simple(texts::kMemberPrintDocument, lnghWnd, "print", strDocument, kHide);
}
