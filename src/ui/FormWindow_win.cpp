#include "ui/FormWindow_win.h"

#include <utility>

#include "base/UiTexts.h"
#include "ui/Buttons_win.h"
#include "ui/ComboList_win.h"
#include "ui/Edit_win.h"
#include "ui/Label_win.h"
#include "ui/ListView_win.h"
#include "ui/PictureBox_win.h"
#include "ui/ProgressBar_win.h"
#include "ui/StatusBar_win.h"
#include "ui/ToolTips_win.h"

namespace ui {

void FormWindow::RaiseNoSuchControl(ControlId control) {
    Raise(ErrorNumber::InvalidCall, std::string(texts::kNoSuchControlId) + std::to_string(control.id));
}

void FormWindow::AddControls(ControlTable table) {
    for (const ControlEntry& entry : table) {
        Control& control = AddControl(entry);
        if (!entry.tip.empty()) Tips().Set(control, entry.tip);
    }
}

Label::Options FormWindow::LabelStyle(const ControlEntry& entry) const { return {.mnemonic = !entry.plainText}; }

Control& FormWindow::AddControl(const ControlEntry& entry) {
    const std::string name(entry.name);
    const int id = entry.id != 0 ? entry.id : NextControlId();
    switch (entry.kind) {
        case Kind::Frame: return AddWithId<ui::Frame>(id, name, entry.place, entry.caption);
        case Kind::Label: return AddWithId<ui::Label>(id, name, entry.place, entry.caption, LabelStyle(entry));
        case Kind::TextBox: return AddWithId<ui::Edit>(id, name, entry.place, entry.caption);
        case Kind::DropDown: return AddWithId<ui::ComboList>(id, name, entry.place);
        case Kind::Button:
        case Kind::PictureButton: {
            auto& button = AddWithId<ui::Button>(id, name, entry.place, entry.caption);
            if (entry.isDefault) button.SetDefault(true);
            return button;
        }
        case Kind::CheckBox: return AddWithId<ui::CheckBox>(id, name, entry.place, entry.caption);
        case Kind::Option:
            return AddWithId<ui::OptionButton>(id, name, entry.place, entry.caption, entry.firstOfGroup,
                                               entry.selected);
        case Kind::Picture: return AddWithId<ui::PictureBox>(id, name, entry.place, entry.bordered);
        case Kind::ListView: return AddWithId<ui::ListView>(id, name, entry.place);
        case Kind::Progress: return AddWithId<ui::ProgressBar>(id, name, entry.place, 0, 100);
        case Kind::Status: {
            auto& bar = AddWithId<ui::StatusBar>(id, name, entry.place.height / kTwipsPerPixelAt96Dpi);
            bar.AddPanel(std::string(kStatusPanel));
            return bar;
        }
    }
    Raise(ErrorNumber::InvalidCall);
}

std::string FormWindow::Text(ControlId control) const { return At<Control>(control).Text(); }
void FormWindow::SetText(ControlId control, std::string_view text) { At<Control>(control).SetText(text); }
bool FormWindow::Enabled(ControlId control) const { return At<Control>(control).Enabled(); }
void FormWindow::SetEnabled(ControlId control, bool enabled) { At<Control>(control).SetEnabled(enabled); }
void FormWindow::Focus(ControlId control) { At<Control>(control).Focus(); }
void FormWindow::SetTip(ControlId control, std::string_view text) { Tips().Set(At<Control>(control), text); }

void FormWindow::AddItem(DropDownId list, std::string_view text) { At<ComboList>(list).AddItem(text); }
int FormWindow::ItemCount(DropDownId list) const { return At<ComboList>(list).Count(); }
std::string FormWindow::ItemText(DropDownId list, int index) const { return At<ComboList>(list).ItemText(index); }
int FormWindow::ListIndex(DropDownId list) const { return At<ComboList>(list).ListIndex(); }
void FormWindow::SetListIndex(DropDownId list, int index) { At<ComboList>(list).SetListIndex(index); }

bool FormWindow::Checked(ToggleId toggle) const { return At<ToggleButton>(toggle).Checked(); }
void FormWindow::SetChecked(ToggleId toggle, bool checked) { At<ToggleButton>(toggle).SetChecked(checked); }

int FormWindow::Value(ProgressId bar) const { return At<ProgressBar>(bar).Value(); }
void FormWindow::SetValue(ProgressId bar, int value) { At<ProgressBar>(bar).SetValue(value); }

std::string FormWindow::StatusText(StatusId bar) const { return At<StatusBar>(bar).PanelText(kStatusPanel); }
void FormWindow::SetStatusText(StatusId bar, std::string_view text) {
    At<StatusBar>(bar).SetPanelText(kStatusPanel, text);
}

// The rows are the list's own; no row is clicked while they are put in.
void FormWindow::FillRows(ListView& view, const std::vector<Row>& rows) {
    const auto handler = std::exchange(view.onItemClick, nullptr);
    view.ClearRows();
    for (const Row& cells : rows) {
        const int row = view.AddRow(cells.empty() ? std::string_view() : std::string_view(cells.front()));
        for (std::size_t c = 1; c < cells.size(); ++c) view.SetCell(row, static_cast<int>(c), cells[c]);
    }
    view.onItemClick = handler;
}

void FormWindow::ShowRows(ListViewId list, std::span<const std::string_view> headers, const std::vector<Row>& rows) {
    ListView& view = At<ListView>(list);
    view.BeginUpdate();
    view.ClearColumns();
    for (std::string_view header : headers) view.AddColumn(header);
    FillRows(view, rows);
    // Sized while the list draws nothing: each width set otherwise redraws
    // the list and its header.
    SizeColumns(view);
    view.EndUpdate();
}

void FormWindow::SizeColumns(ListView& view) { view.AutoSizeColumns(true); }

// The rows' cells rewritten in place: the list stays scrolled where it is,
// and its selection stays at its place until the logic moves it.
void FormWindow::ReorderRows(ListViewId list, const std::vector<Row>& rows) {
    ListView& view = At<ListView>(list);
    view.BeginUpdate();
    if (static_cast<int>(rows.size()) != view.RowCount()) {
        FillRows(view, rows);
    } else {
        const int columns = view.ColumnCount();
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const Row& cells = rows[r];
            for (int c = 0; c < columns; ++c) {
                const auto at = static_cast<std::size_t>(c);
                view.SetCell(static_cast<int>(r), c,
                             at < cells.size() ? std::string_view(cells[at]) : std::string_view());
            }
        }
    }
    view.EndUpdate();
}

void FormWindow::AddRow(ListViewId list, const Row& cells) {
    ListView& view = At<ListView>(list);
    const int row = view.AddRow(cells.empty() ? std::string_view() : std::string_view(cells.front()));
    for (std::size_t c = 1; c < cells.size(); ++c) view.SetCell(row, static_cast<int>(c), cells[c]);
}

// Drawn once for the piece; only the new rows are measured.
void FormWindow::AddRows(ListViewId list, std::span<const Row> rows) {
    ListView& view = At<ListView>(list);
    const int first = view.RowCount();
    view.BeginUpdate();
    for (const Row& cells : rows) {
        const int row = view.AddRow(cells.empty() ? std::string_view() : std::string_view(cells.front()));
        for (std::size_t c = 1; c < cells.size(); ++c) view.SetCell(row, static_cast<int>(c), cells[c]);
    }
    view.WidenColumns(first);
    view.EndUpdate();
}

int FormWindow::SelectedRow(ListViewId list) const { return At<ListView>(list).SelectedRow(); }

std::vector<int> FormWindow::SelectedRows(ListViewId list) const { return At<ListView>(list).SelectedRows(); }

void FormWindow::SelectRow(ListViewId list, int row) {
    ListView& view = At<ListView>(list);
    const auto handler = std::exchange(view.onItemClick, nullptr);
    view.SelectRow(row);
    view.onItemClick = handler;
}

platform::DeviceContext FormWindow::Surface(PictureId picture) {
    return reinterpret_cast<platform::DeviceContext>(At<PictureBox>(picture).Surface());
}

void FormWindow::ClearPicture(PictureId picture) { At<PictureBox>(picture).ClearSurface(GetSysColor(COLOR_BTNFACE)); }

void FormWindow::Refresh(PictureId picture) { At<PictureBox>(picture).Refresh(); }

platform::WindowHandle FormWindow::Handle() const { return reinterpret_cast<platform::WindowHandle>(hwnd()); }

}  // namespace ui
