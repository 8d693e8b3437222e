#include "manager/modListviewSort_win.h"

#include "ui/Window_win.h"

namespace modListviewSort {
namespace {

constexpr int kSmallIconWidth = 16;  // pixels at 96 DPI

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

}  // namespace modListviewSort
