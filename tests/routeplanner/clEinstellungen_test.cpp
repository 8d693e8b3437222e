// The settings window's logic over a recording window, the options in
// memory, and browsers found (or not) in an in-memory registry and files.
#include "routeplanner/clEinstellungen.h"

#include <gtest/gtest.h>

#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/ScriptedShellFolders.h"
#include "routeplanner/EinstellungenControls.h"
#include "ui/RecordingForm.h"

namespace c = EinstellungenControls;
using Write = platform::MemorySettingsStore::Write;

namespace {

const std::string kChrome = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";
const std::string kOsm = "https://www.openstreetmap.org/directions?from={start}&to={ziel}";

class SettingsWindow : public testing::Test {
protected:
    SettingsWindow() { environment.Set("ProgramFiles", "C:\\Program Files"); }

    void Stored(std::string_view key, std::string_view value) { store.Put("Rovandel2", "Optionen", key, value); }
    void Load() {
        logic.Form_Load();
        store.ClearLog();
    }
    std::vector<Write> Writes() const { return store.Writes(); }
    static Write W(std::string key, std::string value) { return {"Rovandel2", "Optionen", std::move(key), value}; }
    std::string Planner() const { return form.ItemText(c::cbxRoutenplaner, form.ListIndex(c::cbxRoutenplaner)); }
    std::vector<std::string> Boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.Shown()) texts.push_back(box.text);
        return texts;
    }

    platform::MemorySettingsStore store;
    platform::MemoryRegistry registry;
    platform::MemoryFileSystem files;
    platform::MemoryEnvironment environment;
    platform::ScriptedFileDialogs dialogs;
    platform::ScriptedShellFolders folders;
    platform::ScriptedMessageBoxes boxes{"Rovandel2"};
    RecordingForm form{c::All(), "Einstellungen"};
    clEinstellungen logic{{store, {registry, files, environment}, dialogs, folders, boxes}, form};
};

TEST_F(SettingsWindow, AFreshStoreShowsTheDefaultsAbbrechenAndEscapeWriteNothingNorDoesOkUnchanged) {
    files.Put(kChrome, {'M', 'Z'});
    Load();
    EXPECT_EQ(Planner(), "Fahrtweg – Formular");
    EXPECT_EQ(form.Text(c::txbURL), "https://www.fahrtweg.example/baseservices/do/routeService");
    EXPECT_FALSE(form.Enabled(c::txbURL));
    EXPECT_TRUE(form.Checked(c::optAutomatisch));
    EXPECT_EQ(form.Text(c::optAutomatisch), "A&utomatisch (Google Chrome)");
    EXPECT_EQ(form.Text(c::optEdge), "Microsoft &Edge (nicht gefunden)");
    EXPECT_EQ(form.Text(c::optChrome), "&Google Chrome");
    EXPECT_EQ(form.Text(c::optIE), "&Internet Explorer (nicht gefunden)");
    // The form page cannot be filled by the default browser, and the window says why.
    EXPECT_FALSE(form.Enabled(c::optStandard));
    EXPECT_NE(form.Text(c::lbStandardHinweis).find("Standardbrowser"), std::string::npos);
    EXPECT_EQ(form.Text(c::txbIDStrasse), "27");
    EXPECT_EQ(form.Text(c::lbStandardLand), "Standard: 33");
    EXPECT_EQ(form.Text(c::lbRoutenplanerGesperrt), "");

    form.SetText(c::txbIDStrasse, "40");
    logic.cmdAbbrechen_Click();
    logic.Form_KeyPress(27);
    logic.Form_KeyPress(13);
    EXPECT_EQ(form.closes, 2);
    EXPECT_FALSE(logic.Saved());
    form.SetText(c::txbIDStrasse, "27");
    logic.cmdOK_Click();
    EXPECT_TRUE(Writes().empty());
    EXPECT_TRUE(logic.Saved());
}

TEST_F(SettingsWindow, APresetIsShownByNameAndOkWritesOnlyWhatChangedOnceEach) {
    Stored("URL", "https://www.google.com/maps/dir/?api=1&origin={start}&destination={ziel}");
    Stored("Browser", "Standard");
    Stored("IDOrt", "31,4");
    Load();
    EXPECT_EQ(Planner(), "Google Maps");
    EXPECT_TRUE(form.Checked(c::optStandard));
    EXPECT_TRUE(form.Enabled(c::optStandard));
    EXPECT_EQ(form.Text(c::txbIDOrt), "31");

    form.SetListIndex(c::cbxRoutenplaner, 1);
    logic.cbxRoutenplaner_Click();
    form.SetText(c::txbIDLand, " 034 ");
    logic.cmdOK_Click();
    // "Standard" and "31,4" read as they did: not written back in another form.
    EXPECT_EQ(Writes(), (std::vector<Write>{W("URL", kOsm), W("IDLand", "34")}));
}

TEST_F(SettingsWindow, AFormPageTakesTheDefaultBrowserAwayAndAnOwnAddressIsTyped) {
    Stored("URL", kOsm);
    Stored("Browser", "standard");
    Load();
    form.SetListIndex(c::cbxRoutenplaner, 0);
    logic.cbxRoutenplaner_Click();
    EXPECT_TRUE(form.Checked(c::optAutomatisch));
    EXPECT_FALSE(form.Checked(c::optStandard));
    EXPECT_FALSE(form.Enabled(c::optStandard));

    form.SetListIndex(c::cbxRoutenplaner, 4);
    logic.cbxRoutenplaner_Click();
    EXPECT_EQ(Planner(), "Eigene Adresse…");
    EXPECT_TRUE(form.Enabled(c::txbURL));
    EXPECT_TRUE(form.At(c::txbURL).focused);
    form.SetText(c::txbURL, "http://planer.example/route?von={start}");
    logic.txbURL_Change();
    EXPECT_TRUE(form.Enabled(c::optStandard));
    logic.cmdOK_Click();
    EXPECT_EQ(Writes(), (std::vector<Write>{W("URL", "http://planer.example/route?von={start}"), W("Browser", "")}));
}

TEST_F(SettingsWindow, AValueThatCannotBeValidIsRefusedNamingItsFieldAndNothingIsWritten) {
    Load();
    const auto refused = [this](ui::ControlId field) {
        logic.cmdOK_Click();
        EXPECT_TRUE(Writes().empty());
        EXPECT_EQ(form.closes, 0);
        EXPECT_TRUE(form.At(field).focused);
        EXPECT_EQ(boxes.Shown().back().icon, platform::MsgIcon::Exclamation);
        return Boxes().back();
    };
    form.SetListIndex(c::cbxRoutenplaner, 4);
    logic.cbxRoutenplaner_Click();
    for (const char* bad : {"file:///C:/route.html", "javascript:alert(1)", "www.planer.example", ""}) {
        form.SetText(c::txbURL, bad);
        EXPECT_NE(refused(c::txbURL).find("„Adresse“"), std::string::npos) << bad;
    }
    form.SetText(c::txbURL, "https://planer.example/");

    logic.optBrowser_Click(c::optProgramm);
    EXPECT_TRUE(form.Enabled(c::txbProgramm));
    EXPECT_EQ(refused(c::txbProgramm), "Im Feld „Programm“ fehlt das Browserprogramm.");
    form.SetText(c::txbProgramm, "C:\\Programme\\weg.exe");
    EXPECT_EQ(refused(c::txbProgramm), "Das Programm im Feld „Programm“ gibt es nicht: C:\\Programme\\weg.exe");
    files.Put("C:\\Programme\\weg.exe", {'M', 'Z'});
    form.SetText(c::txbBrowserArgumente, "--lang=de --remote-debugging-port=9222");
    EXPECT_EQ(refused(c::txbBrowserArgumente)
                  .rfind("Die Einstellung „BrowserArgumente“ enthält den Schalter\r\n--remote-debugging-port=9222", 0),
              0u);
    form.SetText(c::txbBrowserArgumente, "");

    for (const char* bad : {"0", "32768", "-5", "3,5", "zwölf", ""}) {
        form.SetText(c::txbIDOrt, bad);
        EXPECT_EQ(refused(c::txbIDOrt), "Im Feld „Ort“ muss eine ganze Zahl von 1 bis 32767 stehen.") << bad;
    }
    form.SetText(c::txbIDOrt, "32767");
    logic.cmdOK_Click();
    EXPECT_EQ(Writes(), (std::vector<Write>{W("URL", "https://planer.example/"), W("Browser", "C:\\Programme\\weg.exe"),
                                            W("IDOrt", "32767")}));
}

TEST_F(SettingsWindow, ValuesAnAdministratorSetAreShownLockedAndNeverWritten) {
    store.Lock("Rovandel2", "Optionen", "URL", kOsm);
    store.Lock("Rovandel2", "Optionen", "IDPLZ", "40");
    Stored("URL", "https://www.fahrtweg.example/baseservices/do/routeService");
    Load();
    EXPECT_EQ(Planner(), "OpenStreetMap");
    EXPECT_FALSE(form.Enabled(c::cbxRoutenplaner));
    EXPECT_FALSE(form.Enabled(c::txbURL));
    EXPECT_EQ(form.Text(c::lbRoutenplanerGesperrt), "vom Administrator festgelegt");
    EXPECT_EQ(form.Text(c::lbFelderGesperrt), "vom Administrator festgelegt");
    EXPECT_EQ(form.Text(c::lbBrowserGesperrt), "");
    EXPECT_EQ(form.Text(c::txbIDPLZ), "40");
    EXPECT_FALSE(form.Enabled(c::txbIDPLZ));
    EXPECT_TRUE(form.Enabled(c::cmdStandardwerte));

    logic.cmdStandardwerte_Click();
    EXPECT_EQ(form.Text(c::txbIDPLZ), "40");
    form.SetText(c::txbIDStrasse, "99");
    logic.cmdOK_Click();
    EXPECT_EQ(Writes(), (std::vector<Write>{W("IDStrasse", "99")}));
}

TEST_F(SettingsWindow, TheProgramAndTheFolderComeFromTheirDialogs) {
    Load();
    dialogs.QueueFile(kChrome);
    files.Put(kChrome, {'M', 'Z'});
    folders.ChooserGives("D:\\Profil\\Cookies\\");
    logic.cmdProgramm_Click();
    logic.cmdCookiePfad_Click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_EQ(dialogs.Calls()[0].record.title, "Browserprogramm wählen");
    EXPECT_TRUE(form.Checked(c::optProgramm));
    EXPECT_FALSE(form.Checked(c::optAutomatisch));
    EXPECT_EQ(form.Text(c::txbProgramm), kChrome);
    logic.cmdOK_Click();
    EXPECT_EQ(Writes(), (std::vector<Write>{W("Browser", kChrome), W("CookiePfad", "D:\\Profil\\Cookies\\")}));
}

}  // namespace
