// Bringing windows to the front: which window operations run, in order.
#include "common/modprevinst.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/SubstitutePlatform.h"

using Op = platform::MemoryWindowSystem::Op;
using Call = platform::MemoryWindowSystem::Call;

namespace {

class BringToFront : public testing::Test {
protected:
    std::vector<Op> Ops() const {
        std::vector<Op> ops;
        for (const Call& c : sub.windows.Calls()) ops.push_back(c.op);
        return ops;
    }
    platform::SubstitutePlatform sub;
};

TEST_F(BringToFront, AMinimisedWindowIsRestoredToNormalAndNotMadeForeground) {
    const auto w = sub.windows.Add("ACT3.0FrameClass", "ACT!");
    auto& placement = sub.windows.At(w).placement;
    placement = {44, 2 /* restore to maximised */, platform::kShowMinimized, -1, -1, 5, 6, 10, 20, 610, 420};
    modprevinst::RestoreOrRaiseWindow(sub.windows, w);

    platform::WindowPlacement expected = placement;
    expected.flags = 0;
    expected.showCmd = platform::kShowNormal;
    ASSERT_EQ(sub.windows.Calls().size(), 2u);
    EXPECT_EQ(sub.windows.Calls()[1], (Call{Op::SetPlacement, w, {}, false, expected}));
    EXPECT_EQ(sub.windows.Foreground(), 0u);
}

TEST_F(BringToFront, AnyOtherWindowIsMadeForegroundThenRaised) {
    const auto w = sub.windows.Add("X", "Fenster");
    sub.windows.Add("Y", "davor");
    sub.windows.At(w).placement.showCmd = platform::kShowMaximized;
    modprevinst::RestoreOrRaiseWindow(sub.windows, w);
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::GetPlacement, Op::SetForeground, Op::BringToTop}));
    EXPECT_EQ(sub.windows.ZOrder().front(), w);
}

TEST_F(BringToFront, NoWindowOrNoPlacementDoesNothing) {
    modprevinst::RestoreOrRaiseWindow(sub.windows, 0);
    EXPECT_TRUE(sub.windows.Calls().empty());
    const auto w = sub.windows.Add("X", "Fenster");
    sub.windows.SetFaultHook([](const Call& c) { return c.op == Op::GetPlacement; });
    modprevinst::RestoreOrRaiseWindow(sub.windows, w);
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::GetPlacement}));
}

TEST_F(BringToFront, ActivatingByTitleRaisesTheWindowAndLeavesItNotTopmost) {
    sub.windows.Add("Notepad", "Kundenmanager.txt");
    const auto act = sub.windows.Add("ACT3.0FrameClass", "Kundenmanager - Daten");
    bool topmostWhileYielding = false;
    sub.windows.onDoEvents = [&] { topmostWhileYielding = sub.windows.At(act).topmost; };

    modprevinst::ActivateWindowByTitle(sub.windows, sub.text, "Kundenmanager - Daten");
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::ActivateByTitle, Op::Enum, Op::GetPlacement, Op::SetForeground,
                                      Op::BringToTop, Op::SetTopmost, Op::DoEvents, Op::SetTopmost}));
    EXPECT_EQ(sub.windows.Calls()[5], (Call{Op::SetTopmost, act, {}, true}));
    EXPECT_EQ(sub.windows.Calls()[7], (Call{Op::SetTopmost, act, {}, false}));
    EXPECT_TRUE(topmostWhileYielding);
    EXPECT_FALSE(sub.windows.At(act).topmost);
    EXPECT_EQ(sub.windows.ZOrder().front(), act);
}

TEST_F(BringToFront, NoWindowOfThatTitleIsAnErrorAndNothingElseRuns) {
    sub.windows.Add("X", "ACT! - Daten");
    try {
        modprevinst::ActivateWindowByTitle(sub.windows, sub.text, "Kundenmanager");
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 5);
    }
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::ActivateByTitle}));
}

TEST_F(BringToFront, ATitleFoundOnlyOnAHiddenWindowIsActivatedButNotRaised) {
    sub.windows.Add("X", "ACT! - versteckt", false);
    modprevinst::ActivateWindowByTitle(sub.windows, sub.text, "ACT!");
    EXPECT_EQ(Ops(), (std::vector<Op>{Op::ActivateByTitle, Op::Enum}));
}

}  // namespace
