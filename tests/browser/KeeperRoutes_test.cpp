// The keeper's routes between several clients and the browser's one
// connection: whose reply is whose, whose page is whose, what goes nowhere.
#include "browser/KeeperRoutes.h"

#include <gtest/gtest.h>

using nlohmann::json;
using platform::KeeperRoutes;

TEST(KeeperRoutes, RepliesAndPageEventsGoToTheirClientUnderItsOwnNumbersAndNowhereOnceItWent) {
    KeeperRoutes routes;
    const auto send = [&](KeeperRoutes::Client client, const char* method) {
        return json::parse(routes.FromClient(client, json{{"id", 7}, {"method", method}}.dump()).value_or("null"));
    };
    const auto reply = [&](const json& sent, const json& result) {
        return routes.FromBrowser(json{{"id", sent["id"]}, {"result", result}}.dump());
    };
    const json first = send(1, "Target.attachToTarget"), second = send(2, "Target.attachToTarget");
    ASSERT_NE(first["id"], second["id"]) << "the browser can tell the clients' sevens apart";
    const auto toSecond = reply(second, {{"sessionId", "S2"}});
    ASSERT_TRUE(toSecond);
    EXPECT_EQ(toSecond->client, 2u);
    EXPECT_EQ(json::parse(toSecond->message), (json{{"id", 7}, {"result", {{"sessionId", "S2"}}}}));
    EXPECT_FALSE(reply(second, json::object())) << "a reply comes once";
    EXPECT_FALSE(routes.FromClient(1, R"({"id":"7"})")) << "no command";

    const std::string event = R"({"method":"Page.loadEventFired","sessionId":"S2","params":{}})";
    EXPECT_EQ(routes.FromBrowser(event).value().client, 2u);
    EXPECT_FALSE(routes.FromBrowser(R"({"method":"Target.targetCreated","params":{}})")) << "nobody's";
    const std::string detached = R"({"method":"Target.detachedFromTarget","params":{"sessionId":"S2"}})";
    EXPECT_EQ(routes.FromBrowser(detached).value().client, 2u);
    EXPECT_FALSE(routes.FromBrowser(event)) << "the page is gone";

    routes.Gone(1);
    EXPECT_FALSE(reply(first, {{"sessionId", "S1"}})) << "the reply to a client that went goes nowhere";
}
