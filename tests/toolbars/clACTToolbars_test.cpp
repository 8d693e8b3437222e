// ACT!'s toolbar keys over the in-memory registry: what a toolbar set reads,
// what AddButton and RemoveButton write, and that values Tessivar cannot
// read are never overwritten.
#include <gtest/gtest.h>

#include "common/ActRegistry.h"
#include "base/AppError.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"
#include "toolbars/clACTToolbars.h"

namespace {

constexpr auto HKCU = platform::kHKeyCurrentUser;

class Toolbars : public testing::Test {
protected:
    void Bar(int n, std::uint32_t type, std::string_view name, std::optional<ByteArray> buttons) {
        const std::string key = actregistry::ToolbarKey(n);
        sub.registry.PutDword(HKCU, key, "TypeID", type);
        sub.registry.PutText(HKCU, key, "WindowName", name);
        if (buttons) sub.registry.Put(HKCU, key, "Buttons", platform::kRegBinary, *buttons);
    }
    void Bars(std::uint32_t n) { sub.registry.PutDword(HKCU, actregistry::kToolbarSummary, "Bars", n); }

    // The one write expected so far: "Buttons" of toolbar n, binary.
    ByteArray OnlyWrite(int n) const {
        const auto writes = sub.registry.Writes();
        EXPECT_EQ(writes.size(), 1u);
        if (writes.empty()) return {};
        EXPECT_EQ(writes[0].keyPath, "HKCU\\" + actregistry::ToolbarKey(n));
        EXPECT_EQ(writes[0].name, "Buttons");
        EXPECT_EQ(writes[0].type, platform::kRegBinary);
        return writes[0].data;
    }

    SubstituteServices sub;
};

TEST_F(Toolbars, EveryNumberBelowBarsGetsASlotAndNamesMatchExactlyByNumberOrder) {
    Bars(4);
    Bar(0, 1, "Kontaktsymbolleiste", ByteArray{7, 0, 0, 0, 0});
    Bar(1, 0, "Reste", std::nullopt);
    sub.registry.PutText(HKCU, actregistry::ToolbarKey(2), "TypeID", " 3 ");
    sub.registry.PutText(HKCU, actregistry::ToolbarKey(2), "WindowName", "Kontaktsymbolleiste");
    Bar(3, 1, "Gruppensymbolleiste", ByteArray{});

    clACTToolbars bars(sub.Registry());
    EXPECT_EQ(bars.Count(), 4);
    std::vector<std::int32_t> numbers;
    for (const auto& bar : bars) numbers.push_back(bar.RegistryIndex());
    EXPECT_EQ(numbers, (std::vector<std::int32_t>{0, 1, 2, 3}));
    EXPECT_EQ(&bars.Item(1), bars.Item("Kontaktsymbolleiste"));
    EXPECT_EQ(bars.Item(3).TypeID(), 3);
    EXPECT_EQ(bars.Item("kontaktsymbolleiste"), nullptr);
    EXPECT_EQ(bars.Item(""), nullptr);  // the empty name of a slot without a toolbar
    EXPECT_EQ(bars.Item(2).WindowName(), "");
    EXPECT_FALSE(bars.Item(2).HasButtonList());
    EXPECT_EQ(bars.Item(4).ButtonList()->Count(), 0);
    for (std::int32_t bad : {0, 5}) EXPECT_THROW((void)bars.Item(bad), AppError);
    EXPECT_TRUE(sub.registry.Writes().empty());
}

TEST_F(Toolbars, BarsMissingNegativeOrOfNoNumericKindGivesNoToolbarsAndHugeBarsIsCapped) {
    EXPECT_EQ(clACTToolbars(sub.Registry()).Count(), 0);
    Bars(0xFFFFFFFFu);
    EXPECT_EQ(clACTToolbars(sub.Registry()).Count(), 0);
    sub.registry.Put(HKCU, actregistry::kToolbarSummary, "Bars", platform::kRegBinary, {3, 0, 0, 0});
    EXPECT_EQ(clACTToolbars(sub.Registry()).Count(), 0);
    Bars(1'000'000);
    clACTToolbars many(sub.Registry());
    EXPECT_EQ(many.Count(), 1'000'000);
    EXPECT_EQ(std::distance(many.begin(), many.end()), clACTToolbars::kMaxToolbars);
}

TEST_F(Toolbars, AddButtonAppendsOnceSeparatorsAlwaysAndAlwaysRewritesTheWholeValue) {
    Bars(2);
    Bar(1, 1, "Gruppensymbolleiste", std::nullopt);
    clACTToolbars bars(sub.Registry());
    clACTToolbar& bar = *bars.Item("Gruppensymbolleiste");
    bar.AddButton(0);
    bar.AddButton(30101);
    sub.registry.ClearLog();
    bar.AddButton(30101);
    EXPECT_EQ(OnlyWrite(1), (ByteArray{0, 0, 0, 0, 0, 0x95, 0x75, 0, 0, 0}));
    EXPECT_TRUE(bar.ExistButton(30101));
    bar.AddButton(0);
    EXPECT_EQ(bar.ButtonList()->Count(), 3);
}

TEST_F(Toolbars, RemoveButtonTakesEveryMatchWithTrailingSeparatorsAndLeavesAlienIdsAlone) {
    Bars(1);
    Bar(0, 1, "Kontaktsymbolleiste",
        ByteArray{7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 42, 0, 0, 0, 0, 9, 0, 0, 0, 1, 0xEE, 0, 0, 0, 0, 0, 42, 0, 0, 0, 0});
    clACTToolbars bars(sub.Registry());
    clACTToolbar& bar = bars.Item(1);
    bar.RemoveButton(42);
    EXPECT_EQ(OnlyWrite(0), (ByteArray{7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 0, 0, 0, 1, 0xEE}));

    sub.registry.Put(HKCU, actregistry::ToolbarKey(0), "Buttons", platform::kRegBinary,
                     {0xFF, 0xFF, 0xFF, 0xFF, 0, 5, 0, 0, 0, 0});
    bar.Init(0);
    sub.registry.ClearLog();
    bar.RemoveButton(-1);
    EXPECT_FALSE(bar.ExistButton(-1));
    EXPECT_EQ(OnlyWrite(0), (ByteArray{0xFF, 0xFF, 0xFF, 0xFF, 0, 5, 0, 0, 0, 0}));
    sub.registry.ClearLog();
    bar.RemoveButton(5);
    bar.RemoveButton(0xFFFF);
    EXPECT_EQ(sub.registry.Writes().at(1).data, (ByteArray{0xFF, 0xFF, 0xFF, 0xFF, 0}));
    Bar(0, 1, "Kontaktsymbolleiste", ByteArray{5, 0, 0, 0, 0});
    bar.Init(0);
    sub.registry.ClearLog();
    bar.RemoveButton(5);
    EXPECT_EQ(OnlyWrite(0), ByteArray{});
}

TEST_F(Toolbars, ToolbarsThatCannotBeChangedRaiseNamedErrorsAndWriteNothing) {
    Bars(3);
    Bar(0, 1, "Kontaktsymbolleiste", ByteArray{7, 0, 0, 0, 2, 1});
    Bar(1, 1, "Gruppensymbolleiste", std::nullopt);
    sub.registry.PutText(HKCU, actregistry::ToolbarKey(1), "Buttons", "7");
    clACTToolbars bars(sub.Registry());  // no toolbar breaks the whole set

    auto failure = [](auto change) -> std::pair<std::int32_t, std::string> {
        try {
            change();
        } catch (const AppError& e) {
            return {e.number(), e.description()};
        }
        return {0, "no error"};
    };
    clACTToolbar& cut = bars.Item(1);
    EXPECT_EQ(cut.WindowName(), "Kontaktsymbolleiste");
    EXPECT_FALSE(cut.ExistButton(7));
    const auto expected =
        std::make_pair(ErrorNumber::SubscriptOutOfRange,
                       std::string("Symbolleiste 0 (Kontaktsymbolleiste): Die Schaltflächenliste ist unvollständig."));
    EXPECT_EQ(failure([&] { cut.AddButton(8); }), expected);
    EXPECT_EQ(failure([&] { cut.RemoveButton(7); }), expected);
    EXPECT_EQ(failure([&] { bars.Item(2).AddButton(8); }).first, ErrorNumber::TypeMismatch);
    EXPECT_EQ(failure([&] { bars.Item(3).RemoveButton(8); }),
              std::make_pair(ErrorNumber::InvalidCall,
                             std::string("Symbolleiste 2: Unter dieser Nummer ist keine Symbolleiste eingerichtet.")));
    Bar(2, 1, "Dritte", ByteArray{});
    bars.Item(3).Init(2);
    EXPECT_EQ(failure([&] { bars.Item(3).AddButton(-5); }).first, ErrorNumber::InvalidCall);
    EXPECT_TRUE(sub.registry.Writes().empty());
}

// The numbers a new command must not take: every button of every toolbar,
// also the entries of a value that is cut short after them.
TEST_F(Toolbars, ButtonIDsCoverEveryToolbarAndTheWholeEntriesOfADamagedList) {
    Bars(3);
    Bar(0, 1, "Kontaktsymbolleiste", ByteArray{0x95, 0x75, 0, 0, 2, 0xAA, 0xBB, 0, 0, 0, 0x80, 0});  // 30101, then 2^31
    Bar(1, 1, "Gruppensymbolleiste", ByteArray{0x96, 0x75, 0, 0, 0, 0x97, 0x75, 0, 0, 3, 1});  // 30102, cut 30103
    Bar(2, 0, "", ByteArray{0x98, 0x75, 0, 0, 0});
    clACTToolbars bars(sub.Registry());
    EXPECT_FALSE(bars.Item(2).HasButtonList());
    EXPECT_EQ(bars.ButtonIDs(), (std::set<std::int32_t>{30101, 30102}));
}

}  // namespace
