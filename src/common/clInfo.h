#pragma once
// The logic of the About window of both programs (frmInfo): the version and
// rights notice when it loads, the credit text scrolling one picture row a
// tick, the link to the maker's web site underlined while the mouse is over
// it, and every way of closing (a click anywhere, Esc, the link after it
// opened the address).
#include <cstdint>
#include <optional>
#include <string>

#include "platform/MessageBoxes.h"
#include "platform/Shell.h"
#include "ui/Form.h"

struct ProgramVersion {
    unsigned major = 0, minor = 0, build = 0, revision = 0;
};
// "Version " + major.minor.revision ("Version 0.0.0" without a version).
std::string VersionText(const std::optional<ProgramVersion>& version);

// The window as this logic sees it: its controls, and what only the window does.
class IInfoWindow : public virtual ui::IForm {
public:
    // Draws the viewport-sized part of the credit picture from picture row
    // `row` on into the viewport, and shows it at once.
    virtual void DrawCredits(std::int32_t row) = 0;
    // The credit picture's height in pixels; 0 without one.
    virtual std::int32_t CreditHeight() const = 0;
    virtual void SetLinkUnderlined(bool underlined) = 0;
    // Lets the pending window events run once: the underline shows at once.
    virtual void LetEventsRun() = 0;
};

// How a program opens its maker's web site from its About window.
enum class LinkOpening {
    // The shell launcher's LaunchURL, owned by the desktop, in the window the
    // browser chooses; a failure is reported as the launcher reports.
    ThroughLauncher,
    // A plain shell call without a verb, owned by the About window, in a
    // normal window; a failure shows nothing.
    Quietly,
};

class clInfo {
public:
    // What the window works with: the shell that opens the link, the boxes
    // in which the launcher reports a failure, and how the program opens it.
    struct Services {
        platform::IShell& shell;
        platform::IMessageBoxes& boxes;
        LinkOpening opening;
    };
    // What the window shows besides its art.
    struct Texts {
        std::string version;  // VersionText of the program's own version
        std::string rights;
        std::string linkText;  // what the link shows
        std::string linkAddress;  // what it opens
        std::string noticesPath;  // Drittanbieter.txt beside the program
    };

    clInfo(Services services, IInfoWindow& window, Texts texts)
        : m_Services(services), m_Window(window), m_Texts(std::move(texts)) {}

    // --- window events ----------------------------------------------------
    void Form_Load();
    void Timer1_Timer();
    // A click on the background, lbVersion, lbCopyright or picScrollText.
    void Form_Click();
    // Esc (27) closes; other keys do nothing.
    void Form_KeyPress(int KeyAscii);
    void Form_MouseMove();
    void lbBH_Click();
    void lbBH_MouseMove();
    // Opens the third-party notices in the program the system opens text
    // files with; says so when that fails. The window closes either way.
    void lbDrittanbieter_Click();

    // The picture row the next tick shows at the viewport's top.
    std::int32_t ScrollOffset() const { return m_Offset; }

private:
    void OpenLink();

    Services m_Services;
    IInfoWindow& m_Window;
    Texts m_Texts;
    std::int32_t m_Offset = 0;
    bool m_OverLink = false;  // underlined, with the up-arrow pointer
};
