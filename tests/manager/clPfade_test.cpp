// The window of mended paths over a recording window: which commands are
// offered with which line and start folder, which stay and why, and what OK
// and Cancel hand back.
#include "manager/clPfade.h"

#include <gtest/gtest.h>

#include "manager/PfadeControls.h"
#include "platform/Cp1252Codec.h"
#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"
#include "ui/RecordingForm.h"

namespace c = PfadeControls;
using Strings = std::vector<std::string>;

namespace {

const std::string kNew = "D:\\Neue Programme";

class PathsWindow : public testing::Test {
protected:
    void SetUp() override {
        environment.Set("ProgramFiles", "C:\\Program Files");
        for (const char* name : {"act.exe", "bericht.exe", "tool.exe", "lang.exe"}) files.Put(kNew + "\\" + name, {1});
        files.Put("D:\\Ünicode\\act.exe", {1});
        files.Put("C:\\Alt\\tool.exe", {1});
    }
    clPfade& Open(std::vector<clPfade::Command> commands, const std::string& folder = kNew) {
        logic.emplace(window, clPfade::Services{files, environment, text}, std::move(commands), folder);
        logic->Form_Load();
        return *logic;
    }
    Strings Row(ui::ListViewId list, std::size_t row) const { return window.At(list).rows.at(row); }

    platform::MemoryFileSystem files;
    platform::MemoryEnvironment environment;
    platform::Cp1252Codec text;
    RecordingForm window{c::All(), "Pfade anpassen"};
    std::optional<clPfade> logic;
};

TEST_F(PathsWindow, TheProgramMovesToTheFolderTheArgumentsStayAndTheStartFolderFollowsOnlyTheProgramsOwn) {
    Open({{0, "ACT", "\"%ProgramFiles%\\Alt\\act.exe\" /a \"b  c\"", "%ProgramFiles%\\Alt\\"},
          {3, "Bericht", "C:\\Alt\\bericht.exe -q", "C:\\Daten"},
          {5, "Werkzeug", "Werkzeuge\\tool.exe", "C:\\Basis"},
          {7, "Ohne Start", "C:\\Weg\\lang.exe", ""}});
    EXPECT_EQ(window.Text(c::lbOrdner), "Neuer Ordner: " + kNew);
    EXPECT_EQ(window.At(c::lvPfade).headers,
              (Strings{"Nr", "Name", "Zeile bisher", "Zeile neu", "Start bisher", "Start neu"}));
    ASSERT_EQ(window.At(c::lvPfade).rows.size(), 4u);
    EXPECT_EQ(Row(c::lvPfade, 0),
              (Strings{"0", "ACT", "\"%ProgramFiles%\\Alt\\act.exe\" /a \"b  c\"",
                       "\"D:\\Neue Programme\\act.exe\" /a \"b  c\"", "%ProgramFiles%\\Alt\\", kNew}));
    EXPECT_EQ(Row(c::lvPfade, 1)[3], "\"D:\\Neue Programme\\bericht.exe\" -q");
    EXPECT_EQ(Row(c::lvPfade, 1)[5], "C:\\Daten") << "a data folder stays";
    EXPECT_EQ(Row(c::lvPfade, 2)[5], "C:\\Basis") << "the program was in a folder below it";
    EXPECT_EQ(Row(c::lvPfade, 3)[5], "") << "no start folder stays none";
    EXPECT_TRUE(window.At(c::lvUebrig).rows.empty());

    logic->cmdOK_Click();
    EXPECT_EQ(window.closes, 1);
    ASSERT_TRUE(logic->Confirmed());
    ASSERT_EQ(logic->Confirmed()->size(), 4u);
    EXPECT_EQ(logic->Confirmed()->at(1).position, 3);
    EXPECT_EQ(logic->Confirmed()->at(0).start, kNew);
}

TEST_F(PathsWindow, CommandsThatCannotMoveAreNamedWithTheReasonAndNothingToChangeLeavesOnlyCancel) {
    const std::string longArgs(240, 'x');
    Open({{1, "Web", "https://example.com", ""},
          {2, "Fremd", "C:\\Alt\\fremd.exe", ""},
          {4, "Zu lang", "C:\\Alt\\lang.exe " + longArgs, ""},
          {6, "Kaputt", "C:\\Alt\\act.exe", "", false},
          {8, "Schon da", "\"D:\\Neue Programme\\tool.exe\"", ""}});
    EXPECT_TRUE(window.At(c::lvPfade).rows.empty());
    EXPECT_EQ(window.At(c::lvUebrig).headers, (Strings{"Nr", "Name", "Grund"}));
    const auto& kept = window.At(c::lvUebrig).rows;
    ASSERT_EQ(kept.size(), 5u);
    EXPECT_EQ(kept[0], (Strings{"1", "Web", "Die Zeile nennt kein Programm."}));
    EXPECT_EQ(kept[1][2], "Das Programm liegt nicht in diesem Ordner.");
    EXPECT_EQ(kept[2][2], "Die neue Zeile wäre länger als 256 Zeichen.");
    EXPECT_EQ(kept[3][2], "Der Befehl konnte nicht vollständig gelesen werden.");
    EXPECT_EQ(kept[4][2], "Das Programm liegt schon in diesem Ordner.");
    EXPECT_FALSE(window.Enabled(c::cmdOK));
    logic->cmdOK_Click();
    EXPECT_EQ(window.closes, 0);

    logic->Form_KeyPress(27);
    EXPECT_EQ(window.closes, 1);
    EXPECT_FALSE(logic->Confirmed());

    // A folder ACT!'s code page cannot name is not written with question marks.
    files.Put(
        "D:\\\xC5\xAA"
        "nicode\\act.exe",
        {1});
    Open({{0, "ACT", "C:\\Alt\\act.exe", ""}},
         "D:\\\xC5\xAA"
         "nicode");
    EXPECT_EQ(window.At(c::lvUebrig).rows.at(0)[2], "Der Ordnername enthält Zeichen, die ACT! nicht speichern kann.");
    EXPECT_TRUE(logic->Offered().empty());
    // One it can holds is offered.
    Open({{0, "ACT", "C:\\Alt\\act.exe", ""}}, "D:\\Ünicode");
    EXPECT_EQ(logic->Offered().at(0).change.zeile, "D:\\Ünicode\\act.exe");
    logic->cmdCancel_Click();
    EXPECT_FALSE(logic->Confirmed());
}

}  // namespace
