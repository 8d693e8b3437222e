// How long a "Buttons" value of 10,000 entries takes to parse and to write
// back: far more than any toolbar of ACT! holds, so the figures bound what
// a toolbar change can cost.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "toolbars/clButtonItemList.h"

namespace {

constexpr int kEntries = 10'000;
constexpr int kRounds = 51;

// Plain entries, a separator every seventh, and every fifth with extra bytes.
ByteArray MakeValue() {
    ByteArray value;
    for (int i = 0; i < kEntries; ++i) {
        const auto id = static_cast<std::uint32_t>(i % 7 == 0 ? 0 : 30000 + i);
        const auto extra = static_cast<std::uint8_t>(i % 5 == 0 ? 1 + i % 16 : 0);
        for (int k = 0; k < 4; ++k) value.push_back(static_cast<std::uint8_t>(id >> (8 * k)));
        value.push_back(extra);
        for (int k = 0; k < extra; ++k) value.push_back(static_cast<std::uint8_t>(k));
    }
    return value;
}

template <class F>
double MedianMicroseconds(F f) {
    std::vector<double> times;
    for (int r = 0; r < kRounds; ++r) {
        const auto start = std::chrono::steady_clock::now();
        f();
        const auto stop = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRounds / 2, times.end());
    return times[kRounds / 2];
}

}  // namespace

int main() {
    const ByteArray value = MakeValue();
    std::size_t sink = 0;
    const double parse = MedianMicroseconds([&] {
        clButtonItemList list;
        list.SetByteArray(value);
        sink += static_cast<std::size_t>(list.Count());
    });
    clButtonItemList list;
    list.SetByteArray(value);
    const double serialise = MedianMicroseconds([&] { sink += list.GetByteArray().size(); });
    std::printf("Buttons value: %d entries, %zu bytes, median of %d rounds\n", kEntries, value.size(), kRounds);
    std::printf("  parse (SetByteArray):     %10.1f us\n", parse);
    std::printf("  serialise (GetByteArray): %10.1f us\n", serialise);
    std::printf("  (checksum %zu)\n", sink);
    return 0;
}
