#pragma once
// A page of a Chromium-family browser (Edge, Chrome, Chromium) driven over
// the DevTools protocol. The document and its elements are the page's own
// objects, held by reference (remote object ids) and released when dropped.
// Values travel to the page as JSON data, never as script text.
#include <memory>
#include <optional>
#include <string>

#include "browser/Browser.h"
#include "browser/DevToolsSession.h"

namespace platform {

// The reason for one of the network's error codes as the Chromium family
// names them ("net::ERR_NAME_NOT_RESOLVED", or without "net::" as its error
// page shows them); the code, without "net::", is the detail.
LoadFailure ChromiumLoadFailure(std::string_view errorCode);

class ChromiumBrowser : public IBrowser {
public:
    // `session` is connected to the page this browser window shows; when
    // the window was opened on `openedOn` (an address, not about:blank),
    // the first Navigate to that address sends nothing and waits for it.
    explicit ChromiumBrowser(std::shared_ptr<DevToolsSession> session, std::string openedOn = {});

    // Brings the window to the front (a Chromium window cannot be hidden).
    void SetVisible(bool visible) override;
    void Navigate(std::string_view url) override;
    // Busy until the browser has the new page's answer and shows its
    // document (the protocol replies to a navigation when it commits).
    bool Busy() override;
    BrowserDocumentPtr Document() override;
    // From the navigation's reply (its errorText) and, once the page has
    // come, from the page itself: the browser's error page and its code, or
    // the HTTP status of its answer. A window opened on its page sends no
    // navigation, so the page is all there is to go by.
    std::optional<LoadFailure> FailedLoad() override;
    // Closes the page; the browser ends with its last window.
    void Quit() override;

private:
    std::shared_ptr<DevToolsSession> m_Session;
    // The navigation's reply has come; its errorText kept.
    void Committed(const nlohmann::json& reply);

    std::optional<std::int64_t> m_Navigation;
    std::string m_ErrorText;
    std::optional<LoadFailure> m_Failure;
    std::string m_OpenedOn;
    bool m_AwaitingOpened = false;
};

}  // namespace platform
