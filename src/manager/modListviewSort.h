#pragma once
// The order of a list's rows when a column header is clicked: numbers as
// numbers and before texts, texts without regard to letter case; rows that
// compare equal keep the order they had.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/TextCodec.h"

namespace modListviewSort {

using Row = std::vector<std::string>;

// True when cell `a` goes before cell `b`.
bool CellLess(std::string_view a, std::string_view b, platform::ITextCodec& text);

// The positions in `rows` in the order sorted by column `column` (0-based;
// a row without that cell sorts as an empty one).
std::vector<std::size_t> SortedOrder(const std::vector<Row>& rows, int column, bool ascending,
                                     platform::ITextCodec& text);

}  // namespace modListviewSort
