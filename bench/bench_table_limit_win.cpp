// Figures, not a test: what it costs to read ACT!'s command table as it
// grows to 50,000 commands, and to read a "Count" of that size over a table
// that holds only a few records. Tessivar's reading limit is chosen from
// these. Run under Wine (scripts/bench.sh).
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "BenchData.h"
#include "BenchUtil.h"
#include "commands/clCustomTessivars.h"
#include "common/ActRegistry.h"
#include "platform/Handles_win.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"

namespace {

const std::string kKey(actregistry::kCustomCommands);

using bench::Image;
using bench::Record;

// `records` complete commands under a "Count" of `count`, written through one open key.
void Seed(int records, int count) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    const ByteArray large = Image(24), small = Image(16);
    const auto put = [&key](const std::string& name, const ByteArray& data) {
        RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    };
    for (int n = 0; n < records; ++n) {
        const int id = 30101 + n;
        put("Command-" + std::to_string(n), Record(id, "Befehl " + std::to_string(n)));
        put("BitmapL-" + std::to_string(id), large);
        put("BitmapS-" + std::to_string(id), small);
    }
    const DWORD value = static_cast<DWORD>(count);
    RegSetValueExA(key.get(), "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

double PeakMb() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

}  // namespace

int wmain() {
    platform::WinPlatform win("Tessivar");
    platform::ScriptedMessageBoxes boxes;
    const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
    std::printf("Reading the command table (limit %d commands; 24 x 24 and 16 x 16 images at 24 bits)\n",
                clCustomTessivars::kMaxCommands);
    struct Case {
        int records, count, rounds;
    };
    for (const Case c :
         {Case{1000, 1000, 5}, Case{5000, 5000, 3}, Case{10000, 10000, 3}, Case{50000, 50000, 2}, Case{4, 50000, 3}}) {
        Seed(c.records, c.count);
        std::vector<double> ms;
        std::int32_t listed = 0;
        for (int r = 0; r < c.rounds; ++r) {
            ms.push_back(bench::TimeMs([&] {
                clCustomTessivars table(env);
                listed = table.Count();
            }));
        }
        const double median = bench::Median(ms);
        std::printf("  %6d records, Count %6d: %9.0f ms  (%6.3f ms per number, %d listed, peak working set %.0f MB)\n",
                    c.records, c.count, median, median / c.count, listed, PeakMb());
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    return 0;
}
