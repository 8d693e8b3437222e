// A stand-in for a Windows Chromium driven over --remote-debugging-pipe: it
// reads NUL-ended DevTools messages from C runtime descriptor 3 and answers
// on descriptor 4, and shows the route planner's form for any web address (the
// first window opens on the address after "--"). Like Chromium it ends 0.1 s
// after its pipe closes, and a second start on the same profile hands over
// to the first one and ends at once.
//
// What happens is written, one line each, to pipebrowser.log in the profile
// folder (--user-data-dir): "start <command line>", "handover", the methods
// it was sent, "report <json>" when the form's button is clicked (the two
// fields' values), "exit <why>". With --probe-handle=<hex> it also notes
// whether that handle value is open in it ("probe open" / "probe closed").
// A --remote-debugging-port=N makes it listen on 127.0.0.1 as Chromium would;
// with --silent it answers nothing.
#include <winsock2.h>
#include <windows.h>
#include <io.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

std::wstring g_Log;

std::string Narrow(const std::wstring& text) {
    if (text.empty()) return {};
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

void Log(const std::string& line) {
    if (g_Log.empty()) return;
    if (std::FILE* file = _wfopen(g_Log.c_str(), L"ab")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

// The value of --name=value on the command line ("" when absent), quotes removed.
std::wstring Switch(const std::wstring& line, const std::wstring& name) {
    const std::size_t at = line.find(L"--" + name + L"=");
    if (at == std::wstring::npos) return {};
    std::size_t begin = at + name.size() + 3;
    std::size_t end;
    if (begin < line.size() && line[begin] == L'"') {
        end = line.find(L'"', ++begin);
    } else {
        end = line.find(L' ', begin);
    }
    return line.substr(begin, end == std::wstring::npos ? std::wstring::npos : end - begin);
}

struct Element {
    std::string id;
    std::string value;
    bool input = true;
};

struct Target {
    std::string url = "about:blank";
    std::vector<Element> form;  // empty: no form
};

// A remote object: the document, the form, a collection or one element.
struct Object {
    std::string target;
    enum Kind { Document, Form, Collection, Field } kind = Document;
    std::size_t index = 0;
};

// A page with the route form for a web address, none for anything else.
void Show(Target& target, const std::string& url) {
    target.url = url;
    target.form.clear();
    if (url.starts_with("http")) {
        target.form = {{"header_form_route", "", false},
                       {"input_adress_start"},
                       {"input_adress_dest"},
                       {"btn_calculate_route", "", false}};
    }
}

class Browser {
public:
    // The first window shows `url` (a browser opens on the address its command line ends with).
    explicit Browser(const std::string& url) { NewTarget(url); }

    bool closing = false;

    // The answers and events for one command.
    std::vector<json> Handle(const json& command) {
        const json id = command.value("id", json());
        const std::string method = command.value("method", std::string());
        const json params = command.value("params", json::object());
        const std::string session = command.value("sessionId", std::string());
        Log(method + (session.empty() ? "" : " @" + session));
        std::vector<json> out;
        json result = json::object();
        // Chromium's code for a page whose window has closed, -32000 for the rest.
        int code = -32000;
        try {
            if (session.empty()) {
                result = BrowserCommand(method, params, out);
            } else {
                const auto it = m_Sessions.find(session);
                if (it == m_Sessions.end()) {
                    code = -32001;
                    throw std::runtime_error("Session with given id not found.");
                }
                result = PageCommand(it->second, method, params, out);
            }
        } catch (const std::exception& e) {
            json reply = {{"id", id}, {"error", {{"code", code}, {"message", e.what()}}}};
            if (!session.empty()) reply["sessionId"] = session;
            out.insert(out.begin(), reply);
            return out;
        }
        json reply = {{"id", id}, {"result", result}};
        if (!session.empty()) reply["sessionId"] = session;
        out.insert(out.begin(), reply);
        return out;
    }

private:
    std::string NewTarget(const std::string& url) {
        const std::string id = "T" + std::to_string(++m_Count);
        Show(m_Targets[id], url);
        return id;
    }

    json BrowserCommand(const std::string& method, const json& params, std::vector<json>& out) {
        if (method == "Target.getTargets") {
            json infos = json::array();
            for (const auto& [id, target] : m_Targets) {
                infos.push_back({{"targetId", id}, {"type", "page"}, {"url", target.url}, {"attached", false}});
            }
            return {{"targetInfos", infos}};
        }
        if (method == "Target.createTarget") return {{"targetId", NewTarget(params.value("url", "about:blank"))}};
        if (method == "Target.attachToTarget") {
            const std::string target = params.value("targetId", std::string());
            if (m_Targets.find(target) == m_Targets.end()) throw std::runtime_error("No target with given id found");
            if (!params.value("flatten", false)) throw std::runtime_error("only flat sessions here");
            const std::string session = "S" + std::to_string(++m_Count);
            m_Sessions[session] = target;
            out.push_back({{"method", "Target.attachedToTarget"},
                           {"params", {{"sessionId", session}, {"targetInfo", {{"targetId", target}}}}}});
            return {{"sessionId", session}};
        }
        if (method == "Browser.close") {
            closing = true;
            return json::object();
        }
        throw std::runtime_error("'" + method + "' wasn't found");
    }

    json Remote(const std::string& target, Object::Kind kind, std::size_t index = 0) {
        const std::string id = "O" + std::to_string(++m_Count);
        m_Objects[id] = {target, kind, index};
        return {{"type", "object"}, {"objectId", id}};
    }
    static json Null() { return {{"type", "object"}, {"subtype", "null"}, {"value", nullptr}}; }
    static json Value(json value) { return {{"type", value.is_string() ? "string" : "number"}, {"value", value}}; }

    json PageCommand(const std::string& targetId, const std::string& method, const json& params,
                     std::vector<json>& out) {
        Target& target = m_Targets.at(targetId);
        if (method == "Page.navigate") {
            Show(target, params.value("url", std::string()));
            return {{"frameId", targetId}};
        }
        if (method == "Page.bringToFront" || method == "Runtime.releaseObject") return json::object();
        if (method == "Page.close") {
            for (auto it = m_Sessions.begin(); it != m_Sessions.end();) {
                if (it->second == targetId) {
                    out.push_back({{"method", "Target.detachedFromTarget"}, {"params", {{"sessionId", it->first}}}});
                    it = m_Sessions.erase(it);
                } else {
                    ++it;
                }
            }
            m_Targets.erase(targetId);
            return json::object();
        }
        if (method == "Runtime.evaluate") {
            const std::string expression = params.value("expression", std::string());
            if (expression == "document.readyState") return {{"result", Value("complete")}};
            if (expression == "document") return {{"result", Remote(targetId, Object::Document)}};
            if (expression == "location.href") return {{"result", Value(target.url)}};
            // How the page was loaded: every address answers, with the form.
            if (expression.find(".error-code") != std::string::npos) {
                return {{"result",
                         {{"type", "object"},
                          {"value", {{"href", target.url}, {"status", 200}, {"code", ""}, {"complete", true}}}}}};
            }
            throw std::runtime_error("unknown expression");
        }
        if (method == "Runtime.callFunctionOn") return {{"result", Call(target, targetId, params)}};
        throw std::runtime_error("'" + method + "' wasn't found");
    }

    json Call(Target& target, const std::string& targetId, const json& params) {
        const auto object = m_Objects.find(params.value("objectId", std::string()));
        if (object == m_Objects.end()) throw std::runtime_error("Could not find object with given id");
        const Object on = object->second;
        const std::string function = params.value("functionDeclaration", std::string());
        const json arguments = params.value("arguments", json::array());
        const json argument = arguments.empty() ? json() : arguments[0].value("value", json());
        const auto has = [&](const char* text) { return function.find(text) != std::string::npos; };
        if (has("readyState")) return Value("complete");
        if (has("getElementById")) {
            if (!target.form.empty() && argument == target.form[0].id) return Remote(targetId, Object::Form);
            for (std::size_t i = 1; i < target.form.size(); ++i) {
                if (target.form[i].id == argument) return Remote(targetId, Object::Field, i);
            }
            return Null();
        }
        if (has("replace(/[A-Z]+/g")) {  // the search inside the form, by lowered id
            for (std::size_t i = 1; i < target.form.size(); ++i) {
                if (target.form[i].id == argument) return Remote(targetId, Object::Field, i);
            }
            return Null();
        }
        if (has("getElementsByTagName")) return Remote(targetId, Object::Collection);
        if (has("this.length")) return Value(static_cast<int>(target.form.size() > 0 ? target.form.size() - 1 : 0));
        if (has("this[i]")) {
            const int index = argument.is_number_integer() ? argument.get<int>() : -1;
            if (index < 0 || index + 1 >= static_cast<int>(target.form.size())) return Null();
            return Remote(targetId, Object::Field, static_cast<std::size_t>(index + 1));
        }
        if (on.kind != Object::Field || on.index >= target.form.size()) throw std::runtime_error("no element");
        Element& element = target.form[on.index];
        if (has("typeof this.id")) return Value(element.id);
        if (has("dispatchEvent")) {
            if (!element.input) return Value("none");
            element.value = argument.is_string() ? argument.get<std::string>() : std::string();
            return Value("ok");
        }
        if (has("isConnected")) return element.input ? Value(element.value) : Null();
        if (has("this.click()")) {
            if (element.id == "btn_calculate_route") {
                Log("report " +
                    json{{"url", target.url}, {"start", target.form[1].value}, {"dest", target.form[2].value}}.dump());
            }
            return Value("ok");
        }
        throw std::runtime_error("unknown function");
    }

    int m_Count = 0;
    std::map<std::string, Target> m_Targets;
    std::map<std::string, std::string> m_Sessions;  // session -> target
    std::map<std::string, Object> m_Objects;
};

bool WriteMessage(HANDLE out, const json& message) {
    std::string text = message.dump();
    text += '\0';
    DWORD wrote = 0;
    return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
}

void ListenAsChromiumWould(const std::wstring& port) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<u_short>(std::wcstoul(port.c_str(), nullptr, 10)));
    if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) listen(listener, 4);
    Log("listening");
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring line = GetCommandLineW();
    const std::wstring profile = Switch(line, L"user-data-dir");
    if (!profile.empty()) {
        CreateDirectoryW(profile.c_str(), nullptr);
        g_Log = profile + L"\\pipebrowser.log";
    }
    Log("start " + Narrow(line));
    std::wstring mutexName = L"Local\\pipebrowser-" + profile;
    for (wchar_t& c : mutexName) {
        if (c == L'\\' && &c != &mutexName[5]) c = L'/';
    }
    HANDLE single = CreateMutexW(nullptr, FALSE, mutexName.c_str());
    if (single != nullptr && GetLastError() == ERROR_ALREADY_EXISTS) {
        Log("handover");
        return 0;
    }
    if (const std::wstring probe = Switch(line, L"probe-handle"); !probe.empty()) {
        DWORD flags = 0;
        const HANDLE handle =
            reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(std::wcstoull(probe.c_str(), nullptr, 16)));
        Log(GetHandleInformation(handle, &flags) ? "probe open" : "probe closed");
    }
    if (line.find(L"--silent") != std::wstring::npos) {
        Sleep(60000);  // as a program that is no browser: it never answers
        Log("exit silent");
        return 6;
    }
    if (const std::wstring port = Switch(line, L"remote-debugging-port"); !port.empty()) ListenAsChromiumWould(port);
    if (line.find(L"--remote-debugging-pipe") == std::wstring::npos) {
        // A browser on a port stays until it is ended (the port is all it serves here).
        if (!Switch(line, L"remote-debugging-port").empty()) Sleep(60000);
        Log("exit no pipe asked for");
        return 2;
    }
    const HANDLE in = reinterpret_cast<HANDLE>(_get_osfhandle(3));
    const HANDLE out = reinterpret_cast<HANDLE>(_get_osfhandle(4));
    if (in == INVALID_HANDLE_VALUE || out == INVALID_HANDLE_VALUE) {
        Log("exit no descriptors 3 and 4");
        return 3;
    }
    // The address after "--", else about:blank.
    std::string first = "about:blank";
    if (const std::size_t dashes = line.rfind(L" -- "); dashes != std::wstring::npos) {
        std::wstring url = line.substr(dashes + 4);
        if (url.size() >= 2 && url.front() == L'"' && url.back() == L'"') url = url.substr(1, url.size() - 2);
        first = Narrow(url);
    }
    Browser browser(first);
    std::string pending;
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in, buffer, sizeof buffer, &got, nullptr) || got == 0) break;
        pending.append(buffer, got);
        for (std::size_t end; (end = pending.find('\0')) != std::string::npos;) {
            const json command = json::parse(pending.substr(0, end), nullptr, false);
            pending.erase(0, end + 1);
            if (!command.is_object()) {
                Log("exit bad message");
                return 4;
            }
            for (const json& message : browser.Handle(command)) {
                if (!WriteMessage(out, message)) {
                    Log("exit cannot write");
                    return 5;
                }
            }
            if (browser.closing) {
                Log("exit closed");
                return 0;
            }
        }
    }
    Sleep(100);
    Log("exit pipe closed");
    return 0;
}
