#include "routeplanner/clEinstellungen.h"

#include <algorithm>
#include <charconv>

#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "common/clFileDialog.h"
#include "common/modMessages.h"
#include "routeplanner/EinstellungenControls.h"
#include "routeplanner/modLinkadresse.h"
#include "routeplanner/modOptionen.h"
#include "routeplanner/modBrowserSchalter.h"
#include "routeplanner/modRoutenplaner.h"

namespace c = EinstellungenControls;
using Values = clEinstellungen::Values;

namespace {

constexpr int kEscape = 27;
constexpr int kLargestField = 32767;
constexpr std::uint32_t kFileMustExist = 0x1000;
constexpr std::uint32_t kPathMustExist = 0x800;
constexpr std::uint32_t kHideReadOnly = 0x4;

// The browser options and what each writes to "Browser"; the program's
// option writes the program's path.
struct BrowserOption {
    ui::ToggleId option;
    std::string_view value;
};
constexpr BrowserOption kBrowserOptions[] = {
    {c::optAutomatisch, ""},      {c::optEdge, "edge"}, {c::optChrome, "chrome"},
    {c::optStandard, "standard"}, {c::optIE, "ie"},
};

// A field number: its option, its box, its default and the field's name in messages.
struct FieldNumber {
    std::string_view key;
    ui::TextBoxId box;
    ui::LabelId defaultLabel;
    std::int32_t standard;
    std::string_view name;
    std::string Values::*value;
};
constexpr FieldNumber kFields[] = {
    {modOptionen::kIDStrasse, c::txbIDStrasse, c::lbStandardStrasse, modOptionen::kStandardStrasse,
     texts::kFieldNameStreet, &Values::street},
    {modOptionen::kIDPLZ, c::txbIDPLZ, c::lbStandardPLZ, modOptionen::kStandardPLZ, texts::kFieldNameZip, &Values::zip},
    {modOptionen::kIDOrt, c::txbIDOrt, c::lbStandardOrt, modOptionen::kStandardOrt, texts::kFieldNameCity,
     &Values::city},
    {modOptionen::kIDLand, c::txbIDLand, c::lbStandardLand, modOptionen::kStandardLand, texts::kFieldNameCountry,
     &Values::country},
};

// Every option the window writes, in the window's order.
struct Option {
    std::string_view key;
    std::string Values::*value;
};
constexpr Option kOptions[] = {
    {modOptionen::kURL, &Values::url},
    {modOptionen::kBrowser, &Values::browser},
    {modOptionen::kBrowserArgumente, &Values::arguments},
    {modOptionen::kIDStrasse, &Values::street},
    {modOptionen::kIDPLZ, &Values::zip},
    {modOptionen::kIDOrt, &Values::city},
    {modOptionen::kIDLand, &Values::country},
    {modOptionen::kCookiePfad, &Values::cookieFolder},
};

std::string Trimmed(std::string_view text) { return std::string(ascii::TrimBlanks(text)); }

// A whole number from 1 to 32767, digits alone.
bool IsFieldNumber(std::string_view text) {
    text = ascii::TrimBlanks(text);
    int number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && text.front() != '-' && text.front() != '+' && error == std::errc() &&
           end == text.data() + text.size() && number >= 1 && number <= kLargestField;
}

}  // namespace

clEinstellungen::clEinstellungen(Services services, ui::IForm& window) : m_Env(std::move(services)), m_Window(window) {}

bool clEinstellungen::Locked(std::string_view key) const {
    return m_Env.settings.IsLocked(modOptionen::kApplikation, modOptionen::kAbschnitt, key);
}

// --- load ----------------------------------------------------------------------

void clEinstellungen::Form_Load() {
    for (const auto& planner : modRoutenplaner::Voreinstellungen()) m_Window.AddItem(c::cbxRoutenplaner, planner.name);
    m_Window.AddItem(c::cbxRoutenplaner, texts::kSetOwnAddress);
    ShowPlanner(modOptionen::URL(m_Env.settings));

    MarkBrowsers();
    ShowBrowser(modOptionen::Browser(m_Env.settings));
    m_Window.SetText(c::txbBrowserArgumente, modOptionen::BrowserArgumente(m_Env.settings));

    const modOptionen::Feldnummern numbers = modOptionen::LeseFeldnummern(m_Env.settings);
    for (const auto& [field, number] : {std::pair{&kFields[0], numbers.Strasse}, std::pair{&kFields[1], numbers.PLZ},
                                        std::pair{&kFields[2], numbers.Ort}, std::pair{&kFields[3], numbers.Land}}) {
        m_Window.SetText(field->box, std::to_string(number));
        m_Window.SetText(field->defaultLabel, std::string(texts::kSetFieldDefault) + std::to_string(field->standard));
    }
    m_Window.SetText(c::txbCookiePfad, modOptionen::CookiePfad(m_Env.settings));

    LockWhatIsSet();
    UpdateEnabled();
    m_Loaded = Shown();
    m_LoadedProgram = SelectedBrowser() == c::optProgramm;
}

void clEinstellungen::ShowPlanner(std::string_view url) {
    const auto presets = modRoutenplaner::Voreinstellungen();
    const modRoutenplaner::Routenplaner* preset = modRoutenplaner::Zu(url);
    m_Window.SetListIndex(c::cbxRoutenplaner, preset != nullptr ? static_cast<int>(preset - presets.data())
                                                                : static_cast<int>(presets.size()));
    m_Window.SetText(c::txbURL, url);
}

void clEinstellungen::ShowBrowser(std::string_view option) {
    const std::string chosen = ascii::Lower(ascii::TrimBlanks(option));
    for (const BrowserOption& known : kBrowserOptions) {
        if (chosen == known.value) return SelectBrowser(known.option);
    }
    SelectBrowser(c::optProgramm);
    m_Window.SetText(c::txbProgramm, ascii::TrimBlanks(option));
}

void clEinstellungen::SelectBrowser(ui::ToggleId option) {
    for (const BrowserOption& known : kBrowserOptions) m_Window.SetChecked(known.option, known.option == option);
    m_Window.SetChecked(c::optProgramm, option == c::optProgramm);
}

ui::ToggleId clEinstellungen::SelectedBrowser() const {
    for (const BrowserOption& known : kBrowserOptions) {
        if (m_Window.Checked(known.option)) return known.option;
    }
    return m_Window.Checked(c::optProgramm) ? c::optProgramm : c::optAutomatisch;
}

// Edge and Chrome where they are not found, and the one the automatic
// choice takes now, so the user sees which browser a run opens.
void clEinstellungen::MarkBrowsers() {
    platform::BrowserChoice choice(m_Env.browsers);
    std::string automatic;
    for (const platform::KnownBrowser& known : platform::KnownBrowsers()) {
        const bool found = !choice.FindProgram(known.exeName, known.vendorFolder).empty();
        const ui::ToggleId option = known.option == "edge" ? c::optEdge : c::optChrome;
        if (!found) m_Window.SetText(option, m_Window.Text(option) + std::string(texts::kSetNotFound));
        if (found && known.automatic && automatic.empty()) automatic = known.name;
    }
    const bool ie = choice.InternetExplorerThere();
    if (!ie) m_Window.SetText(c::optIE, m_Window.Text(c::optIE) + std::string(texts::kSetNotFound));
    if (automatic.empty()) automatic = ie ? texts::kBrowserInternetExplorer : texts::kSetNoBrowserFound;
    m_Window.SetText(c::optAutomatisch, std::string(texts::kSetAutomatic) + " (" + automatic + ")");
}

void clEinstellungen::LockWhatIsSet() {
    const auto lock = [this](std::string_view key, std::initializer_list<ui::ControlId> controls) {
        if (!Locked(key)) return false;
        for (ui::ControlId control : controls) m_Window.SetEnabled(control, false);
        return true;
    };
    const auto note = [this](ui::LabelId label, bool locked) {
        m_Window.SetText(label, locked ? texts::kSetLocked : std::string_view());
    };
    note(c::lbRoutenplanerGesperrt, lock(modOptionen::kURL, {c::cbxRoutenplaner, c::txbURL}));
    const bool browser = lock(modOptionen::kBrowser, {c::optAutomatisch, c::optEdge, c::optChrome, c::optStandard,
                                                      c::optIE, c::optProgramm, c::txbProgramm, c::cmdProgramm});
    note(c::lbBrowserGesperrt, lock(modOptionen::kBrowserArgumente, {c::txbBrowserArgumente}) || browser);
    int fields = 0;
    for (const FieldNumber& field : kFields) fields += lock(field.key, {field.box});
    if (fields == static_cast<int>(std::size(kFields))) m_Window.SetEnabled(c::cmdStandardwerte, false);
    note(c::lbFelderGesperrt, fields > 0);
    note(c::lbCookieGesperrt, lock(modOptionen::kCookiePfad, {c::txbCookiePfad, c::cmdCookiePfad}));
}

// --- what the user does -----------------------------------------------------------

bool clEinstellungen::OwnAddress() const {
    return m_Window.ListIndex(c::cbxRoutenplaner) >= static_cast<int>(modRoutenplaner::Voreinstellungen().size());
}

std::string clEinstellungen::ChosenUrl() const {
    const int index = m_Window.ListIndex(c::cbxRoutenplaner);
    if (index < 0 || OwnAddress()) return Trimmed(m_Window.Text(c::txbURL));
    return std::string(modRoutenplaner::Voreinstellungen()[static_cast<std::size_t>(index)].url);
}

void clEinstellungen::UpdateEnabled() {
    if (!Locked(modOptionen::kURL)) m_Window.SetEnabled(c::txbURL, OwnAddress());
    const bool addressPlanner = modLinkadresse::HatPlatzhalter(ChosenUrl());
    const bool browserLocked = Locked(modOptionen::kBrowser);
    if (!browserLocked) {
        m_Window.SetEnabled(c::optStandard, addressPlanner);
        m_Window.SetEnabled(c::txbProgramm, SelectedBrowser() == c::optProgramm);
    }
    m_Window.SetText(c::lbStandardHinweis,
                     addressPlanner || browserLocked ? std::string_view() : texts::kSetDefaultBrowserWhy);
}

void clEinstellungen::cbxRoutenplaner_Click() {
    if (!OwnAddress()) m_Window.SetText(c::txbURL, ChosenUrl());
    // A form page cannot be filled by the default browser: the run would
    // take the automatic choice anyway, so the window says so by choosing it.
    if (SelectedBrowser() == c::optStandard && !modLinkadresse::HatPlatzhalter(ChosenUrl()) &&
        !Locked(modOptionen::kBrowser)) {
        SelectBrowser(c::optAutomatisch);
    }
    UpdateEnabled();
    if (OwnAddress()) m_Window.Focus(c::txbURL);
}

void clEinstellungen::txbURL_Change() {
    if (OwnAddress()) UpdateEnabled();
}

void clEinstellungen::optBrowser_Click(ui::ToggleId option) {
    SelectBrowser(option);
    UpdateEnabled();
    if (option == c::optProgramm) m_Window.Focus(c::txbProgramm);
}

void clEinstellungen::cmdProgramm_Click() {
    clFileDialog dialog(m_Env.boxes, m_Env.dialogs);
    dialog.DialogTitle(texts::kSetProgramTitle);
    dialog.Filter(texts::kSetProgramFilter);
    dialog.Flags(kFileMustExist | kPathMustExist | kHideReadOnly | clFileDialog::kExplorer);
    dialog.FileName(Trimmed(m_Window.Text(c::txbProgramm)));
    dialog.hWndParent(m_Window.Handle());
    if (!dialog.Show(true)) return;
    m_Window.SetText(c::txbProgramm, dialog.FileName());
    optBrowser_Click(c::optProgramm);
}

void clEinstellungen::cmdStandardwerte_Click() {
    for (const FieldNumber& field : kFields) {
        if (!Locked(field.key)) m_Window.SetText(field.box, std::to_string(field.standard));
    }
}

void clEinstellungen::cmdCookiePfad_Click() {
    const std::string folder =
        m_Env.folders.BrowseForFolder(platform::kFolderDesktop, m_Window.Handle(), texts::kRovChooseCookieFolder);
    if (!folder.empty()) m_Window.SetText(c::txbCookiePfad, folder);
}

// --- OK and Abbrechen -------------------------------------------------------------

Values clEinstellungen::Shown() const {
    Values v;
    v.url = ChosenUrl();
    const ui::ToggleId browser = SelectedBrowser();
    for (const BrowserOption& known : kBrowserOptions) {
        if (known.option == browser) v.browser = known.value;
    }
    if (browser == c::optProgramm) v.browser = Trimmed(m_Window.Text(c::txbProgramm));
    v.arguments = m_Window.Text(c::txbBrowserArgumente);
    for (const FieldNumber& field : kFields) v.*field.value = Trimmed(m_Window.Text(field.box));
    v.cookieFolder = Trimmed(m_Window.Text(c::txbCookiePfad));
    return v;
}

void clEinstellungen::Refuse(std::string text, ui::ControlId field) {
    modMessages::MsgBox(m_Env.boxes, text, platform::MsgIcon::Exclamation, platform::MsgButtons::Ok);
    m_Window.Focus(field);
}

// Only what changed: a value stored before and left alone is not written, so
// it is not refused either.
bool clEinstellungen::Check() {
    const Values v = Shown();
    if (!Locked(modOptionen::kURL) && v.url != m_Loaded.url && !modRoutenplaner::IstWebadresse(v.url)) {
        Refuse(std::string(texts::kSetBadAddress), c::txbURL);
        return false;
    }
    const bool programChosen = SelectedBrowser() == c::optProgramm;
    if (!Locked(modOptionen::kBrowser) && programChosen && (v.browser != m_Loaded.browser || !m_LoadedProgram)) {
        const auto attributes = v.browser.empty() ? std::nullopt : m_Env.browsers.files.Attributes(v.browser);
        if (v.browser.empty()) {
            Refuse(std::string(texts::kSetNoProgram), c::txbProgramm);
            return false;
        }
        if (!attributes || (*attributes & platform::kAttributeDirectory) != 0) {
            Refuse(std::string(texts::kSetProgramMissing) + v.browser, c::txbProgramm);
            return false;
        }
    }
    if (!Locked(modOptionen::kBrowserArgumente) && v.arguments != m_Loaded.arguments) {
        if (const auto verboten = modBrowserSchalter::Verboten(v.arguments)) {
            Refuse(std::string(texts::kRouteForbiddenSwitch1) + *verboten + std::string(texts::kRouteForbiddenSwitch2),
                   c::txbBrowserArgumente);
            return false;
        }
    }
    for (const FieldNumber& field : kFields) {
        if (Locked(field.key) || v.*field.value == m_Loaded.*field.value || IsFieldNumber(v.*field.value)) continue;
        Refuse(std::string(texts::kSetBadField1) + std::string(field.name) + std::string(texts::kSetBadField2),
               field.box);
        return false;
    }
    return true;
}

void clEinstellungen::cmdOK_Click() {
    if (!Check()) return;
    Values v = Shown();
    for (const FieldNumber& field : kFields) {
        if (IsFieldNumber(v.*field.value)) v.*field.value = std::to_string(std::stoi(v.*field.value));
    }
    for (const Option& option : kOptions) {
        if (Locked(option.key) || v.*option.value == m_Loaded.*option.value) continue;
        modOptionen::Schreiben(m_Env.settings, option.key, v.*option.value);
    }
    m_Saved = true;
    m_Window.Close();
}

void clEinstellungen::cmdAbbrechen_Click() { m_Window.Close(); }

void clEinstellungen::Form_KeyPress(int KeyAscii) {
    if (KeyAscii == kEscape) m_Window.Close();
}
