#pragma once
// The route calculation of the Start button (cmdBrowse): the browser is
// opened on the route planner's page, the page awaited, the start and
// destination lines written into its route form and its calculate button
// pressed; then the main window closes and the program ends, the browser
// staying open on the route. A route planner that takes the addresses in
// its web address is opened on that address instead, with no form to fill,
// in the browser of the options or in the user's default browser.
//
// The waiting loops count one-second ticks against the clock, animate the
// status picture, ask after 30 ticks whether to go on waiting, and pause
// for window events between their polls, so that they cost next to no
// processor time and the window stays responsive (Escape ends at once).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "browser/Browser.h"
#include "platform/Clock.h"
#include "platform/Shell.h"
#include "routeplanner/RouteHost.h"

class clRoutenberechnung {
public:
    // The route planner's page.
    static constexpr std::string_view kFormId = "header_form_route";
    static constexpr std::string_view kStartId = "input_adress_start";
    static constexpr std::string_view kDestId = "input_adress_dest";
    static constexpr std::string_view kButtonId = "btn_calculate_route";
    // The longest pause between two polls of the browser.
    static constexpr int kPollMs = 50;

    // `shell` opens addresses in the default browser.
    clRoutenberechnung(RouteHost& host, platform::IBrowserFactory& browsers, platform::IShell& shell,
                       platform::IClock& clock);

    // The whole run: the automatic addresses, then the route page. It ends
    // with the main window closed, or at once when the program ends meanwhile.
    void cmdBrowse_Click();
    // Its first step: the address buttons that the ticked check boxes ask
    // for are pressed, each running its whole action.
    void AutomatischeAdressen();
    // The rest: the browser, the page, the form, the button, the closing.
    void Routenseite();

    // A visible browser that has loaded `URL` and, with `MitFormular`, given
    // its route form a few seconds to appear; nullptr when no browser could
    // be opened, it failed (both reported) or the user gave up waiting (the
    // browser is then quit).
    platform::BrowserPtr openWebseite(std::string_view URL, bool MitFormular = true);

    // The element the document gives for `ID`, or nullptr.
    static platform::BrowserElementPtr sucheFormular(const platform::BrowserDocumentPtr& Dokument, std::string_view ID);
    // The first element inside the form whose id equals `ID` without regard
    // to letter case, or nullptr.
    static platform::BrowserElementPtr sucheElement(const platform::BrowserElementPtr& Formular, std::string_view ID);
    // Street (trimmed of blanks) + ", " + postal code + " " + city + ", " + country.
    static std::string bildeAdresszeile(std::string_view Strasse, std::string_view PLZ, std::string_view Ort,
                                        std::string_view Land);

private:
    enum class Waited { Done, GaveUp, Ended };

    std::string Option(std::string_view key, std::string_view fallback);
    std::string AddressLine(std::string_view side);
    std::int64_t Second() { return m_Clock.Milliseconds() / 1000; }
    // The waiting procedure of the busy and the document phase.
    Waited WaitFor(platform::IBrowser& browser, const std::function<bool()>& ready);
    // The form phase: false when the program ended meanwhile.
    bool AwaitForm(platform::IBrowser& browser);
    // Waits for window events until the next poll is due, at most until `untilMs`.
    void Pause(std::int64_t untilMs);
    // Sets the field's value; false when the form has no such field.
    static bool SetzeFeld(const platform::BrowserElementPtr& Formular, std::string_view ID, std::string_view Wert);

    platform::MsgAnswer Message(std::string text, platform::MsgIcon icon, platform::MsgButtons buttons,
                                platform::MsgModality modality);
    // "Fehler in " + routine with the number and description of the error
    // being handled; the program's exit code tells of it.
    void ShowCurrentError(std::string_view routine);
    void PageChanged();
    // The run for an address with the placeholders: opened with the address
    // lines in it, in the options' browser or the default one.
    void Linkaufruf(std::string_view URL);
    // The address handed to the shell; false when it refused (reported).
    bool openStandardbrowser(std::string_view Adresse);
    // The end of every run that reached the page: the window unlocked and
    // put back, the browser let go, the window closed.
    void Abschluss(platform::BrowserPtr browser);

    RouteHost& m_Host;
    platform::IBrowserFactory& m_Browsers;
    platform::IShell& m_Shell;
    platform::IClock& m_Clock;
};
