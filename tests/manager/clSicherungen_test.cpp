// The backup chooser's logic over a recording window: the backups as given
// (newest first), their sizes added up, and what OK, a double click, Cancel
// and Esc pick.
#include "manager/clSicherungen.h"

#include <gtest/gtest.h>

#include "manager/SicherungenControls.h"
#include "ui/RecordingForm.h"

namespace c = SicherungenControls;
using Strings = std::vector<std::string>;

namespace {

std::vector<modBackup::Entry> ThreeBackups() {
    return {{"C:\\S\\Sicherung 2026-12-09 06-00-00 Nr. 7.reg",
             "",
             {2026, 12, 9, 6, 0, 0},
             1,
             7,
             512,
             "Löschen von 'Notizen'"},
            {"C:\\S\\Sicherung 2026-12-09 05-30-12 (2).reg", "", {2026, 12, 9, 5, 30, 12}, 2, 0, 1536},
            {"C:\\S\\Sicherung 2026-12-09 05-30-12.reg", "", {2026, 12, 9, 5, 30, 12}, 1, 0, 1200 * 1024}};
}

// The window has no extras; a form of its own all the same, as every window's recording view is.
class RecordingSicherungen : public RecordingForm, public ISicherungenWindow {
public:
    RecordingSicherungen() : RecordingForm(c::All(), "Sicherung zurückschreiben") {}
    void ShowDifferences(std::string backup, std::vector<modBackupDiff::Difference> differences) override {
        shown.emplace_back(std::move(backup), std::move(differences));
    }
    std::vector<std::pair<std::string, std::vector<modBackupDiff::Difference>>> shown;
};

struct Chooser {
    explicit Chooser(std::vector<modBackup::Entry> entries)
        : logic(window, std::move(entries), [this](const modBackup::Entry& entry) {
              asked.push_back(entry.path);
              return answer;
          }) {
        logic.Form_Load();
    }
    RecordingSicherungen window;
    std::vector<std::string> asked;
    std::optional<std::vector<modBackupDiff::Difference>> answer;
    clSicherungen logic;
};

TEST(BackupChooserLogic, TheBackupsAreListedAsGivenWithTheSizeOfThemAllAndTheFirstChosen) {
    Chooser chooser(ThreeBackups());
    const auto& list = chooser.window.At(c::lvBackups);
    EXPECT_EQ(list.headers, (Strings{"Gesichert am", "Nr.", "Größe", "Anlass"}));
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0], (Strings{"09.12.2026, 06:00:00 Uhr", "7", "512 Byte", "Löschen von 'Notizen'"}));
    EXPECT_EQ(list.rows[1], (Strings{"09.12.2026, 05:30:12 Uhr (2)", "", "1,5 KB", ""})) << "older names: no number";
    EXPECT_EQ(list.rows[2][0], "09.12.2026, 05:30:12 Uhr");
    EXPECT_EQ(chooser.window.Text(c::lbSize), "Zusammen: 1,2 MB");
    EXPECT_EQ(list.index, 0);
    EXPECT_TRUE(list.focused);

    Chooser none({});
    EXPECT_EQ(none.window.At(c::lvBackups).index, -1);
    EXPECT_EQ(none.window.Text(c::lbSize), "Zusammen: 0 Byte");
    none.logic.cmdOK_Click();
    EXPECT_EQ(none.window.closes, 0) << "OK waits for a row";
}

TEST(BackupChooserLogic, OkAndADoubleClickPickTheSelectedBackupCancelAndEscPickNothing) {
    Chooser ok(ThreeBackups());
    ok.window.SelectRow(c::lvBackups, 1);
    ok.logic.cmdOK_Click();
    EXPECT_EQ(ok.logic.Chosen(), "C:\\S\\Sicherung 2026-12-09 05-30-12 (2).reg");
    EXPECT_EQ(ok.window.closes, 1);

    Chooser twice(ThreeBackups());
    twice.window.SelectRow(c::lvBackups, 2);
    twice.logic.lvBackups_DblClick();
    EXPECT_EQ(twice.logic.Chosen(), "C:\\S\\Sicherung 2026-12-09 05-30-12.reg");

    Chooser cancel(ThreeBackups());
    cancel.logic.cmdCancel_Click();
    cancel.logic.Form_KeyPress('x');
    cancel.logic.Form_KeyPress(27);
    EXPECT_EQ(cancel.window.closes, 2);
    EXPECT_EQ(cancel.logic.Chosen(), std::nullopt);
    EXPECT_TRUE(ui::Find(c::All(), c::cmdOK)->isDefault) << "Enter picks";
}

TEST(BackupChooserLogic, TheDifferencesOfTheSelectedBackupAreShownAndNothingIsChosen) {
    Chooser chooser(ThreeBackups());
    chooser.answer = std::vector<modBackupDiff::Difference>{{"Befehl", "Notizen", "kommt hinzu"}};
    chooser.logic.cmdUnterschiede_Click();
    ASSERT_EQ(chooser.window.shown.size(), 1u);
    EXPECT_EQ(chooser.window.shown[0].first, "Nr. 7 vom 09.12.2026, 06:00:00 Uhr");
    EXPECT_EQ(chooser.window.shown[0].second, *chooser.answer);

    chooser.window.SelectRow(c::lvBackups, 1);
    chooser.answer.reset();  // could not be found out: the function said why
    chooser.logic.cmdUnterschiede_Click();
    EXPECT_EQ(chooser.asked, (Strings{"C:\\S\\Sicherung 2026-12-09 06-00-00 Nr. 7.reg",
                                      "C:\\S\\Sicherung 2026-12-09 05-30-12 (2).reg"}));
    EXPECT_EQ(chooser.window.shown.size(), 1u);
    EXPECT_EQ(chooser.window.closes, 0);
    EXPECT_EQ(chooser.logic.Chosen(), std::nullopt);
    EXPECT_TRUE(chooser.window.At(c::lvBackups).focused) << "back to the list";
}

}  // namespace
