#include "browser/IeBrowser.h"

#include "base/AppError.h"

namespace platform {
namespace {

class IeElements;

class IeElement : public IBrowserElement {
public:
    explicit IeElement(AutoObjectPtr element) : m_Element(std::move(element)) {}

    std::string Id() override { return AsText(m_Element->Get("ID")); }
    BrowserElementsPtr All() override;
    void SetValue(std::string_view value) override { m_Element->Put("Value", std::string(value)); }
    std::optional<std::string> Value() override { return AsText(m_Element->Get("Value")); }
    void Click() override { m_Element->Call("Click"); }

private:
    AutoObjectPtr m_Element;
};

BrowserElementPtr ElementOrNothing(const AutoValue& value) {
    AutoObjectPtr object = AsObject(value);
    if (!object) return nullptr;
    return std::make_shared<IeElement>(std::move(object));
}

class IeElements : public IBrowserElements {
public:
    explicit IeElements(AutoObjectPtr all) : m_All(std::move(all)) {}

    std::int32_t Length() override { return AsNumber(m_All->Get("length")); }
    BrowserElementPtr Item(std::int32_t index) override {
        return ElementOrNothing(m_All->Call("item", {AutoValue(index)}));
    }

private:
    AutoObjectPtr m_All;
};

BrowserElementsPtr IeElement::All() {
    AutoObjectPtr all = AsObject(m_Element->Get("All"));
    if (!all) Raise(ErrorNumber::NotSupported);
    return std::make_shared<IeElements>(std::move(all));
}

class IeDocument : public IBrowserDocument {
public:
    explicit IeDocument(AutoObjectPtr document) : m_Document(std::move(document)) {}

    std::string ReadyState() override { return AsText(m_Document->Get("readyState")); }
    BrowserElementPtr GetElementById(std::string_view id) override {
        return ElementOrNothing(m_Document->Call("getElementByID", {AutoValue(std::string(id))}));
    }

private:
    AutoObjectPtr m_Document;
};

}  // namespace

IeBrowser::IeBrowser(IAutomation& automation) : IeBrowser(automation.Create(kInternetExplorerProgId)) {}

IeBrowser::IeBrowser(AutoObjectPtr application) : m_Application(std::move(application)) {
    if (!m_Application) Raise(ErrorNumber::InvalidCall);
}

void IeBrowser::SetVisible(bool visible) { m_Application->Put("Visible", visible); }

void IeBrowser::Navigate(std::string_view url) { m_Application->Call("Navigate", {AutoValue(std::string(url))}); }

bool IeBrowser::Busy() { return AsBool(m_Application->Get("Busy")); }

BrowserDocumentPtr IeBrowser::Document() {
    AutoObjectPtr document = AsObject(m_Application->Get("document"));
    if (!document) return nullptr;
    return std::make_shared<IeDocument>(std::move(document));
}

void IeBrowser::Quit() { m_Application->Call("quit"); }

}  // namespace platform
