#pragma once
// Column widths of a report list view.
#include "ui/ListView_win.h"

namespace modListviewSort {

// Sizes every column as AutoSizeColumn does, measured in one go.
void AutoSizeColumns(ui::ListView& list);

// Sizes column `column` (1-based) to its contents, with `useHeader` wide
// enough for its header too; the first column of a list with small icons
// gets room for the icon.
void AutoSizeColumn(ui::ListView& list, int column, bool useHeader);

}  // namespace modListviewSort
