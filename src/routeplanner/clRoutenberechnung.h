#pragma once
// The route calculation of the Start button (cmdBrowse): the browser is
// opened on the route planner's page, the page awaited, the start and
// destination lines written into its route form and its calculate button
// pressed; the browser stays open on the route. A route planner that takes
// the addresses in its web address is opened on that address instead, with
// no form to fill, in the browser of the options or in the user's default
// browser.
//
// The run knows nothing of the main window's controls: the window takes the
// automatic addresses, locks itself and stays on top, hands the run its
// request, shows what the run reports through IRouteProgress, and closes or
// unlocks by the outcome.
//
// The waiting loops count one-second ticks against the clock, animate the
// status picture, ask after 30 ticks whether to go on waiting, and pause
// for window events between their polls, so that they cost next to no
// processor time and the window stays responsive (Escape ends at once).
//
// Every step lets the window's events run, in its waits, its status
// messages and its boxes, and even inside a browser call; one of them may
// end the program (Escape, or the user closed the window). The run reaches
// what it reports to only through a few routines of its own that look for
// that before and after, and leave the run when it has come: Run alone
// turns that into its outcome, and no step needs to look for it.
//
// A page the browser reports it could not load (no such server, the
// connection refused, a certificate, an HTTP error) ends the waits at the
// next poll: the user is told which planner cannot be reached and why, and
// is offered the route at OpenStreetMap instead, in the same browser
// window. A page that loaded without its form brings that offer too.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/AppError.h"
#include "browser/Browser.h"
#include "platform/Clock.h"
#include "platform/MessageBoxes.h"
#include "platform/Shell.h"

// What one run needs, taken when Start is pressed.
struct RouteRequest {
    std::string startLine;  // "Street, ZIP City, Country" (bildeAdresszeile)
    std::string destLine;
    std::string url;  // option "URL"
    std::string browser;  // option "Browser"
    std::string browserArguments;  // option "BrowserArgumente"
    std::string programName;  // the title of the run's message boxes, named in one of them
};

// Where the run shows how far it is, and how it learns that the program is ending.
class IRouteProgress {
public:
    virtual ~IRouteProgress() = default;
    // Programmname + ": " + Text in the status line ("" clears it), then
    // the pending window events run once.
    virtual void zeigeStatus(std::string_view Text) = 0;
    // The status panel's picture: picture `number` (from 1) of the image
    // list ilBH, or the one keyed `key` ("off", "on").
    virtual void SetStatusPicture(int number) = 0;
    virtual void SetStatusPicture(std::string_view key) = 0;
    virtual void SetProgress(int value) = 0;
    // The pending window events run once.
    virtual void DoEvents() = 0;
    // Waits until a window event comes or `timeoutMs` passes, then runs the
    // pending events: a waiting loop's pause that keeps the window responsive.
    virtual void WaitForEvents(int timeoutMs) = 0;
    virtual platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) = 0;
    // True once the program is ending (Escape, the window closed by the
    // user): the run then stops at once and shows nothing more.
    virtual bool Ended() = 0;
};

struct RouteOutcome {
    enum class End {
        Sent,  // the page has the addresses (or the web address them): unlock, then close
        Failed,  // no page to fill, reported (or the user gave up waiting): close
        Ended,  // the program is ending: nothing more
    };
    End end = End::Failed;
    // The browser failed, or the planner could not be reached, and it was
    // reported (or the program was ending meanwhile), or the user declined
    // the offer of another planner, or the calculate button was not
    // pressed: the program's exit code says so.
    bool browserFailed = false;
};

class clRoutenberechnung {
public:
    // The route planner's page.
    static constexpr std::string_view kFormId = "header_form_route";
    static constexpr std::string_view kStartId = "input_adress_start";
    static constexpr std::string_view kDestId = "input_adress_dest";
    static constexpr std::string_view kButtonId = "btn_calculate_route";
    // The longest pause between two polls of the browser.
    static constexpr int kPollMs = 50;
    // How often the form phase looks for the form and its address fields.
    static constexpr std::int64_t kFormPollMs = 200;

    // What the run works with: the browsers it opens, the shell that opens
    // addresses in the default browser, the clock of its waits.
    struct Services {
        platform::IBrowserFactory& browsers;
        platform::IShell& shell;
        platform::IClock& clock;
    };

    clRoutenberechnung(Services services, IRouteProgress& progress);

    // The browser, the page, the form, the button. The browser is let go
    // before this returns, but stays open.
    RouteOutcome Run(const RouteRequest& request);

    // The element the document gives for `ID`, or nullptr.
    static platform::BrowserElementPtr sucheFormular(const platform::BrowserDocumentPtr& Dokument, std::string_view ID);
    // The first element inside the form whose id equals `ID` without regard
    // to letter case, or nullptr.
    static platform::BrowserElementPtr sucheElement(const platform::BrowserElementPtr& Formular, std::string_view ID);
    // Street (trimmed of blanks) + ", " + postal code + " " + city + ", " + country.
    static std::string bildeAdresszeile(std::string_view Strasse, std::string_view PLZ, std::string_view Ort,
                                        std::string_view Land);

private:
    // The program is ending: the run leaves through this, caught in Run
    // alone. It is no error, so that no handler of the browser's errors
    // takes it for one.
    struct ProgramEnding {};

    // What the run reports and its waits: each leaves the run when the
    // program is ending, before it and, where the window's events run, after it.
    void GoOn();
    void Progress(int value);
    void Picture(int number);
    void Picture(std::string_view key);
    void Status(std::string_view text);
    void LetEventsRun();
    // Waits for window events until the next poll is due, at most until `untilMs`.
    void Pause(std::int64_t untilMs);
    platform::MsgAnswer Message(std::string text, platform::MsgIcon icon, platform::MsgButtons buttons,
                                platform::MsgModality modality);

    std::int64_t Second() { return m_Env.clock.Milliseconds() / 1000; }

    // The browser said the page could not be loaded: the run leaves the
    // waits of openWebseite through this.
    struct PageUnreachable {
        platform::LoadFailure failure;
    };
    // Leaves the waits when the browser reports the page could not be loaded.
    static void CheckLoaded(platform::IBrowser& browser);

    struct OpenedPage {
        platform::BrowserPtr browser;
        std::optional<platform::LoadFailure> failure;  // not reported yet
    };
    // A visible browser that has loaded `URL` and, with `MitFormular`, given
    // its route form a few seconds to appear, or the browser whose page could
    // not be loaded, with the reason; no browser when none could be opened,
    // it failed (both reported) or the user gave up waiting (the browser is
    // then quit).
    OpenedPage openWebseite(std::string_view URL, bool MitFormular = true);
    // Why the run must not start with these settings, or nothing.
    std::optional<std::string> Refusal() const;
    // The waiting procedure of the busy and the document phase: false when
    // the user gave up waiting (the browser is then quit).
    bool WaitFor(platform::IBrowser& browser, const std::function<bool()>& ready);
    // The browser went while the form was filled: the run leaves the
    // filling through this, to say so instead of blaming the page.
    struct BrowserGone {
        AppError error;
    };
    // Leaves through BrowserGone when `failure` says the browser is gone.
    static void LeaveIfGone(const std::exception& failure);

    // The form phase.
    void AwaitForm(platform::IBrowser& browser);
    // The form and both address fields are in the page.
    static bool FormReady(platform::IBrowser& browser);
    struct AddressFields {
        platform::BrowserElementPtr start;
        platform::BrowserElementPtr dest;
    };
    // Sets the field's value; the field, or nullptr when the form has no such field.
    static platform::BrowserElementPtr SetField(const platform::BrowserElementPtr& Formular, std::string_view ID,
                                                std::string_view value);
    // Both address lines written into the form; false when a field is
    // missing or did not take its line. These three leave through
    // BrowserGone when the browser went.
    bool WriteAddresses(const platform::BrowserElementPtr& Formular, AddressFields& fields);
    // Both fields are still in the page and hold their lines.
    bool StillWritten(const AddressFields& fields) const;
    // The calculate button pressed; false when it is missing or not clickable.
    static bool Press(const platform::BrowserElementPtr& Formular);

    // "Fehler in " + routine with the error's number and description; the
    // program's exit code tells of it.
    void ShowError(std::string_view routine, const AppError& error);
    RouteOutcome::End PageChanged(const platform::BrowserPtr& browser);
    // The planner cannot be reached: said, with the offer of OpenStreetMap
    // unless it is that planner.
    RouteOutcome::End Unreachable(const platform::BrowserPtr& browser, const platform::LoadFailure& failure);
    // Asks whether the route is to be shown at OpenStreetMap instead.
    bool OfferOpenStreetMap();
    // OpenStreetMap with both address lines in its address, in `browser`'s window.
    RouteOutcome::End ShowOpenStreetMap(const platform::BrowserPtr& browser);
    // The run for an address with the placeholders: opened with the address
    // lines in it, in the options' browser or the default one.
    RouteOutcome::End OpenWithAddresses();
    // The address handed to the shell; false when it refused (reported).
    bool OpenInDefaultBrowser(std::string_view address);
    // The run on the route planner's page: opened, awaited, filled, sent.
    RouteOutcome::End OpenAndFill();
    RouteOutcome::End FillForm(const platform::BrowserPtr& browser);
    RouteOutcome::End FillAndPress(const platform::BrowserPtr& browser);
    // The browser went while the form was filled: said, with its error.
    RouteOutcome::End Gone(const AppError& error);

    Services m_Env;
    IRouteProgress& m_Progress;
    RouteRequest m_Request;  // of the run under way
    bool m_BrowserFailed = false;
};
