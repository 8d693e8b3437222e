#pragma once
// The logic of Tessivar's list window (frmListenansicht): ACT!'s
// user-defined commands in a list, or after a switch ACT!'s toolbars. The
// user loads a command from a ".cmd" file (also by dropping the file on the
// window), saves the selected one to a file, deletes it with the Delete
// key, sees its two button pictures, opens the About window, or writes a
// backup of ACT!'s configuration back. A click on a column header sorts the
// rows; every operation reads the command's number from its row, so the
// order does not matter.
//
// The view shown is the caption of cmdToolbars: "&Toolbars" while the
// commands are listed (the button offers the toolbars), "&Befehle" while the
// toolbars are.
//
// A table of tens of thousands of commands takes seconds to read, change
// or list. Meanwhile the window answers (Pacing) and its list fills as the
// table is read; its buttons are locked and any other action is refused,
// so that no second change starts from it. Closing the window waits for a
// change to end, and breaks off a reading.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "commands/clCustomTessivars.h"
#include "manager/clBearbeiten.h"
#include "manager/clSchaltflaechen.h"
#include "manager/clSicherungen.h"
#include "manager/modBackup.h"
#include "manager/modEditCommand.h"
#include "manager/clPfade.h"
#include "manager/modListActions.h"
#include "manager/modProgramPath.h"
#include "platform/FileDialogs.h"
#include "platform/NamedMutex.h"
#include "platform/Pacing.h"
#include "platform/Shell.h"
#include "ui/Form.h"

class AppError;
class clACTToolbar;

// The window as this logic sees it: its controls, and what only the window does.
class IListenansichtWindow : public virtual ui::IForm {
public:
    // Shows the About window modally over this one; its link opens through
    // `shell`, its faults are shown through `boxes`.
    virtual void ShowInfo(platform::IMessageBoxes& boxes, platform::IShell& shell) = 0;
    // Lets the user pick one of `entries` (newest first) in a modal list:
    // its path, or nothing. `differences` tells what writing one back would change.
    virtual std::optional<std::string> ChooseBackup(std::vector<modBackup::Entry> entries,
                                                    clSicherungen::Differences differences) = 0;
    // Lets the user place the command's button on `toolbars` in a modal
    // window: the toolbars as changed on OK, nothing on Cancel.
    virtual std::optional<clSchaltflaechen::Toolbars> PlaceButtons(std::int32_t commandId, std::string name,
                                                                   clSchaltflaechen::Toolbars toolbars) = 0;
    // Shows the command editor modally over this one: the edit made, or nothing.
    virtual std::optional<modEditCommand::Edit> EditCommand(const clCustomTessivar& command,
                                                            const clBearbeiten::NameTaken& nameTaken) = 0;
    // Shows `commands` with their paths mended to `folder` in a modal
    // window (clPfade): the changes the user confirmed, or nothing.
    virtual std::optional<std::vector<modListActions::PathChange>> ConfirmPaths(clPfade::Services,
                                                                                std::vector<clPfade::Command>,
                                                                                std::string /*folder*/) {
        return std::nullopt;
    }
};

class clListenansicht {
public:
    struct Services {
        // What the table is made with; its registry is the journal, so that
        // a change that fails part-way is put back.
        CommandServices commands;
        platform::IFileDialogs& dialogs;
        platform::IShell& shell;  // the About window's link
        platform::INamedMutex& locks;
        const modBackup::Store& backups;
        platform::Pacing& pacing;  // lets the window answer while a task of it works
        // Expands the variables of commands' program paths; without one
        // they are looked for as written.
        platform::IEnvironment* environment = nullptr;
    };

    clListenansicht(Services services, IListenansichtWindow& window);
    ~clListenansicht();

    void ShowCommands();
    // Appends the command's row to the rows the list is filled with.
    void AddCommandItem(clCustomTessivar& command);
    void ShowToolbars();
    // Appends the toolbar's row to the rows the list is filled with.
    void AddToolbarItem(const clACTToolbar& toolbar);
    bool InCommandView() const;

    // --- window events ----------------------------------------------------
    // The table, read once, and the command view, filled as it is read.
    void Form_Load();
    // False keeps the window open: a task still works. It closes when the
    // task has ended; a reading is broken off for it.
    bool Form_QueryUnload();
    void cmdLaden_Click();
    void cmdSpeichern_Click();
    void cmdToolbars_Click();
    void cmdInfo_Click();
    void cmdWiederherstellen_Click();
    // The selected command in the editor; its edit written as one change.
    void cmdBearbeiten_Click();
    // A row double-clicked, or Enter on it: the editor, as cmdBearbeiten.
    void lvCommands_DblClick(int row);
    // The selected commands, or all whose program is missing, pointed at a folder the user picks.
    void cmdPfade_Click();
    void cmdSchaltflaechen_Click();
    // A row clicked or selected by the user.
    void lvCommands_ItemClick(int row);
    // Only the Delete key (46) does something.
    void lvCommands_KeyUp(int KeyCode);
    void lvCommands_ColumnClick(int column);
    // Files dropped on the window: each command file is loaded as by cmdLaden.
    void Form_DragDrop(const std::vector<std::string>& paths);
    // A fault that left an event handler.
    void ShowError(const AppError& error);

private:
    using Row = ui::IForm::Row;
    struct Abandoned {};  // a reading broken off because the window closes

    // Runs an event's work with the window's actions locked; refused (it
    // does nothing) while another one works.
    void Task(const std::function<void()>& body);
    void Lock(bool locked);
    // The table read anew, the command view filled as it is read.
    void ReadTable();
    void RowsRead();
    // Puts the rows held from m_RowsShown on into the list, a piece at a time.
    void ShowRest(std::span<const std::string_view> headers);
    void ShowPictures(int row);
    std::optional<std::vector<modBackupDiff::Difference>> Differences(const modBackup::Entry& entry) const;

    platform::IMessageBoxes& Boxes() const;
    modListActions::Services Actions() const { return {m_Services.commands, m_Services.locks, m_Services.backups}; }
    void Fill(std::span<const std::string_view> headers);
    void FillDone();
    void ClearPictures();
    void LoadFile(const std::string& path);
    void ReadTableAgain();
    void EditCommand(std::int32_t number);
    // The file the user chose in the open (`open`) or save dialog, or nothing.
    std::optional<std::string> AskFile(std::string_view title, bool open) const;
    // The number in the first column of `row`: the command's position.
    std::optional<std::int32_t> RowNumber(int row) const;
    // The number of the selected row in the command view, when it names a command.
    std::optional<std::int32_t> SelectedNumber() const;
    bool HoldsCommand(std::int32_t number) const;
    // Puts the rows held into the order the user chose; gives where row
    // `follow` went (-1 for none).
    int SortRows(int follow);

    // The last column of a command's row: the mark of a missing program.
    std::string ProgramCell(const clCustomTessivar& command);
    // A fill of the command view looks for each program afresh.
    void BeginProgramCheck();
    std::string CommandStatus() const;
    // The numbers of the rows selected, or of the rows marked.
    std::vector<std::int32_t> SelectedNumbers() const;
    std::vector<std::int32_t> MarkedNumbers() const;
    // The commands to mend: nothing when the user cancelled.
    std::optional<std::vector<std::int32_t>> PathCandidates();
    void ChangePaths(const std::vector<std::int32_t>& numbers);

    IListenansichtWindow& m_Window;
    Services m_Services;
    std::unique_ptr<clCustomTessivars> m_Table;
    std::vector<Row> m_Rows;  // what the list shows, in its order
    std::optional<int> m_SortColumn;
    bool m_SortAscending = true;
    bool m_Busy = false;
    bool m_Reading = false;
    bool m_CloseRequested = false;
    std::size_t m_RowsShown = 0;  // of m_Rows, what the list holds while it fills
    std::uint64_t m_StepsSeen = 0;
    std::optional<modProgramPath::Checker> m_ProgramCheck;
    std::int32_t m_Missing = 0;  // commands of the last fill whose program is missing
};
