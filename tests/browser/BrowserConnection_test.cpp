// The browser's whole connection: NUL-ended messages cut from a byte stream,
// and the page sessions sharing it, each seeing only its own replies even
// where their command numbers are the same.
#include "browser/BrowserConnection.h"

#include <gtest/gtest.h>

#include <deque>

#include "base/AppError.h"

using nlohmann::json;
using platform::DevToolsRouter;
using platform::NulFraming;

namespace {

TEST(NulFramingTest, MessagesEndAtTheirNulWhereverTheStreamIsCut) {
    NulFraming framing;
    EXPECT_EQ(framing.Add(std::string("{\"a\":1}\0{\"b\"", 12)), std::vector<std::string>{"{\"a\":1}"});
    EXPECT_TRUE(framing.Partial());
    EXPECT_EQ(framing.Add(std::string(":2}\0\0{}\0", 8)), (std::vector<std::string>{"{\"b\":2}", "", "{}"}));
    EXPECT_FALSE(framing.Partial());
    EXPECT_TRUE(framing.Add("").empty());

    const std::string megabyte(1u << 20, 'x');
    for (std::size_t taken = 0; taken < platform::kMaxMessageBytes; taken += megabyte.size()) framing.Add(megabyte);
    EXPECT_EQ(framing.Add(std::string(1, '\0')).front().size(), platform::kMaxMessageBytes)
        << "the cap itself is taken";
    for (std::size_t taken = 0; taken < platform::kMaxMessageBytes; taken += megabyte.size()) framing.Add(megabyte);
    try {
        framing.Add("x");
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), platform::kBrowserBadAnswer);
    }
    EXPECT_EQ(framing.Add(std::string("{}\0", 3)), std::vector<std::string>{"{}"}) << "what came of it is dropped";
}

// The browser's side: it answers each command with the same id and session
// id, and a test can add messages of its own.
struct BrowserSide : platform::IDevToolsChannel {
    std::vector<json>* sent;
    std::deque<std::string>* incoming;
    void Send(std::string_view message) override {
        const json command = json::parse(message);
        sent->push_back(command);
        json reply = {{"id", command["id"]}, {"result", {{"method", command["method"]}}}};
        if (command.contains("sessionId")) reply["sessionId"] = command["sessionId"];
        incoming->push_back(reply.dump());
    }
    std::optional<std::string> Receive(int) override {
        if (incoming->empty()) return std::nullopt;
        std::string message = std::move(incoming->front());
        incoming->pop_front();
        return message;
    }
};

class DevToolsRouterTest : public testing::Test {
protected:
    std::shared_ptr<DevToolsRouter> router = [this] {
        auto side = std::make_unique<BrowserSide>();
        side->sent = &sent;
        side->incoming = &incoming;
        return DevToolsRouter::Over(std::move(side));
    }();
    std::vector<json> sent;
    std::deque<std::string> incoming;
};

TEST_F(DevToolsRouterTest, EachSessionGetsItsOwnRepliesAndTheBrowserThoseWithoutSession) {
    platform::DevToolsSession browser(router->BrowserChannel());
    platform::DevToolsSession first(router->SessionChannel("S1"));
    platform::DevToolsSession second(router->SessionChannel("S2"));
    // All three number their commands from 1: only the session tells the replies apart.
    const std::int64_t posted = first.Post("Page.navigate", {{"url", "http://127.0.0.1/"}});
    EXPECT_EQ(second.Call("Runtime.evaluate", {{"expression", "1"}})["method"], "Runtime.evaluate");
    EXPECT_EQ(browser.Call("Target.getTargets")["method"], "Target.getTargets");
    EXPECT_EQ((*first.Poll(posted))["method"], "Page.navigate") << "kept for its session meanwhile";

    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(
        sent[0],
        (json{
            {"id", 1}, {"method", "Page.navigate"}, {"params", {{"url", "http://127.0.0.1/"}}}, {"sessionId", "S1"}}));
    EXPECT_EQ(sent[1]["sessionId"], "S2");
    EXPECT_FALSE(sent[2].contains("sessionId"));

    // A run that ended in the middle of a command left its reply on the way.
    platform::DevToolsSession next(router->BrowserChannel(), 700000001);
    incoming.push_back(json{{"id", 1}, {"result", {{"method", "stale"}}}}.dump());
    EXPECT_EQ(next.Call("Target.createTarget")["method"], "Target.createTarget");

    incoming.push_back(json{{"method", "Page.loadEventFired"}, {"sessionId", "S9"}}.dump());
    incoming.push_back(json{{"id", 1}, {"result", json::object()}, {"sessionId", "S9"}}.dump());
    EXPECT_EQ(second.Call("Page.bringToFront")["method"], "Page.bringToFront")
        << "messages of a session nobody holds are dropped";
    EXPECT_TRUE(incoming.empty());
}

TEST_F(DevToolsRouterTest, ADetachedSessionCountsAsClosedAndAnUnreadOneCannotFillMemory) {
    auto page = router->SessionChannel("S1");
    auto other = router->SessionChannel("S2");
    auto idle = router->BrowserChannel();
    incoming.push_back(R"({"method":"Target.detachedFromTarget","params":{"sessionId":"S1"}})");
    EXPECT_EQ(other->Receive(0), std::nullopt);
    try {
        page->Receive(0);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), platform::kBrowserConnectionLost);
    }
    EXPECT_THROW(page->Send(R"({"id":1,"method":"Page.close","params":{}})"), AppError);
    EXPECT_EQ(idle->Receive(0),
              std::optional<std::string>(R"({"method":"Target.detachedFromTarget","params":{"sessionId":"S1"}})"));

    const std::string event =
        json{{"method", "Target.targetInfoChanged"}, {"params", {{"x", std::string(1u << 20, 'x')}}}}.dump();
    for (int i = 0; i < 9; ++i) incoming.push_back(event);
    incoming.push_back(json{{"id", 5}, {"result", json::object()}, {"sessionId", "S2"}}.dump());
    EXPECT_TRUE(other->Receive(0)) << "the other session goes on";
    try {
        idle->Receive(0);
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), platform::kBrowserBadAnswer);
    }
}

}  // namespace
