#include "manager/clBearbeiten.h"

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "commands/CommandRecord.h"
#include "commands/modButtonImage.h"
#include "common/clFileDialog.h"
#include "common/modMessages.h"
#include "manager/BearbeitenControls.h"

namespace c = BearbeitenControls;

namespace {

constexpr int kEscape = 27;
constexpr std::uint32_t kOverwritePrompt = 0x2;  // the save dialog asks before it replaces a file

// The texts in the window's order: box, the room left, the record's field
// and the name the messages give it.
struct Field {
    ui::TextBoxId box;
    ui::LabelId room;
    record::TextField field;
    std::string_view name;
    std::string modEditCommand::Edit::*text;
};
constexpr Field kFields[] = {
    {c::txbName, c::lbRestName, record::kName, texts::kEditFieldName, &modEditCommand::Edit::name},
    {c::txbZeile, c::lbRestZeile, record::kZeile, texts::kEditFieldZeile, &modEditCommand::Edit::zeile},
    {c::txbStart, c::lbRestStart, record::kStart, texts::kEditFieldStart, &modEditCommand::Edit::start},
    {c::txbQuickInfo, c::lbRestQuickInfo, record::kQuickInfo, texts::kEditFieldQuickInfo,
     &modEditCommand::Edit::quickInfo},
    {c::txbBeschreibung, c::lbRestBeschreibung, record::kBeschreibung, texts::kEditFieldBeschreibung,
     &modEditCommand::Edit::beschreibung},
    {c::txbMenu, c::lbRestMenu, record::kMenu, texts::kEditFieldMenu, &modEditCommand::Edit::menu},
};

const Field& FieldOf(ui::TextBoxId box) {
    for (const Field& field : kFields) {
        if (field.box == box) return field;
    }
    Raise(ErrorNumber::InvalidCall);
}

// Room left in the field; negative when the text is longer.
std::int64_t Room(platform::ITextCodec& text, const Field& field, const std::string& value) {
    return static_cast<std::int64_t>(field.field.Width()) - static_cast<std::int64_t>(text.ToCodePage(value).size());
}

}  // namespace

clBearbeiten::clBearbeiten(Services services, ui::IForm& window, const clCustomTessivar& command, NameTaken nameTaken)
    : m_Services(services),
      m_Window(window),
      m_NameTaken(std::move(nameTaken)),
      m_OldLowerName(command.LowerName()),
      m_Texts(modEditCommand::TextsOf(command)),
      m_BytesPerPixel(command.BytesPerPixel()),
      m_Large{c::imGross, 24, texts::kEditLargePictureSubject, command.BitmapLBytes(), false, clDIB(services.graphics)},
      m_Small{
          c::imKlein, 16, texts::kEditSmallPictureSubject, command.BitmapSBytes(), false, clDIB(services.graphics)} {}

std::size_t clBearbeiten::Width(ui::TextBoxId box) { return FieldOf(box).field.Width(); }

void clBearbeiten::Form_Load() {
    for (const Field& field : kFields) {
        m_Window.SetText(field.box, m_Texts.*field.text);
        ShowRoom(field.box);
    }
    Show(m_Large);
    Show(m_Small);
    m_Window.Focus(c::txbName);
}

void clBearbeiten::txb_Change(ui::TextBoxId box) { ShowRoom(box); }

void clBearbeiten::ShowRoom(ui::TextBoxId box) {
    const Field& field = FieldOf(box);
    const std::int64_t room = Room(m_Services.text, field, m_Window.Text(box));
    m_Window.SetText(field.room, room >= 0 ? std::string(texts::kEditRoomStart) + std::to_string(room) +
                                                 std::string(texts::kEditRoomEnd)
                                           : std::to_string(-room) + std::string(texts::kEditTooMuch));
}

// Shown as the list shows it: at the button's size, with the bytes per
// pixel of the large picture.
void clBearbeiten::Show(Picture& picture) {
    picture.shown = clDIB::OfStoredImage(m_Services.graphics, picture.side, picture.stored, m_BytesPerPixel);
    m_Window.ClearPicture(picture.box);
    picture.shown.PaintPicture(m_Window.Surface(picture.box));
    m_Window.Refresh(picture.box);
}

std::optional<std::string> clBearbeiten::AskFile(std::string_view title, std::string_view filter, bool open) const {
    clFileDialog dialog(m_Services.boxes, m_Services.dialogs);
    dialog.DialogTitle(title);
    dialog.Filter(filter);
    dialog.hWndParent(m_Window.Handle());
    if (!open) {
        dialog.DefaultExt(texts::kEditPngExtension);
        dialog.Flags(kOverwritePrompt);
    }
    if (!dialog.Show(open)) return std::nullopt;
    return dialog.FileName();
}

// A path with blanks is quoted, or ACT! would take its first word for the program.
void clBearbeiten::cmdDurchsuchen_Click() {
    const std::optional<std::string> path = AskFile(texts::kEditBrowseTitle, texts::kEditBrowseFilter, true);
    if (!path) return;
    m_Window.SetText(c::txbZeile, path->find(' ') == std::string::npos ? *path : '"' + *path + '"');
    ShowRoom(c::txbZeile);
    m_Window.Focus(c::txbZeile);
}

void clBearbeiten::cmdBildLaden_Click(bool large) {
    Picture& picture = PictureOf(large);
    const std::optional<modButtonImage::Form> form = modButtonImage::FormOf(picture.stored);
    if (!form) {
        modMessages::MsgBox(m_Services.boxes, std::string(picture.subject) + std::string(texts::kEditPictureUnusable),
                            platform::MsgIcon::Information);
        return;
    }
    const std::optional<std::string> path = AskFile(texts::kEditPictureOpenTitle, texts::kEditPictureFilter, true);
    if (!path) return;
    try {
        const platform::Pixels pixels = m_Services.images.Decode(*path, form->width, form->height);
        picture.stored = modButtonImage::Replaced(picture.stored, *form, pixels);
    } catch (const AppError& error) {
        modMessages::MsgBox(m_Services.boxes,
                            std::string(picture.subject) + std::string(texts::kEditPictureNotLoaded) +
                                std::string(texts::kCrLf) + error.description(),
                            platform::MsgIcon::Exclamation);
        return;
    }
    picture.replaced = true;
    Show(picture);
}

void clBearbeiten::cmdPng_Click(bool large) {
    Picture& picture = PictureOf(large);
    const std::optional<std::string> path = AskFile(texts::kEditPngSaveTitle, texts::kEditPngFilter, false);
    if (!path) return;
    try {
        m_Services.images.EncodePng(*path, modButtonImage::Shown(picture.shown));
    } catch (const AppError& error) {
        modMessages::MsgBox(m_Services.boxes,
                            std::string(picture.subject) + std::string(texts::kEditPictureNotSaved) +
                                std::string(texts::kCrLf) + error.description(),
                            platform::MsgIcon::Exclamation);
    }
}

void clBearbeiten::Refuse(ui::TextBoxId box, std::string_view message) {
    modMessages::MsgBox(m_Services.boxes, message, platform::MsgIcon::Information);
    m_Window.Focus(box);
}

// The window stays open on a refusal, with the field at fault focused.
void clBearbeiten::cmdOK_Click() {
    modEditCommand::Edit edit;
    for (const Field& field : kFields) {
        std::string text = m_Window.Text(field.box);
        const std::string start = std::string(texts::kEditFieldStartText) + std::string(field.name);
        if (m_Services.text.FromCodePage(m_Services.text.ToCodePage(text)) != text) {
            Refuse(field.box, start + std::string(texts::kEditNotInCodePage));
            return;
        }
        if (const std::int64_t room = Room(m_Services.text, field, text); room < 0) {
            Refuse(field.box, start + std::string(texts::kEditTooLongStart) + std::to_string(-room) +
                                  std::string(texts::kEditTooLongEnd));
            return;
        }
        edit.*field.text = std::move(text);
    }
    if (edit.name.empty()) {
        Refuse(c::txbName, texts::kEditNameEmpty);
        return;
    }
    // A name that stays as it was is no new clash, even where the table held it twice already.
    const std::string lower = m_Services.text.ToLower(edit.name);
    if (lower != m_OldLowerName && m_NameTaken(lower)) {
        Refuse(c::txbName, std::string(texts::kDuplicateNameStart) + edit.name + std::string(texts::kDuplicateNameEnd));
        return;
    }
    if (m_Large.replaced) edit.large = m_Large.stored;
    if (m_Small.replaced) edit.small = m_Small.stored;
    m_Result = std::move(edit);
    m_Window.Close();
}

void clBearbeiten::cmdAbbrechen_Click() { m_Window.Close(); }

void clBearbeiten::Form_KeyPress(int KeyAscii) {
    if (KeyAscii == kEscape) m_Window.Close();
}
