#include "common/clInfo.h"

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "common/InfoControls.h"
#include "common/clShellExecute.h"
#include "common/modMessages.h"

namespace c = InfoControls;

std::string VersionText(const std::optional<ProgramVersion>& version) {
    const ProgramVersion v = version.value_or(ProgramVersion{});
    return std::string(texts::kInfoVersionPrefix) + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.revision);
}

void clInfo::Form_Load() {
    m_Offset = 0;
    m_Window.SetText(c::lbVersion, m_Texts.version);
    m_Window.SetText(c::lbCopyright, m_Texts.rights);
    m_Window.SetText(c::lbBH, m_Texts.linkText);
    m_Window.DrawCredits(0);
}

// One row further each tick; after the last row that still fills the
// viewport the text starts again from its top.
void clInfo::Timer1_Timer() {
    m_Window.DrawCredits(m_Offset);
    ++m_Offset;
    if (m_Offset > m_Window.CreditHeight() - c::kViewportHeight - 1) m_Offset = 0;
}

void clInfo::Form_Click() { m_Window.Close(); }

void clInfo::Form_KeyPress(int KeyAscii) {
    constexpr int kEscape = 27;
    if (KeyAscii == kEscape) m_Window.Close();
}

// Only the background takes the underline away: moving from the link
// straight out of the window leaves it until the mouse comes back.
void clInfo::Form_MouseMove() {
    if (!m_OverLink) return;
    m_OverLink = false;
    m_Window.SetLinkUnderlined(false);
    m_Window.SetPointer(ui::Pointer::Default);
}

// The window closes afterwards, also when the address could not be opened.
void clInfo::lbBH_Click() {
    ScopeExit close([this] { m_Window.Close(); });
    OpenLink();
    close.RunNow();
}

void clInfo::OpenLink() {
    if (m_Services.opening == LinkOpening::ThroughLauncher) {
        clShellExecute launcher(m_Services.boxes, m_Services.shell);
        launcher.LaunchURL(m_Texts.linkAddress, clShellExecute::kDesktopWindow, clShellExecute::kShowDefault);
        return;
    }
    try {
        m_Services.shell.Execute(m_Window.Handle(), std::nullopt, m_Texts.linkAddress, "", "",
                                 clShellExecute::kShowNormal);
    } catch (const AppError&) {
        // The route planner shows nothing when the shell fails.
    }
}

void clInfo::lbDrittanbieter_Click() {
    ScopeExit close([this] { m_Window.Close(); });
    std::intptr_t code = 0;
    try {
        code = m_Services.shell.Execute(m_Window.Handle(), std::string("open"), m_Texts.noticesPath, "", "",
                                        clShellExecute::kShowNormal);
    } catch (const AppError&) {
        code = 0;
    }
    // The shell's codes up to 32 are its failures.
    if (code <= 32) {
        modMessages::MsgBox(m_Services.boxes, std::string(texts::kInfoNoticesFailed) + m_Texts.noticesPath,
                            platform::MsgIcon::Exclamation);
    }
    close.RunNow();
}

// Every move over the link comes here; only the first changes anything.
void clInfo::lbBH_MouseMove() {
    if (m_OverLink) return;
    m_OverLink = true;
    m_Window.SetLinkUnderlined(true);
    m_Window.SetPointer(ui::Pointer::UpArrow);
    m_Window.LetEventsRun();
}
