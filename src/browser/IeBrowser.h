#pragma once
// Internet Explorer through its automation object
// "InternetExplorer.Application", over the automation seam: the members
// Visible, Navigate, Busy, document and Quit; on the document readyState and
// getElementByID; on an element ID, All (length and item), Value and Click.
// Setting a value fires no page events: Internet Explorer's pages of the
// time read the fields when the form is sent.
#include "platform/Automation.h"
#include "browser/Browser.h"

namespace platform {

inline constexpr std::string_view kInternetExplorerProgId = "InternetExplorer.Application";

class IeBrowser : public IBrowser {
public:
    // Creates a new Internet Explorer (raises AppError when it cannot).
    explicit IeBrowser(IAutomation& automation);
    explicit IeBrowser(AutoObjectPtr application);

    void SetVisible(bool visible) override;
    void Navigate(std::string_view url) override;
    bool Busy() override;
    BrowserDocumentPtr Document() override;
    void Quit() override;

private:
    AutoObjectPtr m_Application;
};

}  // namespace platform
