#pragma once
// Column widths and row order of a report list view.
#include <string_view>

#include "platform/TextCodec.h"
#include "ui/ListView_win.h"

namespace modListviewSort {

// Sizes every column as AutoSizeColumn does, measured in one go.
void AutoSizeColumns(ui::ListView& list);

// Sizes column `column` (1-based) to its contents, with `useHeader` wide
// enough for its header too; the first column of a list with small icons
// gets room for the icon.
void AutoSizeColumn(ui::ListView& list, int column, bool useHeader);

// Orders the rows by column `column` (0-based), the same rows kept in their
// order: numbers as numbers and before texts, texts without regard to case.
void SortByColumn(ui::ListView& list, int column, bool ascending, platform::ITextCodec& text);

// The order SortByColumn uses: true when `a` goes before `b`.
bool CellLess(std::string_view a, std::string_view b, platform::ITextCodec& text);

}  // namespace modListviewSort
