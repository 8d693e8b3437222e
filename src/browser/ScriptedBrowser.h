#pragma once
// A browser substitute that plays a scripted page and records every call of
// the browser seam, in order, per window. The page's loading state comes
// from functions, so that a test can tie it to a fake clock; any call can be
// made to fail.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "browser/Browser.h"

namespace platform {

class ScriptedBrowser : public IBrowserFactory {
public:
    struct Element {
        std::string id;
        bool takesValue = true;  // false: setting the value fails, as on a <div>
        bool clickable = true;
        std::string value;  // what was set
        int clicks = 0;
    };
    // What a window shows after Navigate.
    struct Page {
        std::function<bool()> busy = [] { return false; };
        std::function<std::string()> readyState = [] { return std::string("complete"); };
        std::function<bool()> formThere = [] { return true; };
        // The build of the form: when it changes, the page has rebuilt its
        // form. The elements handed out before have left the page (their
        // values read as nothing, setting and clicking them reach nothing)
        // and the new fields are empty.
        std::function<int()> formBuild = [] { return 0; };
        // What FailedLoad reports: the page could not be loaded (from when on, a test ties to its clock).
        std::function<std::optional<LoadFailure>()> failure = [] { return std::nullopt; };
        std::string formId = "header_form_route";
        std::vector<Element> elements;  // inside the form, in document order
    };
    struct Window {
        std::string url;
        bool visible = false;
        bool quit = false;
        Page page;
        int formBuild = 0;  // the build of the form last seen
    };

    ScriptedBrowser();
    ScriptedBrowser(const ScriptedBrowser&) = delete;
    ScriptedBrowser& operator=(const ScriptedBrowser&) = delete;

    // The route form of the route planner: two inputs and the button.
    static std::vector<Element> RouteForm();

    // Window n (from 1) plays pages[n - 1], or the last page when there are fewer.
    std::vector<Page> pages;
    std::optional<AppError> createFails;
    // The call named `call` ("Navigate", "Busy", "document", "readyState", "FailedLoad",
    // "getElementByID", "All", "length", "item", "ID", "Value" (set),
    // "ReadValue", "Click",
    // "Visible", "quit") of window `window` raises `error` from its
    // (after + 1)-th time on.
    void Fail(std::string call, AppError error, int window = 1, int after = 0);

    BrowserPtr Create(const BrowserOptions& options) override;

    // The calls in order: "Navigate(url)", "Busy", "readyState",
    // "getElementByID(id)", "item(3)", "Value=text", "ReadValue", ...; calls of windows
    // after the first start with "#n ".
    const std::vector<std::string>& Calls() const;
    // The calls without the polls of Busy, document, readyState and FailedLoad.
    std::vector<std::string> CallsWithoutPolls() const;
    const std::vector<BrowserOptions>& Created() const;
    Window& WindowAt(int number);
    int Windows() const;
    // Windows, documents and elements handed out and not yet dropped.
    long LiveReferences() const;

    struct State;

private:
    std::shared_ptr<State> m_State;
};

}  // namespace platform
