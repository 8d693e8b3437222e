#include "browser/ChromiumBrowser.h"

#include <algorithm>
#include <optional>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"

namespace platform {

using nlohmann::json;

namespace {

// Functions run on the page's objects; their arguments come as JSON values.
constexpr std::string_view kReadyState = "function() { return this.readyState; }";
constexpr std::string_view kGetElementById = "function(id) { return this.getElementById(id); }";
constexpr std::string_view kId = "function() { return typeof this.id === 'string' ? this.id : ''; }";
constexpr std::string_view kAll = "function() { return this.getElementsByTagName('*'); }";
constexpr std::string_view kLength = "function() { return this.length; }";
constexpr std::string_view kItem = "function(i) { return this[i]; }";
// The first element inside whose id equals `id` (lower case, ASCII) with A
// to Z lowered: for an ASCII id the same as lowering both fully, since no
// other letter lowers to an ASCII one.
constexpr std::string_view kFindInside =
    "function(id) {"
    " var all = this.getElementsByTagName('*');"
    " for (var i = 0; i < all.length; i++) {"
    "  var e = all[i];"
    "  if (typeof e.id === 'string' && e.id.replace(/[A-Z]+/g, function(c) { return c.toLowerCase(); }) === id)"
    "   return e; }"
    " return null; }";
// A value the element does not take as given (a list item's number, a
// number field's check) counts as refused, like an element without a value.
constexpr std::string_view kSetValue =
    "function(v) {"
    " if (!('value' in this)) return 'none';"
    " this.value = v;"
    " if (this.value !== v) return 'refused';"
    " this.dispatchEvent(new Event('input', {bubbles: true}));"
    " this.dispatchEvent(new Event('change', {bubbles: true}));"
    " return 'ok'; }";
// null for an element that has left the document or has no text value.
constexpr std::string_view kValue =
    "function() { return this.isConnected && typeof this.value === 'string' ? this.value : null; }";
constexpr std::string_view kClick =
    "function() { if (typeof this.click !== 'function') return 'none'; this.click(); return 'ok'; }";
// Where the page came from and how it was answered: its address (the
// browser's error page is "chrome-error://chromewebdata/"), the HTTP status
// (0 when there was no answer), the code that an error page shows (its
// script writes it in while the page loads) and the ready state.
constexpr std::string_view kPageState =
    "(function() {"
    " var entry = performance.getEntriesByType('navigation')[0];"
    " var code = document.querySelector('.error-code');"
    " return {href: location.href,"
    "  status: entry && typeof entry.responseStatus === 'number' ? entry.responseStatus : 0,"
    "  code: code ? code.textContent.trim() : '',"
    "  complete: document.readyState === 'complete'}; })()";
constexpr std::string_view kErrorPage = "chrome-error:";
// Replies to a navigation whose errorText is no reason of its own: the
// server's refusal has its number only in the page, and a navigation that
// another one cut short failed nowhere.
constexpr std::string_view kHttpCodeFailure = "net::ERR_HTTP_RESPONSE_CODE_FAILURE";
constexpr std::string_view kAborted = "net::ERR_ABORTED";
constexpr int kFirstFailingStatus = 400;

struct NetError {
    std::string_view code;
    LoadFailureKind kind;
};
constexpr NetError kNetErrors[] = {
    {"ERR_NAME_NOT_RESOLVED", LoadFailureKind::NameNotResolved},
    {"ERR_NAME_RESOLUTION_FAILED", LoadFailureKind::NameNotResolved},
    {"ERR_CONNECTION_REFUSED", LoadFailureKind::ConnectionRefused},
    {"ERR_CONNECTION_RESET", LoadFailureKind::ConnectionReset},
    {"ERR_CONNECTION_CLOSED", LoadFailureKind::ConnectionReset},
    {"ERR_CONNECTION_ABORTED", LoadFailureKind::ConnectionReset},
    {"ERR_EMPTY_RESPONSE", LoadFailureKind::ConnectionReset},
    {"ERR_CONNECTION_TIMED_OUT", LoadFailureKind::TimedOut},
    {"ERR_TIMED_OUT", LoadFailureKind::TimedOut},
    {"ERR_INTERNET_DISCONNECTED", LoadFailureKind::Offline},
};
constexpr std::string_view kCertificateErrors = "ERR_CERT_";

// How the browser refuses an evaluation while the page has no document to
// run it in: between two documents, as when it changes to its error page,
// which runs in a process of its own ("Cannot find default execution
// context", "Execution context was destroyed"). Other refusals, as of a
// page that crashed, stay errors.
constexpr std::int32_t kPageRefused = -32000;
constexpr std::string_view kNoExecutionContext = "context";

// The value of an expression evaluated in the page, or null (also while the
// page is between two documents).
json EvaluatedValue(DevToolsSession& session, std::string_view expression) {
    json reply;
    try {
        reply =
            session.Call("Runtime.evaluate", {{"expression", expression}, {"returnByValue", true}, {"silent", true}});
    } catch (const AppError& e) {
        if (e.number() != kPageRefused || e.description().find(kNoExecutionContext) == std::string::npos) throw;
        return json();
    }
    const auto result = reply.find("result");
    return result != reply.end() && result->is_object() ? result->value("value", json()) : json();
}

// A script that threw: the page's own message.
[[noreturn]] void RaiseScriptError(const json& details) {
    std::string text = details.value("text", std::string());
    if (const auto exception = details.find("exception"); exception != details.end() && exception->is_object()) {
        if (const auto d = exception->find("description"); d != exception->end() && d->is_string()) {
            text = d->get<std::string>();
        }
    }
    Raise(ErrorNumber::NotSupported, std::string(texts::kBrowserScriptError) + text);
}

// One object of the page, released when the last reference goes.
class RemoteObject {
public:
    RemoteObject(std::shared_ptr<DevToolsSession> session, std::string objectId)
        : m_Session(std::move(session)), m_ObjectId(std::move(objectId)) {}
    ~RemoteObject() {
        try {
            m_Session->Forget(m_Session->Post("Runtime.releaseObject", {{"objectId", m_ObjectId}}));
        } catch (...) {
            // the page or the connection is gone, and the object with it
        }
    }
    RemoteObject(const RemoteObject&) = delete;
    RemoteObject& operator=(const RemoteObject&) = delete;

    // Runs `function` with this object as `this`; the remote result.
    json CallOn(std::string_view function, json arguments = json::array(), bool byValue = false) {
        const json params = {{"objectId", m_ObjectId},
                             {"functionDeclaration", function},
                             {"arguments", std::move(arguments)},
                             {"returnByValue", byValue},
                             {"silent", true}};
        json reply = m_Session->Call("Runtime.callFunctionOn", params);
        if (const auto details = reply.find("exceptionDetails"); details != reply.end()) RaiseScriptError(*details);
        const auto result = reply.find("result");
        if (result == reply.end() || !result->is_object())
            Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
        return std::move(*result);
    }
    json ValueOf(std::string_view function, json arguments = json::array()) {
        json result = CallOn(function, std::move(arguments), true);
        const auto value = result.find("value");
        return value != result.end() ? std::move(*value) : json();
    }
    std::string TextOf(std::string_view function) {
        const json value = ValueOf(function);
        return value.is_string() ? value.get<std::string>() : std::string();
    }
    const std::shared_ptr<DevToolsSession>& session() const { return m_Session; }

private:
    std::shared_ptr<DevToolsSession> m_Session;
    std::string m_ObjectId;
};

// The object id of a remote result, or "" for null and undefined.
std::string ObjectIdOf(const json& result) {
    const auto id = result.find("objectId");
    if (id == result.end() || !id->is_string() || result.value("subtype", std::string()) == "null") return {};
    return id->get<std::string>();
}

json Arguments(json value) { return json::array({json{{"value", std::move(value)}}}); }

class ChromiumElement : public IBrowserElement {
public:
    ChromiumElement(std::shared_ptr<DevToolsSession> session, std::string objectId)
        : m_Object(std::move(session), std::move(objectId)) {}

    std::string Id() override { return m_Object.TextOf(kId); }
    BrowserElementsPtr All() override;
    // One call of the page instead of one per element.
    BrowserElementPtr FindInside(std::string_view id) override;
    void SetValue(std::string_view value) override {
        const json answer = m_Object.ValueOf(kSetValue, Arguments(std::string(value)));
        if (answer != "ok") {
            Raise(ErrorNumber::NotSupported,
                  std::string(answer == "none" ? texts::kBrowserNoValue : texts::kBrowserValueRefused));
        }
    }
    std::optional<std::string> Value() override {
        const json value = m_Object.ValueOf(kValue);
        if (!value.is_string()) return std::nullopt;
        return value.get<std::string>();
    }
    void Click() override {
        if (m_Object.ValueOf(kClick) != "ok") Raise(ErrorNumber::NotSupported, std::string(texts::kBrowserNoClick));
    }

    RemoteObject& object() { return m_Object; }

private:
    RemoteObject m_Object;
};

BrowserElementPtr ElementOrNothing(const std::shared_ptr<DevToolsSession>& session, const json& result) {
    std::string id = ObjectIdOf(result);
    if (id.empty()) return nullptr;
    return std::make_shared<ChromiumElement>(session, std::move(id));
}

class ChromiumElements : public IBrowserElements {
public:
    ChromiumElements(std::shared_ptr<DevToolsSession> session, std::string objectId)
        : m_Object(std::move(session), std::move(objectId)) {}

    std::int32_t Length() override {
        const json value = m_Object.ValueOf(kLength);
        return value.is_number_integer() ? value.get<std::int32_t>() : 0;
    }
    BrowserElementPtr Item(std::int32_t index) override {
        return ElementOrNothing(m_Object.session(), m_Object.CallOn(kItem, Arguments(index)));
    }

private:
    RemoteObject m_Object;
};

BrowserElementPtr ChromiumElement::FindInside(std::string_view id) {
    std::string wanted = utf8::ToLower(id);
    if (!std::all_of(wanted.begin(), wanted.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return IBrowserElement::FindInside(id);
    }
    return ElementOrNothing(m_Object.session(), m_Object.CallOn(kFindInside, Arguments(std::move(wanted))));
}

BrowserElementsPtr ChromiumElement::All() {
    std::string id = ObjectIdOf(m_Object.CallOn(kAll));
    if (id.empty()) Raise(ErrorNumber::NotSupported);
    return std::make_shared<ChromiumElements>(m_Object.session(), std::move(id));
}

// The page's document. It is taken hold of at the first lookup; until then
// the ready state is read by value, one round trip per poll.
class ChromiumDocument : public IBrowserDocument {
public:
    explicit ChromiumDocument(std::shared_ptr<DevToolsSession> session) : m_Session(std::move(session)) {}

    std::string ReadyState() override {
        if (m_Object) return m_Object->TextOf(kReadyState);
        const json value = EvaluatedValue(*m_Session, "document.readyState");
        return value.is_string() ? value.get<std::string>() : std::string();
    }
    BrowserElementPtr GetElementById(std::string_view id) override {
        return ElementOrNothing(m_Session, Object().CallOn(kGetElementById, Arguments(std::string(id))));
    }

private:
    RemoteObject& Object() {
        if (!m_Object) {
            const json reply = m_Session->Call("Runtime.evaluate", {{"expression", "document"}, {"silent", true}});
            const auto result = reply.find("result");
            std::string id = result != reply.end() ? ObjectIdOf(*result) : std::string();
            if (id.empty()) Raise(kBrowserBadAnswer, std::string(texts::kBrowserBadAnswer));
            m_Object.emplace(m_Session, std::move(id));
        }
        return *m_Object;
    }

    std::shared_ptr<DevToolsSession> m_Session;
    std::optional<RemoteObject> m_Object;
};

}  // namespace

LoadFailure ChromiumLoadFailure(std::string_view errorCode) {
    std::string code(ascii::TrimBlanks(errorCode));
    if (ascii::Lower(code).starts_with("net::")) code.erase(0, 5);
    for (const NetError& error : kNetErrors) {
        if (code == error.code) return {error.kind, code};
    }
    return {code.starts_with(kCertificateErrors) ? LoadFailureKind::Certificate : LoadFailureKind::Other, code};
}

ChromiumBrowser::ChromiumBrowser(std::shared_ptr<DevToolsSession> session, std::string openedOn)
    : m_Session(std::move(session)), m_OpenedOn(std::move(openedOn)) {}

void ChromiumBrowser::SetVisible(bool visible) {
    if (visible) m_Session->Call("Page.bringToFront");
}

void ChromiumBrowser::Navigate(std::string_view url) {
    const bool opened = !m_OpenedOn.empty() && url == m_OpenedOn;
    m_OpenedOn.clear();
    m_AwaitingOpened = opened;
    m_ErrorText.clear();
    m_Failure.reset();
    if (m_Navigation) m_Session->Forget(*m_Navigation);
    m_Navigation.reset();
    if (!opened) m_Navigation = m_Session->Post("Page.navigate", {{"url", url}});
}

bool ChromiumBrowser::Busy() {
    if (m_AwaitingOpened) {
        // Until the page commits, the window shows its empty first document,
        // which already says "complete".
        const json href = EvaluatedValue(*m_Session, "location.href");
        if (!href.is_string() || href == "about:blank") return true;
        m_AwaitingOpened = false;
    }
    if (!m_Navigation) return false;
    // A page the browser could not fetch still commits, as its error page.
    const std::optional<json> reply = m_Session->Poll(*m_Navigation);
    if (!reply) return true;
    Committed(*reply);
    return false;
}

void ChromiumBrowser::Committed(const json& reply) {
    m_Navigation.reset();
    const auto error = reply.find("errorText");
    m_ErrorText = error != reply.end() && error->is_string() ? error->get<std::string>() : std::string();
}

std::optional<LoadFailure> ChromiumBrowser::FailedLoad() {
    if (m_Failure) return m_Failure;
    if (m_Navigation) {
        const std::optional<json> reply = m_Session->Poll(*m_Navigation);
        // Until the navigation commits, the document is still the one before.
        if (!reply) return std::nullopt;
        Committed(*reply);
    }
    if (!m_ErrorText.empty() && m_ErrorText != kHttpCodeFailure && m_ErrorText != kAborted) {
        m_Failure = ChromiumLoadFailure(m_ErrorText);
        return m_Failure;
    }
    const json state = EvaluatedValue(*m_Session, kPageState);
    if (!state.is_object()) return std::nullopt;
    const json href = state.value("href", json());
    // A window opened on its page shows about:blank until the page commits.
    if (!href.is_string() || href == "about:blank") return std::nullopt;
    const json status = state.value("status", json());
    if (status.is_number() && status.get<double>() >= kFirstFailingStatus) {
        m_Failure = LoadFailure{LoadFailureKind::HttpStatus, std::to_string(status.get<std::int64_t>())};
    } else if (href.get<std::string>().starts_with(kErrorPage)) {
        const json code = state.value("code", json());
        const bool named = code.is_string() && !code.get<std::string>().empty();
        // Not before the error page has shown its code, or shown that it has none.
        if (!named && state.value("complete", json()) != true) return std::nullopt;
        m_Failure = named ? ChromiumLoadFailure(code.get<std::string>()) : LoadFailure{};
    }
    return m_Failure;
}

BrowserDocumentPtr ChromiumBrowser::Document() { return std::make_shared<ChromiumDocument>(m_Session); }

void ChromiumBrowser::Quit() {
    if (m_Navigation) m_Session->Forget(*m_Navigation);
    m_Navigation.reset();
    try {
        m_Session->Call("Page.close", json::object(), 2000);
    } catch (const AppError&) {
        // The page may close its connection before it replies: it is gone either way.
    }
}

}  // namespace platform
