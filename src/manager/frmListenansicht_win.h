#pragma once
// Tessivar's main window, built from its control table
// (ListenansichtControls); what it does lies in clListenansicht. The window
// adds the banner and the Info button's picture, keeps the list filling
// the window above the status bar and the window no smaller than its least
// size, gives the focus back to the control that had it, and shows the
// About window and the list of backups. Closing it ends the program.
#include <optional>
#include <string>
#include <vector>

#include "manager/ListenansichtControls.h"
#include "manager/clListenansicht.h"
#include "platform/ImageCodec_win.h"
#include "ui/FormWindow_win.h"

class frmListenansicht : public ui::FormWindow, public IListenansichtWindow {
public:
    using Services = clListenansicht::Services;

    // The window class that drivers of the window from outside look for.
    static constexpr const wchar_t* kClassName = L"TessivarListe";

    explicit frmListenansicht(Services services);
    ~frmListenansicht() override;

    // Shows the window and loads the command view into it, without a modal
    // loop; the window answers while the table is read.
    void Open(int show = SW_SHOWNORMAL);
    using ui::Window::RunUntilClosed;

    clListenansicht& Logic() { return m_Logic; }

    // IListenansichtWindow
    void ShowInfo(platform::IMessageBoxes& boxes, platform::IShell& shell) override;
    std::optional<std::vector<modListActions::PathChange>> ConfirmPaths(clPfade::Services services,
                                                                        std::vector<clPfade::Command> commands,
                                                                        std::string folder) override;
    std::optional<std::string> ChooseBackup(std::vector<modBackup::Entry> entries,
                                            clSicherungen::Differences differences) override;
    std::optional<clSchaltflaechen::Toolbars> PlaceButtons(std::int32_t commandId, std::string name,
                                                           clSchaltflaechen::Toolbars toolbars) override;
    std::optional<modEditCommand::Edit> EditCommand(const clCustomTessivar& command,
                                                    const clBearbeiten::NameTaken& nameTaken) override;

protected:
    void OnCreate() override;
    void OnLayout() override;
    void OnSize(UINT kind, int width, int height) override;
    void OnDropFiles(const std::vector<std::string>& paths) override;
    bool OnClose() override { return m_Logic.Form_QueryUnload(); }
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnError() override;
    void SizeColumns(ui::ListView& view) override;

private:
    void ResizeList();

    clListenansicht m_Logic;
    Services m_Services;  // the editor's
    platform::WicImageCodec m_Images;  // the editor's pictures; WIC comes with the first one
    HWND m_FocusBeforeDeactivation = nullptr;
};
