// The Start button of the window's logic: the route calculation runs as a
// task of the window over its real controls, status line, locking and
// settings, with a scripted browser and a fake clock.
#include "routeplanner/Rovandel2RouteHost.h"

#include <gtest/gtest.h>

#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/Rovandel2Fixture.h"

namespace c = Rovandel2Controls;

namespace {

using RovandelStart = Rovandel2Test;

TEST_F(RovandelStart, TheAutomaticAddressesFillTheLinesAndTheWindowClosesStoredWithTheStatusShown) {
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
    EXPECT_TRUE(form.closed);
    EXPECT_EQ(Stored("station[1].city"), "Wien");
    EXPECT_EQ(Stored("AutoZiel"), "1");
    EXPECT_TRUE(sub.messages.Shown().empty());

    const Strings status = form.Lines("status ");
    const Strings expected = {"Rovandel2: öffne Internet Explorer...", "Rovandel2: öffne Internetseite...",
                              "Rovandel2: öffne Internetseite....", "Rovandel2: öffne Internetseite.....", "",
                              "Rovandel2: fülle Formular..."};
    EXPECT_EQ(Strings(status.end() - 6, status.end()), expected);
    EXPECT_EQ(form.Lines("progress ").back(), "90");
    EXPECT_EQ(form.Lines("hourglass ").back(), "0") << "unlocked before closing";
    const auto topmost = sub.windows.At(mainWindow).topmost;
    EXPECT_FALSE(topmost);
}

TEST_F(RovandelStart, ClosingTheWindowWhileThePageLoadsEndsTheRunAndStoresTheValues) {
    browsers.pages[0].busy = [] { return true; };
    logic.Form_Load();
    int waits = 0;
    sub.windows.onWaitForEvents = [&](int ms) {
        clock.Advance(ms);
        // The user closes the window (its close button) after about 3 s.
        if (++waits == 60) form.CloseWindow();
    };
    logic.cmdBrowse_Click();
    EXPECT_TRUE(form.closed) << "closed after the task ended";
    EXPECT_EQ(Stored("station[0].city"), "Göttingen");
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_FALSE(browsers.WindowAt(1).quit) << "the browser stays as it is";
    EXPECT_LT(waits, 80);
}

TEST_F(RovandelStart, EscapeWhileThePageLoadsEndsTheProgramWithoutStoringOrAsking) {
    browsers.pages[0].busy = [] { return true; };
    logic.Form_Load();
    int waits = 0;
    sub.windows.onWaitForEvents = [&](int ms) {
        clock.Advance(ms);
        if (++waits == 60) logic.Form_KeyPress(27);
    };
    logic.cmdBrowse_Click();
    EXPECT_EQ(form.ended, 1);
    EXPECT_FALSE(form.closed);
    EXPECT_TRUE(store.Writes().empty());
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_LT(waits, 80);
}

}  // namespace
