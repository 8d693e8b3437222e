// Internet Explorer over the recording automation substitute: every member
// of the browser seam reaches the automation object as the classic callers
// make the call, with its argument types, and nothing is held afterwards.
#include "browser/IeBrowser.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/ScriptedAutomation.h"

using platform::AutoValue;
using Strings = std::vector<std::string>;

namespace {

class IeBrowserTest : public testing::Test {
protected:
    IeBrowserTest() {
        ie.CreateGives("ie");
        ie.Answer("ie", "Busy", true);
        ie.Answer("ie", "Busy", false);
        ie.AnswerObject("ie", "document", "doc");
        ie.Answer("doc", "readyState", std::string("interactive"));
        ie.Answer("doc", "readyState", std::string("complete"));
        ie.AnswerWith("doc", "getElementByID", [this](const std::vector<AutoValue>& args) -> AutoValue {
            if (std::get<std::string>(args.at(0)) == "header_form_route") return ie.Hand("form");
            return platform::AutoObjectPtr();
        });
        ie.AnswerObject("form", "All", "all");
        ie.Answer("all", "length", std::int32_t{2});
        ie.AnswerWith("all", "item", [this](const std::vector<AutoValue>& args) {
            return ie.Hand("el" + std::to_string(std::get<std::int32_t>(args.at(0))));
        });
        ie.Answer("el0", "ID", std::string("input_adress_start"));
        ie.Answer("el1", "ID", AutoValue());
    }
    platform::ScriptedAutomation ie;
};

TEST_F(IeBrowserTest, EveryMemberIsTheAutomationCallOfTheDataModelInOrder) {
    {
        platform::IeBrowser browser(ie);
        browser.SetVisible(true);
        browser.Navigate("https://www.fahrtweg.example/baseservices/do/routeService");
        EXPECT_TRUE(browser.Busy());
        EXPECT_FALSE(browser.Busy());
        auto document = browser.Document();
        ASSERT_NE(document, nullptr);
        EXPECT_EQ(document->ReadyState(), "interactive");
        EXPECT_EQ(document->ReadyState(), "complete");
        EXPECT_EQ(document->GetElementById("fehlt"), nullptr);
        auto form = document->GetElementById("header_form_route");
        ASSERT_NE(form, nullptr);
        auto all = form->All();
        EXPECT_EQ(all->Length(), 2);
        EXPECT_EQ(all->Item(0)->Id(), "input_adress_start");
        EXPECT_EQ(all->Item(1)->Id(), "");
        all->Item(0)->SetValue("Weg 1, 1 X, DEU");
        all->Item(1)->Click();
        browser.Quit();
    }
    EXPECT_EQ(ie.CallStrings(), (Strings{"Create(InternetExplorer.Application)",
                                         "ie.Connect({34A715A0-6587-11D0-924A-0020AFC7AC4D})",
                                         "ie.Visible = b:true",
                                         "ie.Navigate(s\"https://www.fahrtweg.example/baseservices/do/routeService\")",
                                         "ie.Busy",
                                         "ie.Busy",
                                         "ie.document",
                                         "doc.readyState",
                                         "doc.readyState",
                                         "doc.getElementByID(s\"fehlt\")",
                                         "doc.getElementByID(s\"header_form_route\")",
                                         "form.All",
                                         "all.length",
                                         "all.item(i4:0)",
                                         "el0.ID",
                                         "all.item(i4:1)",
                                         "el1.ID",
                                         "all.item(i4:0)",
                                         "el0.Value = s\"Weg 1, 1 X, DEU\"",
                                         "all.item(i4:1)",
                                         "el1.Click()",
                                         "ie.quit()"}));
    EXPECT_EQ(ie.LiveReferences(), 0);
    EXPECT_EQ(ie.Connections("ie"), 0) << "the events end with the browser";
}

TEST(IeBrowser, FailuresOfInternetExplorerReachTheCallerAsTheyCame) {
    platform::ScriptedAutomation ie;
    ie.CreateFails(AppError(-2147221005, "Ungültige Klassenzeichenfolge"));
    try {
        platform::IeBrowser browser(ie);
        FAIL() << "created";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), -2147221005);
    }
    ie.CreateGives("ie");
    ie.Fail("ie", "=Visible", AppError(-2147417848, "Das aufgerufene Objekt wurde von den Clients getrennt."));
    ie.Answer("ie", "document", AutoValue());
    platform::IeBrowser browser(ie);
    EXPECT_EQ(browser.Document(), nullptr) << "no document yet";
    try {
        browser.SetVisible(true);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), -2147417848);
        EXPECT_EQ(e.description(), "Das aufgerufene Objekt wurde von den Clients getrennt.");
    }
}

// NavigateError(pDisp, URL, TargetFrameName, StatusCode, Cancel) as Internet
// Explorer fires it: only the window's own counts, and only until the next Navigate.
TEST_F(IeBrowserTest, TheWindowsNavigateErrorIsItsLoadFailureUntilTheNextNavigation) {
    platform::IeBrowser browser(ie);
    const auto navigateError = [&](const std::string& window, std::int32_t status) {
        ie.Fire("ie", platform::kNavigateErrorEvent,
                {ie.Hand(window), std::string("https://www.fahrtweg.example/"), std::string(), status, false});
    };
    browser.Navigate("https://www.fahrtweg.example/");
    EXPECT_EQ(browser.FailedLoad(), std::nullopt);
    navigateError("frame", 404);
    ie.Fire("ie", 252, {ie.Hand("ie"), std::string("res://ieframe.dll/dnserror.htm")});  // NavigateComplete2
    EXPECT_EQ(browser.FailedLoad(), std::nullopt) << "a frame's error, and another event";
    navigateError("ie", static_cast<std::int32_t>(0x800C0005));
    EXPECT_EQ(browser.FailedLoad(), (platform::LoadFailure{platform::LoadFailureKind::NameNotResolved, "0x800C0005"}));
    browser.Navigate("https://www.openstreetmap.org/");
    EXPECT_EQ(browser.FailedLoad(), std::nullopt);

    // Without its events the browser still works.
    platform::ScriptedAutomation deaf;
    deaf.CreateGives("ie");
    deaf.Fail("ie", "Connect", AppError(-2147220992, "CONNECT_E_NOCONNECTION"));
    platform::IeBrowser without(deaf);
    without.Navigate("https://www.fahrtweg.example/");
    EXPECT_EQ(without.FailedLoad(), std::nullopt);
}

TEST(IeBrowser, StatusCodesMapToTheirReasonsInEitherForm) {
    using Kind = platform::LoadFailureKind;
    const std::pair<std::uint32_t, platform::LoadFailure> cases[] = {
        {503, {Kind::HttpStatus, "503"}},
        {0x800C0005u, {Kind::NameNotResolved, "0x800C0005"}},  // INET_E_RESOURCE_NOT_FOUND
        {12029, {Kind::ConnectionRefused, "12029"}},  // WinINet's own number
        {0x80072F0Du, {Kind::Certificate, "0x80072F0D"}},  // and as an HRESULT (12045)
        {0x800C000Cu, {Kind::Other, "0x800C000C"}},
    };
    for (const auto& [status, failure] : cases) {
        EXPECT_EQ(platform::IeLoadFailure(static_cast<std::int32_t>(status)), failure) << status;
    }
}

}  // namespace
