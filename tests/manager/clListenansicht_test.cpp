// The list window's logic over a recording window and the substitutes:
// ACT!'s configuration in the substitute registry, boxes and file dialogs
// answered from scripts, the pictures' paints recorded.
#include "manager/clListenansicht.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "manager/ListenansichtControls.h"
#include "manager/PfadeControls.h"
#include "manager/modListviewSort.h"
#include "platform/MemoryNamedMutex.h"
#include "platform/PacedRegistry.h"
#include "platform/RecordingShell.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/SubstitutePlatform.h"
#include "ui/RecordingForm.h"

namespace c = ListenansichtControls;
namespace td = testdata;
using platform::kHKeyCurrentUser;
using platform::MsgAnswer;
using Strings = std::vector<std::string>;

namespace {

const std::string kCommands(actregistry::kCustomCommands);
const std::string kNewFile = "C:\\Befehle\\Neu.cmd";
const std::string kBackups = "C:\\Users\\u\\AppData\\Local\\Tessivar\\Sicherungen";
const Strings kCommandHeaders = {"Nr", "Name", "Zeile", "Start", "Beschreibung", "QuickInfo", "Menü", "Programm"};

class RecordingListenansicht : public RecordingForm, public IListenansichtWindow {
public:
    RecordingListenansicht() : RecordingForm(c::All(), "Tessivar") {}
    void ShowInfo(platform::IMessageBoxes& boxes, platform::IShell& shell) override {
        log.push_back("info");
        infoBoxes = &boxes;
        infoShell = &shell;
    }
    std::optional<std::string> ChooseBackup(std::vector<modBackup::Entry> entries,
                                            clSicherungen::Differences differences) override {
        offered = std::move(entries);
        if (!offered.empty() && differences) told = differences(offered.front());
        log.push_back("choose");
        return pick < 0 ? std::nullopt : std::optional(offered.at(static_cast<std::size_t>(pick)).path);
    }
    std::optional<modEditCommand::Edit> EditCommand(const clCustomTessivar& command,
                                                    const clBearbeiten::NameTaken& nameTaken) override {
        log.push_back("edit " + command.Name());
        taken = nameTaken;
        return edit;
    }
    std::optional<modEditCommand::Edit> edit;  // what the user's editing gives; nothing: cancelled
    clBearbeiten::NameTaken taken;
    // The mended paths confirmed as offered, unless the user cancels.
    std::optional<std::vector<modListActions::PathChange>> ConfirmPaths(clPfade::Services services,
                                                                        std::vector<clPfade::Command> commands,
                                                                        std::string folder) override {
        RecordingForm form(PfadeControls::All(), "Pfade anpassen");
        clPfade paths(form, services, std::move(commands), std::move(folder));
        paths.Form_Load();
        pathRows = form.At(PfadeControls::lvPfade).rows;
        keptRows = form.At(PfadeControls::lvUebrig).rows;
        if (confirmPaths) paths.cmdOK_Click();
        return paths.Confirmed();
    }
    // Puts the button on the first toolbar offered that may hold it, and says OK.
    std::optional<clSchaltflaechen::Toolbars> PlaceButtons(std::int32_t commandId, std::string name,
                                                           clSchaltflaechen::Toolbars toolbars) override {
        log.push_back("place " + name);
        for (auto& toolbar : toolbars) {
            if (modButtonPlacement::PutOn(toolbar, commandId)) break;
        }
        return toolbars;
    }
    platform::IMessageBoxes* infoBoxes = nullptr;
    platform::IShell* infoShell = nullptr;
    std::vector<modBackup::Entry> offered;
    int pick = -1;  // the entry the user picks; -1: cancelled
    bool confirmPaths = true;
    std::vector<Row> pathRows, keptRows;
    std::optional<std::vector<modBackupDiff::Difference>> told;  // of the newest, asked while the list showed
};

class ListWindowLogic : public testing::Test {
protected:
    void SetUp() override {
        Toolbar(0, "Kontaktsymbolleiste", td::Entries({57600, 0, 30101, 30102}));
        Toolbar(1, "Contact Toolbar", td::Entries({30102}));
        sub.registry.PutDword(kHKeyCurrentUser, actregistry::ToolbarKey(2), "TypeID", 0);
        sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 3);
        sub.files.Put("C:\\ACT\\x.exe", {1});  // every seeded command's program
        sub.files.Put(kNewFile, td::CommandFile(td::Record(4711, "Neuer Befehl"), td::Image(24, 24, 3, 7),
                                                td::Image(16, 16, 3, 9)));
    }
    void Toolbar(int n, const std::string& name, const ByteArray& buttons) {
        const std::string key = actregistry::ToolbarKey(n);
        sub.registry.PutDword(kHKeyCurrentUser, key, "TypeID", 1);
        sub.registry.Put(kHKeyCurrentUser, key, "Buttons", platform::kRegBinary, buttons);
        sub.registry.PutText(kHKeyCurrentUser, key, "WindowName", name);
    }
    void SeedThree() {
        td::SeedTable(sub.registry, {{30101,
                                      "Adressen pr\xFC"
                                      "fen"},
                                     {30102, "Serienbrief"},
                                     {30104, "Notiz"}});
    }
    ByteArray Stored(const std::string& key, const std::string& name) {
        auto v = sub.registry.Get(kHKeyCurrentUser, key, name);
        return v ? v->data : ByteArray{};
    }
    ByteArray Buttons(int n) { return Stored(actregistry::ToolbarKey(n), "Buttons"); }

    // The user clicks a row: it is selected, and the list reports the click.
    void Select(int row) {
        window.SelectRow(c::lvCommands, row);
        logic.lvCommands_ItemClick(row);
    }
    void PressDelete() { logic.lvCommands_KeyUp(46); }
    Strings Column(int column) {
        Strings cells;
        for (const auto& row : window.At(c::lvCommands).rows) cells.push_back(row.at(static_cast<std::size_t>(column)));
        return cells;
    }
    const Strings& Headers() { return window.At(c::lvCommands).headers; }
    // What the window logged under `prefix`, without it.
    Strings Logged(std::string_view prefix) const { return window.Lines(prefix); }
    int Selected() const { return window.SelectedRow(c::lvCommands); }
    std::string Status() const { return window.StatusText(c::StatusBar); }
    Strings BoxTexts() const {
        Strings shown;
        for (const auto& box : sub.messages.Shown()) shown.push_back(box.text);
        return shown;
    }
    // The two pictures last painted, as the seeds of their images: "101:7 102:9".
    std::string Pictures() const {
        const auto& paints = sub.graphics.paints;
        if (paints.size() < 2) return {};
        std::string shown;
        for (auto paint = paints.end() - 2; paint != paints.end(); ++paint) {
            if (!shown.empty()) shown += " ";
            shown += std::to_string(paint->target) + ":" + std::to_string(paint->bits.empty() ? -1 : paint->bits[0]);
        }
        return shown;
    }

    SubstituteServices sub;
    platform::ScriptedFileDialogs dialogs;
    platform::RecordingShell shell;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    modBackup::Store backups{sub.files, clock, kBackups};
    RecordingListenansicht window;
    platform::Pacing pacing{sub.windows, clock};
    clListenansicht logic{{sub.Commands(), dialogs, shell, locks, backups, pacing}, window};
};

TEST_F(ListWindowLogic, AnEmptyTableShowsTheSevenHeadersAndTheCountZeroAndOffersNothingToSaveOrDelete) {
    logic.Form_Load();
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_TRUE(window.At(c::lvCommands).rows.empty());
    EXPECT_EQ(Status(), "0 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(Selected(), -1);
    EXPECT_EQ(Logged("clear "), (Strings{"Picture1", "Picture2"}));
    PressDelete();
    logic.cmdSpeichern_Click();
    EXPECT_TRUE(sub.messages.Shown().empty()) << "without a row, Delete and Save do nothing";
    EXPECT_TRUE(dialogs.Calls().empty());

    // The About window is the window's; its link opens through the program's shell.
    logic.cmdInfo_Click();
    EXPECT_EQ(window.log.back(), "info");
    EXPECT_EQ(window.infoShell, &shell);
    EXPECT_EQ(window.infoBoxes, &sub.messages);
    // A fault that left a handler is reported in the wrappers' form.
    logic.ShowError(AppError(1234, "Kein Fenster für Fragen"));
    EXPECT_EQ(sub.messages.Shown().back(), (platform::MessageBoxRequest{"Error: 1234. Kein Fenster für Fragen",
                                                                        "Tessivar", platform::MsgIcon::Exclamation}));
}

TEST_F(ListWindowLogic, ThreeCommandsInTableOrderAndTheToolbarViewBackAndForth) {
    SeedThree();
    sub.registry.PutText(kHKeyCurrentUser, kCommands, "unused", "x");
    logic.Form_Load();
    EXPECT_EQ(Column(0), (Strings{"0", "1", "2"}));
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_EQ(Column(2)[0], "C:\\ACT\\x.exe");
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(Selected(), 0) << "the first row selected";
    EXPECT_EQ(Pictures(), "101:0 102:100") << "and its pictures shown";

    window.log.clear();
    logic.cmdToolbars_Click();
    EXPECT_EQ(Headers(), (Strings{"Nr", "Name"}));
    EXPECT_EQ(Column(0), (Strings{"0", "1", "2"}));
    EXPECT_EQ(Column(1), (Strings{"Kontaktsymbolleiste", "Contact Toolbar", ""}));
    EXPECT_EQ(Status(), "3 Toolbar(s)");
    EXPECT_EQ(window.Text(c::cmdToolbars), "&Befehle");
    EXPECT_FALSE(window.Enabled(c::cmdSpeichern) || window.Enabled(c::cmdLaden));
    EXPECT_TRUE(window.Enabled(c::cmdToolbars) && window.Enabled(c::cmdWiederherstellen));
    // Delete and row clicks mean nothing here: the rows are toolbars.
    const std::size_t paints = sub.graphics.paints.size();
    Select(1);
    PressDelete();
    EXPECT_EQ(sub.graphics.paints.size(), paints);
    EXPECT_TRUE(sub.messages.Shown().empty());

    sub.registry.ClearLog();
    window.log.clear();
    logic.cmdToolbars_Click();
    EXPECT_EQ(Headers(), kCommandHeaders);
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz"}));
    EXPECT_EQ(window.Text(c::cmdToolbars), "&Toolbars");
    EXPECT_TRUE(window.Enabled(c::cmdSpeichern) && window.Enabled(c::cmdLaden));
    for (const auto& call : sub.registry.Calls()) EXPECT_NE(call.name, "Command-0") << "the same table, not read again";

    // Any other caption: the click does nothing.
    window.SetText(c::cmdToolbars, "&Irgendwas");
    window.log.clear();
    logic.cmdToolbars_Click();
    EXPECT_TRUE(window.log.empty());
}

TEST_F(ListWindowLogic, LoadingAnsweredYesPutsTheButtonOnKontaktsymbolleisteOnly) {
    SeedThree();
    logic.Form_Load();
    dialogs.QueueFile(kNewFile);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    logic.cmdLaden_Click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_TRUE(dialogs.Calls()[0].open);
    EXPECT_EQ(dialogs.Calls()[0].record.title, "ACT!-Benutzerbefehl laden");
    EXPECT_EQ(dialogs.Calls()[0].record.filter, std::string("ACT!-Commandfiles (*.cmd)\0*.cmd\0\0", 33));
    EXPECT_EQ(dialogs.Calls()[0].record.owner, window.Handle());
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0],
              (platform::MessageBoxRequest{"Soll der benutzerdefinierte Befehl 'Neuer Befehl' in\r\n"
                                           "die Standardsymbolleiste eingefügt werden?",
                                           "Tessivar", platform::MsgIcon::Question, platform::MsgButtons::YesNo}));
    EXPECT_EQ(Column(0), (Strings{"0", "1", "2", "3"}));
    EXPECT_EQ(Logged("add "), Strings{"lvCommands 3"}) << "the row appended, the list not filled again";
    EXPECT_EQ(Column(1)[3], "Neuer Befehl");
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
    EXPECT_EQ(clCustomTessivar::GetLongAt(Stored(kCommands, "Command-3"), 0), 30103);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102, 0, 30103}));
    EXPECT_EQ(Buttons(1), td::Entries({30102})) << "\"Contact Toolbar\" is not tried";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)") << "a load leaves the status text";
    EXPECT_EQ(Selected(), 3) << "the new command selected";
    EXPECT_EQ(Pictures(), "101:7 102:9") << "its pictures shown";
    EXPECT_FALSE(locks.IsHeld(actregistry::kConfigurationLock));
    int acquired = 0;
    for (const auto& e : locks.Events()) acquired += e.kind == platform::MemoryNamedMutex::Event::Kind::Acquired;
    EXPECT_EQ(acquired, 2) << "the load and the toolbar change, each under the lock";
}

TEST_F(ListWindowLogic, TheSelectedCommandsButtonIsPlacedAndOnlyThatToolbarWrittenNotFromTheToolbarView) {
    SeedThree();
    logic.Form_Load();
    Select(2);  // "Notiz", on no toolbar
    sub.registry.ClearLog();
    logic.cmdSchaltflaechen_Click();
    EXPECT_EQ(Logged("place "), Strings{"Notiz"});
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102, 0, 30104}));
    EXPECT_EQ(Buttons(1), td::Entries({30102}));
    std::size_t actWrites = 0;
    for (const auto& w : sub.registry.Writes()) actWrites += w.keyPath.find("Symantec") != std::string::npos;
    EXPECT_EQ(actWrites, 1u);
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz"})) << "the list stays";

    logic.cmdToolbars_Click();
    EXPECT_FALSE(window.Enabled(c::cmdSchaltflaechen));
    window.log.clear();
    logic.cmdSchaltflaechen_Click();
    EXPECT_TRUE(Logged("place ").empty()) << "toolbar numbers are no commands";
}

TEST_F(ListWindowLogic, LoadingAnsweredNoANameThatExistsABrokenFileOrACancel) {
    SeedThree();
    logic.Form_Load();
    dialogs.QueueFile(kNewFile);
    sub.messages.QueueAnswer(MsgAnswer::No);
    logic.cmdLaden_Click();
    EXPECT_EQ(Column(0).size(), 4u);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));

    sub.messages.Clear();
    sub.files.Put("C:\\Befehle\\Doppelt.cmd",
                  td::CommandFile(td::Record(1, "SERIENBRIEF"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    dialogs.QueueFile("C:\\Befehle\\Doppelt.cmd");
    logic.cmdLaden_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'SERIENBRIEF'."});
    EXPECT_EQ(Column(0).size(), 4u) << "no row, no question";

    sub.messages.Clear();
    dialogs.QueueFile("C:\\Befehle\\Fehlt.cmd");
    logic.cmdLaden_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Fehler in Klasse clCustomTessivar - Load\r\nDie Datei C:\\Befehle\\Fehlt.cmd\r\n"
                                  "wurde nicht gefunden."});
    sub.files.Put("C:\\Befehle\\Kaputt.cmd", ByteArray(1172 + 40, 0xFF));
    sub.messages.Clear();
    dialogs.QueueFile("C:\\Befehle\\Kaputt.cmd");
    logic.cmdLaden_Click();
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text.substr(0, 46), "Fehler in Klasse clCustomTessivar - Load\r\nFehl");
    EXPECT_EQ(Column(0).size(), 4u);

    sub.messages.Clear();
    dialogs.QueueCancel();
    logic.cmdLaden_Click();
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
}

TEST_F(ListWindowLogic, DeletingTakesTheCommandAndItsButtonAndFillsTheListAgainInTheOrderChosen) {
    SeedThree();
    logic.Form_Load();
    Select(1);
    sub.messages.QueueAnswer(MsgAnswer::No);
    PressDelete();
    EXPECT_EQ(BoxTexts(), Strings{"Soll der benutzerdefinierte Befehl gelöscht werden?"});
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::Question);
    EXPECT_EQ(Column(0).size(), 3u);
    logic.lvCommands_KeyUp(8);
    EXPECT_EQ(sub.messages.Shown().size(), 1u) << "only the Delete key deletes";

    // The row the user sees is the one deleted, whatever the order, and the
    // list is filled again in that order.
    logic.lvCommands_ColumnClick(1);
    logic.lvCommands_ColumnClick(1);
    EXPECT_EQ(Column(1), (Strings{"Serienbrief", "Notiz", "Adressen prüfen"}));
    Select(0);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(1), (Strings{"Notiz", "Adressen prüfen"}));
    EXPECT_EQ(Column(0), (Strings{"1", "0"})) << "numbers match positions again";
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(clCustomTessivar::GetLongAt(Stored(kCommands, "Command-1"), 0), 30104);
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101}));
    EXPECT_EQ(Buttons(1), td::Entries({30102})) << "buttons on other toolbars stay";
    EXPECT_EQ(Status(), "2 benutzerdefinierte(r) Befehl(e)");

    logic.cmdToolbars_Click();
    logic.cmdToolbars_Click();
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Notiz"})) << "a switch of views forgets the order";
}

TEST_F(ListWindowLogic, AClickOnAColumnHeaderSortsNumbersAsNumbersAndAgainInReverseAndTheSelectionGoesAlong) {
    std::vector<td::StoredCommand> commands;
    for (std::uint32_t i = 0; i < 12; ++i)
        commands.push_back({30101 + i, i % 2 == 0 ? "b" + std::to_string(i) : "A" + std::to_string(i)});
    td::SeedTable(sub.registry, commands);
    logic.Form_Load();
    Select(2);
    window.log.clear();
    logic.lvCommands_ColumnClick(0);
    EXPECT_EQ(Column(0).front(), "0");
    EXPECT_EQ(Column(0).back(), "11");
    logic.lvCommands_ColumnClick(0);
    EXPECT_EQ(Column(0), (Strings{"11", "10", "9", "8", "7", "6", "5", "4", "3", "2", "1", "0"}));
    EXPECT_EQ(Selected(), 9) << "the selection moves with its row";
    EXPECT_EQ(Logged("reorder "), (Strings{"lvCommands", "lvCommands"}));
    EXPECT_EQ(Logged("rows ").size(), 0u) << "the same rows, not filled again";
    EXPECT_TRUE(Logged("refresh ").empty()) << "nor painted again";
    logic.lvCommands_ColumnClick(1);
    EXPECT_EQ(Column(1)[0], "A1") << "letter case does not count";
    EXPECT_EQ(Column(1)[6], "b0");
    // A row still names its command: its pictures are that command's.
    Select(6);
    EXPECT_EQ(Pictures(), "101:0 102:100");

    // Numbers go before texts, as numbers; texts compare without case.
    platform::Cp1252Codec text;
    const auto less = [&text](std::string_view a, std::string_view b) { return modListviewSort::CellLess(a, b, text); };
    EXPECT_TRUE(less("9", "10"));
    EXPECT_TRUE(less("-3", "2"));
    EXPECT_TRUE(less("10", "A"));
    EXPECT_FALSE(less("A", "10"));
    EXPECT_TRUE(less("12a", "b")) << "a number followed by text is text";
    EXPECT_TRUE(less("", "a"));
    EXPECT_FALSE(less("ÄRGER", "ärger"));
    EXPECT_FALSE(less("ärger", "ÄRGER"));
    const std::vector<modListviewSort::Row> rows = {{"b"}, {}, {"B"}, {"a"}};
    EXPECT_EQ(modListviewSort::SortedOrder(rows, 0, true, text), (std::vector<std::size_t>{1, 3, 0, 2}))
        << "a missing cell sorts as empty, equal cells keep their order";
}

TEST_F(ListWindowLogic, SavingWritesTheSelectedCommandAndRefusesOneThatCouldNotBeRead) {
    SeedThree();
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapS-30104", platform::kRegDword, {1, 0, 0, 0});
    logic.Form_Load();
    Select(1);
    dialogs.QueueFile("C:\\Sicherung\\Serienbrief.cmd");
    logic.cmdSpeichern_Click();
    ASSERT_EQ(dialogs.Calls().size(), 1u);
    EXPECT_FALSE(dialogs.Calls()[0].open);
    EXPECT_EQ(dialogs.Calls()[0].record.title, "ACT!-Benutzerbefehl speichern");
    EXPECT_EQ(dialogs.Calls()[0].record.owner, window.Handle());
    const auto* saved = sub.files.Get("C:\\Sicherung\\Serienbrief.cmd");
    ASSERT_NE(saved, nullptr);
    EXPECT_EQ(*saved, td::CommandFile(Stored(kCommands, "Command-1"), Stored(kCommands, "BitmapL-30102"),
                                      Stored(kCommands, "BitmapS-30102")));

    // The third command's small picture is no picture: listed, deletable, not saved.
    EXPECT_EQ(Column(1)[2], "Notiz");
    Select(2);
    logic.cmdSpeichern_Click();
    EXPECT_EQ(dialogs.Calls().size(), 1u) << "refused before any dialog";
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text,
              "Der benutzerdefinierte Befehl 'Notiz' konnte nicht vollständig gelesen werden:\r\n"
              "Ein Schaltflächenbild fehlt oder ist kein Binärwert.\r\n"
              "Er wird nicht gespeichert, damit keine unvollständige Befehlsdatei entsteht.");
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::Exclamation);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(0).size(), 2u);
}

TEST_F(ListWindowLogic, ACommandWhoseIdentifierCouldNotBeReadKeepsTheToolbarsSeparators) {
    SeedThree();
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-0", platform::kRegBinary, {1, 2});
    logic.Form_Load();
    EXPECT_EQ(Column(0)[0], "0") << "listed with what could be read";
    EXPECT_EQ(Column(1)[0], "");
    Select(0);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));
    EXPECT_EQ(Column(1), (Strings{"Serienbrief", "Notiz"}));
}

TEST_F(ListWindowLogic, AToolbarThatCannotBeReadIsListedAndNeverRewritten) {
    SeedThree();
    const ByteArray broken{1, 2, 3};
    sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary, broken);
    logic.Form_Load();
    logic.cmdToolbars_Click();
    EXPECT_EQ(Column(1)[0], "Kontaktsymbolleiste");
    logic.cmdToolbars_Click();
    dialogs.QueueFile(kNewFile);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    logic.cmdLaden_Click();
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(sub.messages.Shown()[1].text.substr(0, 46), "Fehler in Klasse clACTToolbar Methode AddButto");
    EXPECT_EQ(Buttons(0), broken);
    Select(0);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Buttons(0), broken);
    EXPECT_EQ(Column(0).size(), 3u) << "the command goes, as in the removal run";
}

TEST_F(ListWindowLogic, AChangeMadeElsewhereSinceTheLoadIsRefusedAndTheListReadAgain) {
    SeedThree();
    logic.Form_Load();
    // Another Tessivar added a command meanwhile.
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-3", platform::kRegBinary, td::Record(30105, "Von anderswo"));
    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 4);
    dialogs.QueueFile(kNewFile);
    logic.cmdLaden_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Die benutzerdefinierten Befehle wurden inzwischen außerhalb dieses Fensters "
                                  "geändert.\r\nDie Liste wird neu eingelesen; bitte wiederholen Sie den Vorgang."});
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0})) << "nothing written";
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz", "Von anderswo"}));
    EXPECT_EQ(Status(), "4 benutzerdefinierte(r) Befehl(e)");

    // A record rewritten elsewhere counts as well.
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-1", platform::kRegBinary, td::Record(30102, "Umbenannt"));
    Select(1);
    sub.messages.Clear();
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{4, 0, 0, 0}));
    EXPECT_EQ(Column(1)[1], "Umbenannt");
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));

    // While another program holds the lock, nothing is changed either.
    locks.HoldElsewhere(actregistry::kConfigurationLock);
    sub.messages.Clear();
    dialogs.QueueFile(kNewFile);
    logic.cmdLaden_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Ein anderes Tessivar ändert gerade die Konfiguration von ACT!.\r\n"
                                  "Bitte versuchen Sie es später noch einmal."});
    EXPECT_EQ(Column(0).size(), 4u);
}

// A window left open never writes a value it read before someone else
// changed it: a deletion moves records, and leaves every image as stored.
TEST_F(ListWindowLogic, ADeletionAfterARestoreElsewhereLeavesTheRestoredImagesAndAFailedOneIsUndone) {
    SeedThree();
    logic.Form_Load();
    const ByteArray restored = td::Image(24, 24, 3, 42);
    sub.registry.Put(kHKeyCurrentUser, kCommands, "BitmapL-30104", platform::kRegBinary, restored);
    Select(0);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();
    EXPECT_EQ(Column(1), (Strings{"Serienbrief", "Notiz"}));
    EXPECT_EQ(Stored(kCommands, "BitmapL-30104"), restored);
    EXPECT_TRUE(Stored(kCommands, "BitmapL-30101").empty()) << "the deleted command's images go";

    // A write that fails puts the deletion back and the table is read again.
    sub.registry.FailWrite(2);
    Select(0);
    sub.messages.Clear();
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    window.log.clear();
    PressDelete();
    sub.registry.SetFaultHook(nullptr);
    ASSERT_EQ(sub.messages.Shown().size(), 2u);
    EXPECT_NE(sub.messages.Shown()[1].text.find("zurückgenommen"), std::string::npos) << sub.messages.Shown()[1].text;
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{2, 0, 0, 0}));
    EXPECT_EQ(Column(1), (Strings{"Serienbrief", "Notiz"}));
    EXPECT_EQ(Logged("rows "), Strings{"lvCommands 2"}) << "filled again from the table read anew";
}

TEST_F(ListWindowLogic, DroppedCommandFilesAreLoadedOneQuestionEachAndNoneInTheToolbarView) {
    SeedThree();
    sub.files.Put("C:\\Befehle\\Zweiter.CMD",
                  td::CommandFile(td::Record(1, "Zweiter"), td::Image(24, 24, 3), td::Image(16, 16, 3)));
    logic.Form_Load();
    const Strings dropped = {kNewFile, "C:\\Befehle\\Liesmich.txt", "C:\\Befehle\\Zweiter.CMD"};
    sub.messages.QueueAnswer(MsgAnswer::No);
    sub.messages.QueueAnswer(MsgAnswer::No);
    logic.Form_DragDrop(dropped);
    EXPECT_EQ(sub.messages.Shown().size(), 2u) << "one question per command file, none for the others";
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz", "Neuer Befehl", "Zweiter"}));

    logic.cmdToolbars_Click();
    logic.Form_DragDrop(dropped);
    EXPECT_EQ(sub.messages.Shown().size(), 2u) << "the toolbar view loads nothing";
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{5, 0, 0, 0}));
}

TEST_F(ListWindowLogic, TheRestoreButtonOffersTheBackupsNewestFirstAndFillsTheViewShownAgain) {
    SeedThree();
    logic.Form_Load();
    logic.cmdWiederherstellen_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Es gibt noch keine Sicherung der ACT!-Konfiguration."});
    EXPECT_EQ(sub.messages.Shown()[0].icon, platform::MsgIcon::Information);
    EXPECT_TRUE(Logged("choose").empty());

    Select(1);
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    PressDelete();  // backed up before as "Nr. 1"
    clock.SetLocal({2026, 12, 9, 6, 0, 0});
    ASSERT_TRUE(modBackup::Take(sub.Registry(), backups));

    // Cancelled, nothing is written and nothing filled.
    logic.cmdToolbars_Click();
    sub.registry.ClearLog();
    window.log.clear();
    logic.cmdWiederherstellen_Click();
    ASSERT_EQ(window.offered.size(), 2u);
    EXPECT_EQ(window.offered[0].number, 2) << "newest first";
    EXPECT_EQ(window.offered[1].reason, "Löschen von 'Serienbrief'");
    EXPECT_EQ(window.told, std::vector<modBackupDiff::Difference>{}) << "the newest is what is there now";
    EXPECT_TRUE(sub.registry.Writes().empty());
    EXPECT_EQ(Logged("choose"), Strings{""});
    EXPECT_TRUE(Logged("rows ").empty() && Logged("status ").empty());

    // The older one chosen: written back, and the toolbar view shown filled again.
    window.pick = 1;
    sub.messages.Clear();
    logic.cmdWiederherstellen_Click();
    EXPECT_EQ(BoxTexts(), Strings{"Die Sicherung vom 09.12.2026, 05:30:12 Uhr wurde zurückgeschrieben."});
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{3, 0, 0, 0}));
    EXPECT_EQ(Buttons(0), td::Entries({57600, 0, 30101, 30102}));
    EXPECT_EQ(Headers(), (Strings{"Nr", "Name"}));
    logic.cmdToolbars_Click();
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief", "Notiz"})) << "the table read anew";

    // A backup that is refused is not reported as written back; the views are read again all the same.
    // Damaged inside, whole at its end: listed, and refused when read.
    ByteArray damaged = *sub.files.Get(window.offered[0].path);
    damaged[4] = 'X';
    sub.files.Put(window.offered[0].path, damaged);
    window.pick = 1;  // that one, behind the backup the restore took
    sub.messages.Clear();
    window.log.clear();
    logic.cmdWiederherstellen_Click();
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text.find("zurückgeschrieben."), std::string::npos);
    EXPECT_EQ(Logged("rows "), Strings{"lvCommands 3"});
}

// Commands whose program is not there are marked in the last column and
// counted in the status; mending the paths of several selected ones, or of
// all marked ones when the user says so, writes them and marks anew.
TEST_F(ListWindowLogic, MissingProgramsAreMarkedAndTheirPathsMendedForTheSelectedRowsOrAllMarked) {
    const auto put = [this](int n, std::uint32_t id, const std::string& name, const std::string& line) {
        sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-" + std::to_string(n), platform::kRegBinary,
                         td::Record(id, name, line));
    };
    SeedThree();
    put(0, 30101, "Alt eins", "\"C:\\Alt\\eins.exe\" /a");
    put(2, 30104, "Alt zwei", "C:\\Alt\\zwei.exe");
    sub.files.Put("D:\\Neu\\eins.exe", {1});
    sub.files.Put("D:\\Neu\\zwei.exe", {1});
    logic.Form_Load();
    EXPECT_EQ(Column(7), (Strings{"Programm fehlt", "", "Programm fehlt"}));
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e), 2 mit fehlendem Programm");

    // One marked row selected of two: asked, No keeps to the selection; the folder dialog cancelled.
    Select(2);
    sub.messages.QueueAnswer(MsgAnswer::No);
    logic.cmdPfade_Click();
    EXPECT_EQ(dialogs.FolderTitles(), Strings{"Ordner mit den Programmen wählen"});
    ASSERT_EQ(BoxTexts().size(), 1u);
    EXPECT_EQ(BoxTexts()[0].substr(0, 8), "Bei 2 Be");
    EXPECT_TRUE(window.pathRows.empty()) << "no folder, no window";

    // Yes: both marked, the unmarked one selected beside them left out.
    window.At(c::lvCommands).more = {1};
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    dialogs.QueueFolder("D:\\Neu");
    sub.registry.ClearLog();
    logic.cmdPfade_Click();
    ASSERT_EQ(window.pathRows.size(), 2u);
    EXPECT_EQ(window.pathRows[0][3], "\"D:\\Neu\\eins.exe\" /a");
    EXPECT_EQ(sub.registry.Writes().size(), 2u);
    EXPECT_EQ(Column(7), (Strings{"", "", ""})) << "filled again";
    EXPECT_EQ(Status(), "3 benutzerdefinierte(r) Befehl(e)");
    EXPECT_EQ(modBackup::List(backups).size(), 1u);

    // Cancelled in the window: nothing written.
    sub.files.Put("C:\\ACT\\eins.exe", {1});
    Select(0);
    window.confirmPaths = false;
    dialogs.QueueFolder("C:\\ACT");
    sub.registry.ClearLog();
    logic.cmdPfade_Click();
    EXPECT_EQ(window.pathRows.size(), 1u);
    EXPECT_TRUE(sub.registry.Writes().empty());
}

// A table that takes a while: the registry is reached through the pacing of
// long work, as in the program, and every registry call takes 10 ms.
class ListWindowAtWork : public ListWindowLogic {
protected:
    static constexpr int kTableSize = 40;
    void SetUp() override {
        ListWindowLogic::SetUp();
        std::vector<td::StoredCommand> commands;
        for (std::uint32_t i = 0; i < kTableSize; ++i) commands.push_back({30101 + i, "Befehl " + std::to_string(i)});
        td::SeedTable(sub.registry, commands);
    }
    struct SlowClock : platform::FakeClock {
        std::int64_t Milliseconds() override {
            Advance(10);
            return FakeClock::Milliseconds();
        }
    } slow;
    platform::Pacing working{sub.windows, slow};
    platform::PacedRegistry paced{sub.registry, working};
    platform::RegistryJournal journal{paced};
    clListenansicht busy{{{{journal, sub.text, sub.messages}, sub.files, sub.graphics, sub.windows},
                          dialogs,
                          shell,
                          locks,
                          backups,
                          working},
                         window};
};

// While the table is read the window answers and fills; whatever the user
// does meanwhile is refused: no change, no dialog, no question.
TEST_F(ListWindowAtWork, TheListFillsAsTheTableIsReadAndEveryActionIsRefusedMeanwhile) {
    std::vector<std::size_t> partly;  // the rows shown, whenever some but not all are
    sub.windows.onDoEvents = [&] {
        EXPECT_FALSE(window.Enabled(c::cmdLaden));
        EXPECT_EQ(window.pointer, ui::Pointer::Hourglass);
        const std::size_t rows = window.At(c::lvCommands).rows.size();
        if (rows > 0 && rows < kTableSize) partly.push_back(rows);
        if (partly.size() != 1) return;
        EXPECT_EQ(Status(), "Befehle werden gelesen: " + std::to_string(rows));
        dialogs.QueueFile(kNewFile);
        busy.cmdLaden_Click();
        busy.cmdSpeichern_Click();
        busy.cmdToolbars_Click();
        busy.cmdWiederherstellen_Click();
        busy.cmdInfo_Click();
        busy.lvCommands_KeyUp(46);
        busy.lvCommands_ColumnClick(1);
        busy.Form_DragDrop({kNewFile});
    };
    busy.Form_Load();
    EXPECT_FALSE(partly.empty()) << "rows showed before the table was read whole";
    EXPECT_TRUE(sub.messages.Shown().empty() && dialogs.Calls().empty());
    EXPECT_TRUE(Logged("info").empty() && Logged("choose").empty());
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{kTableSize, 0, 0, 0})) << "nothing deleted, nothing loaded";
    EXPECT_EQ(Column(1)[kTableSize - 1], "Befehl 39") << "all, in table order";
    EXPECT_EQ(Status(), "40 benutzerdefinierte(r) Befehl(e)");
    EXPECT_TRUE(window.Enabled(c::cmdLaden) && window.Enabled(c::cmdInfo));
    EXPECT_EQ(window.pointer, ui::Pointer::Default);
    EXPECT_EQ(Pictures(), "101:0 102:100") << "the first row's";
}

// Closing breaks off a reading, waits for a change to end, and is dropped
// when the task fails: it does not come at the end of some later task.
TEST_F(ListWindowAtWork, ClosingBreaksOffAReadingAndWaitsForAChange) {
    int reads = 0;
    sub.windows.onDoEvents = [&] { EXPECT_FALSE(busy.Form_QueryUnload()); };
    sub.registry.SetFaultHook([&](const platform::MemoryRegistry::Call& call) {
        reads += call.name.rfind("Command-", 0) == 0;
        return platform::kErrorSuccess;
    });
    busy.Form_Load();
    EXPECT_EQ(window.closes, 1);
    EXPECT_LT(reads, kTableSize) << "the reading was broken off";

    sub.windows.onDoEvents = nullptr;
    busy.Form_Load();
    Select(0);
    sub.windows.onDoEvents = [&] { busy.Form_QueryUnload(); };
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    busy.lvCommands_KeyUp(46);
    EXPECT_EQ(Stored(kCommands, "Count"), (ByteArray{39, 0, 0, 0}));
    EXPECT_EQ(window.closes, 2);

    sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", 38);  // changed elsewhere: a message, which fails
    sub.messages.QueueAnswer(MsgAnswer::Yes);
    sub.messages.onShow = [](const platform::MessageBoxRequest& box) {
        if (box.icon != platform::MsgIcon::Question) throw AppError(1234, "kaputt");
    };
    EXPECT_THROW(busy.lvCommands_KeyUp(46), AppError);
    sub.messages.onShow = nullptr;
    sub.windows.onDoEvents = nullptr;
    busy.cmdToolbars_Click();
    EXPECT_EQ(window.closes, 2);
}

}  // namespace

TEST_F(ListWindowLogic, TheEditorEditsTheSelectedCommandAndItsRowShowsTheEditWhereItStands) {
    SeedThree();
    logic.Form_Load();
    Select(1);
    logic.cmdBearbeiten_Click();  // cancelled
    EXPECT_EQ(Logged("edit "), (Strings{"Serienbrief"}));
    ASSERT_TRUE(window.taken);
    EXPECT_TRUE(window.taken("notiz"));
    EXPECT_FALSE(window.taken("serienbrief")) << "its own name is no other's";

    modEditCommand::Edit edit;
    edit.name = "Serienbrief 2";
    edit.zeile = "C:\\ACT\\brief.exe";
    window.edit = edit;
    sub.graphics.paints.clear();
    logic.lvCommands_DblClick(1);
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief 2", "Notiz"}));
    EXPECT_EQ(Column(2)[1], "C:\\ACT\\brief.exe");
    EXPECT_EQ(Selected(), 1);
    EXPECT_EQ(sub.graphics.paints.size(), 2u) << "its pictures shown again";
    EXPECT_EQ(clCustomTessivars(sub.Commands()).Item(1).Name(), "Serienbrief 2");

    // Another program changed the table meanwhile: nothing is written, the list is read again.
    sub.registry.Put(kHKeyCurrentUser, kCommands, "Command-2", platform::kRegBinary, td::Record(30104, "Anders"));
    window.edit->name = "Serienbrief 3";
    logic.cmdBearbeiten_Click();
    EXPECT_EQ(Column(1), (Strings{"Adressen prüfen", "Serienbrief 2", "Anders"}));

    logic.cmdToolbars_Click();
    EXPECT_FALSE(window.Enabled(c::cmdBearbeiten)) << "commands only";
    logic.cmdBearbeiten_Click();
    EXPECT_EQ(Logged("edit ").size(), 3u);
}
