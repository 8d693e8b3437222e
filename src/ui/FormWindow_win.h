#pragma once
// A window built from its control table and handed to its logic as the
// ui::IForm the logic talks to. The window class of a program's window
// derives from it, creates its controls with AddControls in OnCreate, adds
// the art only the real window has, and forwards the controls' events to
// its presenter; everything else the window does lies in the presenter:
//
//   class frmGruss : public ui::FormWindow, public IGrussWindow {
//   public:
//       frmGruss() : FormWindow(L"Gruss"), m_Logic(*this) {}
//   protected:
//       void OnCreate() override {
//           AddControls(GrussControls::All());
//           At<ui::Button>(GrussControls::cmdOK).onClick = [this] { m_Logic.cmdOK_Click(); };
//       }
//   private:
//       clGruss m_Logic;
//   };
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "base/AppError.h"
#include "ui/ControlTable.h"
#include "ui/Form.h"
#include "ui/Label_win.h"
#include "ui/Window_win.h"

namespace ui {

class ListView;

class FormWindow : public Window, public virtual IForm {
public:
    using Window::Window;

    std::string Text(ControlId control) const override;
    void SetText(ControlId control, std::string_view text) override;
    bool Enabled(ControlId control) const override;
    void SetEnabled(ControlId control, bool enabled) override;
    void Focus(ControlId control) override;
    void SetTip(ControlId control, std::string_view text) override;
    void AddItem(DropDownId list, std::string_view text) override;
    int ItemCount(DropDownId list) const override;
    std::string ItemText(DropDownId list, int index) const override;
    int ListIndex(DropDownId list) const override;
    void SetListIndex(DropDownId list, int index) override;
    bool Checked(ToggleId toggle) const override;
    void SetChecked(ToggleId toggle, bool checked) override;
    int Value(ProgressId bar) const override;
    void SetValue(ProgressId bar, int value) override;
    std::string StatusText(StatusId bar) const override;
    void SetStatusText(StatusId bar, std::string_view text) override;
    void ShowRows(ListViewId list, std::span<const std::string_view> headers, const std::vector<Row>& rows) override;
    void ReorderRows(ListViewId list, const std::vector<Row>& rows) override;
    void AddRow(ListViewId list, const Row& cells) override;
    void AddRows(ListViewId list, std::span<const Row> rows) override;
    int SelectedRow(ListViewId list) const override;
    std::vector<int> SelectedRows(ListViewId list) const override;
    void SelectRow(ListViewId list, int row) override;
    platform::DeviceContext Surface(PictureId picture) override;
    void ClearPicture(PictureId picture) override;
    void Refresh(PictureId picture) override;
    std::string Caption() const override { return Window::Caption(); }
    platform::WindowHandle Handle() const override;
    void SetPointer(Pointer pointer) override { Window::SetPointer(pointer); }
    void Close() override { Window::Close(); }

    // The control of `control` as the kind it is; AppError when the window
    // has no such control.
    template <class C>
    C& At(ControlId control) const {
        auto* found = dynamic_cast<C*>(FindById(control.id));
        if (found == nullptr) RaiseNoSuchControl(control);
        return *found;
    }

protected:
    // Creates the controls of `table` in its order, which is the order of
    // the Tab key: each with its identifier, caption, place, tool tip, and
    // as the window's default button where the table says so. The status
    // bar gets its one panel.
    void AddControls(ControlTable table);
    // How a label of the table is drawn; by default on the window's face in
    // the system's colours.
    virtual Label::Options LabelStyle(const ControlEntry& entry) const;
    // Sizes a list's columns when ShowRows has put its rows in, while the
    // list draws nothing; by default each to its header and its widest cell.
    virtual void SizeColumns(ListView& view);

private:
    [[noreturn]] static void RaiseNoSuchControl(ControlId control);
    Control& AddControl(const ControlEntry& entry);
    void FillRows(class ListView& view, const std::vector<Row>& rows);
};

// The key of the one panel of a status bar made from a table.
inline constexpr std::string_view kStatusPanel = "Status";

}  // namespace ui
