#include "routepages/RoutePageServer_win.h"

#include <ws2tcpip.h>

#include <chrono>
#include <stdexcept>

#include <nlohmann/json.hpp>

namespace routepages {
namespace {

struct Ids {
    const char* start;
    const char* dest;
    const char* button;  // "" : none
};

Ids IdsOf(std::string_view kind) {
    if (kind == "changed") return {"input_address_from", "input_address_to", "btn_calculate_route"};
    if (kind == "case") return {"Input_Adress_Start", "INPUT_ADRESS_DEST", "Btn_Calculate_Route"};
    if (kind == "nobutton") return {"input_adress_start", "input_adress_dest", ""};
    return {"input_adress_start", "input_adress_dest", "btn_calculate_route"};
}

std::string Form(const Ids& ids) {
    std::string form =
        "<form id=\"header_form_route\" onsubmit=\"return false\">"
        "<div class=\"row\"><label for=\"" +
        std::string(ids.start) +
        "\">Start</label>"
        "<input type=\"text\" id=\"" +
        ids.start +
        "\" placeholder=\"Straße, PLZ Ort, Land\"></div>"
        "<div class=\"row\"><label for=\"" +
        ids.dest +
        "\">Ziel</label>"
        "<input type=\"text\" id=\"" +
        ids.dest + "\" placeholder=\"Straße, PLZ Ort, Land\"></div>";
    if (*ids.button != '\0') {
        form += "<div class=\"row\"><span></span><button type=\"button\" id=\"" + std::string(ids.button) +
                "\">Route berechnen</button></div>";
    }
    return form + "</form>";
}

// Reports every change and the click to the server; the page shows the route asked for.
std::string Script(std::string_view kind, const Ids& ids, bool late, bool replaced, bool rerendered) {
    const nlohmann::json config = {{"kind", kind}, {"start", ids.start}, {"dest", ids.dest}, {"button", ids.button}};
    std::string script = "<script>var ROUTE = " + config.dump() + ";\n" + R"JS(
var counts = {input: 0, change: 0};
var formShown = document.getElementById('header_form_route') ? Date.now() : 0;
function value(id) { var e = document.getElementById(id); return e ? e.value : null; }
function report(clicked) {
  var body = JSON.stringify({start: value(ROUTE.start), dest: value(ROUTE.dest), clicked: clicked,
                             inputs: counts.input, changes: counts.change,
                             sinceFormMs: clicked && formShown ? Date.now() - formShown : -1});
  fetch('/report/' + ROUTE.kind, {method: 'POST', body: body, keepalive: true});
}
document.addEventListener('input', function () { counts.input++; }, true);
document.addEventListener('change', function () { counts.change++; report(false); }, true);
document.addEventListener('click', function (e) {
  if (!ROUTE.button || !e.target || e.target.id !== ROUTE.button) return;
  document.getElementById('result').textContent =
    'Route von ' + value(ROUTE.start) + ' nach ' + value(ROUTE.dest) + ' wird berechnet \u2026';
  report(true);
});
)JS";
    if (late) {
        script +=
            "window.addEventListener('load', function () { setTimeout(function () {"
            " document.getElementById('planner').insertAdjacentHTML('beforeend', " +
            nlohmann::json(Form(ids)).dump() + "); formShown = Date.now(); }, 4000); });\n";
    }
    if (replaced) {
        // As a page does that renders its form once more after loading:
        // new elements, empty fields.
        script +=
            "window.addEventListener('load', function () { setTimeout(function () {"
            " document.getElementById('header_form_route').outerHTML = " +
            nlohmann::json(Form(ids)).dump() + "; }, 300); });\n";
    }
    if (rerendered) {
        // As a page does that renders its form again from its own state when
        // a field changes: the destination's first change leaves new, empty
        // fields, before any click can come.
        script +=
            "var rendered = false;"
            "document.addEventListener('change', function (e) {"
            " if (rendered || !e.target || e.target.id !== ROUTE.dest) return; rendered = true;"
            " document.getElementById('header_form_route').outerHTML = " +
            nlohmann::json(Form(ids)).dump() + "; });\n";
    }
    return script + "</script>";
}

const char* const kStyle =
    "<style>body{font-family:sans-serif;margin:0;background:#f4f6f8;color:#223}"
    "header{background:#1d5b8f;color:#fff;padding:14px 24px;font-size:22px}"
    "#planner{background:#fff;margin:20px;padding:16px 20px;border-radius:6px;box-shadow:0 1px 4px #0003}"
    ".row{display:flex;align-items:center;margin:8px 0}.row label,.row span{width:60px}"
    "input{flex:1;padding:6px;font-size:15px}button{padding:7px 16px;font-size:15px;background:#1d5b8f;"
    "color:#fff;border:0;border-radius:4px}#result{margin:20px;font-size:16px;font-weight:bold;color:#1d5b8f}</style>";

void SendAll(SOCKET socket, std::string_view data) {
    while (!data.empty()) {
        const int sent = send(socket, data.data(), static_cast<int>(data.size()), 0);
        if (sent <= 0) return;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
}

std::string Response(std::string_view status, std::string_view type, std::string_view body) {
    std::string head = "HTTP/1.1 " + std::string(status) + "\r\nContent-Type: " + std::string(type) +
                       "\r\nContent-Length: " + std::to_string(body.size()) +
                       "\r\nCache-Control: no-store\r\nConnection: close\r\n\r\n";
    return head + std::string(body);
}

std::string KindOf(std::string path) {
    path = path.substr(0, path.find('?'));
    if (path == "/baseservices/do/routeService" || path == "/") return "normal";
    if (path.starts_with("/route/")) return path.substr(7);
    return {};
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && HexDigit(text[i + 1]) >= 0 && HexDigit(text[i + 2]) >= 0) {
            out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// The route the address asked for, shown as a planner would show it.
std::string DirectionsPage() {
    return "<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\"><title>Fahrtweg Routenplaner</title>" +
           std::string(kStyle) +
           "</head><body><header>Fahrtweg &ndash; Routenplaner</header><div id=\"planner\">"
           "<div class=\"row\"><span>Start</span><b id=\"from\"></b></div>"
           "<div class=\"row\"><span>Ziel</span><b id=\"to\"></b></div></div>"
           "<div id=\"result\">Die Route wird berechnet &hellip;</div><script>"
           "var q = new URLSearchParams(location.search);"
           "document.getElementById('from').textContent = q.get('from');"
           "document.getElementById('to').textContent = q.get('to');</script></body></html>";
}

}  // namespace

std::optional<std::string> QueryValue(std::string_view target, std::string_view name) {
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) return std::nullopt;
    std::string_view query = target.substr(question + 1);
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const std::size_t equals = pair.find('=');
        if (pair.substr(0, equals) == name) {
            return equals == std::string_view::npos ? std::string() : PercentDecoded(pair.substr(equals + 1));
        }
        if (amp == std::string_view::npos) break;
        query.remove_prefix(amp + 1);
    }
    return std::nullopt;
}

std::string RoutePage(std::string_view kind) {
    if (kind == "directions") return DirectionsPage();
    const bool late = kind == "late";
    const bool replaced = kind == "replaced";
    const bool rerendered = kind == "rerendered";
    if (kind != "normal" && !late && !replaced && !rerendered && kind != "nobutton" && kind != "changed" &&
        kind != "case")
        return {};
    const Ids ids = IdsOf(kind);
    return "<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\"><meta name=\"google\" "
           "content=\"notranslate\">"
           "<title>Fahrtweg Routenplaner</title>" +
           std::string(kStyle) + "</head><body><header>Fahrtweg &ndash; Routenplaner</header><div id=\"planner\">" +
           (late ? std::string() : Form(ids)) + "</div><div id=\"result\"></div>" +
           Script(kind, ids, late, replaced, rerendered) + "</body></html>";
}

RoutePageServer::RoutePageServer(std::uint16_t port) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    m_Listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    int length = sizeof address;
    if (m_Listener == INVALID_SOCKET || bind(m_Listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(m_Listener, 16) != 0 || getsockname(m_Listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (m_Listener != INVALID_SOCKET) closesocket(m_Listener);
        WSACleanup();
        throw std::runtime_error("the route page server cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    m_Port = ntohs(address.sin_port);
    m_Acceptor = std::thread([this] { Accept(); });
}

RoutePageServer::~RoutePageServer() {
    {
        std::lock_guard lock(m_Mutex);
        m_Stopping = true;
        for (SOCKET client : m_Clients) shutdown(client, SD_BOTH);
        m_Changed.notify_all();
    }
    closesocket(m_Listener);
    m_Acceptor.join();
    for (std::thread& thread : m_Threads) thread.join();
    WSACleanup();
}

std::string RoutePageServer::Url(std::string_view kind) const {
    const std::string base = "http://127.0.0.1:" + std::to_string(m_Port);
    if (kind == "route") return base + "/baseservices/do/routeService";
    return base + "/route/" + std::string(kind);
}

std::vector<Report> RoutePageServer::Reports() const {
    std::lock_guard lock(m_Mutex);
    return m_Reports;
}

std::vector<std::string> RoutePageServer::Requests() const {
    std::lock_guard lock(m_Mutex);
    return m_Requests;
}

std::optional<Report> RoutePageServer::WaitForReport(std::string_view kind, bool clicked, int timeoutMs) const {
    return WaitForReportWhere(
        kind, [clicked](const Report& report) { return report.clicked || !clicked; }, timeoutMs);
}

std::optional<Report> RoutePageServer::WaitForReportWhere(std::string_view kind,
                                                          const std::function<bool(const Report&)>& wanted,
                                                          int timeoutMs) const {
    std::unique_lock lock(m_Mutex);
    std::optional<Report> found;
    m_Changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        for (const Report& report : m_Reports) {
            if (report.page == kind && wanted(report)) {
                found = report;
                return true;
            }
        }
        return false;
    });
    return found;
}

void RoutePageServer::Accept() {
    for (;;) {
        const SOCKET client = accept(m_Listener, nullptr, nullptr);
        std::lock_guard lock(m_Mutex);
        if (client == INVALID_SOCKET || m_Stopping) {
            if (client != INVALID_SOCKET) closesocket(client);
            return;
        }
        m_Clients.insert(client);
        m_Threads.emplace_back([this, client] { Serve(client); });
    }
}

void RoutePageServer::Forget(SOCKET client) {
    {
        std::lock_guard lock(m_Mutex);
        m_Clients.erase(client);
    }
    closesocket(client);
}

void RoutePageServer::Serve(SOCKET client) {
    std::string request;
    char buffer[4096];
    std::size_t headEnd = std::string::npos;
    while ((headEnd = request.find("\r\n\r\n")) == std::string::npos && request.size() < 65536) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) return Forget(client);
        request.append(buffer, static_cast<std::size_t>(got));
    }
    if (headEnd == std::string::npos) return Forget(client);
    const std::string line = request.substr(0, request.find("\r\n"));
    const std::size_t space = line.find(' ');
    const std::string method = line.substr(0, space);
    std::string path = line.substr(space + 1, line.find(' ', space + 1) - space - 1);
    std::size_t contentLength = 0;
    for (std::size_t at = request.find("\r\n"); at < headEnd; at = request.find("\r\n", at + 2)) {
        std::string header = request.substr(at + 2, request.find("\r\n", at + 2) - at - 2);
        for (char& c : header) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        if (header.starts_with("content-length:")) contentLength = std::stoul(header.substr(15));
    }
    std::string body = request.substr(headEnd + 4);
    while (body.size() < contentLength) {
        const int got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0) break;
        body.append(buffer, static_cast<std::size_t>(got));
    }
    {
        std::lock_guard lock(m_Mutex);
        m_Requests.push_back(method + " " + path);
    }

    if (method == "POST" && path.starts_with("/report/")) {
        Report report;
        report.page = path.substr(8);
        const nlohmann::json data = nlohmann::json::parse(body, nullptr, false);
        if (data.is_object()) {
            const auto text = [&](const char* key) {
                const auto it = data.find(key);
                return it != data.end() && it->is_string() ? it->get<std::string>() : std::string();
            };
            const auto number = [&](const char* key) {
                const auto it = data.find(key);
                return it != data.end() && it->is_number_integer() ? it->get<int>() : 0;
            };
            report.start = text("start");
            report.dest = text("dest");
            const auto clicked = data.find("clicked");
            report.clicked = clicked != data.end() && clicked->is_boolean() && clicked->get<bool>();
            report.inputs = number("inputs");
            report.changes = number("changes");
            report.sinceFormMs = number("sinceFormMs");
        }
        SendAll(client, "HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n");
        {
            std::lock_guard lock(m_Mutex);
            m_Reports.push_back(std::move(report));
            m_Changed.notify_all();
        }
        return Forget(client);
    }

    const std::string kind = KindOf(path);
    if (kind == "endless") {
        // The head and a start of the page, and then nothing until the server stops.
        SendAll(client,
                "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=utf-8\r\nCache-Control: no-store\r\n"
                "Connection: close\r\n\r\n<!DOCTYPE html><html lang=\"de\"><head><meta charset=\"utf-8\">"
                "<title>Fahrtweg Routenplaner</title></head><body><p>Die Seite wird geladen &hellip;</p><!--" +
                    std::string(4096, ' ') + "-->");
        std::unique_lock lock(m_Mutex);
        m_Changed.wait(lock, [this] { return m_Stopping; });
        lock.unlock();
        return Forget(client);
    }
    const std::string page = RoutePage(kind);
    if (page.empty()) {
        SendAll(client, Response("404 Not Found", "text/plain; charset=utf-8", "nicht gefunden"));
    } else {
        SendAll(client, Response("200 OK", "text/html; charset=utf-8", page));
    }
    Forget(client);
}

}  // namespace routepages
