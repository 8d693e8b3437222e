#include "manager/modListviewSort.h"

#include <algorithm>
#include <charconv>
#include <numeric>
#include <optional>

namespace modListviewSort {
namespace {

std::optional<long long> NumberOf(std::string_view text) {
    long long value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return value;
}

}  // namespace

bool CellLess(std::string_view a, std::string_view b, platform::ITextCodec& text) {
    const std::optional<long long> x = NumberOf(a), y = NumberOf(b);
    if (x && y) return *x < *y;
    if (x || y) return x.has_value();
    return text.ToLower(a) < text.ToLower(b);
}

std::vector<std::size_t> SortedOrder(const std::vector<Row>& rows, int column, bool ascending,
                                     platform::ITextCodec& text) {
    const auto at = [&rows, column](std::size_t row) {
        const Row& cells = rows[row];
        return column >= 0 && static_cast<std::size_t>(column) < cells.size()
                   ? std::string_view(cells[static_cast<std::size_t>(column)])
                   : std::string_view();
    };
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return ascending ? CellLess(at(a), at(b), text) : CellLess(at(b), at(a), text);
    });
    return order;
}

}  // namespace modListviewSort
