#pragma once
// A DevTools connection played by a test: what is sent is kept, parsed, and
// may be answered at once with messages that then arrive in order; more can
// be queued by the test at any time.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/AppError.h"
#include "browser/DevToolsSession.h"

struct ScriptedChannel : platform::IDevToolsChannel {
    // Answers a sent command with the messages it returns (they arrive in order).
    std::function<std::vector<std::string>(const nlohmann::json&)> onSend;
    std::vector<nlohmann::json>* sent = nullptr;
    std::deque<std::string>* incoming = nullptr;
    bool* closed = nullptr;

    void Send(std::string_view message) override {
        if (*closed) throw AppError(platform::kBrowserConnectionLost, "weg");
        const nlohmann::json command = nlohmann::json::parse(message);
        sent->push_back(command);
        if (onSend) {
            for (std::string& reply : onSend(command)) incoming->push_back(std::move(reply));
        }
    }
    std::optional<std::string> Receive(int) override {
        if (incoming->empty()) {
            if (*closed) throw AppError(platform::kBrowserConnectionLost, "weg");
            return std::nullopt;
        }
        std::string message = std::move(incoming->front());
        incoming->pop_front();
        return message;
    }
};
