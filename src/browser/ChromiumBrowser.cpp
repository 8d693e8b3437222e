#include "browser/ChromiumBrowser.h"

#include <algorithm>
#include <optional>

#include "base/AppError.h"
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
        const json reply = m_Session->Call(
            "Runtime.evaluate", {{"expression", "document.readyState"}, {"returnByValue", true}, {"silent", true}});
        const auto result = reply.find("result");
        if (result == reply.end() || !result->is_object()) return {};
        const auto value = result->find("value");
        return value != result->end() && value->is_string() ? value->get<std::string>() : std::string();
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

ChromiumBrowser::ChromiumBrowser(std::shared_ptr<DevToolsSession> session, std::string openedOn)
    : m_Session(std::move(session)), m_OpenedOn(std::move(openedOn)) {}

void ChromiumBrowser::SetVisible(bool visible) {
    if (visible) m_Session->Call("Page.bringToFront");
}

void ChromiumBrowser::Navigate(std::string_view url) {
    const bool opened = !m_OpenedOn.empty() && url == m_OpenedOn;
    m_OpenedOn.clear();
    m_AwaitingOpened = opened;
    if (m_Navigation) m_Session->Forget(*m_Navigation);
    m_Navigation.reset();
    if (!opened) m_Navigation = m_Session->Post("Page.navigate", {{"url", url}});
}

bool ChromiumBrowser::Busy() {
    if (m_AwaitingOpened) {
        // Until the page commits, the window shows its empty first document,
        // which already says "complete".
        const json reply = m_Session->Call(
            "Runtime.evaluate", {{"expression", "location.href"}, {"returnByValue", true}, {"silent", true}});
        const auto result = reply.find("result");
        const json href = result != reply.end() && result->is_object() ? result->value("value", json()) : json();
        if (!href.is_string() || href == "about:blank") return true;
        m_AwaitingOpened = false;
    }
    if (!m_Navigation) return false;
    // A page the browser could not fetch still commits, as its error page.
    if (!m_Session->Poll(*m_Navigation)) return true;
    m_Navigation.reset();
    return false;
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
