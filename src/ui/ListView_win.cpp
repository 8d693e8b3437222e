#include "ui/ListView_win.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "platform/WinText_win.h"
#include "ui/CommonControls_win.h"
#include "ui/Window_win.h"

namespace ui {
namespace {

// The widest text a cell is read with; longer ones are cut.
constexpr int kMaxCellChars = 4096;
// What a column header needs beside its text, in pixels at 96 DPI.
constexpr int kHeaderMargins = 16;

}  // namespace

ListView::ListView(Window& owner, std::string name, Place place) : Control(owner, std::move(name), place) {
    EnsureCommonControls();
    CreateHwnd(WC_LISTVIEWW, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
               WS_EX_CLIENTEDGE, {});
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Subclass();
}

HWND ListView::Header() const { return reinterpret_cast<HWND>(SendMessageW(hwnd(), LVM_GETHEADER, 0, 0)); }

int ListView::ColumnCount() const {
    HWND header = Header();
    return header == nullptr ? 0 : static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void ListView::ClearColumns() {
    for (int n = ColumnCount(); n > 0; --n) SendMessageW(hwnd(), LVM_DELETECOLUMN, 0, 0);
}

void ListView::AddColumn(std::string_view header) {
    std::wstring text = platform::Widen(header);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = 100;
    column.pszText = text.data();
    SendMessageW(hwnd(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(ColumnCount()), reinterpret_cast<LPARAM>(&column));
}

std::string ListView::ColumnHeader(int index) const {
    wchar_t buffer[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = buffer;
    column.cchTextMax = 256;
    if (!SendMessageW(hwnd(), LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column))) return {};
    return platform::Narrow(buffer);
}

int ListView::ColumnWidth(int column) const {
    return static_cast<int>(SendMessageW(hwnd(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

void ListView::SetColumnWidth(int column, int pixels) {
    SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(pixels, 0));
}

void ListView::AutoSizeColumn(int column, bool useHeader) {
    SendMessageW(hwnd(), LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column),
                 MAKELPARAM(useHeader ? LVSCW_AUTOSIZE_USEHEADER : LVSCW_AUTOSIZE, 0));
    if (!useHeader) return;
    // Some list views leave a short header cut ("Nr" as "..."): the header
    // text and the header's margins are made room for here as well.
    const std::wstring header = platform::Widen(ColumnHeader(column));
    const int text = static_cast<int>(SendMessageW(hwnd(), LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(header.c_str())));
    const int need = text + MulDiv(kHeaderMargins, static_cast<int>(Owner().Dpi()), 96);
    if (ColumnWidth(column) < need) SetColumnWidth(column, need);
}

bool ListView::HasSmallIcons() const { return SendMessageW(hwnd(), LVM_GETIMAGELIST, LVSIL_SMALL, 0) != 0; }

void ListView::ClearRows() { SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0); }

int ListView::AddRow(std::string_view text) {
    std::wstring wide = platform::Widen(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = RowCount();
    item.pszText = wide.data();
    return static_cast<int>(SendMessageW(hwnd(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCell(int row, int column, std::string_view text) {
    std::wstring wide = platform::Widen(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd(), LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::Cell(int row, int column) const {
    std::wstring buffer(kMaxCellChars, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = kMaxCellChars;
    const LRESULT n =
        SendMessageW(hwnd(), LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    buffer.resize(static_cast<std::size_t>(std::max<LRESULT>(n, 0)));
    return platform::Narrow(buffer);
}

int ListView::RowCount() const { return static_cast<int>(SendMessageW(hwnd(), LVM_GETITEMCOUNT, 0, 0)); }

void ListView::DeleteRow(int row) { SendMessageW(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0); }

int ListView::SelectedRow() const {
    return static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void ListView::SelectRow(int row) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    SendMessageW(hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

std::vector<std::string> ListView::RowTexts(int row) const {
    std::vector<std::string> texts;
    const int columns = ColumnCount();
    texts.reserve(static_cast<std::size_t>(columns));
    for (int c = 0; c < columns; ++c) texts.push_back(Cell(row, c));
    return texts;
}

// The rows are read out, ordered and written back: a list of texts has
// nothing else that a sort must keep.
void ListView::SortRows(
    const std::function<bool(const std::vector<std::string>&, const std::vector<std::string>&)>& less) {
    const int count = RowCount();
    const int selected = SelectedRow();
    std::vector<std::pair<std::vector<std::string>, bool>> rows;
    rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r) rows.emplace_back(RowTexts(r), r == selected);
    std::stable_sort(rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return less(a.first, b.first); });
    SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
    const auto handler = std::exchange(onItemClick, nullptr);  // no clicks while rows are rewritten
    ClearRows();
    int reselect = -1;
    for (const auto& [texts, wasSelected] : rows) {
        const int row = AddRow(texts.empty() ? std::string() : texts[0]);
        for (std::size_t c = 1; c < texts.size(); ++c) SetCell(row, static_cast<int>(c), texts[c]);
        if (wasSelected) reselect = row;
    }
    if (reselect >= 0) SelectRow(reselect);
    onItemClick = handler;
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

bool ListView::OnNotify(NMHDR& header, LRESULT& result) {
    result = 0;
    switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
            const bool nowSelected = (change.uNewState & LVIS_SELECTED) != 0;
            const bool wasSelected = (change.uOldState & LVIS_SELECTED) != 0;
            if (nowSelected && !wasSelected && change.iItem >= 0) {
                m_SelectedDuringClick = true;
                if (onItemClick) onItemClick(change.iItem);
            }
            return true;
        }
        case NM_CLICK: {
            // A click on the row already selected is a click too; one that
            // selected its row has been reported as the selection.
            const auto& click = reinterpret_cast<const NMITEMACTIVATE&>(header);
            if (!m_SelectedDuringClick && click.iItem >= 0 && click.iItem == SelectedRow() && onItemClick) {
                onItemClick(click.iItem);
            }
            m_SelectedDuringClick = false;
            return true;
        }
        case NM_DBLCLK:
        case NM_RETURN: {
            const int row = SelectedRow();
            if (row >= 0 && onActivate) onActivate(row);
            return true;
        }
        case LVN_COLUMNCLICK:
            if (onColumnClick) onColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
            return true;
        default:
            return false;
    }
}

bool ListView::OnOwnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg == WM_LBUTTONDOWN) m_SelectedDuringClick = false;
    if (msg == WM_KEYUP && onKeyUp) onKeyUp(static_cast<UINT>(wParam));
    return false;
}

}  // namespace ui
