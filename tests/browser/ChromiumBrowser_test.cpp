// A Chromium-family page over a scripted DevTools connection: why a page
// could not be loaded, from the navigation's reply and from the page itself
// (the browser's error page, the HTTP status), and not before the page has
// come.
#include "browser/ChromiumBrowser.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "browser/ScriptedChannel.h"

using nlohmann::json;
using platform::LoadFailure;
using platform::LoadFailureKind;

namespace {

const std::string kPlanner = "https://www.fahrtweg.example/baseservices/do/routeService";

class ChromiumLoad : public testing::Test {
protected:
    // A browser whose page answers every evaluation with `page` (its
    // location alone, or the whole state) and leaves Page.navigate unanswered.
    std::shared_ptr<platform::ChromiumBrowser> Browser(std::string openedOn = {}) {
        auto channel = std::make_unique<ScriptedChannel>();
        channel->sent = &sent;
        channel->incoming = &incoming;
        channel->closed = &closed;
        channel->onSend = [this](const json& command) -> std::vector<std::string> {
            if (command["method"] == "Page.navigate") {
                navigation = command["id"];
                return {};
            }
            if (!refusal.empty()) {
                return {json{{"id", command["id"]}, {"error", {{"code", -32000}, {"message", refusal}}}}.dump()};
            }
            const bool href = command["params"].value("expression", "") == "location.href";
            return {
                json{{"id", command["id"]}, {"result", {{"result", {{"value", href ? page["href"] : page}}}}}}.dump()};
        };
        return std::make_shared<platform::ChromiumBrowser>(
            std::make_shared<platform::DevToolsSession>(std::move(channel)), std::move(openedOn));
    }
    void Commit(json result) { incoming.push_back(json{{"id", navigation}, {"result", std::move(result)}}.dump()); }
    std::ptrdiff_t Evaluations() const {
        return std::count_if(sent.begin(), sent.end(), [](const json& c) { return c["method"] == "Runtime.evaluate"; });
    }

    json page = {{"href", "about:blank"}, {"status", 0}, {"code", ""}};
    std::string refusal;  // every evaluation refused with this message
    std::int64_t navigation = 0;
    std::vector<json> sent;
    std::deque<std::string> incoming;
    bool closed = false;
};

TEST_F(ChromiumLoad, TheNavigationsErrorTextCountsOnceItCommitsAndTheNextNavigationForgetsIt) {
    const auto browser = Browser();
    page = {{"href", "http://127.0.0.1:8080/vorher"}, {"status", 200}, {"code", ""}};
    browser->Navigate(kPlanner);
    EXPECT_EQ(browser->FailedLoad(), std::nullopt);
    EXPECT_EQ(Evaluations(), 0) << "the page shown is still the one before";
    Commit({{"frameId", "F"}, {"errorText", "net::ERR_NAME_NOT_RESOLVED"}});
    EXPECT_EQ(browser->FailedLoad(), (LoadFailure{LoadFailureKind::NameNotResolved, "ERR_NAME_NOT_RESOLVED"}));
    EXPECT_FALSE(browser->Busy());

    // A server's refusal has its number in the page; a navigation cut short is no failure.
    browser->Navigate(kPlanner);
    EXPECT_EQ(browser->FailedLoad(), std::nullopt);
    page = {{"href", "chrome-error://chromewebdata/"}, {"status", 503}, {"code", "HTTP ERROR 503"}};
    Commit({{"frameId", "F"}, {"errorText", "net::ERR_HTTP_RESPONSE_CODE_FAILURE"}});
    EXPECT_EQ(browser->FailedLoad(), (LoadFailure{LoadFailureKind::HttpStatus, "503"}));
    browser->Navigate(kPlanner);
    page = {{"href", kPlanner}, {"status", 200}, {"code", ""}};
    Commit({{"frameId", "F"}, {"errorText", "net::ERR_ABORTED"}});
    EXPECT_EQ(browser->FailedLoad(), std::nullopt);
    for (const json& command : sent) {
        EXPECT_EQ(command["params"].value("expression", "").find("fahrtweg"), std::string::npos)
            << "no address is written into a script";
    }
}

TEST_F(ChromiumLoad, AWindowOpenedOnItsPageIsJudgedByThePageOnceItHasCome) {
    struct Case {
        json page;
        std::optional<LoadFailure> failure;
    };
    const Case cases[] = {
        {{{"href", "chrome-error://chromewebdata/"}, {"status", 0}, {"code", "ERR_CONNECTION_REFUSED"}},
         LoadFailure{LoadFailureKind::ConnectionRefused, "ERR_CONNECTION_REFUSED"}},
        {{{"href", "chrome-error://chromewebdata/"}, {"status", 0}, {"code", "net::ERR_CERT_AUTHORITY_INVALID"}},
         LoadFailure{LoadFailureKind::Certificate, "ERR_CERT_AUTHORITY_INVALID"}},
        {{{"href", "chrome-error://chromewebdata/"}, {"status", 0}, {"code", ""}, {"complete", false}}, std::nullopt},
        {{{"href", "chrome-error://chromewebdata/"}, {"status", 0}, {"code", ""}, {"complete", true}}, LoadFailure{}},
        {{{"href", kPlanner}, {"status", 404}, {"code", ""}}, LoadFailure{LoadFailureKind::HttpStatus, "404"}},
        {{{"href", kPlanner}, {"status", 200}, {"code", ""}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.dump());
        const auto browser = Browser(kPlanner);
        browser->Navigate(kPlanner);
        page["href"] = "about:blank";
        EXPECT_EQ(browser->FailedLoad(), std::nullopt) << "the page has not come yet";
        // The error page runs in a process of its own: for a moment there is no document to ask.
        refusal = "Cannot find default execution context";
        EXPECT_EQ(browser->FailedLoad(), std::nullopt);
        EXPECT_TRUE(browser->Busy());
        EXPECT_EQ(browser->Document()->ReadyState(), "");
        refusal.clear();
        page = c.page;
        EXPECT_EQ(browser->FailedLoad(), c.failure);
        EXPECT_FALSE(browser->Busy());
    }
    EXPECT_EQ(std::count_if(sent.begin(), sent.end(), [](const json& c) { return c["method"] == "Page.navigate"; }), 0);
    refusal = "Target crashed";
    EXPECT_THROW(Browser(kPlanner)->Document()->ReadyState(), AppError) << "a crashed page is still an error";
}

}  // namespace
