// A command's button placed on the toolbars, over the substitutes: which
// toolbars are offered, what each step does to the entries (other entries'
// bytes untouched), and that only the toolbars changed are written, in one
// change that is refused on a stale toolbar and undone on a failed write.
#include "manager/modButtonPlacement.h"

#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "common/ActRegistry.h"
#include "manager/SchaltflaechenControls.h"
#include "platform/MemoryNamedMutex.h"
#include "manager/clSchaltflaechen.h"
#include "ui/RecordingForm.h"

namespace td = testdata;
namespace c = SchaltflaechenControls;
using platform::kHKeyCurrentUser;
using Strings = std::vector<std::string>;

namespace {

// An entry of ACT!'s own, with extra bytes that belong to ACT! alone.
ByteArray Own(std::uint32_t id, ByteArray extra) {
    ByteArray entry = td::Entries({id});
    entry[4] = static_cast<std::uint8_t>(extra.size());
    entry.insert(entry.end(), extra.begin(), extra.end());
    return entry;
}
ByteArray Join(std::initializer_list<ByteArray> parts) {
    ByteArray out;
    for (const ByteArray& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

class Placing : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101, "Adressen"}, {30102, "Notizen"}});
        Bar(0, "Kontaktsymbolleiste", Join({Own(57600, {9, 8, 7}), td::Entries({0, 30102}), Own(57601, {1})}));
        Bar(1, "Gruppensymbolleiste", td::Entries({57700}));
        Bar(2, "Firmensymbolleiste", td::Entries({30102}));
        Bar(3, "Berichte", td::Entries({57800}));
        sub.registry.PutDword(kHKeyCurrentUser, std::string(actregistry::kToolbarSummary), "Bars", 4);
    }
    void Bar(int n, const std::string& name, const ByteArray& buttons) {
        sub.registry.Put(kHKeyCurrentUser, actregistry::ToolbarKey(n), "Buttons", platform::kRegBinary, buttons);
        sub.registry.PutText(kHKeyCurrentUser, actregistry::ToolbarKey(n), "WindowName", name);
        sub.registry.PutDword(kHKeyCurrentUser, actregistry::ToolbarKey(n), "TypeID", 1);
    }
    ByteArray Buttons(int n) { return sub.registry.Get(kHKeyCurrentUser, actregistry::ToolbarKey(n), "Buttons")->data; }
    std::vector<std::string> ActWrites() {
        std::vector<std::string> written;
        for (const auto& w : sub.registry.Writes()) {
            if (w.keyPath.find("Symantec") != std::string::npos) written.push_back(w.keyPath + "|" + w.name);
        }
        return written;
    }
    modListActions::Services List() { return {sub.Commands(), locks, backups}; }

    SubstituteServices sub;
    platform::MemoryNamedMutex locks;
    platform::FakeClock clock;
    modBackup::Store backups{sub.files, clock, "C:\\Sicherungen"};
};

TEST_F(Placing, TheToolbarsHoldingTheButtonAndTheTwoItMayBePutOnAreOffered) {
    const auto toolbars = modButtonPlacement::Read(sub.Registry(), 30102);
    Strings names;
    for (const auto& t : toolbars) names.push_back(t.name + " " + std::to_string(t.Place(30102)));
    EXPECT_EQ(names, (Strings{"Kontaktsymbolleiste 3", "Gruppensymbolleiste 0", "Firmensymbolleiste 1"}));
    EXPECT_FALSE(toolbars[2].mayHold) << "a toolbar it is on already may only lose it or move it";
}

TEST_F(Placing, EachStepMovesOnlyTheCommandsEntryAndTheOthersKeepTheirBytes) {
    auto toolbars = modButtonPlacement::Read(sub.Registry(), 30102);
    auto& contact = toolbars[0];
    EXPECT_FALSE(modButtonPlacement::PutOn(contact, 30102)) << "already there";
    ASSERT_TRUE(modButtonPlacement::Move(contact, 30102, -1));
    EXPECT_EQ(contact.entries->GetByteArray(), Join({Own(57600, {9, 8, 7}), td::Entries({30102, 0}), Own(57601, {1})}));
    ASSERT_TRUE(modButtonPlacement::Move(contact, 30102, -1));
    EXPECT_FALSE(modButtonPlacement::Move(contact, 30102, -1)) << "first already";
    ASSERT_TRUE(modButtonPlacement::Move(contact, 30102, +1));
    ASSERT_TRUE(modButtonPlacement::Move(contact, 30102, +1));
    ASSERT_TRUE(modButtonPlacement::Move(contact, 30102, +1));
    EXPECT_FALSE(modButtonPlacement::Move(contact, 30102, +1)) << "last already";
    EXPECT_EQ(contact.entries->GetByteArray(),
              Join({Own(57600, {9, 8, 7}), td::Entries({0}), Own(57601, {1}), td::Entries({30102})}));

    auto& group = toolbars[1];
    EXPECT_FALSE(modButtonPlacement::TakeOff(group, 30102));
    ASSERT_TRUE(modButtonPlacement::PutOn(group, 30102));
    EXPECT_EQ(group.entries->GetByteArray(), td::Entries({57700, 0, 30102}));
    ASSERT_TRUE(modButtonPlacement::TakeOff(group, 30102));
    EXPECT_FALSE(group.Changed()) << "the separator goes along";
    EXPECT_FALSE(modButtonPlacement::PutOn(toolbars[2], 30101)) << "only the contact and the group toolbar";
}

TEST_F(Placing, OnlyTheToolbarsChangedAreWrittenAfterABackupAndAStaleOneIsRefused) {
    auto toolbars = modButtonPlacement::Read(sub.Registry(), 30102);
    ASSERT_TRUE(modButtonPlacement::PutOn(toolbars[1], 30102));
    sub.registry.ClearLog();
    EXPECT_EQ(modButtonPlacement::Write(List(), toolbars, "Notizen"), modListActions::Outcome::Done);
    EXPECT_EQ(ActWrites(), Strings{"HKCU\\" + actregistry::ToolbarKey(1) + "|Buttons"});
    EXPECT_EQ(Buttons(1), td::Entries({57700, 0, 30102}));
    ASSERT_EQ(modBackup::List(backups).size(), 1u);
    EXPECT_EQ(modBackup::List(backups)[0].reason, "Platzieren der Schaltfläche von 'Notizen'");

    // Changed elsewhere since it was read: nothing written, and said.
    auto again = modButtonPlacement::Read(sub.Registry(), 30102);
    ASSERT_TRUE(modButtonPlacement::Move(again[0], 30102, -1));
    Bar(0, "Kontaktsymbolleiste", td::Entries({57600}));
    sub.registry.ClearLog();
    EXPECT_EQ(modButtonPlacement::Write(List(), again, "Notizen"), modListActions::Outcome::Stale);
    EXPECT_TRUE(ActWrites().empty());
    EXPECT_EQ(sub.messages.Shown().size(), 1u);

    // Nothing changed: nothing written, no backup.
    EXPECT_EQ(modButtonPlacement::Write(List(), modButtonPlacement::Read(sub.Registry(), 30102), "Notizen"),
              modListActions::Outcome::Done);
    EXPECT_EQ(modBackup::List(backups).size(), 1u);
}

TEST_F(Placing, AWriteThatFailsAtAnyPointLeavesTheConfigurationAsItWas) {
    for (int k = 1;; ++k) {
        Placing::SetUp();
        auto toolbars = modButtonPlacement::Read(sub.Registry(), 30102);
        ASSERT_TRUE(modButtonPlacement::PutOn(toolbars[1], 30102));
        ASSERT_TRUE(modButtonPlacement::TakeOff(toolbars[2], 30102));
        const auto before = sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig);
        sub.registry.ClearLog();
        sub.registry.FailWrite(k);
        const auto outcome = modButtonPlacement::Write(List(), toolbars, "Notizen");
        sub.registry.SetFaultHook(nullptr);
        if (outcome == modListActions::Outcome::Done) {
            EXPECT_GT(k, 2) << "both toolbars were written";
            break;
        }
        EXPECT_EQ(sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig), before) << "write " << k;
        sub.messages.Clear();
    }
}

// The window's logic: each toolbar with the button's place, the steps
// offered where they can be made, and OK handing the toolbars as changed.
class RecordingSchaltflaechen : public RecordingForm {
public:
    RecordingSchaltflaechen() : RecordingForm(c::All(), "Schaltfläche platzieren") {}
};

TEST_F(Placing, TheWindowShowsThePlacesOffersTheStepsThatCanBeMadeAndHandsTheResultOnOk) {
    RecordingSchaltflaechen window;
    clSchaltflaechen logic(window, 30102, "Notizen", modButtonPlacement::Read(sub.Registry(), 30102));
    logic.Form_Load();
    const auto& list = window.At(c::lvToolbars);
    EXPECT_EQ(list.headers, (Strings{"Symbolleiste", "Stelle"}));
    ASSERT_EQ(list.rows.size(), 3u);
    EXPECT_EQ(list.rows[0], (Strings{"Kontaktsymbolleiste", "3 von 4"}));
    EXPECT_EQ(list.rows[1], (Strings{"Gruppensymbolleiste", "nicht darauf"}));
    EXPECT_EQ(window.Text(c::lbPrompt).rfind("Die Schaltfläche des Befehls 'Notizen'", 0), 0u);
    EXPECT_FALSE(window.Enabled(c::cmdHinzufuegen));
    EXPECT_TRUE(window.Enabled(c::cmdEntfernen) && window.Enabled(c::cmdLinks) && window.Enabled(c::cmdRechts));

    window.SelectRow(c::lvToolbars, 1);
    logic.lvToolbars_ItemClick(1);
    EXPECT_TRUE(window.Enabled(c::cmdHinzufuegen));
    EXPECT_FALSE(window.Enabled(c::cmdEntfernen) || window.Enabled(c::cmdLinks) || window.Enabled(c::cmdRechts));
    logic.cmdHinzufuegen_Click();
    EXPECT_EQ(window.At(c::lvToolbars).rows[1], (Strings{"Gruppensymbolleiste", "3 von 3"}));
    EXPECT_EQ(window.SelectedRow(c::lvToolbars), 1);
    EXPECT_TRUE(window.Enabled(c::cmdLinks) && !window.Enabled(c::cmdRechts));
    EXPECT_TRUE(sub.registry.Writes().empty()) << "nothing is written from the window";

    logic.cmdOK_Click();
    ASSERT_TRUE(logic.Result().has_value());
    EXPECT_TRUE((*logic.Result())[1].Changed());
    EXPECT_EQ(window.closes, 1);

    clSchaltflaechen cancelled(window, 30102, "Notizen", modButtonPlacement::Read(sub.Registry(), 30102));
    cancelled.Form_Load();
    cancelled.cmdEntfernen_Click();
    cancelled.Form_KeyPress(27);
    EXPECT_FALSE(cancelled.Result().has_value());
}

}  // namespace
