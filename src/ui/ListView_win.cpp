#include "ui/ListView_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <utility>

#include "platform/Handles_win.h"
#include "platform/WinText_win.h"
#include "ui/CommonControls_win.h"
#include "ui/Window_win.h"

namespace ui {
namespace {

// What a cell and a column header need beside their text, in pixels at 96 DPI.
constexpr int kCellMargins = 14;
constexpr int kHeaderMargins = 16;

}  // namespace

ListView::ListView(Window& owner, std::string name, Place place) : Control(owner, std::move(name), place) {
    EnsureCommonControls();
    CreateHwnd(WC_LISTVIEWW, WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_OWNERDATA,
               WS_EX_CLIENTEDGE, {});
    SendMessageW(hwnd(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
                 LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
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

// Widths of texts in the list's font, through one device context.
class ListView::TextWidths {
public:
    explicit TextWidths(HWND list) : m_DC(platform::ClientDC(list)), m_Selected(m_DC.get(), FontOf(list)) {}
    int Of(const std::wstring& text) const {
        SIZE size{};
        GetTextExtentPoint32W(m_DC.get(), text.c_str(), static_cast<int>(text.size()), &size);
        return static_cast<int>(size.cx);
    }

private:
    static HGDIOBJ FontOf(HWND list) {
        HFONT font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
        return font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT);
    }
    platform::UniqueWindowDC m_DC;
    platform::SelectedObject m_Selected;
};

// Measured here: the texts are ours, and measuring them in one go is many
// times faster than the control asking for each.
int ListView::FittingWidth(const TextWidths& widths, int column, bool useHeader, int firstRow) const {
    const int dpi = static_cast<int>(Owner().Dpi());
    int widest = 0;
    for (auto r = static_cast<std::size_t>(std::max(firstRow, 0)); r < m_Rows.size(); ++r) {
        if (const std::wstring* text = CellText(static_cast<int>(r), column))
            widest = std::max(widest, widths.Of(*text));
    }
    int width = widest + MulDiv(kCellMargins, dpi, 96);
    if (useHeader) {
        width = std::max(width, widths.Of(platform::Widen(ColumnHeader(column))) + MulDiv(kHeaderMargins, dpi, 96));
    }
    return width;
}

void ListView::AutoSizeColumn(int column, bool useHeader) {
    const TextWidths widths(hwnd());
    SetColumnWidth(column, FittingWidth(widths, column, useHeader));
}

void ListView::AutoSizeColumns(bool useHeader) {
    const TextWidths widths(hwnd());
    for (int column = 0, n = ColumnCount(); column < n; ++column) {
        SetColumnWidth(column, FittingWidth(widths, column, useHeader));
    }
}

void ListView::WidenColumns(int firstRow) {
    const TextWidths widths(hwnd());
    for (int column = 0, n = ColumnCount(); column < n; ++column) {
        const int fitting = FittingWidth(widths, column, false, firstRow);
        if (fitting > ColumnWidth(column)) SetColumnWidth(column, fitting);
    }
}

bool ListView::HasSmallIcons() const { return SendMessageW(hwnd(), LVM_GETIMAGELIST, LVSIL_SMALL, 0) != 0; }

void ListView::BeginUpdate() {
    if (m_Updating++ == 0) SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
}

void ListView::EndUpdate() {
    if (m_Updating == 0 || --m_Updating > 0) return;
    ApplyCount();
    SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd(), nullptr, TRUE);
}

void ListView::ApplyCount() {
    if (m_Updating > 0) return;
    SendMessageW(hwnd(), LVM_SETITEMCOUNT, m_Rows.size(), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
}

void ListView::ClearRows() {
    m_Rows.clear();
    SendMessageW(hwnd(), LVM_DELETEALLITEMS, 0, 0);
}

int ListView::AddRow(std::string_view text) {
    m_Rows.push_back({platform::Widen(text)});
    ApplyCount();
    return RowCount() - 1;
}

void ListView::SetCell(int row, int column, std::string_view text) {
    if (row < 0 || row >= RowCount() || column < 0) return;
    Row& cells = m_Rows[static_cast<std::size_t>(row)];
    if (cells.size() <= static_cast<std::size_t>(column)) cells.resize(static_cast<std::size_t>(column) + 1);
    cells[static_cast<std::size_t>(column)] = platform::Widen(text);
    if (m_Updating == 0) SendMessageW(hwnd(), LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

const std::wstring* ListView::CellText(int row, int column) const {
    if (row < 0 || row >= RowCount() || column < 0) return nullptr;
    const Row& cells = m_Rows[static_cast<std::size_t>(row)];
    return static_cast<std::size_t>(column) < cells.size() ? &cells[static_cast<std::size_t>(column)] : nullptr;
}

std::string ListView::Cell(int row, int column) const {
    const std::wstring* text = CellText(row, column);
    return text != nullptr ? platform::Narrow(*text) : std::string();
}

void ListView::DeleteRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    m_Rows.erase(m_Rows.begin() + row);
    // The control moves the selection of the rows behind it up by one.
    SendMessageW(hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
}

void ListView::AllowSeveralSelected() {
    SetWindowLongPtrW(hwnd(), GWL_STYLE, GetWindowLongPtrW(hwnd(), GWL_STYLE) & ~static_cast<LONG_PTR>(LVS_SINGLESEL));
}

int ListView::SelectedRow() const {
    const auto focused =
        static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED | LVNI_SELECTED));
    if (focused >= 0) return focused;
    return static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

std::vector<int> ListView::SelectedRows() const {
    std::vector<int> rows;
    for (int row = -1;;) {
        row = static_cast<int>(SendMessageW(hwnd(), LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED));
        if (row < 0) break;
        rows.push_back(row);
    }
    return rows;
}

void ListView::SelectRow(int row) {
    if ((GetWindowLongPtrW(hwnd(), GWL_STYLE) & LVS_SINGLESEL) == 0) {
        LVITEMW none{};
        none.stateMask = LVIS_SELECTED;
        SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    }
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

void ListView::SortRows(
    const std::function<bool(const std::vector<std::string>&, const std::vector<std::string>&)>& less) {
    const int selected = SelectedRow();
    struct Entry {
        std::vector<std::string> texts;
        Row row;
        bool selected;
    };
    std::vector<Entry> entries;
    entries.reserve(m_Rows.size());
    for (int r = 0; r < RowCount(); ++r)
        entries.push_back({RowTexts(r), std::move(m_Rows[static_cast<std::size_t>(r)]), r == selected});
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const Entry& a, const Entry& b) { return less(a.texts, b.texts); });
    int reselect = -1;
    for (std::size_t r = 0; r < entries.size(); ++r) {
        m_Rows[r] = std::move(entries[r].row);
        if (entries[r].selected) reselect = static_cast<int>(r);
    }
    // The same rows, in a new order: no row is clicked while the selection moves with its row.
    const auto handler = std::exchange(onItemClick, nullptr);
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(hwnd(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    if (reselect >= 0) SelectRow(reselect);
    onItemClick = handler;
    InvalidateRect(hwnd(), nullptr, TRUE);
}

// The first row from `start` whose first column begins with `prefix`, letter case aside.
int ListView::FindRow(const std::wstring& prefix, int start, bool wrap) const {
    const int count = RowCount();
    for (int i = 0; i < count; ++i) {
        const int r = start + i;
        if (r >= count && !wrap) break;
        const std::wstring* text = CellText(r % count, 0);
        if (text == nullptr || text->size() < prefix.size()) continue;
        bool same = true;
        for (std::size_t k = 0; k < prefix.size() && same; ++k)
            same = std::towlower((*text)[k]) == std::towlower(prefix[k]);
        if (same) return r % count;
    }
    return -1;
}

bool ListView::OnNotify(NMHDR& header, LRESULT& result) {
    result = 0;
    switch (header.code) {
        case LVN_GETDISPINFOW: {
            auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
            if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr && info.item.cchTextMax > 0) {
                const std::wstring* text = CellText(info.item.iItem, info.item.iSubItem);
                lstrcpynW(info.item.pszText, text != nullptr ? text->c_str() : L"", info.item.cchTextMax);
            }
            return true;
        }
        case LVN_ODFINDITEMW: {
            // Typing a row's first letters in the list goes to that row.
            const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
            if ((find.lvfi.flags & (LVFI_STRING | LVFI_PARTIAL)) != 0 && find.lvfi.psz != nullptr) {
                result = FindRow(find.lvfi.psz, std::max(0, find.iStart), (find.lvfi.flags & LVFI_WRAP) != 0);
            } else {
                result = -1;
            }
            return true;
        }
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
        default: return false;
    }
}

bool ListView::OnOwnMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    if (msg == WM_LBUTTONDOWN) m_SelectedDuringClick = false;
    if (msg == WM_KEYUP && onKeyUp) onKeyUp(static_cast<UINT>(wParam));
    return false;
}

}  // namespace ui
