#include "routeplanner/clRoutenberechnung.h"

#include <algorithm>

#include "base/ErrorText.h"
#include "base/AppError.h"
#include "base/Text.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/modMessages.h"
#include "routeplanner/modLinkadresse.h"

using platform::MsgAnswer;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgModality;

namespace {

// More ticks than this in one phase bring the waiting question.
constexpr int kTicksBeforeQuestion = 30;
constexpr std::int64_t kFirstFormCheckMs = 2000;
constexpr std::int64_t kNextFormCheckMs = 3000;
constexpr int kFormChecks = 5;
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

clRoutenberechnung::clRoutenberechnung(RouteHost& host, platform::IBrowserFactory& browsers, platform::IShell& shell,
                                       platform::IClock& clock)
    : m_Host(host), m_Browsers(browsers), m_Shell(shell), m_Clock(clock) {}

std::string clRoutenberechnung::bildeAdresszeile(std::string_view Strasse, std::string_view PLZ, std::string_view Ort,
                                                 std::string_view Land) {
    std::string line(text::TrimBlanks(Strasse));
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
    const std::string wanted = utf8::ToLower(ID);
    const platform::BrowserElementsPtr all = Formular->All();
    const std::int32_t length = all->Length();
    for (std::int32_t i = 0; i < length; ++i) {
        platform::BrowserElementPtr element = all->Item(i);
        if (element && utf8::ToLower(element->Id()) == wanted) return element;
    }
    return nullptr;
}

bool clRoutenberechnung::SetzeFeld(const platform::BrowserElementPtr& Formular, std::string_view ID,
                                   std::string_view Wert) {
    const platform::BrowserElementPtr field = sucheElement(Formular, ID);
    if (!field) return false;
    field->SetValue(Wert);
    return true;
}

std::string clRoutenberechnung::Option(std::string_view key, std::string_view fallback) {
    return m_Host.Settings().GetSetting(RouteHost::kSettingsApp, RouteHost::kSettingsSection, key, fallback);
}

std::string clRoutenberechnung::AddressLine(std::string_view side) {
    const std::string prefix = "txbrouteEntry_" + std::string(side);
    return bildeAdresszeile(m_Host.Text(prefix + "_street"), m_Host.Text(prefix + "_zip"), m_Host.Text(prefix + "_city"),
                            m_Host.SelectedText("cbxrouteEntry_" + std::string(side) + "_country"));
}

MsgAnswer clRoutenberechnung::Message(std::string text, MsgIcon icon, MsgButtons buttons, MsgModality modality) {
    platform::MessageBoxRequest request;
    request.text = std::move(text);
    request.title = m_Host.Programmname();
    request.icon = icon;
    request.buttons = buttons;
    request.modality = modality;
    return m_Host.MsgBox(request);
}

void clRoutenberechnung::ShowCurrentError(std::string_view routine) {
    const AppError error = CurrentError();
    m_Host.Browserfehler();
    if (m_Host.Ended()) return;
    Message(errortext::Report(std::string(texts::kErrorIn) + std::string(routine), error), MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::Application);
}

void clRoutenberechnung::Pause(std::int64_t untilMs) {
    const std::int64_t now = m_Clock.Milliseconds();
    // Not past the next whole second: the ticks keep their rhythm.
    const std::int64_t nextSecond = (now / 1000 + 1) * 1000;
    const std::int64_t wait = std::min({static_cast<std::int64_t>(kPollMs), nextSecond - now, untilMs - now});
    m_Host.WaitForEvents(static_cast<int>(std::max<std::int64_t>(wait, 0)));
}

clRoutenberechnung::Waited clRoutenberechnung::WaitFor(platform::IBrowser& browser, const std::function<bool()>& ready) {
    int counter = 0;
    // The deadline is the current time plus 0.2 s rounded to whole seconds:
    // the current second. A tick comes with every new second of the clock.
    std::int64_t deadline = Second();
    for (;;) {
        if (ready()) return Waited::Done;
        if (Second() > deadline) {
            ++counter;
            m_Host.SetStatusPicture(counter % 2 + 1);
            m_Host.DoEvents();
            deadline = Second();
        }
        if (m_Host.Ended()) return Waited::Ended;
        Pause(INT64_MAX);
        if (m_Host.Ended()) return Waited::Ended;
        if (counter > kTicksBeforeQuestion) {
            const MsgAnswer answer =
                Message(std::string(texts::kRouteWaitQuestion), MsgIcon::Question, MsgButtons::YesNo, MsgModality::System);
            if (m_Host.Ended()) return Waited::Ended;
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

bool clRoutenberechnung::AwaitForm(platform::IBrowser& browser) {
    m_Host.SetStatusPicture("off");
    m_Host.SetProgress(70);
    m_Host.zeigeStatus("");
    int counter = 0;
    std::int64_t deadline = m_Clock.Milliseconds() + kFirstFormCheckMs;
    // Checks about 2, 5, 8, 11 and 14 seconds after the document is complete;
    // a form found makes the counter jump past the end (progress 79).
    while (counter < kFormChecks) {
        m_Host.DoEvents();
        if (m_Host.Ended()) return false;
        if (m_Clock.Milliseconds() < deadline) {
            Pause(deadline);
            if (m_Host.Ended()) return false;
            continue;
        }
        if (sucheFormular(browser.Document(), kFormId)) counter = 8;
        deadline = m_Clock.Milliseconds() + kNextFormCheckMs;
        ++counter;
        m_Host.SetProgress(70 + counter);
    }
    return true;
}

platform::BrowserPtr clRoutenberechnung::openWebseite(std::string_view URL, bool MitFormular) {
    m_Host.zeigeStatus(texts::kRouteOpenBrowser);
    if (m_Host.Ended()) return nullptr;
    platform::BrowserPtr browser;
    try {
        browser = m_Browsers.Create({Option("Browser", ""), Option("BrowserArgumente", "")});
        browser->SetVisible(true);
        m_Host.SetProgress(40);
        m_Host.zeigeStatus(texts::kRouteOpeningPage);
        browser->Navigate(URL);
        m_Host.SetProgress(50);
        m_Host.zeigeStatus(texts::kRouteAwaitingPage);
        if (m_Host.Ended()) return nullptr;

        Waited waited = WaitFor(*browser, [&] { return !browser->Busy(); });
        if (waited != Waited::Done) return nullptr;

        m_Host.SetProgress(60);
        m_Host.zeigeStatus(texts::kRouteAwaitingDocument);
        if (m_Host.Ended()) return nullptr;
        waited = WaitFor(*browser, [&] {
            const platform::BrowserDocumentPtr document = browser->Document();
            return document && document->ReadyState() == "complete";
        });
        if (waited != Waited::Done) return nullptr;

        if (MitFormular && !AwaitForm(*browser)) return nullptr;
        return browser;
    } catch (...) {
        ShowCurrentError("openWebseite");
        if (!m_Host.Ended()) m_Host.zeigeStatus("");
        return nullptr;
    }
}

bool clRoutenberechnung::openStandardbrowser(std::string_view Adresse) {
    m_Host.zeigeStatus(texts::kRouteOpenBrowser);
    if (m_Host.Ended()) return false;
    m_Host.SetProgress(40);
    m_Host.zeigeStatus(texts::kRouteOpeningPage);
    if (m_Host.Ended()) return false;
    try {
        const std::intptr_t code =
            m_Shell.Execute(m_Shell.DesktopWindow(), std::string("open"), Adresse, "", "", kShowNormal);
        if (code <= kShellFailureMax) Raise(static_cast<std::int32_t>(code), std::string(texts::kDefaultBrowserFailed));
    } catch (...) {
        ShowCurrentError("openWebseite");
        if (!m_Host.Ended()) m_Host.zeigeStatus("");
        return false;
    }
    m_Host.SetProgress(50);
    return true;
}

void clRoutenberechnung::Linkaufruf(std::string_view URL) {
    const std::string address = modLinkadresse::Einsetzen(URL, AddressLine("start"), AddressLine("dest"));
    platform::BrowserPtr browser;
    if (modLinkadresse::IstStandardbrowser(Option("Browser", ""))) {
        const bool opened = openStandardbrowser(address);
        if (m_Host.Ended()) return;
        if (!opened) {
            m_Host.CloseWindow();
            return;
        }
    } else {
        browser = openWebseite(address, false);
        if (m_Host.Ended()) return;
        if (!browser) {
            m_Host.CloseWindow();
            return;
        }
    }
    m_Host.SetProgress(90);
    m_Host.DoEvents();
    if (m_Host.Ended()) return;
    Abschluss(std::move(browser));
}

void clRoutenberechnung::Abschluss(platform::BrowserPtr browser) {
    m_Host.aktiviereEingaben(true);
    m_Host.DoEvents();
    m_Host.SetFrontwindow(false);
    // The browser is let go, not closed: it shows the route.
    browser.reset();
    if (m_Host.Ended()) return;
    m_Host.CloseWindow();
}

void clRoutenberechnung::PageChanged() {
    if (m_Host.Ended()) return;
    Message(Lines({std::string(texts::kRoutePageChanged1) + std::string(texts::kAnbietername) +
                       std::string(texts::kRoutePageChanged1End),
                   std::string(texts::kRoutePageChanged2) + m_Host.Programmname() + std::string(texts::kRoutePageChanged2End),
                   std::string(texts::kRoutePageChanged3) + std::string(texts::kMakerName) +
                       std::string(texts::kRoutePageChanged3End),
                   "(" + std::string(texts::kMakerWebAddress) + ")"}),
            MsgIcon::Exclamation, MsgButtons::Ok, MsgModality::Application);
    if (m_Host.Ended()) return;
    // A second browser window on the maker's contact page; the first stays open.
    openWebseite(texts::kMakerContactUrl);
    if (m_Host.Ended()) return;
    m_Host.CloseWindow();
}

void clRoutenberechnung::cmdBrowse_Click() {
    AutomatischeAdressen();
    if (m_Host.Ended()) return;
    Routenseite();
}

void clRoutenberechnung::AutomatischeAdressen() {
    if (m_Host.IsChecked("ckAutoStart")) m_Host.Press("cmdPersoenlicherDatensatzStart");
    if (m_Host.Ended()) return;
    if (m_Host.IsChecked("ckAutoZiel")) m_Host.Press("cmdAktuellerDatensatzZiel");
}

void clRoutenberechnung::Routenseite() {
    const std::string URL = Option("URL", texts::kDefaultRouteUrl);
    m_Host.SetFrontwindow(true);
    m_Host.aktiviereEingaben(false);
    m_Host.SetProgress(20);
    if (m_Host.Ended()) return;
    if (modLinkadresse::HatPlatzhalter(URL)) {
        Linkaufruf(URL);
        return;
    }

    platform::BrowserPtr browser = openWebseite(URL);
    if (m_Host.Ended()) return;
    if (!browser) {
        m_Host.CloseWindow();
        return;
    }

    m_Host.SetProgress(80);
    m_Host.zeigeStatus(texts::kRouteFillForm);
    if (m_Host.Ended()) return;
    platform::BrowserElementPtr form;
    try {
        form = sucheFormular(browser->Document(), kFormId);
    } catch (...) {
        // The browser failed after the page was there (closed, connection lost).
        ShowCurrentError("sucheFormular");
        if (!m_Host.Ended()) m_Host.CloseWindow();
        return;
    }
    if (!form) {
        Message(Lines({std::string(texts::kRouteFormMissing1), std::string(texts::kRouteFormMissing2)}),
                MsgIcon::Information, MsgButtons::Ok, MsgModality::System);
        if (!m_Host.Ended()) m_Host.CloseWindow();
        return;
    }

    bool written = false;
    try {
        written = SetzeFeld(form, kStartId, AddressLine("start")) && SetzeFeld(form, kDestId, AddressLine("dest"));
    } catch (...) {
        written = false;
    }
    if (!written) {
        PageChanged();
        return;
    }

    m_Host.SetProgress(90);
    m_Host.DoEvents();
    if (m_Host.Ended()) return;

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
        if (m_Host.Ended()) return;
    }

    form.reset();
    Abschluss(std::move(browser));
}
