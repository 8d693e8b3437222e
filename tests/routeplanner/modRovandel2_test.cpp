// The start routine's two refusals and a failing ACT! at start.
#include "routeplanner/modRovandel2.h"

#include <gtest/gtest.h>

#include "platform/Locale.h"
#include "platform/ScriptedAutomation.h"
#include "platform/SubstitutePlatform.h"

namespace {

class Rovandel2Start : public testing::Test {
protected:
    platform::SubstitutePlatform sub{"Rovandel2"};
    platform::ScriptedAutomation act;
    platform::FixedLocale locale;
    modRovandel2::Programm programm;

    modRovandel2::Start Run() {
        return modRovandel2::Main({act, sub.windows, sub.text, sub.messages, locale}, programm);
    }
    void ActRuns(std::string database) {
        sub.windows.Add("ACT3.0FrameClass", "ACT! - Demo");
        act.Answer("app", "GetOpenDBName", std::move(database));
    }
    void ExpectOneRefusal(const std::string& text) {
        ASSERT_EQ(sub.messages.Shown().size(), 1u);
        const auto& box = sub.messages.Shown().front();
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.title, "Rovandel2");
        EXPECT_EQ(box.icon, platform::MsgIcon::Exclamation);
        EXPECT_EQ(box.buttons, platform::MsgButtons::Ok);
        EXPECT_EQ(box.modality, platform::MsgModality::System);
    }
};

TEST_F(Rovandel2Start, WithoutActItRefusesAndCreatesNoAutomationObject) {
    EXPECT_EQ(Run(), modRovandel2::Start::Abgelehnt);
    ExpectOneRefusal("Bitte starten Sie zuvor ACT!.");
    EXPECT_EQ(act.Created(), 0);
    EXPECT_EQ(programm.Programmname, "");
}

TEST_F(Rovandel2Start, WithoutAnOpenDatabaseItRefuses) {
    ActRuns("");
    EXPECT_EQ(Run(), modRovandel2::Start::Abgelehnt);
    ExpectOneRefusal("Bitte öffnen Sie zuvor eine ACT!-Datenbank.");
}

TEST_F(Rovandel2Start, WithADatabaseTheWindowMayShowAndTheLinkIsKept) {
    ActRuns("C:\\ACT\\Demo.dbf");
    EXPECT_EQ(Run(), modRovandel2::Start::Fenster);
    EXPECT_TRUE(sub.messages.Shown().empty());
    EXPECT_EQ(programm.Programmname, "Rovandel2");
    ASSERT_NE(programm.ACTApp, nullptr);
    EXPECT_THROW(programm.ACTApp->Zeigen(), AppError);  // the route planner's build of the link
}

TEST_F(Rovandel2Start, AnActThatFailsToAnswerIsReportedInsteadOfStoppingTheProgram) {
    sub.windows.Add("ACT3.0FrameClass", "ACT! - Demo");
    act.CreateFails(AppError(429, "Objekterstellung durch ActiveX-Komponente nicht möglich"));
    EXPECT_EQ(Run(), modRovandel2::Start::Fehler);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown().front().text,
              "Fehler in Main\r\nFehlernummer: 429\r\nFehlerbeschreibung: Objekterstellung durch ActiveX-Komponente "
              "nicht möglich");
}

}  // namespace
