#pragma once
// The logic of the command editor (frmBearbeiten), opened from the list
// window for one command: its six texts, each limited to its field in
// ACT!'s record (one byte a character in ACT!'s code page) with the room
// left shown as the user types, and its two button pictures, which a
// picture file replaces (in the form the stored picture has) and which are
// saved as PNG files as they are shown. OK checks the texts and closes the
// window with the edit; Cancel and Esc close it with none. Nothing here
// writes to ACT!'s configuration: the list window does, with the edit.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "commands/clCustomTessivar.h"
#include "commands/clDIB.h"
#include "manager/modEditCommand.h"
#include "platform/FileDialogs.h"
#include "platform/ImageCodec.h"
#include "platform/MessageBoxes.h"
#include "platform/TextCodec.h"
#include "ui/Form.h"

class clBearbeiten {
public:
    struct Services {
        platform::ITextCodec& text;  // ACT!'s code page
        platform::IMessageBoxes& boxes;
        platform::IFileDialogs& dialogs;
        platform::IGraphics& graphics;
        platform::IImageCodec& images;
    };
    // Whether another command of the table has the name given lower-cased
    // (as the table compares names when it adds a command).
    using NameTaken = std::function<bool(const std::string& lowerName)>;

    clBearbeiten(Services services, ui::IForm& window, const clCustomTessivar& command, NameTaken nameTaken);

    // The edit once the window closed with OK, or nothing.
    const std::optional<modEditCommand::Edit>& Result() const { return m_Result; }
    // How many characters of ACT!'s code page the box's field holds.
    static std::size_t Width(ui::TextBoxId box);

    // --- window events ----------------------------------------------------
    // The texts and pictures shown, the name focused.
    void Form_Load();
    void txb_Change(ui::TextBoxId box);
    void cmdDurchsuchen_Click();
    void cmdBildLaden_Click(bool large);
    void cmdPng_Click(bool large);
    void cmdOK_Click();
    void cmdAbbrechen_Click();
    // Escape (27) closes the window as Cancel does.
    void Form_KeyPress(int KeyAscii);

private:
    struct Picture {
        ui::PictureId box;
        std::int32_t side;
        std::string_view subject;  // "Das große Bild"
        ByteArray stored;
        bool replaced = false;
        clDIB shown;
    };

    Picture& PictureOf(bool large) { return large ? m_Large : m_Small; }
    void Show(Picture& picture);
    void ShowRoom(ui::TextBoxId box);
    // Refuses the text of `box`, with a message naming its field.
    void Refuse(ui::TextBoxId box, std::string_view message);
    std::optional<std::string> AskFile(std::string_view title, std::string_view filter, bool open) const;

    Services m_Services;
    ui::IForm& m_Window;
    NameTaken m_NameTaken;
    std::string m_OldLowerName;
    modEditCommand::Edit m_Texts;  // as the command holds them
    std::int32_t m_BytesPerPixel;
    Picture m_Large;
    Picture m_Small;
    std::optional<modEditCommand::Edit> m_Result;
};
