// The main window's logic over a recording window: load and close over the
// settings store, the status line, locking, Escape, the tasks and the
// address capture against a scripted ACT!.
#include "routeplanner/clRovandel2.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "routeplanner/Rovandel2Fixture.h"

namespace {

namespace c = Rovandel2Controls;

const std::vector<std::string> kKeptKeys = {"station[1].city",
                                            "station[1].zip",
                                            "station[1].street",
                                            "routeEntry_dest_houseNo",
                                            "station[0].city",
                                            "station[0].zip",
                                            "station[0].street",
                                            "routeEntry_start_houseNo",
                                            "station[1].country.isoCode",
                                            "station[0].country.isoCode",
                                            "routeEntry_time_type",
                                            "routeEntry_time_hours",
                                            "routeEntry_time_minutes",
                                            "AutoStart",
                                            "AutoZiel"};

std::vector<std::string> Prefixed(const std::vector<std::string>& keys) {
    std::vector<std::string> out;
    for (const auto& key : keys) out.push_back("Rovandel2|Optionen|" + key);
    return out;
}

TEST_F(Rovandel2Test, FirstRunWithAnEmptyStoreShowsTheDesignDefaultsAndReadsEveryKeyInOrder) {
    logic.Form_Load();
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_street), "Am Marktplatz 4");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_zip), "37073");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_city), "Göttingen");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_houseNo), "");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_street), "Prinzipalmarkt 10");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "Münster");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_houseNo), "");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_start_country), "DEU");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_dest_country), "DEU");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_type), "Abfahrt");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_hours), "0");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_minutes), "0");
    EXPECT_EQ(form.At(c::cbxrouteEntry_dest_country).items, (Strings{"DEU", "CHE", "AUT"}));
    EXPECT_EQ(form.At(c::cbxrouteEntry_time_type).items, (Strings{"Abfahrt", "Ankunft"}));
    EXPECT_EQ(form.At(c::cbxrouteEntry_time_minutes).items, (Strings{"0", "10", "20", "30", "40", "50"}));
    const Strings& hours = form.At(c::cbxrouteEntry_time_hours).items;
    ASSERT_EQ(hours.size(), 24u);
    EXPECT_EQ(hours.front(), "0");
    EXPECT_EQ(hours[9], "9");
    EXPECT_EQ(hours.back(), "23");
    EXPECT_FALSE(form.Checked(c::ckAutoStart));
    EXPECT_FALSE(form.Checked(c::ckAutoZiel));
    EXPECT_TRUE(form.Checked(c::optrouteEntry_opti_car_mittel));
    EXPECT_TRUE(form.Checked(c::optrouteEntry_opti_route_schnell));
    EXPECT_FALSE(form.Checked(c::optrouteEntry_opti_car_langsam));

    // Then the planner's address, whose host Start's tip names.
    Strings reads = Prefixed(kKeptKeys);
    reads.push_back("Rovandel2|Optionen|URL");
    EXPECT_EQ(store.Reads(), reads);
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_EQ(form.StatusText(c::StatusBar), "Rovandel2: Adressen eingeben oder aus ACT! übernehmen.");
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(Rovandel2Test, CloseStoresEveryValueInLoadOrderAndTheNextStartRestoresThem) {
    logic.Form_Load();
    form.SetText(c::txbrouteEntry_start_street, "Schloßstraße 7");
    form.SetText(c::txbrouteEntry_dest_houseNo, "45a");
    form.SetListIndex(c::cbxrouteEntry_dest_country, 2);
    form.SetListIndex(c::cbxrouteEntry_time_hours, 23);
    form.SetListIndex(c::cbxrouteEntry_time_minutes, 5);
    form.SetListIndex(c::cbxrouteEntry_time_type, 1);
    form.SetChecked(c::ckAutoZiel, true);
    form.SetChecked(c::optrouteEntry_opti_car_mittel, false);
    form.SetChecked(c::optrouteEntry_opti_car_schnell, true);
    store.ClearLog();
    logic.Form_Unload();

    std::vector<std::string> keys;
    for (const auto& w : store.Writes()) {
        EXPECT_EQ(w.app + "|" + w.section, "Rovandel2|Optionen");
        keys.push_back(w.key);
    }
    EXPECT_EQ(keys, kKeptKeys);
    EXPECT_EQ(Stored("station[1].country.isoCode"), "2");  // the position, not "AUT"
    EXPECT_EQ(Stored("station[0].country.isoCode"), "0");
    EXPECT_EQ(Stored("routeEntry_time_hours"), "23");
    EXPECT_EQ(Stored("routeEntry_time_minutes"), "5");
    EXPECT_EQ(Stored("AutoStart"), "0");
    EXPECT_EQ(Stored("AutoZiel"), "1");
    EXPECT_EQ(Stored("station[0].street"), "Schloßstraße 7");

    RecordingRovandel2 again;
    clRovandel2 next(
        {sub.windows, sub.Registry(), sub.files, store, shell, link, "Rovandel2", browsers, launcher, clock}, again);
    next.Form_Load();
    EXPECT_EQ(again.Text(c::txbrouteEntry_start_street), "Schloßstraße 7");
    EXPECT_EQ(again.Text(c::txbrouteEntry_dest_houseNo), "45a");
    EXPECT_EQ(again.Text(c::txbrouteEntry_dest_city), "Münster");
    EXPECT_EQ(again.Selected(c::cbxrouteEntry_dest_country), "AUT");
    EXPECT_EQ(again.Selected(c::cbxrouteEntry_time_type), "Ankunft");
    EXPECT_EQ(again.Selected(c::cbxrouteEntry_time_hours), "23");
    EXPECT_EQ(again.Selected(c::cbxrouteEntry_time_minutes), "50");
    EXPECT_TRUE(again.Checked(c::ckAutoZiel));
    EXPECT_FALSE(again.Checked(c::ckAutoStart));
    // The option buttons are neither stored nor read.
    EXPECT_TRUE(again.Checked(c::optrouteEntry_opti_car_mittel));
}

TEST_F(Rovandel2Test, StoredValuesThatDoNotFitKeepTheDefaultsAndHugeTextsComeBackWhole) {
    const auto put = [this](std::string_view key, std::string_view value) {
        store.Put("Rovandel2", "Optionen", key, value);
    };
    const std::string huge(65536, 'x');
    put("station[0].street", huge);
    put("station[1].city", "");
    put("station[0].country.isoCode", "5");
    put("station[1].country.isoCode", "-1");
    put("routeEntry_time_hours", "99999999999999");
    put("routeEntry_time_minutes", "3 Uhr");
    put("routeEntry_time_type", "Ankunft");  // no leading number: position 0
    put("AutoStart", "2");
    put("AutoZiel", "ja");
    logic.Form_Load();
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_street), huge);
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "");  // stored empty is a value, not missing
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_start_country), "DEU");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_dest_country), "DEU");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_hours), "0");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_minutes), "30");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_time_type), "Abfahrt");
    EXPECT_FALSE(form.Checked(c::ckAutoStart));
    EXPECT_FALSE(form.Checked(c::ckAutoZiel));
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(Rovandel2Test, EscapeEndsAtOnceWithoutStoringOtherKeysDoNothing) {
    logic.Form_Load();
    form.SetText(c::txbrouteEntry_start_city, "Kassel");
    logic.Form_KeyPress(13);
    logic.Form_KeyPress('a');
    EXPECT_EQ(form.ended, 0);
    logic.Form_KeyPress(27);
    EXPECT_EQ(form.ended, 1);
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_FALSE(form.closed);
}

TEST_F(Rovandel2Test, TheStatusLineLeadsWithTheProgramsNameAndAlwaysLetsEventsRun) {
    int events = 0;
    sub.windows.onDoEvents = [&] { ++events; };
    logic.zeigeStatus("vor dem Laden");
    EXPECT_EQ(form.StatusText(c::StatusBar), "");
    EXPECT_TRUE(form.Lines("status ").empty());
    EXPECT_EQ(events, 1);
    logic.Form_Load();
    logic.zeigeStatus("fülle Formular...");
    EXPECT_EQ(form.StatusText(c::StatusBar), "Rovandel2: fülle Formular...");
    logic.zeigeStatus("");
    EXPECT_EQ(form.StatusText(c::StatusBar), "");
    EXPECT_EQ(events, 4);
}

// The address boxes and the buttons: lists, check boxes, option buttons and the banner stay usable.
TEST_F(Rovandel2Test, LockingTakesTheAddressBoxesAndTheButtonsAndNothingElse) {
    logic.Form_Load();
    form.log.clear();
    int events = 0;
    sub.windows.onDoEvents = [&] { ++events; };
    logic.aktiviereEingaben(false);
    EXPECT_EQ(form.Disabled(),
              (Strings{"txbrouteEntry_start_street", "txbrouteEntry_start_houseNo", "txbrouteEntry_start_zip",
                       "txbrouteEntry_start_city", "cmdAktuellerDatensatzStart", "cmdPersoenlicherDatensatzStart",
                       "txbrouteEntry_dest_street", "txbrouteEntry_dest_houseNo", "txbrouteEntry_dest_zip",
                       "txbrouteEntry_dest_city", "cmdAktuellerDatensatzZiel", "cmdPersoenlicherDatensatzZiel",
                       "cmdInfo", "cmdEinstellungen", "cmdBrowse"}));
    EXPECT_EQ(form.log.front(), "hourglass 1");
    EXPECT_EQ(events, 1);
    logic.aktiviereEingaben(true);
    EXPECT_EQ(form.Disabled(), Strings{});
    EXPECT_EQ(form.Lines("hourglass "), (Strings{"1", "0"}));
}

TEST_F(Rovandel2Test, TheFrontWindowIsTheFirstWindowTitledLikeTheFormAndFailuresAreIgnored) {
    const auto other = sub.windows.Add("Other", "Rovandel2 - zweite");
    logic.SetFrontwindow(form, true);
    EXPECT_TRUE(sub.windows.At(mainWindow).topmost);
    EXPECT_FALSE(sub.windows.At(other).topmost);
    logic.SetFrontwindow(form, false);
    EXPECT_FALSE(sub.windows.At(mainWindow).topmost);
    sub.windows.SetFaultHook([](const auto&) -> bool { throw AppError(5, "kaputt"); });
    EXPECT_NO_THROW(logic.SetFrontwindow(form, true));
}

TEST_F(Rovandel2Test, CurrentRecordForTheStartReadsTheFourFieldsInOrderInsideTheLockedTopmostWindow) {
    logic.Form_Load();
    form.log.clear();
    sub.windows.ClearLog();
    store.ClearLog();
    logic.cmdAktuellerDatensatzStart_Click();

    EXPECT_EQ(ActCalls(), (Strings{"contact.GetField(i4:30)", "contact.GetField(i4:27)", "contact.GetField(i4:32)",
                                   "contact.GetField(i4:33)"}));
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_city), "Wien");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_street), "Mariahilfer Straße 45a");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_zip), "1060");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_houseNo), "45");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_start_country), "AUT");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "Münster");  // the other side untouched
    EXPECT_EQ(form.Lines("status "),
              (Strings{"Rovandel2: setze Startadresse auf Daten des aktuellen ACT!-Kontaktes.", ""}));
    EXPECT_EQ(form.Lines("hourglass "), (Strings{"1", "0"}));
    // Locked before it goes on top, the status last, undone in the same order.
    Strings topmost;
    for (const auto& call : sub.windows.Calls()) {
        if (call.op == platform::MemoryWindowSystem::Op::SetTopmost) {
            EXPECT_EQ(call.window, mainWindow);
            topmost.push_back(call.flag ? "on" : "off");
        }
    }
    EXPECT_EQ(topmost, (Strings{"on", "off"}));
    EXPECT_EQ(form.log.front(), "hourglass 1");
    EXPECT_EQ(form.log.back(), "status ");
    EXPECT_EQ(form.Disabled(), Strings{});
    EXPECT_EQ(store.Reads(), Prefixed({"IDOrt", "IDStrasse", "IDPLZ", "IDLand"}));
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_TRUE(sub.messages.Shown().empty());
}

TEST_F(Rovandel2Test, PersonalRecordForTheDestinationVisitsTheUsersRecordAndGoesBack) {
    logic.Form_Load();
    form.log.clear();
    logic.cmdPersoenlicherDatensatzZiel_Click();
    EXPECT_EQ(ActCalls(), (Strings{"contact.getCurrentID()", "app.GetUserId()", "contact.lookupall()",
                                   "contact.GoTo(s\"K00000000001\")", "contact.GetField(i4:30)",
                                   "contact.GetField(i4:27)", "contact.GetField(i4:32)", "contact.GetField(i4:33)",
                                   "contact.lookupall()", "contact.GoTo(s\"K00000000002\")"}));
    EXPECT_EQ(current, "K00000000002");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "München");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_street), "Schloßstraße 7");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_houseNo), "7");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_dest_country), "DEU");
    EXPECT_EQ(form.Lines("status "),
              (Strings{"Rovandel2: setze Zieladresse auf Daten des persönlichen ACT!-Kontaktes.", ""}));
    EXPECT_EQ(act.LiveReferences(), 0);
}

TEST_F(Rovandel2Test, EachCaptureReadsTheFieldNumbersAfreshAndShortIdentifiersGoPadded) {
    logic.Form_Load();
    current = "          K7";
    store.Put("Rovandel2", "Optionen", "IDOrt", "31,4");
    logic.cmdAktuellerDatensatzZiel_Click();
    EXPECT_EQ(ActCalls().front(), "contact.GetField(i4:31)");
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "");  // field 31 is empty
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_dest_country), "CHE");
    act.ClearLog();
    store.Put("Rovandel2", "Optionen", "IDOrt", "Stadt");
    userId = "K7";
    current = "K00000000002";
    logic.cmdPersoenlicherDatensatzStart_Click();
    EXPECT_EQ(ActCalls()[3], "contact.GoTo(s\"          K7\")");
    EXPECT_EQ(ActCalls()[4], "contact.GetField(i4:30)");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_city), "Zürich");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_houseNo), "3");
    EXPECT_EQ(current, "K00000000002");
}

TEST_F(Rovandel2Test, WithoutActTheBoxesAreEmptiedQuietlyAndTheWindowStaysUsable) {
    logic.Form_Load();
    sub.windows.Destroy(actWindow);
    logic.cmdPersoenlicherDatensatzStart_Click();
    EXPECT_EQ(act.Created(), 0);
    for (auto name : {c::txbrouteEntry_start_city, c::txbrouteEntry_start_street, c::txbrouteEntry_start_zip,
                      c::txbrouteEntry_start_houseNo}) {
        EXPECT_EQ(form.Text(name), "") << form.Name(name);
    }
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_start_country), "DEU");
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(form.Disabled(), Strings{});
    EXPECT_FALSE(logic.Beschaeftigt());
}

TEST_F(Rovandel2Test, AnActFailureMidCaptureEmptiesWhatItCouldNotReadReportsOnceAndUnlocks) {
    logic.Form_Load();
    form.log.clear();
    act.Fail("contact", "GetField", AppError(-2147023170, "Der Remoteprozeduraufruf ist fehlgeschlagen."));
    logic.cmdAktuellerDatensatzStart_Click();
    // The city came before the failure; what follows finds ACT! failing too.
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_city), "Wien");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_street), "");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_zip), "");
    EXPECT_EQ(form.Text(c::txbrouteEntry_start_houseNo), "");
    EXPECT_EQ(form.Selected(c::cbxrouteEntry_start_country), "DEU");
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(BoxTexts().front(),
              "Die Adresse konnte nicht vollständig aus ACT! übernommen werden.\r\nFehlernummer: -2147023170\r\n"
              "Fehlerbeschreibung: Der Remoteprozeduraufruf ist fehlgeschlagen.");
    EXPECT_EQ(sub.messages.Shown().front().icon, platform::MsgIcon::Exclamation);
    EXPECT_EQ(form.Lines("hourglass "), (Strings{"1", "0"}));
    EXPECT_FALSE(sub.windows.At(mainWindow).topmost);
    EXPECT_EQ(act.LiveReferences(), 0);  // a failed call drops what it held
}

TEST_F(Rovandel2Test, AnErrorOfAnotherKindStillUnlocksAndIsReportedByTheTask) {
    logic.Form_Load();
    act.AnswerWith("contact", "GetField", [](const auto&) -> platform::AutoValue { throw std::runtime_error("weg"); });
    logic.cmdAktuellerDatensatzZiel_Click();
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(BoxTexts().front(),
              "Fehler in cmdAktuellerDatensatzZiel_Click\r\nFehlernummer: 51\r\n"
              "Fehlerbeschreibung: Interner Fehler: weg");
    EXPECT_EQ(form.Disabled(), Strings{});
    EXPECT_EQ(form.StatusText(c::StatusBar), "");
    EXPECT_FALSE(sub.windows.At(mainWindow).topmost);
    logic.cmdAktuellerDatensatzZiel_Click();  // the next task is not refused
    EXPECT_EQ(sub.messages.Shown().size(), 2u);
}

TEST_F(Rovandel2Test, ACleanUpAskedForDuringACaptureIsRefusedWithASignalUntilTheCaptureEnds) {
    logic.Form_Load();
    bool once = true;
    sub.windows.onDoEvents = [&] {
        if (!std::exchange(once, false)) return;
        logic.imBanner_Click();
        logic.cmdInfo_Click();
        logic.cmdEinstellungen_Click();
        logic.cmdAktuellerDatensatzZiel_Click();
    };
    logic.cmdAktuellerDatensatzStart_Click();
    EXPECT_EQ(form.signals, 4);
    EXPECT_EQ(form.settings, 0);
    EXPECT_TRUE(shell.Calls().empty());
    EXPECT_EQ(form.infos, 0);
    EXPECT_EQ(form.Text(c::txbrouteEntry_dest_city), "Münster");
    sub.windows.onDoEvents = {};
    shell.ChooserGives("");
    logic.imBanner_Click();
    EXPECT_EQ(shell.Calls().size(), 2u);  // the shell's cookies folder, then the chooser
    logic.cmdInfo_Click();
    EXPECT_EQ(form.infos, 1);
}

TEST_F(Rovandel2Test, StartsTipNamesThePlannerInUseAndFollowsTheSettingsWindow) {
    logic.Form_Load();
    EXPECT_EQ(form.At(c::cmdBrowse).tip, "Startet die Routenberechnung auf www.fahrtweg.example");
    form.onSettings = [this] {
        store.SaveSetting("Rovandel2", "Optionen", "URL", "https://www.openstreetmap.org/directions?from={start}");
    };
    logic.cmdEinstellungen_Click();
    EXPECT_EQ(form.settings, 1);
    EXPECT_EQ(form.At(c::cmdBrowse).tip, "Startet die Routenberechnung auf www.openstreetmap.org");
}

TEST_F(Rovandel2Test, ClosingDuringACaptureWaitsForItsEndThenStoresWhatItCaptured) {
    logic.Form_Load();
    bool once = true;
    sub.windows.onDoEvents = [&] {
        if (std::exchange(once, false)) form.Close();
    };
    logic.cmdAktuellerDatensatzStart_Click();
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(Stored("station[0].city"), "Wien");
    EXPECT_EQ(Stored("station[0].country.isoCode"), "2");
    EXPECT_EQ(form.Lines("close").size(), 2u);  // asked during the capture, done after it
}

TEST_F(Rovandel2Test, EscapeInTheMiddleOfACaptureEndsTheProgramWithoutStoring) {
    logic.Form_Load();
    sub.windows.onDoEvents = [&] { logic.Form_KeyPress(27); };
    logic.cmdPersoenlicherDatensatzStart_Click();
    EXPECT_GE(form.ended, 1);
    EXPECT_TRUE(store.Writes().empty());
}

// --- the Start button -------------------------------------------------------------

TEST_F(Rovandel2Test, StartTakesTheAutomaticAddressesFirstThenFillsThePageAndClosesStored) {
    store.Put("Rovandel2", "Optionen", "URL", "http://127.0.0.1:8080/route");
    store.Put("Rovandel2", "Optionen", "Browser", "chrome");
    store.Put("Rovandel2", "Optionen", "BrowserArgumente", "--no-sandbox");
    logic.Form_Load();
    form.SetChecked(c::ckAutoStart, true);
    form.SetChecked(c::ckAutoZiel, true);
    form.log.clear();
    logic.cmdBrowse_Click();

    EXPECT_EQ(form.signals, 0) << "the captures run inside the task, not refused";
    const auto& page = browsers.WindowAt(1).page.elements;
    EXPECT_EQ(page[0].value, "Schloßstraße 7, 80331 München, DEU");
    EXPECT_EQ(page[1].value, "Mariahilfer Straße 45a, 1060 Wien, AUT");
    EXPECT_EQ(page[2].clicks, 1);
    EXPECT_EQ(browsers.WindowAt(1).url, "http://127.0.0.1:8080/route");
    ASSERT_EQ(browsers.Created().size(), 1u);
    EXPECT_EQ(browsers.Created()[0].browser, "chrome");
    EXPECT_EQ(browsers.Created()[0].arguments, "--no-sandbox");
    EXPECT_EQ(current, "K00000000002") << "ACT! is back on its contact";
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(Stored("station[1].city"), "Wien");
    EXPECT_EQ(Stored("AutoZiel"), "1");
    EXPECT_EQ(store.Writes().size(), kKeptKeys.size());
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_FALSE(logic.Fehlgeschlagen());

    const Strings status = form.Lines("status ");
    const Strings expected = {"Rovandel2: setze Startadresse auf Daten des persönlichen ACT!-Kontaktes.",
                              "",
                              "Rovandel2: setze Zieladresse auf Daten des aktuellen ACT!-Kontaktes.",
                              "",
                              "Rovandel2: öffne Internet Explorer...",
                              "Rovandel2: öffne Internetseite...",
                              "Rovandel2: öffne Internetseite....",
                              "Rovandel2: öffne Internetseite.....",
                              "",
                              "Rovandel2: fülle Formular..."};
    EXPECT_EQ(status, expected);
    EXPECT_EQ(form.Lines("progress ").front(), "20");
    EXPECT_EQ(form.Lines("progress ").back(), "90");
    EXPECT_EQ(form.Lines("hourglass "), (Strings{"1", "0", "1", "0", "1", "0"})) << "unlocked before closing";
    EXPECT_FALSE(sub.windows.At(mainWindow).topmost);
    logic.Form_Unload();  // a second close stores nothing more
    EXPECT_EQ(store.Writes().size(), kKeptKeys.size());
}

TEST_F(Rovandel2Test, StartWithABrowserThatFailsClosesTheWindowAndTheExitCodeTellsOfIt) {
    browsers.createFails = AppError(-2147221005, "Ungültige Klassenzeichenfolge");
    logic.Form_Load();
    logic.cmdBrowse_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Fehler in openWebseite\r\nFehlernummer: -2147221005\r\n"
                                  "Fehlerbeschreibung: Ungültige Klassenzeichenfolge"});
    EXPECT_TRUE(form.closed);
    EXPECT_TRUE(logic.Fehlgeschlagen());
}

// ACT! quit after the last capture, quits in the middle of one, or fails a
// call: Start says so once, leaves the addresses as they were and sends nothing.
TEST_F(Rovandel2Test, StartWhenACTDoesNotAnswerForTheAutomaticAddressesSaysSoOnceKeepsTheAddressesAndFails) {
    const std::string said =
        "ACT! antwortet nicht. Die Adressen bleiben, wie sie waren, und es wird keine Route berechnet.";
    const AppError rpc(-2147023170, "Der Remoteprozeduraufruf ist fehlgeschlagen.");
    const std::pair<std::function<void()>, std::string> cases[] = {
        {[this] { sub.windows.Destroy(actWindow); }, said},
        {[this] {
             act.AnswerWith("contact", "GetField", [this](const auto&) {
                 sub.windows.Destroy(actWindow);
                 return platform::AutoValue(std::string("Wien"));
             });
         },
         said},
        {[&] { act.Fail("contact", "GetField", rpc); },
         said + "\r\nFehlernummer: -2147023170\r\nFehlerbeschreibung: " + rpc.description()},
    };
    sub.windows.Destroy(actWindow);
    for (const auto& [fault, text] : cases) {
        SCOPED_TRACE(text);
        actWindow = sub.windows.Add("ACT3.0FrameClass", "ACT! - Demo-Datenbank");
        for (auto [key, value] : {std::pair{"station[0].street", "Am Ring 1"}, {"AutoStart", "1"}, {"AutoZiel", "1"}}) {
            store.Put("Rovandel2", "Optionen", key, value);
        }
        sub.messages.Clear();
        OwnWindow window(*this, browsers);
        fault();
        window.logic.cmdBrowse_Click();
        EXPECT_EQ(BoxTexts(), Strings{text});
        EXPECT_TRUE(browsers.Created().empty()) << "no route is sent";
        EXPECT_TRUE(window.form.closed);
        EXPECT_TRUE(window.logic.Fehlgeschlagen()) << "exit code 1";
        EXPECT_EQ(Stored("station[0].street"), "Am Ring 1");
        EXPECT_EQ(Stored("station[1].city"), "Münster");
    }
    sub.messages.Clear();
    OwnWindow ending(*this, browsers);
    sub.windows.onDoEvents = [&] { ending.logic.Form_KeyPress(27); };
    ending.logic.cmdBrowse_Click();
    EXPECT_TRUE(sub.messages.Shown().empty()) << "Escape during the capture: nothing more is said";
}

// The user closes the window, or presses Escape, about 3 s into a page that never loads.
TEST_F(Rovandel2Test, WhileThePageLoadsClosingEndsTheRunStoredAndEscapeEndsTheProgramUnstored) {
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "closed");
        platform::ScriptedBrowser hanging;
        hanging.pages = browsers.pages;
        hanging.pages[0].busy = [] { return true; };
        OwnWindow own(*this, hanging);
        RecordingRovandel2& window = own.form;
        clRovandel2& run = own.logic;
        store.ClearLog();
        int waits = 0;
        sub.windows.onWaitForEvents = [&](int ms) {
            clock.Advance(ms);
            if (++waits != 60) return;
            if (escape)
                run.Form_KeyPress(27);
            else
                window.Close();
        };
        run.cmdBrowse_Click();
        EXPECT_LT(waits, 80) << "the run stops at once";
        EXPECT_EQ(window.closed, !escape) << "closed after the task ended";
        EXPECT_EQ(window.ended, escape ? 1 : 0);
        EXPECT_EQ(store.Writes().size(), escape ? 0u : kKeptKeys.size());
        EXPECT_TRUE(sub.messages.Shown().empty());
        EXPECT_FALSE(hanging.WindowAt(1).quit) << "the browser stays as it is";
    }
}

}  // namespace
