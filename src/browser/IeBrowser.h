#pragma once
// Internet Explorer through its automation object
// "InternetExplorer.Application", over the automation seam: the members
// Visible, Navigate, Busy, document and Quit; on the document readyState and
// getElementByID; on an element ID, All (length and item), Value and Click.
// Setting a value fires no page events: Internet Explorer's pages of the
// time read the fields when the form is sent.
//
// A page it cannot load it reports by its event NavigateError (of
// DWebBrowserEvents2), with a status code: an HTTP status, or a URL moniker
// (INET_E_...) or WinINet error.
#include <cstdint>

#include "platform/Automation.h"
#include "browser/Browser.h"

namespace platform {

inline constexpr std::string_view kInternetExplorerProgId = "InternetExplorer.Application";
inline constexpr std::string_view kWebBrowserEvents2 = "{34A715A0-6587-11D0-924A-0020AFC7AC4D}";
inline constexpr std::int32_t kNavigateErrorEvent = 271;  // DISPID_NAVIGATEERROR

// The reason for a NavigateError's status code; the detail is the code (an
// HRESULT in hexadecimal, an HTTP status or WinINet error in decimal).
LoadFailure IeLoadFailure(std::int32_t statusCode);

class IeBrowser : public IBrowser {
public:
    // Creates a new Internet Explorer (raises AppError when it cannot).
    explicit IeBrowser(IAutomation& automation);
    explicit IeBrowser(AutoObjectPtr application);

    void SetVisible(bool visible) override;
    void Navigate(std::string_view url) override;
    bool Busy() override;
    BrowserDocumentPtr Document() override;
    // The last NavigateError of the window itself (not of a frame in its
    // page) since Navigate; nothing when its events could not be connected.
    std::optional<LoadFailure> FailedLoad() override;
    void Quit() override;

private:
    void OnEvent(std::int32_t dispatchId, const std::vector<AutoValue>& args);

    AutoObjectPtr m_Application;
    std::optional<LoadFailure> m_Failure;
    AutoConnectionPtr m_Events;  // last: ended before the rest goes
};

}  // namespace platform
