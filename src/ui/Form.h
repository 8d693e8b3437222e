#pragma once
// A window as its logic (its presenter) sees it: the controls of its table,
// addressed by their typed handles, and the few things every window does.
// The Win32 window (ui::FormWindow) implements it over the real controls;
// tests put a recording form in its place. A window with more to do (a
// picture to draw, a dialog of its own) adds that in an interface of its
// own that derives from this one (virtually, so that the Win32 window and
// the recording form each give this part once).
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Graphics.h"
#include "platform/WindowSystem.h"
#include "ui/ControlTable.h"

namespace ui {

// The mouse pointer over the whole window.
enum class Pointer { Default, Hourglass, UpArrow };

class IForm {
public:
    using Row = std::vector<std::string>;

    virtual ~IForm() = default;

    // Any control: its text (a text box's contents, a caption), whether it
    // takes input, the focus.
    virtual std::string Text(ControlId control) const = 0;
    virtual void SetText(ControlId control, std::string_view text) = 0;
    virtual bool Enabled(ControlId control) const = 0;
    virtual void SetEnabled(ControlId control, bool enabled) = 0;
    virtual void Focus(ControlId control) = 0;
    // The control's tool tip ("" takes it away).
    virtual void SetTip(ControlId control, std::string_view text) = 0;

    // Drop-down lists: entries from 0; -1 when none is chosen.
    virtual void AddItem(DropDownId list, std::string_view text) = 0;
    virtual int ItemCount(DropDownId list) const = 0;
    virtual std::string ItemText(DropDownId list, int index) const = 0;
    virtual int ListIndex(DropDownId list) const = 0;
    virtual void SetListIndex(DropDownId list, int index) = 0;

    // Check boxes and option buttons.
    virtual bool Checked(ToggleId toggle) const = 0;
    virtual void SetChecked(ToggleId toggle, bool checked) = 0;

    // Progress bars, 0 to 100.
    virtual int Value(ProgressId bar) const = 0;
    virtual void SetValue(ProgressId bar, int value) = 0;

    // A status bar's one panel.
    virtual std::string StatusText(StatusId bar) const = 0;
    virtual void SetStatusText(StatusId bar, std::string_view text) = 0;

    // List views in report form: the columns and rows given replace what
    // the list shows, its columns sized to their texts. Rows from 0; -1 when
    // none is selected. Selecting a row here raises no event of the list:
    // the logic that selects does what the selection asks for itself.
    virtual void ShowRows(ListViewId list, std::span<const std::string_view> headers, const std::vector<Row>& rows) = 0;
    // The same rows in another order, the columns as they are; the list
    // stays scrolled where it is, and moving the selection with its row is
    // the logic's.
    virtual void ReorderRows(ListViewId list, const std::vector<Row>& rows) = 0;
    virtual void AddRow(ListViewId list, const Row& cells) = 0;
    // Appends rows to what ShowRows put in, widening a column that is too
    // narrow for them: how a list fills piece by piece as it is read.
    virtual void AddRows(ListViewId list, std::span<const Row> rows) = 0;
    virtual int SelectedRow(ListViewId list) const = 0;
    virtual void SelectRow(ListViewId list, int row) = 0;
    // Every row selected, in the list's order, in a list that lets the user
    // select several; SelectedRow gives the one the user chose last.
    virtual std::vector<int> SelectedRows(ListViewId list) const {
        const int row = SelectedRow(list);
        return row < 0 ? std::vector<int>{} : std::vector<int>{row};
    }

    // Picture boxes: a surface to draw on (kept until cleared), shown at Refresh.
    virtual platform::DeviceContext Surface(PictureId picture) = 0;
    virtual void ClearPicture(PictureId picture) = 0;
    virtual void Refresh(PictureId picture) = 0;

    // The window itself.
    virtual std::string Caption() const = 0;
    virtual platform::WindowHandle Handle() const = 0;
    virtual void SetPointer(Pointer pointer) = 0;
    // Closes the window, with its close steps.
    virtual void Close() = 0;
};

}  // namespace ui
