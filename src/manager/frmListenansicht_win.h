#pragma once
// Tessivar's main window: ACT!'s user-defined commands in a list, or after
// a switch ACT!'s toolbars. From it the user loads a command from a ".cmd"
// file (also by dropping the file on the window), saves the selected one to
// a file, deletes it with the Delete key, sees its two button pictures, and
// opens the About window, or writes a backup of ACT!'s configuration back. A click on a column header sorts the rows; every
// operation reads the command's number from its row, so the order does not
// matter. Closing the window ends the program.
#include <cstdint>
#include <functional>
#include <vector>
#include <memory>
#include <optional>
#include <string>

#include "commands/clCustomTessivars.h"
#include "manager/modListActions.h"
#include "platform/FileDialogs.h"
#include "platform/Handles_win.h"
#include "platform/NamedMutex.h"
#include "platform/Shell.h"
#include "ui/Window_win.h"

class clACTToolbar;

namespace ui {
class Button;
class ListView;
class PictureBox;
class StatusBar;
}  // namespace ui

class frmListenansicht : public ui::Window {
public:
    struct Services {
        CommandServices commands;
        platform::IFileDialogs& dialogs;
        platform::IShell& shell;
        platform::INamedMutex& locks;
        const modBackup::Store& backups;
    };

    // Identifiers that drivers of the window from outside rely on.
    static constexpr const wchar_t* kClassName = L"TessivarListe";
    static constexpr int kBannerId = 100;
    static constexpr int kPicture1Id = 101;
    static constexpr int kPicture2Id = 102;
    static constexpr int kSpeichernId = 103;
    static constexpr int kLadenId = 104;
    static constexpr int kToolbarsId = 105;
    static constexpr int kInfoId = 106;
    static constexpr int kListId = 107;
    static constexpr int kStatusId = 108;
    static constexpr int kWiederherstellenId = 109;

    // Sizes in twips.
    static constexpr int kInnerWidth = 9255, kInnerHeight = 3690;
    static constexpr int kMinOuterWidth = 9375, kMinOuterHeight = 4800;
    static constexpr int kListTop = 720;

    explicit frmListenansicht(Services services);
    ~frmListenansicht() override;

    // Loads the window (the command view) and shows it, without a modal loop.
    void Open(int show = SW_SHOWNORMAL);
    using ui::Window::RunUntilClosed;

    void ShowCommands();
    void AddCommandItem(clCustomTessivar& command);
    void ShowToolbars();
    void AddToolbarItem(const clACTToolbar& toolbar);
    bool InCommandView() const;

    // The table the window holds, read at load.
    clCustomTessivars& Table() { return *m_Table; }
    // How cmdInfo shows the About window; by default Tessivar's, modal.
    std::function<void(HWND owner)> showInfo;
    // How the restore button lets the user pick a backup (its path, or
    // nothing); by default the small modal list.
    std::function<std::optional<std::string>(HWND owner, std::vector<modBackup::Entry> entries)> chooseBackup;

    ui::ListView& lvCommands() const { return *m_lvCommands; }
    ui::StatusBar& StatusBar() const { return *m_StatusBar; }
    ui::PictureBox& Picture1() const { return *m_Picture1; }
    ui::PictureBox& Picture2() const { return *m_Picture2; }
    ui::Button& cmdSpeichern() const { return *m_cmdSpeichern; }
    ui::Button& cmdLaden() const { return *m_cmdLaden; }
    ui::Button& cmdToolbars() const { return *m_cmdToolbars; }
    ui::Button& cmdInfo() const { return *m_cmdInfo; }
    ui::Button& cmdWiederherstellen() const { return *m_cmdWiederherstellen; }

protected:
    void OnCreate() override;
    void OnLayout() override;
    void OnSize(UINT kind, int width, int height) override;
    void OnDropFiles(const std::vector<std::string>& paths) override;
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnError() override;

private:
    void cmdLaden_Click();
    void cmdSpeichern_Click();
    void cmdToolbars_Click();
    void cmdInfo_Click();
    void cmdWiederherstellen_Click();
    void lvCommands_ItemClick(int row);
    void lvCommands_KeyUp(UINT key);
    void lvCommands_ColumnClick(int column);

    void LoadFile(const std::string& path);
    void ReadTableAgain();
    void FillDone();
    void ClearPictures();
    void ResizeList();
    void MakeInfoPicture();
    // The number in the first column of `row`: the command's position.
    std::optional<std::int32_t> RowNumber(int row) const;
    // The number of the selected row in the command view, when it names a command.
    std::optional<std::int32_t> SelectedNumber() const;
    bool HoldsCommand(std::int32_t number) const;
    modListActions::Services Actions() const { return {m_Commands, m_Locks, m_Backups}; }

    CommandServices m_Commands;
    platform::IFileDialogs& m_Dialogs;
    platform::IShell& m_Shell;
    platform::INamedMutex& m_Locks;
    const modBackup::Store& m_Backups;
    std::unique_ptr<clCustomTessivars> m_Table;
    std::optional<int> m_SortColumn;
    bool m_SortAscending = true;
    HWND m_FocusBeforeDeactivation = nullptr;

    ui::PictureBox* m_imBanner = nullptr;
    ui::PictureBox* m_Picture1 = nullptr;
    ui::PictureBox* m_Picture2 = nullptr;
    ui::Button* m_cmdSpeichern = nullptr;
    ui::Button* m_cmdLaden = nullptr;
    ui::Button* m_cmdToolbars = nullptr;
    ui::Button* m_cmdInfo = nullptr;
    ui::Button* m_cmdWiederherstellen = nullptr;
    ui::ListView* m_lvCommands = nullptr;
    ui::StatusBar* m_StatusBar = nullptr;
};
