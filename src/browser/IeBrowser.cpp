#include "browser/IeBrowser.h"

#include <cstdio>

#include "base/AppError.h"

namespace platform {
namespace {

// NavigateError's arguments: pDisp, URL, TargetFrameName, StatusCode, Cancel.
constexpr std::size_t kWindowArgument = 0;
constexpr std::size_t kStatusArgument = 3;

constexpr std::int32_t kFirstFailingStatus = 400;
constexpr std::int32_t kLastHttpStatus = 599;
// WinINet's errors, also as HRESULTs of the Win32 facility.
constexpr std::int32_t kWin32Facility = static_cast<std::int32_t>(0x80070000u);
constexpr std::int32_t kCodeMask = 0xFFFF;

struct StatusReason {
    std::uint32_t code;
    LoadFailureKind kind;
};
constexpr StatusReason kStatusReasons[] = {
    {0x800C0005u, LoadFailureKind::NameNotResolved},  // INET_E_RESOURCE_NOT_FOUND: the server was not found
    {12007, LoadFailureKind::NameNotResolved},  // ERROR_INTERNET_NAME_NOT_RESOLVED
    {0x800C0004u, LoadFailureKind::ConnectionRefused},  // INET_E_CANNOT_CONNECT
    {12029, LoadFailureKind::ConnectionRefused},  // ERROR_INTERNET_CANNOT_CONNECT
    {0x800C0008u, LoadFailureKind::ConnectionReset},  // INET_E_DOWNLOAD_FAILURE
    {12030, LoadFailureKind::ConnectionReset},  // ERROR_INTERNET_CONNECTION_ABORTED
    {12031, LoadFailureKind::ConnectionReset},  // ERROR_INTERNET_CONNECTION_RESET
    {0x800C000Bu, LoadFailureKind::TimedOut},  // INET_E_CONNECTION_TIMEOUT
    {12002, LoadFailureKind::TimedOut},  // ERROR_INTERNET_TIMEOUT
    {12163, LoadFailureKind::Offline},  // ERROR_INTERNET_DISCONNECTED
    {0x800C000Eu, LoadFailureKind::Certificate},  // INET_E_SECURITY_PROBLEM
    {0x800C0019u, LoadFailureKind::Certificate},  // INET_E_INVALID_CERTIFICATE
    {12037, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_CERT_DATE_INVALID
    {12038, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_CERT_CN_INVALID
    {12045, LoadFailureKind::Certificate},  // ERROR_INTERNET_INVALID_CA
    {12055, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_CERT_ERRORS
    {12057, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_CERT_REV_FAILED
    {12169, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_INVALID_CERT
    {12170, LoadFailureKind::Certificate},  // ERROR_INTERNET_SEC_CERT_REVOKED
};

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

LoadFailure IeLoadFailure(std::int32_t statusCode) {
    if (statusCode >= kFirstFailingStatus && statusCode <= kLastHttpStatus) {
        return {LoadFailureKind::HttpStatus, std::to_string(statusCode)};
    }
    // An HRESULT as it is written, a WinINet error as its number.
    char detail[16];
    std::snprintf(detail, sizeof detail, statusCode < 0 ? "0x%08X" : "%u", static_cast<unsigned>(statusCode));
    const std::uint32_t code = (statusCode & ~kCodeMask) == kWin32Facility
                                   ? static_cast<std::uint32_t>(statusCode & kCodeMask)
                                   : static_cast<std::uint32_t>(statusCode);
    for (const StatusReason& reason : kStatusReasons) {
        if (reason.code == code) return {reason.kind, detail};
    }
    return {LoadFailureKind::Other, detail};
}

IeBrowser::IeBrowser(IAutomation& automation) : IeBrowser(automation.Create(kInternetExplorerProgId)) {}

IeBrowser::IeBrowser(AutoObjectPtr application) : m_Application(std::move(application)) {
    if (!m_Application) Raise(ErrorNumber::InvalidCall);
    try {
        // The connection ends before this browser: the handler never outlives it.
        m_Events = m_Application->Connect(
            kWebBrowserEvents2, [this](std::int32_t id, const std::vector<AutoValue>& args) { OnEvent(id, args); });
    } catch (const AppError&) {
        // Without its events the browser still works; a page it cannot load
        // is then found missing its form, as before.
    }
}

void IeBrowser::OnEvent(std::int32_t dispatchId, const std::vector<AutoValue>& args) {
    if (dispatchId != kNavigateErrorEvent || args.size() <= kStatusArgument) return;
    // A frame of the page that fails leaves the page itself as it is.
    const AutoObjectPtr window = AsObject(args[kWindowArgument]);
    if (window && !window->SameAs(*m_Application)) return;
    m_Failure = IeLoadFailure(AsNumber(args[kStatusArgument]));
}

std::optional<LoadFailure> IeBrowser::FailedLoad() { return m_Failure; }

void IeBrowser::SetVisible(bool visible) { m_Application->Put("Visible", visible); }

void IeBrowser::Navigate(std::string_view url) {
    m_Failure.reset();
    m_Application->Call("Navigate", {AutoValue(std::string(url))});
}

bool IeBrowser::Busy() { return AsBool(m_Application->Get("Busy")); }

BrowserDocumentPtr IeBrowser::Document() {
    AutoObjectPtr document = AsObject(m_Application->Get("document"));
    if (!document) return nullptr;
    return std::make_shared<IeDocument>(std::move(document));
}

void IeBrowser::Quit() { m_Application->Call("quit"); }

}  // namespace platform
