#pragma once
// A web browser as the route planner drives it: a window that is made
// visible and sent to an address, whose loading state is read, and whose
// page is reached through its document: the document's ready state and its
// lookup by element id, a form's collection of the elements inside it, each
// element's id, setting an element's value and clicking it. Every member
// raises AppError when the browser fails (it was closed, the connection
// broke, the page refused the call).
//
// Implementations: Internet Explorer through its automation object
// (IeBrowser), the Chromium family (Edge, Chrome, Chromium) through the
// DevTools protocol (ChromiumBrowser), and a scripted substitute for tests
// (ScriptedBrowser). Dropping the last reference to a browser leaves its
// window open; only Quit closes it.
//
// A page the browser could not load still becomes a document (the
// browser's own error page), so the failure is asked for on its own:
// FailedLoad.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class AppError;

namespace platform {

class IBrowserElement;
class IBrowserElements;
class IBrowserDocument;
class IBrowser;
using BrowserElementPtr = std::shared_ptr<IBrowserElement>;
using BrowserElementsPtr = std::shared_ptr<IBrowserElements>;
using BrowserDocumentPtr = std::shared_ptr<IBrowserDocument>;
using BrowserPtr = std::shared_ptr<IBrowser>;

// Why the page a browser was sent to could not be loaded, in the reasons a
// user is told; `detail` keeps the browser's own code for the reasons that
// have no words of their own.
enum class LoadFailureKind {
    NameNotResolved,  // no server of that name
    ConnectionRefused,
    ConnectionReset,  // broken off, or closed without an answer
    TimedOut,
    Offline,  // the computer has no network connection
    Certificate,  // the server's certificate was not accepted
    HttpStatus,  // the server answered with a status of 400 or more; detail: the number
    Other,  // detail: the browser's code ("ERR_SSL_PROTOCOL_ERROR", "0x800C000C"), or "" from an error page without one
};

struct LoadFailure {
    LoadFailureKind kind = LoadFailureKind::Other;
    std::string detail;
    bool operator==(const LoadFailure&) const = default;
};

class IBrowserElement {
public:
    virtual ~IBrowserElement() = default;
    // The element's id ("" when it has none).
    virtual std::string Id() = 0;
    // Every element inside this one, in document order.
    virtual BrowserElementsPtr All() = 0;
    // The first element inside this one whose id equals `id` without regard
    // to letter case (utf8::ToLower on both), or nullptr. This one walks
    // All() and asks each element for its id, a call each; the Chromium
    // family asks the page once.
    virtual BrowserElementPtr FindInside(std::string_view id);
    // Sets the element's value. The Chromium family also fires the page's
    // `input` and `change` events, so that script-built pages see the value,
    // and refuses an element that has no value or does not take the text.
    virtual void SetValue(std::string_view value) = 0;
    // The element's value as the page has it now; nothing when the element
    // has left the page (a page that rebuilt its form holds new elements,
    // and the old ones keep their values unseen). Internet Explorer cannot
    // tell and always gives the value.
    virtual std::optional<std::string> Value() = 0;
    virtual void Click() = 0;
};

class IBrowserElements {
public:
    virtual ~IBrowserElements() = default;
    virtual std::int32_t Length() = 0;
    // The element at `index`, 0 to Length() - 1; nullptr outside.
    virtual BrowserElementPtr Item(std::int32_t index) = 0;
};

class IBrowserDocument {
public:
    virtual ~IBrowserDocument() = default;
    // "loading", "interactive", "complete" (Internet Explorer: also
    // "uninitialized", "loaded").
    virtual std::string ReadyState() = 0;
    // The element with this id, or nullptr.
    virtual BrowserElementPtr GetElementById(std::string_view id) = 0;
};

class IBrowser {
public:
    virtual ~IBrowser() = default;
    virtual void SetVisible(bool visible) = 0;
    // Starts loading `url` and returns at once.
    virtual void Navigate(std::string_view url) = 0;
    // True while the browser is still fetching the page it was sent to.
    virtual bool Busy() = 0;
    // The document shown now, or nullptr when there is none.
    virtual BrowserDocumentPtr Document() = 0;
    // Why the page it was last sent to (by Navigate, or opened on) could not
    // be loaded, once the browser has said so; nothing while that is not
    // known yet, and for a page that loaded.
    virtual std::optional<LoadFailure> FailedLoad() = 0;
    // Closes the browser window.
    virtual void Quit() = 0;
};

// Which browser to open: the settings "Browser" ("edge", "chrome", "ie",
// the path of a Chromium-family program, or "" for the first one found) and
// "BrowserArgumente" (added to the command line of a Chromium-family start),
// and the page the window is sent to first: a Chromium-family window opens
// on it at once, so that the first Navigate to it only waits for that page
// instead of loading it a second time.
struct BrowserOptions {
    std::string browser;
    std::string arguments;
    std::string firstUrl;
};

class IBrowserFactory {
public:
    virtual ~IBrowserFactory() = default;
    // A new browser window (Internet Explorer's stays hidden until
    // SetVisible); raises AppError when no browser could be started or reached.
    virtual BrowserPtr Create(const BrowserOptions& options) = 0;
};

// Whether `error` tells that the browser itself is gone or no longer
// answers (its window or process ended, the connection broke, no answer in
// time), as opposed to a page that refused a call: the route can then not
// have reached the page, whatever the page looks like.
bool BrowserLost(const AppError& error);

}  // namespace platform
