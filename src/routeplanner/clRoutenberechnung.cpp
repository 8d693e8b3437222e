#include "routeplanner/clRoutenberechnung.h"

#include <algorithm>

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "routeplanner/modLinkadresse.h"

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

}  // namespace

clRoutenberechnung::clRoutenberechnung(IRouteProgress& progress, platform::IBrowserFactory& browsers,
                                       platform::IShell& shell, platform::IClock& clock)
    : m_Progress(progress), m_Browsers(browsers), m_Shell(shell), m_Clock(clock) {}

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

bool clRoutenberechnung::WriteAddresses(const platform::BrowserElementPtr& Formular, AddressFields& fields) {
    try {
        fields.start = SetField(Formular, kStartId, m_Request.startLine);
        fields.dest = fields.start ? SetField(Formular, kDestId, m_Request.destLine) : nullptr;
    } catch (...) {
        return false;
    }
    return fields.start && fields.dest;
}

bool clRoutenberechnung::StillWritten(const AddressFields& fields) const {
    try {
        return fields.start->Value() == m_Request.startLine && fields.dest->Value() == m_Request.destLine;
    } catch (...) {
        // a field that cannot be read is taken as gone
        return false;
    }
}

MsgAnswer clRoutenberechnung::Message(std::string text, MsgIcon icon, MsgButtons buttons, MsgModality modality) {
    platform::MessageBoxRequest request;
    request.text = std::move(text);
    request.title = m_Request.programName;
    request.icon = icon;
    request.buttons = buttons;
    request.modality = modality;
    return m_Progress.MsgBox(request);
}

void clRoutenberechnung::ShowCurrentError(std::string_view routine) {
    const AppError error = CurrentError();
    m_BrowserFailed = true;
    if (m_Progress.Ended()) return;
    Message(errortext::Report(std::string(texts::kErrorIn) + std::string(routine), error), MsgIcon::Exclamation,
            MsgButtons::Ok, MsgModality::Application);
}

void clRoutenberechnung::Pause(std::int64_t untilMs) {
    const std::int64_t now = m_Clock.Milliseconds();
    // Not past the next whole second: the ticks keep their rhythm.
    const std::int64_t nextSecond = (now / 1000 + 1) * 1000;
    const std::int64_t wait = std::min({static_cast<std::int64_t>(kPollMs), nextSecond - now, untilMs - now});
    m_Progress.WaitForEvents(static_cast<int>(std::max<std::int64_t>(wait, 0)));
}

clRoutenberechnung::Waited clRoutenberechnung::WaitFor(platform::IBrowser& browser,
                                                       const std::function<bool()>& ready) {
    int counter = 0;
    // The deadline is the current time plus 0.2 s rounded to whole seconds:
    // the current second. A tick comes with every new second of the clock.
    std::int64_t deadline = Second();
    for (;;) {
        if (ready()) return Waited::Done;
        if (Second() > deadline) {
            ++counter;
            m_Progress.SetStatusPicture(counter % 2 + 1);
            m_Progress.DoEvents();
            deadline = Second();
        }
        if (m_Progress.Ended()) return Waited::Ended;
        Pause(INT64_MAX);
        if (m_Progress.Ended()) return Waited::Ended;
        if (counter > kTicksBeforeQuestion) {
            const MsgAnswer answer = Message(std::string(texts::kRouteWaitQuestion), MsgIcon::Question,
                                             MsgButtons::YesNo, MsgModality::System);
            if (m_Progress.Ended()) return Waited::Ended;
            if (answer == MsgAnswer::Yes) {
                counter = 0;
            } else {
                try {
                    browser.Quit();
                } catch (...) {
                    // the user wanted it closed, and it is gone
                }
                return Waited::GaveUp;
            }
        }
    }
}

bool clRoutenberechnung::FormReady(platform::IBrowser& browser) {
    const platform::BrowserElementPtr form = sucheFormular(browser.Document(), kFormId);
    return form && sucheElement(form, kStartId) && sucheElement(form, kDestId);
}

bool clRoutenberechnung::AwaitForm(platform::IBrowser& browser) {
    m_Progress.SetStatusPicture("off");
    m_Progress.SetProgress(70);
    m_Progress.zeigeStatus("");
    const std::int64_t complete = m_Clock.Milliseconds();
    // A page that is complete mostly has its form already, and one built by
    // script gets it soon after: it is looked for at once and then every
    // kFormPollMs up to the last check. The progress still steps from 71 to
    // 75 at the moments of the five checks of old (2, 5, 8, 11, 14 s), and a
    // form found makes it 79.
    int stepsShown = 0;
    for (;;) {
        m_Progress.DoEvents();
        if (m_Progress.Ended()) return false;
        if (FormReady(browser)) {
            m_Progress.SetProgress(70 + kFoundStep);
            return true;
        }
        const std::int64_t elapsed = m_Clock.Milliseconds() - complete;
        while (stepsShown < kFormSteps && elapsed >= kFormStepMs[stepsShown]) {
            ++stepsShown;
            m_Progress.SetProgress(70 + stepsShown);
        }
        if (elapsed >= kLastFormCheckMs) return true;
        const std::int64_t next = complete + std::min((elapsed / kFormPollMs + 1) * kFormPollMs, kLastFormCheckMs);
        while (m_Clock.Milliseconds() < next) {
            Pause(next);
            if (m_Progress.Ended()) return false;
        }
    }
}

platform::BrowserPtr clRoutenberechnung::openWebseite(std::string_view URL, bool MitFormular) {
    m_Progress.zeigeStatus(texts::kRouteOpenBrowser);
    if (m_Progress.Ended()) return nullptr;
    platform::BrowserPtr browser;
    try {
        browser = m_Browsers.Create({m_Request.browser, m_Request.browserArguments, std::string(URL)});
        browser->SetVisible(true);
        m_Progress.SetProgress(40);
        m_Progress.zeigeStatus(texts::kRouteOpeningPage);
        browser->Navigate(URL);
        m_Progress.SetProgress(50);
        m_Progress.zeigeStatus(texts::kRouteAwaitingPage);
        if (m_Progress.Ended()) return nullptr;

        Waited waited = WaitFor(*browser, [&] { return !browser->Busy(); });
        if (waited != Waited::Done) return nullptr;

        m_Progress.SetProgress(60);
        m_Progress.zeigeStatus(texts::kRouteAwaitingDocument);
        if (m_Progress.Ended()) return nullptr;
        waited = WaitFor(*browser, [&] {
            const platform::BrowserDocumentPtr document = browser->Document();
            return document && document->ReadyState() == "complete";
        });
        if (waited != Waited::Done) return nullptr;

        if (MitFormular && !AwaitForm(*browser)) return nullptr;
        return browser;
    } catch (...) {
        ShowCurrentError("openWebseite");
        if (!m_Progress.Ended()) m_Progress.zeigeStatus("");
        return nullptr;
    }
}

bool clRoutenberechnung::OpenInDefaultBrowser(std::string_view address) {
    m_Progress.zeigeStatus(texts::kRouteOpenBrowser);
    if (m_Progress.Ended()) return false;
    m_Progress.SetProgress(40);
    m_Progress.zeigeStatus(texts::kRouteOpeningPage);
    if (m_Progress.Ended()) return false;
    try {
        const std::intptr_t code =
            m_Shell.Execute(m_Shell.DesktopWindow(), std::string("open"), address, "", "", kShowNormal);
        if (code <= kShellFailureMax) Raise(static_cast<std::int32_t>(code), std::string(texts::kDefaultBrowserFailed));
    } catch (...) {
        ShowCurrentError("openWebseite");
        if (!m_Progress.Ended()) m_Progress.zeigeStatus("");
        return false;
    }
    m_Progress.SetProgress(50);
    return true;
}

RouteOutcome::End clRoutenberechnung::OpenWithAddresses() {
    const std::string address = modLinkadresse::Einsetzen(m_Request.url, m_Request.startLine, m_Request.destLine);
    // Let go when the run returns, not closed: it shows the route.
    platform::BrowserPtr browser;
    if (modLinkadresse::IstStandardbrowser(m_Request.browser)) {
        const bool opened = OpenInDefaultBrowser(address);
        if (m_Progress.Ended()) return RouteOutcome::End::Ended;
        if (!opened) return RouteOutcome::End::Failed;
    } else {
        browser = openWebseite(address, false);
        if (m_Progress.Ended()) return RouteOutcome::End::Ended;
        if (!browser) return RouteOutcome::End::Failed;
    }
    m_Progress.SetProgress(90);
    m_Progress.DoEvents();
    return Unless(RouteOutcome::End::Sent);
}

RouteOutcome::End clRoutenberechnung::PageChanged() {
    if (m_Progress.Ended()) return RouteOutcome::End::Ended;
    Message(Lines({std::string(texts::kRoutePageChanged1) + std::string(texts::kAnbietername) +
                       std::string(texts::kRoutePageChanged1End),
                   std::string(texts::kRoutePageChanged2) + m_Request.programName +
                       std::string(texts::kRoutePageChanged2End),
                   std::string(texts::kRoutePageChanged3) + std::string(texts::kMakerName) +
                       std::string(texts::kRoutePageChanged3End),
                   "(" + std::string(texts::kMakerWebAddress) + ")"}),
            MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::Application);
    if (m_Progress.Ended()) return RouteOutcome::End::Ended;
    // A second browser window on the maker's contact page; the first stays open.
    openWebseite(texts::kMakerContactUrl);
    return Unless(RouteOutcome::End::Failed);
}

RouteOutcome clRoutenberechnung::Run(const RouteRequest& request) {
    m_Request = request;
    m_BrowserFailed = false;
    RouteOutcome::End end = RouteOutcome::End::Failed;
    if (modLinkadresse::HatPlatzhalter(m_Request.url)) {
        end = OpenWithAddresses();
    } else {
        // Let go when the run returns, not closed: it shows the route.
        const platform::BrowserPtr browser = openWebseite(m_Request.url);
        if (m_Progress.Ended())
            end = RouteOutcome::End::Ended;
        else if (browser)
            end = FillForm(browser);
    }
    return {end, m_BrowserFailed};
}

RouteOutcome::End clRoutenberechnung::FillForm(const platform::BrowserPtr& browser) {
    m_Progress.SetProgress(80);
    m_Progress.zeigeStatus(texts::kRouteFillForm);
    if (m_Progress.Ended()) return RouteOutcome::End::Ended;
    platform::BrowserElementPtr form;
    try {
        form = sucheFormular(browser->Document(), kFormId);
    } catch (...) {
        // The browser failed after the page was there (closed, connection lost).
        ShowCurrentError("sucheFormular");
        return Unless(RouteOutcome::End::Failed);
    }
    if (!form) {
        Message(Lines({std::string(texts::kRouteFormMissing1), std::string(texts::kRouteFormMissing2)}),
                MsgIcon::Information, MsgButtons::Ok, MsgModality::System);
        return Unless(RouteOutcome::End::Failed);
    }

    AddressFields fields;
    if (!WriteAddresses(form, fields)) return PageChanged();

    m_Progress.SetProgress(90);
    m_Progress.DoEvents();
    if (m_Progress.Ended()) return RouteOutcome::End::Ended;

    // A page that builds its form by script may build it once more just
    // after it is complete, and the values go with the old form: they are
    // read back right before the click, and when one is gone or different
    // the form and its fields are found anew and set once more.
    if (!StillWritten(fields)) {
        try {
            form = sucheFormular(browser->Document(), kFormId);
        } catch (...) {
            form = nullptr;
        }
        if (!form || !WriteAddresses(form, fields)) return PageChanged();
        m_Progress.DoEvents();
        if (m_Progress.Ended()) return RouteOutcome::End::Ended;
    }

    bool pressed = false;
    try {
        if (const platform::BrowserElementPtr button = sucheElement(form, kButtonId)) {
            button->Click();
            pressed = true;
        }
    } catch (...) {
        pressed = false;
    }
    if (!pressed) {
        Message(Lines({std::string(texts::kRouteButtonFailed1),
                       std::string(texts::kRouteButtonFailed2) + std::string(texts::kMakerName) + " (" +
                           std::string(texts::kMakerWebAddress) + std::string(texts::kRouteButtonFailed2End),
                       std::string(texts::kRouteButtonFailed3)}),
                MsgIcon::Information, MsgButtons::Ok, MsgModality::Application);
    }
    return Unless(RouteOutcome::End::Sent);
}
