#pragma once
// A stand-in for the online route planner: a small HTTP server on
// 127.0.0.1 that serves route pages of several kinds and takes the reports
// those pages send back when their fields change or their button is
// clicked, so that a test or the demo sees from the page's side what
// arrived.
//
//   /baseservices/do/routeService, /route/normal   the route form, ready at once
//   /route/late       the form appears only 4 s after the page has loaded
//   /route/replaced   the form is there at once and is replaced by a new,
//                     empty one 300 ms after the page has loaded
//   /route/rerendered the form is rendered once more, with new empty
//                     fields, when the destination field first changes
//   /route/nobutton   the form without its calculate button
//   /route/changed    the fields carry other ids
//   /route/case       the ids in other letter case
//   /route/endless    a page that never finishes loading
//   /route/directions a planner that takes the route in its address
//                     ("?from=...&to=..."), showing what it was given
#include <winsock2.h>

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace routepages {

// What a page reported: its start and destination fields, whether the
// calculate button was clicked, and how many input and change events the
// page saw; with the click, how long the form had been on the page then
// (the page's own clock).
struct Report {
    std::string page;
    std::string start;
    std::string dest;
    bool clicked = false;
    int inputs = 0;
    int changes = 0;
    int sinceFormMs = -1;
};

// The value of query parameter `name` in a request target
// ("/route/directions?from=A%20B&to=C"), percent-decoded; nothing when absent.
std::optional<std::string> QueryValue(std::string_view target, std::string_view name);

// The page's HTML for a kind ("normal", "late", ...); "" for an unknown kind.
std::string RoutePage(std::string_view kind);

class RoutePageServer {
public:
    // Listens on 127.0.0.1:port (0: a free port); throws std::runtime_error.
    explicit RoutePageServer(std::uint16_t port = 0);
    ~RoutePageServer();
    RoutePageServer(const RoutePageServer&) = delete;
    RoutePageServer& operator=(const RoutePageServer&) = delete;

    std::uint16_t Port() const { return m_Port; }
    // http://127.0.0.1:port/route/<kind> ("route" for the planner's own path).
    std::string Url(std::string_view kind) const;
    std::vector<Report> Reports() const;
    // The first report of `kind` that `wanted` accepts, waiting up to `timeoutMs`.
    std::optional<Report> WaitForReportWhere(std::string_view kind, const std::function<bool(const Report&)>& wanted,
                                             int timeoutMs) const;
    // The first report of `kind` (with the click when `clicked`).
    std::optional<Report> WaitForReport(std::string_view kind, bool clicked, int timeoutMs) const;
    // The paths asked for, in order.
    std::vector<std::string> Requests() const;

private:
    void Accept();
    void Serve(SOCKET client);
    void Forget(SOCKET client);

    SOCKET m_Listener = INVALID_SOCKET;
    std::uint16_t m_Port = 0;
    mutable std::mutex m_Mutex;
    mutable std::condition_variable m_Changed;
    bool m_Stopping = false;
    std::set<SOCKET> m_Clients;
    std::vector<Report> m_Reports;
    std::vector<std::string> m_Requests;
    std::vector<std::thread> m_Threads;
    std::thread m_Acceptor;
};

}  // namespace routepages
