// The descriptor block a browser's C runtime reads at start: the handles as
// wide as the started program's pointers, whatever the starting program's are
// (the release build is 32-bit, Edge and Chrome are 64-bit).
#include "platform/CrtDescriptors.h"

#include <gtest/gtest.h>

namespace {

TEST(CrtDescriptorBlockTest, DescriptorsThreeAndFourAreOpenPipesInSlotsOfTheChildsWidth) {
    const std::vector<std::optional<std::uint32_t>> handles = {{}, {}, {}, 0x1234u, 0x5678u};
    using Bytes = std::vector<std::uint8_t>;
    const Bytes ff4 = {0xFF, 0xFF, 0xFF, 0xFF};
    Bytes wide = {5, 0, 0, 0, 0, 0, 0, 0x09, 0x09};
    for (int i = 0; i < 3; ++i) {
        wide.insert(wide.end(), ff4.begin(), ff4.end());
        wide.insert(wide.end(), ff4.begin(), ff4.end());
    }
    wide.insert(wide.end(), {0x34, 0x12, 0, 0, 0, 0, 0, 0, 0x78, 0x56, 0, 0, 0, 0, 0, 0});
    EXPECT_EQ(platform::CrtDescriptorBlock(handles, 8), wide);

    Bytes narrow = {5, 0, 0, 0, 0, 0, 0, 0x09, 0x09};
    for (int i = 0; i < 3; ++i) narrow.insert(narrow.end(), ff4.begin(), ff4.end());
    narrow.insert(narrow.end(), {0x34, 0x12, 0, 0, 0x78, 0x56, 0, 0});
    EXPECT_EQ(platform::CrtDescriptorBlock(handles, 4), narrow);
}

}  // namespace
