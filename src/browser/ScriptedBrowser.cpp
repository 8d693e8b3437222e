#include "browser/ScriptedBrowser.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace platform {

namespace {
// A loop that polls this often without the clock moving is taken to spin.
constexpr long kPollLimit = 200000;

bool IsPoll(std::string_view call) {
    return call == "Busy" || call == "readyState" || call == "document" || call == "FailedLoad";
}
}  // namespace

struct ScriptedBrowser::State {
    struct Failure {
        AppError error;
        int after;
        int seen = 0;
    };
    std::vector<std::string> calls;
    std::vector<BrowserOptions> created;
    std::vector<Window> windows;
    std::map<std::pair<int, std::string>, Failure> failures;
    long live = 0;
    long polls = 0;

    void Record(int window, const std::string& call, const std::string& detail = {}) {
        calls.push_back((window > 1 ? "#" + std::to_string(window) + " " : std::string()) + call + detail);
        if (IsPoll(call)) {
            if (++polls > kPollLimit) throw std::logic_error("the browser is polled without the clock moving on");
        } else {
            polls = 0;
        }
        auto it = failures.find({window, call});
        if (it != failures.end() && it->second.seen++ >= it->second.after) throw it->second.error;
    }
    Window& Of(int window) { return windows.at(static_cast<std::size_t>(window - 1)); }
    // The form's build now; a new build empties the fields.
    int Build(int window) {
        Window& w = Of(window);
        const int build = w.page.formBuild();
        if (build != w.formBuild) {
            w.formBuild = build;
            for (ScriptedBrowser::Element& element : w.page.elements) element.value.clear();
        }
        return build;
    }
};

namespace {

using State = ScriptedBrowser::State;

// Counts itself among the live references while it exists.
class Counted {
public:
    explicit Counted(std::shared_ptr<State> state, int window) : m_State(std::move(state)), m_Window(window) {
        ++m_State->live;
    }
    ~Counted() { --m_State->live; }
    Counted(const Counted&) = delete;
    Counted& operator=(const Counted&) = delete;

protected:
    std::shared_ptr<State> m_State;
    int m_Window;
};

// index -1 is the form itself.
class ScriptedElement : public IBrowserElement, Counted {
public:
    ScriptedElement(std::shared_ptr<State> state, int window, int index)
        : Counted(std::move(state), window), m_Index(index), m_Build(m_State->Build(window)) {}

    std::string Id() override {
        m_State->Record(m_Window, "ID");
        return m_Index < 0 ? Page().formId : Element().id;
    }
    BrowserElementsPtr All() override;
    void SetValue(std::string_view value) override {
        m_State->Record(m_Window, "Value", "=" + std::string(value));
        if (m_Index < 0 || !Element().takesValue) Raise(ErrorNumber::NotSupported);
        if (InPage()) Element().value = std::string(value);
    }
    std::optional<std::string> Value() override {
        m_State->Record(m_Window, "ReadValue");
        if (m_Index < 0 || !InPage()) return std::nullopt;
        return Element().value;
    }
    void Click() override {
        m_State->Record(m_Window, "Click");
        if (m_Index >= 0 && !Element().clickable) Raise(ErrorNumber::NotSupported);
        if (m_Index >= 0 && InPage()) ++Element().clicks;
    }

private:
    ScriptedBrowser::Page& Page() { return m_State->Of(m_Window).page; }
    ScriptedBrowser::Element& Element() { return Page().elements.at(static_cast<std::size_t>(m_Index)); }
    bool InPage() { return m_State->Build(m_Window) == m_Build; }
    int m_Index;
    int m_Build;
};

class ScriptedElements : public IBrowserElements, Counted {
public:
    using Counted::Counted;
    std::int32_t Length() override {
        m_State->Record(m_Window, "length");
        return static_cast<std::int32_t>(m_State->Of(m_Window).page.elements.size());
    }
    BrowserElementPtr Item(std::int32_t index) override {
        m_State->Record(m_Window, "item", "(" + std::to_string(index) + ")");
        if (index < 0 || index >= static_cast<std::int32_t>(m_State->Of(m_Window).page.elements.size())) return nullptr;
        return std::make_shared<ScriptedElement>(m_State, m_Window, index);
    }
};

BrowserElementsPtr ScriptedElement::All() {
    m_State->Record(m_Window, "All");
    return std::make_shared<ScriptedElements>(m_State, m_Window);
}

class ScriptedDocument : public IBrowserDocument, Counted {
public:
    using Counted::Counted;
    std::string ReadyState() override {
        m_State->Record(m_Window, "readyState");
        return m_State->Of(m_Window).page.readyState();
    }
    BrowserElementPtr GetElementById(std::string_view id) override {
        m_State->Record(m_Window, "getElementByID", "(" + std::string(id) + ")");
        ScriptedBrowser::Page& page = m_State->Of(m_Window).page;
        if (id == page.formId && page.formThere()) return std::make_shared<ScriptedElement>(m_State, m_Window, -1);
        for (std::size_t i = 0; i < page.elements.size(); ++i) {
            if (page.elements[i].id == id)
                return std::make_shared<ScriptedElement>(m_State, m_Window, static_cast<int>(i));
        }
        return nullptr;
    }
};

class ScriptedWindow : public IBrowser, Counted {
public:
    using Counted::Counted;
    void SetVisible(bool visible) override {
        m_State->Record(m_Window, "Visible", visible ? "=true" : "=false");
        m_State->Of(m_Window).visible = visible;
    }
    void Navigate(std::string_view url) override {
        m_State->Record(m_Window, "Navigate", "(" + std::string(url) + ")");
        m_State->Of(m_Window).url = std::string(url);
    }
    bool Busy() override {
        m_State->Record(m_Window, "Busy");
        return m_State->Of(m_Window).page.busy();
    }
    BrowserDocumentPtr Document() override {
        m_State->Record(m_Window, "document");
        return std::make_shared<ScriptedDocument>(m_State, m_Window);
    }
    std::optional<LoadFailure> FailedLoad() override {
        m_State->Record(m_Window, "FailedLoad");
        return m_State->Of(m_Window).page.failure();
    }
    void Quit() override {
        m_State->Record(m_Window, "quit");
        m_State->Of(m_Window).quit = true;
    }
};

}  // namespace

ScriptedBrowser::ScriptedBrowser() : m_State(std::make_shared<State>()) {}

std::vector<ScriptedBrowser::Element> ScriptedBrowser::RouteForm() {
    return {{.id = "input_adress_start"}, {.id = "input_adress_dest"}, {.id = "btn_calculate_route"}};
}

void ScriptedBrowser::Fail(std::string call, AppError error, int window, int after) {
    m_State->failures.insert_or_assign({window, std::move(call)}, State::Failure{std::move(error), after});
}

BrowserPtr ScriptedBrowser::Create(const BrowserOptions& options) {
    m_State->calls.push_back("Create");
    m_State->created.push_back(options);
    if (createFails) throw *createFails;
    Window window;
    if (!pages.empty()) window.page = pages[std::min(m_State->windows.size(), pages.size() - 1)];
    m_State->windows.push_back(std::move(window));
    return std::make_shared<ScriptedWindow>(m_State, static_cast<int>(m_State->windows.size()));
}

const std::vector<std::string>& ScriptedBrowser::Calls() const { return m_State->calls; }

std::vector<std::string> ScriptedBrowser::CallsWithoutPolls() const {
    std::vector<std::string> out;
    for (const std::string& call : m_State->calls) {
        const std::string name = call.starts_with('#') ? call.substr(call.find(' ') + 1) : call;
        if (!IsPoll(name)) out.push_back(call);
    }
    return out;
}

const std::vector<BrowserOptions>& ScriptedBrowser::Created() const { return m_State->created; }
ScriptedBrowser::Window& ScriptedBrowser::WindowAt(int number) { return m_State->Of(number); }
int ScriptedBrowser::Windows() const { return static_cast<int>(m_State->windows.size()); }
long ScriptedBrowser::LiveReferences() const { return m_State->live; }

}  // namespace platform
