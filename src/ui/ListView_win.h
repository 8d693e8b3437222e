#pragma once
// A list view in report form: rows of texts under column headers, one row
// selected at a time unless it allows several. Rows and columns count from 0.
//
// The rows live here, not in the control: the control asks for the texts
// of the rows it draws (a virtual list), so that filling it with thousands
// of rows costs next to nothing. Reading a row's text through the control
// (LVM_GETITEMTEXT, also from another process) works as with any list view.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control_win.h"

namespace ui {

class ListView : public Control {
public:
    ListView(Window& owner, std::string name, Place place);

    void ClearColumns();
    void AddColumn(std::string_view header);
    int ColumnCount() const;
    std::string ColumnHeader(int column) const;
    int ColumnWidth(int column) const;
    void SetColumnWidth(int column, int pixels);
    // Sizes a column to its contents, and with `useHeader` wide enough for its header too.
    void AutoSizeColumn(int column, bool useHeader);
    // The same for every column.
    void AutoSizeColumns(bool useHeader);
    // Widens each column that is too narrow for the rows from `firstRow` on;
    // none gets narrower.
    void WidenColumns(int firstRow);
    // True when the list shows small icons (it has a small-icon image list).
    bool HasSmallIcons() const;

    // Between these, rows are added and changed without being drawn; the
    // list is drawn once at the end. They nest.
    void BeginUpdate();
    void EndUpdate();

    void ClearRows();
    // Appends a row whose first column shows `text`; gives its position.
    int AddRow(std::string_view text);
    void SetCell(int row, int column, std::string_view text);
    std::string Cell(int row, int column) const;
    int RowCount() const { return static_cast<int>(m_Rows.size()); }
    void DeleteRow(int row);
    // The user may select several rows (with Ctrl and Shift).
    void AllowSeveralSelected();
    // -1 when no row is selected; of several, the one chosen last (which has the focus).
    int SelectedRow() const;
    // Every row selected, in order.
    std::vector<int> SelectedRows() const;
    // Selects `row` alone.
    void SelectRow(int row);

    // Orders the rows; `less` compares two rows' texts, column by column.
    void SortRows(const std::function<bool(const std::vector<std::string>&, const std::vector<std::string>&)>& less);

    std::function<void(int row)> onItemClick;  // a row clicked or selected
    std::function<void(int row)> onActivate;  // double click or Enter on a row
    std::function<void(int column)> onColumnClick;
    std::function<void(UINT key)> onKeyUp;

protected:
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnOwnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    using Row = std::vector<std::wstring>;
    class TextWidths;

    HWND Header() const;
    int FittingWidth(const TextWidths& widths, int column, bool useHeader, int firstRow = 0) const;
    std::vector<std::string> RowTexts(int row) const;
    const std::wstring* CellText(int row, int column) const;
    void ApplyCount();
    int FindRow(const std::wstring& prefix, int start, bool wrap) const;

    std::vector<Row> m_Rows;
    int m_Updating = 0;
    bool m_SelectedDuringClick = false;
};

}  // namespace ui
