#include "routeplanner/clRovandel2.h"

#include <algorithm>
#include <vector>

#include "base/ErrorText.h"
#include "base/ScopeExit.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/clRoutenberechnung.h"
#include "routeplanner/modAdresse.h"
#include "routeplanner/modCookies.h"
#include "routeplanner/modOptionen.h"
#include "routeplanner/modRoutenplaner.h"
#include "routeplanner/modRovandel2.h"

namespace c = Rovandel2Controls;

namespace {

constexpr int kEscape = 27;

// The controls whose values the window keeps, in their turn: the order in
// which they are restored at load and stored at close.
std::vector<const ui::ControlEntry*> KeptInTurn() {
    std::vector<const ui::ControlEntry*> kept;
    for (const ui::ControlEntry& control : c::All()) {
        if (!control.settingsKey.empty()) kept.push_back(&control);
    }
    std::sort(kept.begin(), kept.end(), [](const auto* a, const auto* b) { return a->keptAs < b->keptAs; });
    return kept;
}

const std::vector<const ui::ControlEntry*>& Kept() {
    static const std::vector<const ui::ControlEntry*> kept = KeptInTurn();
    return kept;
}

// The window as the route calculation reports to it.
class RouteProgress : public IRouteProgress {
public:
    explicit RouteProgress(clRovandel2& window) : m_Window(window) {}
    void zeigeStatus(std::string_view Text) override { m_Window.zeigeStatus(Text); }
    void SetStatusPicture(int number) override { m_Window.Window().SetStatusPicture(number); }
    void SetStatusPicture(std::string_view key) override { m_Window.Window().SetStatusPicture(key); }
    void SetProgress(int value) override { m_Window.Window().SetValue(c::ProgressBar, value); }
    void DoEvents() override { m_Window.Windows().DoEvents(); }
    void WaitForEvents(int timeoutMs) override { m_Window.Windows().WaitForEvents(timeoutMs); }
    platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) override {
        return m_Window.Boxes().Show(request);
    }
    bool Ended() override { return m_Window.Beendet() || m_Window.SchliessenAngefragt(); }

private:
    clRovandel2& m_Window;
};

// The window as the cookie clean-up locks and reports to it.
class CookieWindow : public modCookies::ICookieWindow {
public:
    explicit CookieWindow(clRovandel2& window) : m_Window(window) {}
    void zeigeStatus(std::string_view Text) override { m_Window.zeigeStatus(Text); }
    void aktiviereEingaben(bool Aktiv) override { m_Window.aktiviereEingaben(Aktiv); }
    void SetProgress(int value) override { m_Window.Window().SetValue(c::ProgressBar, value); }
    bool CloseRequested() override { return m_Window.SchliessenAngefragt(); }

private:
    clRovandel2& m_Window;
};

// The controls that one capture fills.
struct AddressControls {
    ui::TextBoxId city, street, zip, houseNo;
    ui::DropDownId country;
};
constexpr AddressControls kStartSide{c::txbrouteEntry_start_city, c::txbrouteEntry_start_street,
                                     c::txbrouteEntry_start_zip, c::txbrouteEntry_start_houseNo,
                                     c::cbxrouteEntry_start_country};
constexpr AddressControls kDestSide{c::txbrouteEntry_dest_city, c::txbrouteEntry_dest_street, c::txbrouteEntry_dest_zip,
                                    c::txbrouteEntry_dest_houseNo, c::cbxrouteEntry_dest_country};

}  // namespace

clRovandel2::clRovandel2(Services services, IRovandel2Window& window) : m_Env(std::move(services)), m_Window(window) {}

// --- load and close -----------------------------------------------------------

void clRovandel2::Form_Load() {
    m_StatusPanel = true;
    for (ui::DropDownId list : {c::cbxrouteEntry_dest_country, c::cbxrouteEntry_start_country}) {
        for (std::string_view land : {texts::kRovCountryDeu, texts::kRovCountryChe, texts::kRovCountryAut}) {
            m_Window.AddItem(list, land);
        }
        m_Window.SetListIndex(list, 0);
    }
    for (int hour = 0; hour <= 23; ++hour) m_Window.AddItem(c::cbxrouteEntry_time_hours, std::to_string(hour));
    for (int minutes = 0; minutes <= 50; minutes += 10) {
        m_Window.AddItem(c::cbxrouteEntry_time_minutes, std::to_string(minutes));
    }
    m_Window.AddItem(c::cbxrouteEntry_time_type, texts::kRovDeparture);
    m_Window.AddItem(c::cbxrouteEntry_time_type, texts::kRovArrival);
    for (ui::DropDownId list :
         {c::cbxrouteEntry_time_hours, c::cbxrouteEntry_time_minutes, c::cbxrouteEntry_time_type}) {
        m_Window.SetListIndex(list, 0);
    }

    for (const ui::ControlEntry* kept : Kept()) Restore(*kept);
    ShowPlannerInTip();
    zeigeStatus(texts::kRovReady);
}

// The stored value, with the control's present one as the default.
void clRovandel2::Restore(const ui::ControlEntry& kept) {
    switch (kept.kind) {
        case ui::Kind::DropDown: RestoreList(ui::DropDownId{{kept.id}}, kept.settingsKey); break;
        case ui::Kind::CheckBox: RestoreCheck(ui::ToggleId{{kept.id}}, kept.settingsKey); break;
        default: {  // a text box: the table keeps no other kind
            const ui::ControlId box{kept.id};
            m_Window.SetText(box, modOptionen::Lesen(Settings(), kept.settingsKey, m_Window.Text(box)));
        }
    }
}

// A stored position the list does not have keeps the present selection.
void clRovandel2::RestoreList(ui::DropDownId list, std::string_view key) {
    const int present = m_Window.ListIndex(list);
    const std::string stored = modOptionen::Lesen(Settings(), key, std::to_string(present));
    const std::optional<std::int32_t> position = modOptionen::Position(stored);
    if (position && *position >= 0 && *position < m_Window.ItemCount(list)) m_Window.SetListIndex(list, *position);
}

// "0" clears the box and "1" ticks it; anything else keeps its present state.
void clRovandel2::RestoreCheck(ui::ToggleId check, std::string_view key) {
    const std::string present = m_Window.Checked(check) ? "1" : "0";
    const std::optional<std::int32_t> state = modOptionen::Position(modOptionen::Lesen(Settings(), key, present));
    if (state == 0 || state == 1) m_Window.SetChecked(check, *state == 1);
}

// Texts as they stand; list positions and check-box states in decimal.
void clRovandel2::Store(const ui::ControlEntry& kept) {
    std::string value;
    switch (kept.kind) {
        case ui::Kind::DropDown: value = std::to_string(m_Window.ListIndex(ui::DropDownId{{kept.id}})); break;
        case ui::Kind::CheckBox: value = m_Window.Checked(ui::ToggleId{{kept.id}}) ? "1" : "0"; break;
        default: value = m_Window.Text(ui::ControlId{kept.id});
    }
    modOptionen::Schreiben(Settings(), kept.settingsKey, value);
}

bool clRovandel2::Form_QueryUnload() {
    if (!m_Busy) return true;
    m_CloseRequested = true;
    return false;
}

void clRovandel2::Form_Unload() {
    if (m_Unloaded) return;
    m_Unloaded = true;
    for (const ui::ControlEntry* kept : Kept()) Store(*kept);
}

void clRovandel2::Form_KeyPress(int KeyAscii) {
    if (KeyAscii != kEscape) return;
    m_Ended = true;
    m_Window.EndProgram();
}

void clRovandel2::Schliessen() {
    if (m_Busy) {
        m_CloseRequested = true;
        return;
    }
    m_Window.Close();
}

// --- tasks ----------------------------------------------------------------------

bool clRovandel2::Aufgabe(std::string_view routine, const std::function<void()>& body) {
    if (m_Busy) {
        m_Window.Signal();
        return false;
    }
    m_Busy = true;
    try {
        body();
    } catch (const std::exception& e) {
        modRovandel2::MeldeFehler(Boxes(), routine, ErrorOf(e));
    }
    m_Busy = false;
    if (m_CloseRequested) {
        m_CloseRequested = false;
        m_Window.Close();
    }
    return true;
}

void clRovandel2::zeigeStatus(std::string_view Text) {
    if (m_StatusPanel) {
        m_Window.SetStatusText(
            c::StatusBar, Text.empty() ? std::string()
                                       : Programmname() + std::string(texts::kRovStatusSeparator) + std::string(Text));
    }
    Windows().DoEvents();
}

void clRovandel2::aktiviereEingaben(bool Aktiv) {
    m_Window.SetPointer(Aktiv ? ui::Pointer::Default : ui::Pointer::Hourglass);
    for (const ui::ControlEntry& control : c::All()) {
        if (control.lockedWhileBusy) m_Window.SetEnabled(ui::ControlId{control.id}, Aktiv);
    }
    Windows().DoEvents();
}

void clRovandel2::SetFrontwindow(const ui::IForm& Fenster, bool ImVordergrund) {
    const std::string caption = Fenster.Caption();
    platform::IWindowSystem& windows = Windows();
    try {
        platform::WindowHandle found = 0;
        windows.EnumTopLevelWindows([&](platform::WindowHandle window) {
            if (windows.Title(window) != caption) return true;
            found = window;
            return false;
        });
        if (found != 0) windows.SetTopmost(found, ImVordergrund);
    } catch (const AppError&) {}
}

// --- address capture ------------------------------------------------------------

std::string clRovandel2::Link(const std::function<std::string()>& call) {
    try {
        return call();
    } catch (const AppError& e) {
        if (!m_CaptureError) m_CaptureError = e;
        return {};
    }
}

void clRovandel2::MeldeErfassungsfehler() {
    if (!m_CaptureError) return;
    const std::string text = errortext::Report(texts::kRovCaptureFailed, *m_CaptureError);
    m_CaptureError.reset();
    modMessages::MsgBox(Boxes(), text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
}

clRovandel2::Adresse clRovandel2::LeseAdresse() {
    const modOptionen::Feldnummern f = modOptionen::LeseFeldnummern(Settings());
    const auto field = [this](std::int32_t number) {
        return Link([this, number] { return ACTApp().getFeldwert("Kontakt", number); });
    };
    Adresse adresse;
    adresse.city = field(f.Ort);
    adresse.street = field(f.Strasse);
    adresse.zip = field(f.PLZ);
    adresse.houseNo = Link([&adresse] { return modAdresse::ermittleHausnummer(adresse.street); });
    adresse.country = modAdresse::LandPosition(field(f.Land));
    return adresse;
}

void clRovandel2::ZeigeAdresse(bool start, const Adresse& adresse) {
    const AddressControls& side = start ? kStartSide : kDestSide;
    m_Window.SetText(side.city, adresse.city);
    m_Window.SetText(side.street, adresse.street);
    m_Window.SetText(side.zip, adresse.zip);
    m_Window.SetText(side.houseNo, adresse.houseNo);
    m_Window.SetListIndex(side.country, adresse.country);
}

void clRovandel2::setzeAdresse(bool start) { ZeigeAdresse(start, LeseAdresse()); }

void clRovandel2::setzeStartadresse() { setzeAdresse(true); }

void clRovandel2::setzeZieladresse() { setzeAdresse(false); }

// The frame of every capture: locked and on top while it runs. ACT! shows
// the user's own record for the time of a personal capture, then the
// contact it showed before.
void clRovandel2::Erfassung(std::string_view meldung, bool persoenlich,
                            const std::function<void(const Adresse&)>& take) {
    aktiviereEingaben(false);
    SetFrontwindow(m_Window, true);
    ScopeExit unlock([this] {
        aktiviereEingaben(true);
        SetFrontwindow(m_Window, false);
        zeigeStatus("");
    });
    zeigeStatus(meldung);
    if (!persoenlich) {
        take(LeseAdresse());
        return;
    }
    const std::string gemerkt = Link([this] { return ACTApp().AktuelleKontaktID(); });
    const std::string benutzer = Link([this] { return ACTApp().getBenutzerID(); });
    Link([&] {
        ACTApp().gehezuKonatkt(benutzer);
        return std::string();
    });
    const Adresse adresse = LeseAdresse();
    Link([&] {
        ACTApp().gehezuKonatkt(gemerkt);
        return std::string();
    });
    take(adresse);
}

void clRovandel2::AktuellerDatensatz(std::string_view meldung, bool start) {
    Erfassung(meldung, false, [&](const Adresse& adresse) { ZeigeAdresse(start, adresse); });
    MeldeErfassungsfehler();
}

void clRovandel2::PersoenlicherDatensatz(std::string_view meldung, bool start) {
    Erfassung(meldung, true, [&](const Adresse& adresse) { ZeigeAdresse(start, adresse); });
    MeldeErfassungsfehler();
}

// An ACT! that has gone (its window with it) answers every call with ""
// and no error: only that it is still there after the calls tells its
// answers from empty fields.
bool clRovandel2::AutomatischeAdresse(std::string_view meldung, bool start, bool persoenlich) {
    bool answered = false;
    Erfassung(meldung, persoenlich, [&](const Adresse& adresse) {
        answered = !m_CaptureError && ACTApp().ACTgestartet();
        if (answered) ZeigeAdresse(start, adresse);
    });
    if (Stopping()) {
        m_CaptureError.reset();
        return false;
    }
    if (!answered) ActAntwortetNicht();
    return answered;
}

void clRovandel2::ActAntwortetNicht() {
    const std::string text = m_CaptureError ? errortext::Report(texts::kRovActNotAnswering, *m_CaptureError)
                                            : std::string(texts::kRovActNotAnswering);
    m_CaptureError.reset();
    m_Failed = true;
    modMessages::MsgBox(Boxes(), text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    Schliessen();
}

void clRovandel2::AktuellerDatensatzStart() { AktuellerDatensatz(texts::kRovStartFromCurrent, true); }
void clRovandel2::PersoenlicherDatensatzStart() { PersoenlicherDatensatz(texts::kRovStartFromPersonal, true); }
void clRovandel2::AktuellerDatensatzZiel() { AktuellerDatensatz(texts::kRovDestFromCurrent, false); }
void clRovandel2::PersoenlicherDatensatzZiel() { PersoenlicherDatensatz(texts::kRovDestFromPersonal, false); }

void clRovandel2::cmdAktuellerDatensatzStart_Click() {
    Aufgabe("cmdAktuellerDatensatzStart_Click", [this] { AktuellerDatensatzStart(); });
}

void clRovandel2::cmdPersoenlicherDatensatzStart_Click() {
    Aufgabe("cmdPersoenlicherDatensatzStart_Click", [this] { PersoenlicherDatensatzStart(); });
}

void clRovandel2::cmdAktuellerDatensatzZiel_Click() {
    Aufgabe("cmdAktuellerDatensatzZiel_Click", [this] { AktuellerDatensatzZiel(); });
}

void clRovandel2::cmdPersoenlicherDatensatzZiel_Click() {
    Aufgabe("cmdPersoenlicherDatensatzZiel_Click", [this] { PersoenlicherDatensatzZiel(); });
}

// --- the other buttons and the banner --------------------------------------------

// The route calculation: the page filled and its button pressed; it ends by
// closing the window, values stored, the browser left open on the route.
void clRovandel2::cmdBrowse_Click() {
    Aufgabe("cmdBrowse_Click", [this] { RouteCalculation(); });
}

std::string clRovandel2::AddressLine(bool start) const {
    const AddressControls& side = start ? kStartSide : kDestSide;
    const int country = m_Window.ListIndex(side.country);
    return clRoutenberechnung::bildeAdresszeile(m_Window.Text(side.street), m_Window.Text(side.zip),
                                                m_Window.Text(side.city),
                                                country < 0 ? std::string() : m_Window.ItemText(side.country, country));
}

void clRovandel2::RouteCalculation() {
    // Each capture runs whole, with its own locking, before the run goes on.
    // A route to an address ACT! never gave would be a route nobody asked for.
    if (m_Window.Checked(c::ckAutoStart) && !AutomatischeAdresse(texts::kRovStartFromPersonal, true, true)) return;
    if (m_Window.Checked(c::ckAutoZiel) && !AutomatischeAdresse(texts::kRovDestFromCurrent, false, false)) return;

    const RouteRequest request{AddressLine(true),
                               AddressLine(false),
                               modOptionen::URL(Settings()),
                               modOptionen::Browser(Settings()),
                               modOptionen::BrowserArgumente(Settings()),
                               Programmname()};
    SetFrontwindow(m_Window, true);
    aktiviereEingaben(false);
    m_Window.SetValue(c::ProgressBar, 20);
    if (Stopping()) return;

    RouteProgress progress(*this);
    const RouteOutcome outcome =
        clRoutenberechnung({m_Env.browsers, m_Env.launcher, m_Env.clock}, progress).Run(request);
    if (outcome.browserFailed) m_Failed = true;
    switch (outcome.end) {
        case RouteOutcome::End::Ended: return;
        case RouteOutcome::End::Failed: break;
        case RouteOutcome::End::Sent:
            aktiviereEingaben(true);
            Windows().DoEvents();
            SetFrontwindow(m_Window, false);
            if (Stopping()) return;
            break;
    }
    Schliessen();
}

void clRovandel2::ShowPlannerInTip() {
    const std::string url = modOptionen::URL(Settings());
    const std::string host = modRoutenplaner::Host(url);
    m_Window.SetTip(c::cmdBrowse, std::string(texts::kRovBrowseTip) + (host.empty() ? url : host));
}

void clRovandel2::cmdEinstellungen_Click() {
    Aufgabe("cmdEinstellungen_Click", [this] {
        m_Window.ShowSettings();
        ShowPlannerInTip();
    });
}

void clRovandel2::cmdInfo_Click() {
    Aufgabe("cmdInfo_Click", [this] { m_Window.ShowInfo(); });
}

void clRovandel2::imBanner_Click() {
    Aufgabe("imBanner_Click", [this] {
        CookieWindow window(*this);
        modCookies::Bereinigen(
            {m_Env.settings, m_Env.registry, m_Env.files, m_Env.windows, m_Env.shell, m_Window.Handle(), window});
    });
}
