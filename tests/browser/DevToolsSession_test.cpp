// The DevTools session over a scripted channel: replies matched to their
// commands among events and other replies, the browser's refusals, silence
// and a lost connection as errors, and values that reach the wire intact.
#include "browser/DevToolsSession.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "base/AppError.h"
#include "browser/ScriptedChannel.h"

using nlohmann::json;

namespace {

class DevToolsSessionTest : public testing::Test {
protected:
    platform::DevToolsSession& Session(std::function<std::vector<std::string>(const json&)> onSend = {}) {
        auto channel = std::make_unique<ScriptedChannel>();
        channel->onSend = std::move(onSend);
        channel->sent = &sent;
        channel->incoming = &incoming;
        channel->closed = &closed;
        session = std::make_unique<platform::DevToolsSession>(std::move(channel));
        return *session;
    }
    static std::string Reply(std::int64_t id, json result) { return json{{"id", id}, {"result", result}}.dump(); }

    std::vector<json> sent;
    std::deque<std::string> incoming;
    bool closed = false;
    std::unique_ptr<platform::DevToolsSession> session;
};

TEST_F(DevToolsSessionTest, RepliesFindTheirCommandsAmongEventsAndLateRepliesOfOthers) {
    auto& s = Session([](const json& command) -> std::vector<std::string> {
        const std::int64_t id = command["id"];
        if (command["method"] == "Page.navigate") return {};  // replies when the page commits
        return {R"({"method":"Page.frameStartedLoading","params":{}})", Reply(id, {{"echo", command["params"]}})};
    });
    const std::int64_t navigation = s.Post("Page.navigate", {{"url", "http://127.0.0.1/"}});
    EXPECT_FALSE(s.Poll(navigation));
    EXPECT_EQ(s.Call("Runtime.evaluate", {{"expression", "1"}})["echo"]["expression"], "1");
    incoming.push_back(Reply(navigation, {{"frameId", "F"}}));
    EXPECT_EQ(s.Call("Page.bringToFront")["echo"], json::object()) << "the navigation's reply is kept meanwhile";
    const auto committed = s.Poll(navigation);
    ASSERT_TRUE(committed);
    EXPECT_EQ((*committed)["frameId"], "F");

    const std::int64_t released = s.Post("Runtime.releaseObject", {{"objectId", "1"}});
    s.Forget(released);
    EXPECT_EQ(s.Call("Page.bringToFront")["echo"], json::object()) << "a forgotten reply is dropped when it comes";
    EXPECT_TRUE(incoming.empty());
    ASSERT_EQ(sent.size(), 5u);
    EXPECT_EQ(sent[0]["id"], 1);
    EXPECT_EQ(sent[4]["id"], 5);
}

TEST_F(DevToolsSessionTest, RefusalsSilenceNonsenseAndALostConnectionBecomeErrors) {
    auto& s = Session([](const json& command) -> std::vector<std::string> {
        const std::int64_t id = command["id"];
        const std::string method = command["method"];
        if (method == "Page.navigate")
            return {
                json{{"id", id}, {"error", {{"code", -32000}, {"message", "Cannot navigate to invalid URL"}}}}.dump()};
        if (method == "Bad.json") return {"{\"id\": " + std::to_string(id) + ", \"result\": "};
        if (method == "Odd.error") return {json{{"id", id}, {"error", "kaputt"}}.dump()};
        return {};
    });
    const auto error = [&](const std::function<void()>& call) {
        try {
            call();
        } catch (const AppError& e) {
            return e;
        }
        return AppError(0, "no error");
    };
    const AppError refused = error([&] { s.Call("Page.navigate", {{"url", "::"}}); });
    EXPECT_EQ(refused.number(), -32000);
    EXPECT_EQ(refused.description(),
              "Der Browser hat den Befehl Page.navigate abgelehnt: Cannot navigate to invalid URL");
    const AppError refusedLater = error([&] { s.Poll(s.Post("Page.navigate", {{"url", "::"}})); });
    EXPECT_EQ(refusedLater.number(), -32000);
    EXPECT_EQ(error([&] { s.Call("Page.silent", {}, 10); }).number(), platform::kBrowserTimeout);
    EXPECT_EQ(error([&] { s.Call("Bad.json"); }).number(), platform::kBrowserBadAnswer);
    EXPECT_EQ(error([&] { s.Call("Odd.error"); }).number(), 0);
    closed = true;
    EXPECT_EQ(error([&] { s.Call("Page.bringToFront"); }).number(), platform::kBrowserConnectionLost);
}

TEST_F(DevToolsSessionTest, TextsReachTheWireAsJsonDataExactly) {
    auto& s = Session([](const json& command) { return std::vector<std::string>{Reply(command["id"], {})}; });
    const std::string values[] = {
        "\"Zitat\" und 'Apostroph', C:\\Pfad\\",
        "</script><script>alert(1)</script>",
        "Größe Straße 7, 1010 Wien, AUT",
        std::string(1000, 'x') + "ü",
        "Zeile\r\nZwei\tTab\x01",
    };
    for (const std::string& value : values) {
        s.Call("Runtime.callFunctionOn", {{"arguments", json::array({{{"value", value}}})}});
        EXPECT_EQ(sent.back()["params"]["arguments"][0]["value"], value);
    }
    s.Call("X", {{"value", std::string("ab\xFF"
                                       "cd")}});
    EXPECT_EQ(sent.back()["params"]["value"],
              "ab\xEF\xBF\xBD"
              "cd")
        << "a stray byte goes as U+FFFD";
}

// The WebSocket reader's pieces: a message of exactly the cap is taken, one
// without end is cut off there.
TEST(MessageAssemblyTest, PiecesJoinUpToTheCapAndNotBeyond) {
    platform::MessageAssembly assembly;
    const std::string megabyte(1u << 20, 'x');
    std::size_t taken = 0;
    for (; taken < platform::kMaxMessageBytes; taken += megabyte.size()) EXPECT_FALSE(assembly.Add(megabyte, false));
    EXPECT_EQ(assembly.Add("", true)->size(), platform::kMaxMessageBytes);
    for (taken = 0; taken < platform::kMaxMessageBytes; taken += megabyte.size()) assembly.Add(megabyte, false);
    EXPECT_THROW(assembly.Add("x", false), AppError);
    EXPECT_EQ(assembly.Add("{}", true), std::optional<std::string>("{}")) << "what came of it is dropped";
}

}  // namespace
