#include "manager/modListviewSort_win.h"

#include <charconv>
#include <optional>

#include "ui/Window_win.h"

namespace modListviewSort {
namespace {

constexpr int kSmallIconWidth = 16;  // pixels at 96 DPI

std::optional<long long> NumberOf(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

// The first column of a list with small icons shows them before its text.
void RoomForIcon(ui::ListView& list) {
    if (!list.HasSmallIcons()) return;
    const int icon = MulDiv(kSmallIconWidth, static_cast<int>(list.Owner().Dpi()), 96);
    list.SetColumnWidth(0, list.ColumnWidth(0) + icon);
}

}  // namespace

void AutoSizeColumns(ui::ListView& list) {
    list.AutoSizeColumns(true);
    RoomForIcon(list);
}

void AutoSizeColumn(ui::ListView& list, int column, bool useHeader) {
    list.AutoSizeColumn(column - 1, useHeader);
    if (column == 1) RoomForIcon(list);
}

bool CellLess(std::string_view a, std::string_view b, platform::ITextCodec& text) {
    const std::optional<long long> x = NumberOf(a), y = NumberOf(b);
    if (x && y) return *x < *y;
    if (x || y) return x.has_value();
    return text.ToLower(a) < text.ToLower(b);
}

void SortByColumn(ui::ListView& list, int column, bool ascending, platform::ITextCodec& text) {
    const auto at = [column](const std::vector<std::string>& row) {
        return column < static_cast<int>(row.size()) ? std::string_view(row[static_cast<std::size_t>(column)])
                                                     : std::string_view();
    };
    list.SortRows([&](const std::vector<std::string>& a, const std::vector<std::string>& b) {
        return ascending ? CellLess(at(a), at(b), text) : CellLess(at(b), at(a), text);
    });
}

}  // namespace modListviewSort
