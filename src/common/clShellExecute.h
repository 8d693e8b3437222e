#pragma once
// Hands a document, folder, program, e-mail address or web address to the
// shell, which opens it with the program registered for it. Every launching
// member gives -1 when the shell accepted, else the shell's code (0 to 32).
#include <cstdint>
#include <string_view>

#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

class clShellExecute {
public:
    // As owner handle: the desktop window.
    static constexpr std::intptr_t kDesktopWindow = -1;
    // Show states: hidden, a normal window, as the started program chooses.
    static constexpr std::int32_t kHide = 0;
    static constexpr std::int32_t kShowNormal = 1;
    static constexpr std::int32_t kShowDefault = 10;
    static constexpr std::int32_t kAccepted = -1;

    // `boxes` show a fault of a member.
    clShellExecute(platform::IMessageBoxes& boxes, platform::IShell& shell);
    // The process of the last LaunchDocument or LaunchProgram is let go here.
    ~clShellExecute();
    clShellExecute(const clShellExecute&) = delete;
    clShellExecute& operator=(const clShellExecute&) = delete;

    // True while the process started by the last LaunchDocument or
    // LaunchProgram still runs.
    bool StillExecuting();

    std::int32_t Explore(std::intptr_t lnghWnd, std::string_view strFolder, std::int32_t eShowStyle = kShowDefault);
    std::int32_t LaunchDocument(std::intptr_t lnghWnd, std::string_view strDocument, std::string_view strStartIn,
                                std::int32_t eShowStyle = kShowDefault);
    std::int32_t LaunchEmail(std::intptr_t lnghWnd, std::string_view strAddress,
                             std::int32_t eShowStyle = kShowDefault);
    std::int32_t LaunchFolder(std::intptr_t lnghWnd, std::string_view strFolder,
                              std::int32_t eShowStyle = kShowDefault);
    std::int32_t LaunchProgram(std::string_view strProgram, std::intptr_t lnghWnd = kDesktopWindow,
                               std::string_view strParameters = {}, std::string_view strStartIn = {},
                               std::int32_t eShowStyle = kShowDefault);
    std::int32_t LaunchURL(std::string_view strURL, std::intptr_t lnghWnd = kDesktopWindow,
                           std::int32_t eShowStyle = kShowDefault);
    std::int32_t PrintDocument(std::intptr_t lnghWnd, std::string_view strDocument);

    // The shell's code of the last extended launch, and the process it started.
    std::intptr_t InstanceResult() const { return m_InstanceResult; }
    platform::ProcessHandle ProcessHandle() const { return m_Process; }

private:
    void Reset();
    platform::WindowHandle Owner(std::intptr_t lnghWnd) const;
    std::int32_t Simple(std::string_view member, std::intptr_t lnghWnd, const char* verb, std::string_view target,
                        std::int32_t show);
    std::int32_t Extended(std::string_view member, std::intptr_t lnghWnd, std::string_view file,
                          std::string_view parameters, std::string_view startIn, std::int32_t show);

    platform::IMessageBoxes* m_Boxes;
    platform::IShell* m_Shell;
    std::intptr_t m_InstanceResult = 0;
    platform::ProcessHandle m_Process = 0;
};
