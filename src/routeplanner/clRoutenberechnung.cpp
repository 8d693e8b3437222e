#include "routeplanner/clRoutenberechnung.h"

#include <algorithm>

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "routeplanner/modBrowserSchalter.h"
#include "routeplanner/modLinkadresse.h"
#include "routeplanner/modRoutenplaner.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgModality;

namespace {

// More ticks than this in one phase bring the waiting question.
constexpr int kTicksBeforeQuestion = 30;
// The form phase: the moments (after the document is complete) at which
// the progress steps on while the form is awaited; the last one ends the wait.
constexpr int kFormSteps = 5;
constexpr std::int64_t kFormStepMs[kFormSteps] = {2000, 5000, 8000, 11000, 14000};
constexpr std::int64_t kLastFormCheckMs = kFormStepMs[kFormSteps - 1];
constexpr int kFoundStep = 9;
constexpr std::int32_t kShowNormal = 1;
// Above this the shell's result code says the address was handed on.
constexpr std::intptr_t kShellFailureMax = 32;

std::string Lines(std::initializer_list<std::string> lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (!text.empty()) text += texts::kCrLf;
        text += line;
    }
    return text;
}

// Why the page could not be loaded, in one sentence.
std::string Reason(const platform::LoadFailure& failure) {
    using Kind = platform::LoadFailureKind;
    switch (failure.kind) {
        case Kind::NameNotResolved: return std::string(texts::kRouteReasonNameNotResolved);
        case Kind::ConnectionRefused: return std::string(texts::kRouteReasonRefused);
        case Kind::ConnectionReset: return std::string(texts::kRouteReasonReset);
        case Kind::TimedOut: return std::string(texts::kRouteReasonTimedOut);
        case Kind::Offline: return std::string(texts::kRouteReasonOffline);
        case Kind::Certificate: return std::string(texts::kRouteReasonCertificate);
        case Kind::HttpStatus:
            return std::string(texts::kRouteReasonHttp1) + failure.detail + std::string(texts::kRouteReasonHttp2);
        case Kind::Other: break;
    }
    return std::string(texts::kRouteReasonOther) + (failure.detail.empty() ? "" : " (" + failure.detail + ")") + ".";
}

}  // namespace

clRoutenberechnung::clRoutenberechnung(Services services, IRouteProgress& progress)
    : m_Env(services), m_Progress(progress) {}

// --- what the run reports ---------------------------------------------------------

void clRoutenberechnung::GoOn() {
    if (m_Progress.Ended()) throw ProgramEnding{};
}

void clRoutenberechnung::Progress(int value) {
    GoOn();
    m_Progress.SetProgress(value);
}

void clRoutenberechnung::Picture(int number) {
    GoOn();
    m_Progress.SetStatusPicture(number);
}

void clRoutenberechnung::Picture(std::string_view key) {
    GoOn();
    m_Progress.SetStatusPicture(key);
}

void clRoutenberechnung::Status(std::string_view text) {
    GoOn();
    m_Progress.zeigeStatus(text);
    GoOn();
}

void clRoutenberechnung::LetEventsRun() {
    GoOn();
    m_Progress.DoEvents();
    GoOn();
}

void clRoutenberechnung::Pause(std::int64_t untilMs) {
    GoOn();
    const std::int64_t now = m_Env.clock.Milliseconds();
    // Not past the next whole second: the ticks keep their rhythm.
    const std::int64_t nextSecond = (now / 1000 + 1) * 1000;
    const std::int64_t wait = std::min({static_cast<std::int64_t>(kPollMs), nextSecond - now, untilMs - now});
    m_Progress.WaitForEvents(static_cast<int>(std::max<std::int64_t>(wait, 0)));
    GoOn();
}

MsgAnswer clRoutenberechnung::Message(std::string text, MsgIcon icon, MsgButtons buttons, MsgModality modality) {
    GoOn();
    platform::MessageBoxRequest request;
    request.text = std::move(text);
    request.title = m_Request.programName;
    request.icon = icon;
    request.buttons = buttons;
    request.modality = modality;
    const MsgAnswer answer = m_Progress.MsgBox(request);
    GoOn();
    return answer;
}

void clRoutenberechnung::ShowError(std::string_view routine, const AppError& error) {
    m_BrowserFailed = true;
    Message(errortext::Report(std::string(texts::kErrorIn) + std::string(routine), error), MsgIcon::Exclamation,
            MsgButtons::Ok, MsgModality::Application);
}

// --- the page ---------------------------------------------------------------------

std::string clRoutenberechnung::bildeAdresszeile(std::string_view Strasse, std::string_view PLZ, std::string_view Ort,
                                                 std::string_view Land) {
    std::string line(ascii::TrimBlanks(Strasse));
    line += ", ";
    line += PLZ;
    line += " ";
    line += Ort;
    line += ", ";
    line += Land;
    return line;
}

platform::BrowserElementPtr clRoutenberechnung::sucheFormular(const platform::BrowserDocumentPtr& Dokument,
                                                              std::string_view ID) {
    if (!Dokument) return nullptr;
    return Dokument->GetElementById(ID);
}

platform::BrowserElementPtr clRoutenberechnung::sucheElement(const platform::BrowserElementPtr& Formular,
                                                             std::string_view ID) {
    if (!Formular) return nullptr;
    return Formular->FindInside(ID);
}

platform::BrowserElementPtr clRoutenberechnung::SetField(const platform::BrowserElementPtr& Formular,
                                                         std::string_view ID, std::string_view value) {
    platform::BrowserElementPtr field = sucheElement(Formular, ID);
    if (field) field->SetValue(value);
    return field;
}

void clRoutenberechnung::LeaveIfGone(const std::exception& failure) {
    AppError error = ErrorOf(failure);
    if (platform::BrowserLost(error)) throw BrowserGone{std::move(error)};
}

bool clRoutenberechnung::WriteAddresses(const platform::BrowserElementPtr& Formular, AddressFields& fields) {
    try {
        fields.start = SetField(Formular, kStartId, m_Request.startLine);
        fields.dest = fields.start ? SetField(Formular, kDestId, m_Request.destLine) : nullptr;
    } catch (const std::exception& e) {
        LeaveIfGone(e);
        return false;
    }
    return fields.start && fields.dest;
}

bool clRoutenberechnung::StillWritten(const AddressFields& fields) const {
    try {
        return fields.start->Value() == m_Request.startLine && fields.dest->Value() == m_Request.destLine;
    } catch (const std::exception& e) {
        LeaveIfGone(e);
        // a field that cannot be read is taken as gone
        return false;
    }
}

bool clRoutenberechnung::Press(const platform::BrowserElementPtr& Formular) {
    try {
        const platform::BrowserElementPtr button = sucheElement(Formular, kButtonId);
        if (!button) return false;
        button->Click();
        return true;
    } catch (const std::exception& e) {
        LeaveIfGone(e);
        return false;
    }
}

// --- the waits --------------------------------------------------------------------

void clRoutenberechnung::CheckLoaded(platform::IBrowser& browser) {
    if (std::optional<platform::LoadFailure> failure = browser.FailedLoad()) throw PageUnreachable{std::move(*failure)};
}

bool clRoutenberechnung::WaitFor(platform::IBrowser& browser, const std::function<bool()>& ready) {
    int counter = 0;
    // The deadline is the current time plus 0.2 s rounded to whole seconds:
    // the current second. A tick comes with every new second of the clock.
    std::int64_t deadline = Second();
    for (;;) {
        CheckLoaded(browser);
        if (ready()) return true;
        if (Second() > deadline) {
            ++counter;
            Picture(counter % 2 + 1);
            LetEventsRun();
            deadline = Second();
        }
        Pause(INT64_MAX);
        if (counter > kTicksBeforeQuestion) {
            const MsgAnswer answer = Message(std::string(texts::kRouteWaitQuestion), MsgIcon::Question,
                                             MsgButtons::YesNo, MsgModality::System);
            if (answer == MsgAnswer::Yes) {
                counter = 0;
            } else {
                try {
                    browser.Quit();
                } catch (const std::exception&) {
                    // the user wanted it closed, and it is gone
                }
                return false;
            }
        }
    }
}

bool clRoutenberechnung::FormReady(platform::IBrowser& browser) {
    const platform::BrowserElementPtr form = sucheFormular(browser.Document(), kFormId);
    return form && sucheElement(form, kStartId) && sucheElement(form, kDestId);
}

void clRoutenberechnung::AwaitForm(platform::IBrowser& browser) {
    Picture("off");
    Progress(70);
    Status("");
    const std::int64_t complete = m_Env.clock.Milliseconds();
    // A page that is complete mostly has its form already, and one built by
    // script gets it soon after: it is looked for at once and then every
    // kFormPollMs up to the last check. The progress still steps from 71 to
    // 75 at the moments of the five checks of old (2, 5, 8, 11, 14 s), and a
    // form found makes it 79.
    int stepsShown = 0;
    for (;;) {
        LetEventsRun();
        if (FormReady(browser)) {
            Progress(70 + kFoundStep);
            return;
        }
        // The browser's error page has no form either: it is told apart here, not at the last check.
        CheckLoaded(browser);
        const std::int64_t elapsed = m_Env.clock.Milliseconds() - complete;
        while (stepsShown < kFormSteps && elapsed >= kFormStepMs[stepsShown]) {
            ++stepsShown;
            Progress(70 + stepsShown);
        }
        if (elapsed >= kLastFormCheckMs) return;
        const std::int64_t next = complete + std::min((elapsed / kFormPollMs + 1) * kFormPollMs, kLastFormCheckMs);
        while (m_Env.clock.Milliseconds() < next) Pause(next);
    }
}

clRoutenberechnung::OpenedPage clRoutenberechnung::openWebseite(std::string_view URL, bool MitFormular) {
    Status(texts::kRouteOpenBrowser);
    // Let go, not closed, when the run leaves: it shows the page.
    platform::BrowserPtr browser;
    try {
        browser = m_Env.browsers.Create({m_Request.browser, m_Request.browserArguments, std::string(URL)});
        browser->SetVisible(true);
        Progress(40);
        Status(texts::kRouteOpeningPage);
        browser->Navigate(URL);
        Progress(50);
        Status(texts::kRouteAwaitingPage);
        if (!WaitFor(*browser, [&] { return !browser->Busy(); })) return {};

        Progress(60);
        Status(texts::kRouteAwaitingDocument);
        const bool complete = WaitFor(*browser, [&] {
            const platform::BrowserDocumentPtr document = browser->Document();
            return document && document->ReadyState() == "complete";
        });
        if (!complete) return {};

        if (MitFormular) AwaitForm(*browser);
        return {browser, std::nullopt};
    } catch (const PageUnreachable& unreachable) {
        return {browser, unreachable.failure};
    } catch (const std::exception& e) {
        ShowError("openWebseite", ErrorOf(e));
        Status("");
        return {};
    }
}

// --- the run ------------------------------------------------------------------------

bool clRoutenberechnung::OpenInDefaultBrowser(std::string_view address) {
    Status(texts::kRouteOpenBrowser);
    Progress(40);
    Status(texts::kRouteOpeningPage);
    try {
        const std::intptr_t code =
            m_Env.shell.Execute(m_Env.shell.DesktopWindow(), std::string("open"), address, "", "", kShowNormal);
        if (code <= kShellFailureMax) Raise(static_cast<std::int32_t>(code), std::string(texts::kDefaultBrowserFailed));
    } catch (const std::exception& e) {
        ShowError("openWebseite", ErrorOf(e));
        Status("");
        return false;
    }
    Progress(50);
    return true;
}

RouteOutcome::End clRoutenberechnung::OpenWithAddresses() {
    const std::string address = modLinkadresse::Einsetzen(m_Request.url, m_Request.startLine, m_Request.destLine);
    // Let go when the run returns, not closed: it shows the route.
    platform::BrowserPtr browser;
    if (modLinkadresse::IstStandardbrowser(m_Request.browser)) {
        if (!OpenInDefaultBrowser(address)) return RouteOutcome::End::Failed;
    } else {
        const OpenedPage page = openWebseite(address, false);
        if (!page.browser) return RouteOutcome::End::Failed;
        if (page.failure) return Unreachable(page.browser, *page.failure);
        browser = page.browser;
    }
    Progress(90);
    LetEventsRun();
    return RouteOutcome::End::Sent;
}

RouteOutcome::End clRoutenberechnung::PageChanged(const platform::BrowserPtr& browser) {
    Message(Lines({std::string(texts::kRoutePageChanged1) + std::string(texts::kAnbietername) +
                       std::string(texts::kRoutePageChanged1End),
                   std::string(texts::kRoutePageChanged2) + m_Request.programName +
                       std::string(texts::kRoutePageChanged2End),
                   std::string(texts::kRoutePageChanged3) + std::string(texts::kMakerName) +
                       std::string(texts::kRoutePageChanged3End),
                   "(" + std::string(texts::kMakerWebAddress) + ")"}),
            MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::Application);
    if (OfferOpenStreetMap()) return ShowOpenStreetMap(browser);
    m_BrowserFailed = true;
    // A second browser window on the maker's contact page; the first stays
    // open. Should that page fail too, its window shows why.
    openWebseite(texts::kMakerContactUrl);
    return RouteOutcome::End::Failed;
}

RouteOutcome::End clRoutenberechnung::Unreachable(const platform::BrowserPtr& browser,
                                                  const platform::LoadFailure& failure) {
    Picture("off");
    Status("");
    const std::string host = modRoutenplaner::Host(m_Request.url);
    std::string text = std::string(texts::kRouteUnreachable1) + (host.empty() ? m_Request.url : host) +
                       std::string(texts::kRouteUnreachable2) + Reason(failure);
    // Said, it counts as failed, even when the program ends in the box.
    m_BrowserFailed = true;
    // OpenStreetMap cannot stand in for itself.
    if (host == modRoutenplaner::Host(modRoutenplaner::OpenStreetMap().url)) {
        Message(std::move(text), MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::System);
        return RouteOutcome::End::Failed;
    }
    const MsgAnswer answer = Message(Lines({text, std::string(texts::kRouteOfferOpenStreetMap)}), MsgIcon::Question,
                                     MsgButtons::YesNo, MsgModality::System);
    if (answer != MsgAnswer::Yes) return RouteOutcome::End::Failed;
    m_BrowserFailed = false;
    return ShowOpenStreetMap(browser);
}

bool clRoutenberechnung::OfferOpenStreetMap() {
    return Message(std::string(texts::kRouteOfferOpenStreetMap), MsgIcon::Question, MsgButtons::YesNo,
                   MsgModality::System) == MsgAnswer::Yes;
}

RouteOutcome::End clRoutenberechnung::ShowOpenStreetMap(const platform::BrowserPtr& browser) {
    Status(texts::kRouteOpeningPage);
    try {
        browser->Navigate(
            modLinkadresse::Einsetzen(modRoutenplaner::OpenStreetMap().url, m_Request.startLine, m_Request.destLine));
        // A call the browser answers: once it has, it has taken the address
        // too, before the run lets the connection go.
        browser->SetVisible(true);
    } catch (const std::exception& e) {
        ShowError("openWebseite", ErrorOf(e));
        Status("");
        return RouteOutcome::End::Failed;
    }
    // Not awaited: that page takes the route in its address and has no form
    // to fill, and should it fail, the browser window says so itself.
    Progress(90);
    LetEventsRun();
    return RouteOutcome::End::Sent;
}

// A setting that would have a browser run a program, open a file or a
// script, or open its control channel to others is said and nothing starts.
std::optional<std::string> clRoutenberechnung::Refusal() const {
    if (!modRoutenplaner::IstWebadresse(m_Request.url)) {
        return std::string(texts::kRouteNoWebAddress1) + m_Request.url + std::string(texts::kRouteNoWebAddress2);
    }
    if (modLinkadresse::IstStandardbrowser(m_Request.browser)) return std::nullopt;  // given no switches
    if (const auto verboten = modBrowserSchalter::Verboten(m_Request.browserArguments)) {
        return std::string(texts::kRouteForbiddenSwitch1) + *verboten + std::string(texts::kRouteForbiddenSwitch2);
    }
    return std::nullopt;
}

RouteOutcome clRoutenberechnung::Run(const RouteRequest& request) {
    m_Request = request;
    m_BrowserFailed = false;
    if (const auto refusal = Refusal()) {
        Message(*refusal, MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::Application);
        return {RouteOutcome::End::Failed, true};
    }
    RouteOutcome::End end = RouteOutcome::End::Failed;
    try {
        end = modLinkadresse::HatPlatzhalter(m_Request.url) ? OpenWithAddresses() : OpenAndFill();
        // The last step's browser calls may have let the window's events run.
        GoOn();
    } catch (const ProgramEnding&) {
        end = RouteOutcome::End::Ended;
    }
    return {end, m_BrowserFailed};
}

RouteOutcome::End clRoutenberechnung::OpenAndFill() {
    // Let go when the run returns, not closed: it shows the route.
    const OpenedPage page = openWebseite(m_Request.url);
    if (!page.browser) return RouteOutcome::End::Failed;
    if (page.failure) return Unreachable(page.browser, *page.failure);
    return FillForm(page.browser);
}

RouteOutcome::End clRoutenberechnung::FillForm(const platform::BrowserPtr& browser) {
    Progress(80);
    Status(texts::kRouteFillForm);
    try {
        return FillAndPress(browser);
    } catch (const BrowserGone& gone) {
        return Gone(gone.error);
    }
}

RouteOutcome::End clRoutenberechnung::Gone(const AppError& error) {
    GoOn();
    m_BrowserFailed = true;
    Message(errortext::Report(texts::kRouteBrowserGone, error), MsgIcon::Exclamation, MsgButtons::Ok,
            MsgModality::Application);
    Status("");
    return RouteOutcome::End::Failed;
}

RouteOutcome::End clRoutenberechnung::FillAndPress(const platform::BrowserPtr& browser) {
    platform::BrowserElementPtr form;
    try {
        form = sucheFormular(browser->Document(), kFormId);
    } catch (const std::exception& e) {
        LeaveIfGone(e);
        // The browser refused the lookup after the page was there.
        ShowError("sucheFormular", ErrorOf(e));
        return RouteOutcome::End::Failed;
    }
    if (!form) {
        Message(Lines({std::string(texts::kRouteFormMissing1), std::string(texts::kRouteFormMissing2)}),
                MsgIcon::Information, MsgButtons::Ok, MsgModality::System);
        if (OfferOpenStreetMap()) return ShowOpenStreetMap(browser);
        m_BrowserFailed = true;
        return RouteOutcome::End::Failed;
    }

    AddressFields fields;
    if (!WriteAddresses(form, fields)) return PageChanged(browser);

    Progress(90);
    LetEventsRun();

    // A page that builds its form by script may build it once more just
    // after it is complete, and the values go with the old form: they are
    // read back right before the click, and when one is gone or different
    // the form and its fields are found anew and set once more.
    if (!StillWritten(fields)) {
        try {
            form = sucheFormular(browser->Document(), kFormId);
        } catch (const std::exception& e) {
            LeaveIfGone(e);
            form = nullptr;
        }
        if (!form || !WriteAddresses(form, fields)) return PageChanged(browser);
        LetEventsRun();
    }

    if (!Press(form)) {
        // The addresses are in the page, but no route was calculated.
        GoOn();
        m_BrowserFailed = true;
        Message(Lines({std::string(texts::kRouteButtonFailed1),
                       std::string(texts::kRouteButtonFailed2) + std::string(texts::kMakerName) + " (" +
                           std::string(texts::kMakerWebAddress) + std::string(texts::kRouteButtonFailed2End),
                       std::string(texts::kRouteButtonFailed3)}),
                MsgIcon::Information, MsgButtons::Ok, MsgModality::Application);
    }
    return RouteOutcome::End::Sent;
}
