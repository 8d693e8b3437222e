#pragma once
// How Rovandel2's browser keeper shares the browser's one control connection
// among several clients at once (a second run while the first still works,
// or a process that connected and says nothing must not lock a run out).
//
// A client's command goes to the browser under a number of the keeper's, so
// that the numbers two clients chose cannot meet, and its reply goes back to
// that client alone, under the client's own number. A page that a client
// attached (Target.attachToTarget, flatten) is that client's: the page's
// events and the report that it was detached go to it. What belongs to no
// client now (the reply to one that went, an event nobody attached for)
// goes nowhere, as before when no client was connected.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace platform {

class KeeperRoutes {
public:
    using Client = std::uint64_t;
    struct Delivery {
        Client client;
        std::string message;
    };

    // The command of `client` as it goes to the browser; nothing when the
    // message is no command (no JSON object with a whole number as its id):
    // no client of the keeper's kind sends that.
    std::optional<std::string> FromClient(Client client, std::string_view message);
    // To whom a message of the browser goes, and as what; nothing: to no one.
    std::optional<Delivery> FromBrowser(std::string_view message);
    // The client has gone: what was on its way to it goes nowhere.
    void Gone(Client client);

private:
    struct Pending {
        Client client;
        nlohmann::json id;  // the client's own
        bool attaches;
    };
    std::int64_t NextId();

    std::map<std::int64_t, Pending> m_Pending;
    std::map<std::string, Client> m_Pages;  // session id -> client
    std::int64_t m_NextId = 1;
};

}  // namespace platform
