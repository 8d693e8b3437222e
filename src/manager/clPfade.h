#pragma once
// The logic of the modal window in which the list window's user sees the
// commands whose program lies in the folder chosen, each with its old and
// new line and start folder, and the commands that stay as they are, each
// with the reason. OK takes the changes shown (the window closes; the list
// window writes them), Cancel and Esc take nothing.
//
// A command's new line is its old one with the program's path alone
// replaced by the path in the new folder (in quotes when it holds a blank
// or was quoted); the arguments stay byte for byte. Its start folder
// follows the program when it was the program's folder; any other start
// folder (a data folder chosen on purpose, or none) stays as it was.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "manager/modListActions.h"
#include "platform/Environment.h"
#include "platform/FileSystem.h"
#include "platform/TextCodec.h"
#include "ui/Form.h"

class clPfade {
public:
    struct Services {
        platform::IFileSystem& files;
        platform::IEnvironment& environment;
        platform::ITextCodec& text;  // ACT!'s code page, for what fits a field
    };
    // A command as the list window holds it.
    struct Command {
        std::int32_t position = 0;
        std::string name;
        std::string zeile;
        std::string start;
        bool complete = true;  // its record was read whole
    };
    struct Offer {
        Command command;
        modListActions::PathChange change;
    };
    struct Kept {
        Command command;
        std::string_view reason;
    };

    clPfade(ui::IForm& window, Services services, std::vector<Command> commands, std::string folder);

    const std::vector<Offer>& Offered() const { return m_Offered; }
    const std::vector<Kept>& KeptAsTheyAre() const { return m_Kept; }
    // The changes to write once the window is closed with OK, or nothing.
    const std::optional<std::vector<modListActions::PathChange>>& Confirmed() const { return m_Confirmed; }

    // --- window events ----------------------------------------------------
    // Both lists filled; without a command to change, OK is off.
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();
    // Escape (27) closes the window as Cancel does.
    void Form_KeyPress(int KeyAscii);

private:
    void Plan(const Command& command);

    ui::IForm& m_Window;
    Services m_Services;
    std::string m_Folder;
    bool m_FolderWritable = true;
    std::vector<Offer> m_Offered;
    std::vector<Kept> m_Kept;
    std::optional<std::vector<modListActions::PathChange>> m_Confirmed;
};
