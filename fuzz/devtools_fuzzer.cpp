// Whatever a DevTools endpoint sends. Frames arrive in pieces, as over a
// WebSocket, and are joined as the browser channel joins them; the session
// then waits for the reply to one command. Any sequence of frames yields
// the reply to that command (its result, or the error it names) or an
// error, after no more receives than there were frames, and no message
// beyond the cap is ever held.
//
// The input is a list of frames, each: a flag byte (1: the message's last
// piece; 2: the piece repeated to a few megabytes; 4: the piece is a reply
// to the command, its id put in front; 8: nothing came this time), a
// length byte, and that many bytes.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "browser/DevToolsSession.h"
#include "Property.h"

namespace {

using nlohmann::json;

struct Frame {
    std::uint8_t flags = 0;
    std::string piece;
};

std::vector<Frame> FramesOf(const std::uint8_t* data, std::size_t size) {
    std::vector<Frame> frames;
    std::size_t at = 0;
    while (at + 2 <= size) {
        Frame frame{data[at], {}};
        const std::size_t length = std::min<std::size_t>(data[at + 1], size - at - 2);
        frame.piece.assign(reinterpret_cast<const char*>(data + at + 2), length);
        at += 2 + length;
        frames.push_back(std::move(frame));
    }
    return frames;
}

// A browser channel over the frames; it keeps what the session saw whole.
class FrameChannel : public platform::IDevToolsChannel {
public:
    explicit FrameChannel(std::vector<Frame> frames) : m_Frames(std::move(frames)) {}

    void Send(std::string_view message) override {
        const json sent = json::parse(message, nullptr, false);
        Check(sent.is_object() && sent.contains("id"));
        m_Id = sent["id"].get<std::int64_t>();
    }
    std::optional<std::string> Receive(int) override {
        for (;;) {
            ++receives;
            if (m_Next >= m_Frames.size()) Raise(platform::kBrowserConnectionLost, "closed");
            const Frame& frame = m_Frames[m_Next++];
            if (frame.flags & 8) return std::nullopt;
            std::string piece = frame.piece;
            if (frame.flags & 4) piece = "{\"id\":" + std::to_string(m_Id) + "," + piece;
            if ((frame.flags & 2) && !piece.empty()) {
                // Beyond the cap at the second such piece, not at the first.
                const std::size_t copies = (5u << 20) / piece.size() + 1;
                std::string big;
                big.reserve(copies * piece.size());
                for (std::size_t i = 0; i < copies; ++i) big += piece;
                piece = std::move(big);
            }
            held += piece.size();
            std::optional<std::string> whole;
            try {
                whole = m_Assembly.Add(piece, frame.flags & 1);
            } catch (const AppError&) {
                Check(held > platform::kMaxMessageBytes);
                held = 0;
                throw;
            }
            Check(held <= platform::kMaxMessageBytes);
            if (whole) {
                held = 0;
                messages.push_back(*whole);
                return whole;
            }
        }
    }

    std::size_t Frames() const { return m_Frames.size(); }

    std::size_t receives = 0;
    std::size_t held = 0;
    std::vector<std::string> messages;

private:
    std::vector<Frame> m_Frames;
    std::size_t m_Next = 0;
    std::int64_t m_Id = 0;
    platform::MessageAssembly m_Assembly;
};

// The reply the session has to give: the first whole message that is an
// object with the command's id, unless a message before it was no JSON
// object (the session stops at that).
std::optional<json> ReplyIn(const std::vector<std::string>& messages, std::int64_t id) {
    for (const std::string& text : messages) {
        json message = json::parse(text, nullptr, false);
        if (message.is_discarded() || !message.is_object()) return std::nullopt;
        const auto found = message.find("id");
        if (found != message.end() && found->is_number_integer() && found->get<std::int64_t>() == id) return message;
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto owned = std::make_unique<FrameChannel>(FramesOf(data, size));
    FrameChannel& channel = *owned;
    platform::DevToolsSession session(std::move(owned));
    std::optional<json> result;
    bool failed = false;
    try {
        // A short limit: a frame of nothing is a wait that ends.
        result = session.Call("Runtime.evaluate", {{"expression", "document.readyState"}}, 1);
    } catch (const AppError&) {
        failed = true;
    }
    Check(channel.receives <= channel.Frames() + 1);
    const std::optional<json> reply = ReplyIn(channel.messages, 1);
    if (!failed) {
        // Only the command's own reply ends the call, and its result is handed on.
        Check(reply.has_value());
        Check(!reply->contains("error"));
        const auto r = reply->find("result");
        Check(*result == (r != reply->end() ? *r : json::object()));
    } else if (reply && channel.messages.size() > 0 && ReplyIn({channel.messages.back()}, 1)) {
        // The reply came and was still an error: it named one.
        Check(reply->contains("error"));
    }
    return 0;
}
