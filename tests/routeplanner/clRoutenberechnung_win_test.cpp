// The Start button's run against Debian's Chromium and the route page
// server: what reached each kind of page, which message came, and that the
// browser is still open afterwards. The waits run on a fake clock that
// moves faster than the real one, except where the page's own timing counts.
#include "routeplanner/clRoutenberechnung.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Clock_win.h"
#include "platform/RecordingShell.h"
#include "routeplanner/ScriptedRouteProgress.h"
#include "support/BrowserTest_win.h"

using platform::MsgAnswer;
using Strings = std::vector<std::string>;

namespace {

class RouteRunInChromium : public support::ChromiumTest {
protected:
    void SetUp() override {
        ChromiumTest::SetUp();
        if (IsSkipped()) return;
        progress.realWaitMs = 2;
        request.browserArguments = routepages::LocalBrowserArguments();
        progress.boxes.onShow = [this](const platform::MessageBoxRequest& box) { boxes.push_back(box.text); };
    }
    void Run(std::string_view kind) {
        request.url = Pages().Url(kind);
        outcome = clRoutenberechnung({m_Factory, shell, clock}, progress).Run(request);
    }
    bool Shown(std::string_view url) {
        const auto urls = PageUrls();
        return std::find(urls.begin(), urls.end(), url) != urls.end();
    }

    platform::RecordingShell shell;
    platform::FakeClock clock{5'000'000};
    ScriptedRouteProgress progress{clock};
    RouteRequest request = TestRequest();
    RouteOutcome outcome;
    Strings boxes;
};

const std::string kStart = "Hauptstraße 12, 80331 München, DEU";
const std::string kDest = "Ring 5, 8001 Zürich, CHE";

TEST_F(RouteRunInChromium, TheRoutePageIsFilledAndSentAndStaysOpenAfterTheRun) {
    for (const char* kind : {"route", "case"}) {
        SCOPED_TRACE(kind);
        progress.log.clear();
        Run(kind);
        EXPECT_TRUE(boxes.empty());
        EXPECT_EQ(outcome.end, RouteOutcome::End::Sent);
        const auto report = Pages().WaitForReport(kind == std::string("route") ? "normal" : kind, true, 5000);
        ASSERT_TRUE(report);
        EXPECT_EQ(report->start, kStart);
        EXPECT_EQ(report->dest, kDest);
        EXPECT_TRUE(Shown(Pages().Url(kind)));
    }
    EXPECT_NE(BrowserPid(), 0u);
}

TEST_F(RouteRunInChromium, AFormThatAppearsFourSecondsAfterLoadingIsFoundWithinAPoll) {
    platform::WinClock real;
    progress.realWaitMs = clRoutenberechnung::kPollMs;  // the fake clock keeps pace with the page's timer
    clock.Advance(real.Milliseconds() - clock.Milliseconds());
    Run("late");
    const Strings values = progress.Only("progress");
    EXPECT_NE(std::find(values.begin(), values.end(), "progress 71"), values.end());
    EXPECT_NE(std::find(values.begin(), values.end(), "progress 79"), values.end());
    EXPECT_EQ(std::find(values.begin(), values.end(), "progress 72"), values.end());
    EXPECT_TRUE(boxes.empty());
    const auto report = Pages().WaitForReport("late", true, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, kStart);
}

TEST_F(RouteRunInChromium, AFormThePageRebuildsAfterTheValuesWereWrittenGetsThemOnceMoreBeforeTheClick) {
    // The window's events after the writing take longer than the page waits
    // before it rebuilds its form (300 ms after loading).
    bool waited = false;
    progress.onEvents = [&] {
        if (!waited && !progress.log.empty() && progress.log.back() == "progress 90") {
            waited = true;
            Sleep(800);
        }
    };
    Run("replaced");
    EXPECT_TRUE(waited);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(outcome.end, RouteOutcome::End::Sent);
    const auto report = Pages().WaitForReport("replaced", true, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, kStart);
    EXPECT_EQ(report->dest, kDest);
    EXPECT_EQ(report->changes, 4) << "both lines written twice";
}

TEST_F(RouteRunInChromium, WithoutTheButtonTheAddressesArriveAndTheButtonMessageComes) {
    Run("nobutton");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(boxes[0].starts_with("Die Schaltfläche zum Berechnen der Route konnte nicht gedrückt werden."))
        << boxes[0];
    // The page reports every change: the last one has both lines.
    const auto report = Pages().WaitForReportWhere(
        "nobutton", [](const routepages::Report& r) { return !r.dest.empty(); }, 5000);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->start, kStart);
    EXPECT_EQ(report->dest, kDest);
    EXPECT_FALSE(report->clicked);
    EXPECT_EQ(outcome.end, RouteOutcome::End::Sent);
    EXPECT_TRUE(Shown(Pages().Url("nobutton")));
}

TEST_F(RouteRunInChromium, ChangedFieldIdsBringTheMessageAndTheMakersContactPageInASecondWindow) {
    progress.timeScale = 5;
    progress.boxes.QueueAnswer(MsgAnswer::Ok);
    progress.boxes.QueueAnswer(MsgAnswer::No);
    Run("changed");
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(boxes[0].starts_with("Das Formular auf der Internetseite von Fahrtweg hat sich verändert."))
        << boxes[0];
    EXPECT_TRUE(Pages().Reports().empty() || Pages().Reports().back().page != "changed") << "nothing was written";
    EXPECT_TRUE(Shown(Pages().Url("changed"))) << "the first window stays open";
    const auto urls = PageUrls();
    EXPECT_TRUE(std::any_of(urls.begin(), urls.end(), [](const std::string& url) {
        return url.find("brannock-heyl.example/kontakt") != std::string::npos;
    }));
    EXPECT_EQ(outcome.end, RouteOutcome::End::Failed);
}

TEST_F(RouteRunInChromium, APageThatNeverFinishesBringsTheQuestionAndNoClosesItsWindow) {
    progress.boxes.QueueAnswer(MsgAnswer::No);
    progress.timeScale = 10;
    Run("endless");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Soll Rovandel2 noch weiter auf den Aufbau von der Internetseite warten?");
    EXPECT_EQ(progress.Only("progress").back(), "progress 60") << "the page's answer had begun";
    EXPECT_EQ(outcome.end, RouteOutcome::End::Failed);
    Sleep(300);
    EXPECT_FALSE(Shown(Pages().Url("endless")));
}

}  // namespace
