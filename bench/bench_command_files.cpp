// Figures, not a test: loading and saving 1,000 command files (in memory,
// so that the figures are the code's own and not the disk's).
#include <cstdio>
#include <string>

#include "BenchUtil.h"
#include "commands/clCustomTessivar.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"

namespace {

ByteArray CommandFile(int n) {
    ByteArray f(1172, 0);
    f[0] = static_cast<std::uint8_t>(n);
    const auto image = [&f](int side) {
        ByteArray header(40, 0);
        header[0] = 40;
        header[4] = header[8] = static_cast<std::uint8_t>(side);
        const int size = side * side * 3;
        header[20] = static_cast<std::uint8_t>(size);
        header[21] = static_cast<std::uint8_t>(size >> 8);
        f.insert(f.end(), header.begin(), header.end());
        for (int i = 0; i < size; ++i) f.push_back(static_cast<std::uint8_t>(i));
    };
    image(24);
    image(16);
    return f;
}

}  // namespace

int main() {
    constexpr int kFiles = 1000;
    SubstituteServices sub;
    for (int n = 0; n < kFiles; ++n) sub.files.Put("in" + std::to_string(n) + ".cmd", CommandFile(n));

    std::vector<double> load, save;
    for (int round = 0; round < 11; ++round) {
        std::vector<std::unique_ptr<clCustomTessivar>> commands;
        load.push_back(bench::TimeMs([&] {
            for (int n = 0; n < kFiles; ++n) {
                commands.push_back(std::make_unique<clCustomTessivar>(sub.Commands()));
                commands.back()->Load("in" + std::to_string(n) + ".cmd");
            }
        }));
        save.push_back(bench::TimeMs([&] {
            for (int n = 0; n < kFiles; ++n)
                commands[static_cast<std::size_t>(n)]->Save("out" + std::to_string(n) + ".cmd");
        }));
    }
    std::printf("1,000 command files of 3,748 bytes, in memory (median of 11 rounds)\n");
    std::printf("  Load (with both images decoded) : %8.2f ms\n", bench::Median(load));
    std::printf("  Save                            : %8.2f ms\n", bench::Median(save));
    return 0;
}
