// How stored pixel bytes become the bitmap: order, rows, padding, blue fill.
#include "commands/clDIB.h"

#include <gtest/gtest.h>

#include "commands/CommandData.h"
#include "platform/MemoryGraphics.h"

namespace td = testdata;

namespace {

struct Pixel {
    std::uint8_t b, g, r;
    bool operator==(const Pixel&) const = default;
};

Pixel At(const clDIB& dib, int x, int yInMemory) {
    const auto bits = dib.Bits();
    const std::size_t d = static_cast<std::size_t>(yInMemory * dib.Stride() + 3 * x);
    return {bits[d], bits[d + 1], bits[d + 2]};
}

constexpr Pixel kBlue{255, 0, 0};

TEST(DIB, StoredPixelsFillRowsInMemoryOrderAndLeaveThePaddingAlone) {
    platform::MemoryGraphics graphics;
    clDIB dib(graphics);
    dib.Create(5, 2);
    ASSERT_EQ(dib.Stride(), 16);
    ASSERT_EQ(dib.Header().sizeImage, 32u);
    const ByteArray image = td::Image(5, 2, 3, 10);
    dib.FillWithArray(image, static_cast<std::int32_t>(image.size()) - 1, 40, 3);
    EXPECT_EQ(At(dib, 0, 0), (Pixel{10, 11, 12}));
    EXPECT_EQ(At(dib, 4, 0), (Pixel{22, 23, 24}));
    EXPECT_EQ(At(dib, 0, 1), (Pixel{25, 26, 27}));
    EXPECT_EQ(dib.Bits()[15], 0);  // padding
}

TEST(DIB, FourBytesAPixelSkipTheFourthAndMissingDataTurnsBlue) {
    platform::MemoryGraphics graphics;
    clDIB dib(graphics);
    dib.Create(4, 4);
    const ByteArray image = td::Image(4, 4, 4, 0, 3);  // header says 16 pixels, 3 stored
    dib.FillWithArray(image, static_cast<std::int32_t>(image.size()) - 1, 40, 4);
    EXPECT_EQ(At(dib, 0, 0), (Pixel{0, 1, 2}));
    EXPECT_EQ(At(dib, 1, 0), (Pixel{4, 5, 6}));
    EXPECT_EQ(At(dib, 2, 0), (Pixel{8, 9, 10}));
    EXPECT_EQ(At(dib, 3, 0), kBlue);
    EXPECT_EQ(At(dib, 3, 3), kBlue);
}

TEST(DIB, DataEndingInsideAPixelAndOtherPixelSizes) {
    platform::MemoryGraphics graphics;
    clDIB dib(graphics);
    dib.Create(2, 1);
    ByteArray image = td::Image(2, 1, 3);
    image.pop_back();  // the second pixel lacks its red byte
    dib.FillWithArray(image, static_cast<std::int32_t>(image.size()) - 1, 40, 3);
    EXPECT_EQ(At(dib, 0, 0), (Pixel{1, 2, 3}));
    EXPECT_EQ(At(dib, 1, 0), kBlue);

    clDIB two(graphics);
    two.Create(2, 1);
    two.FillWithArray(td::Image(2, 1, 2), 43, 40, 2);  // neither 3 nor 4: nothing taken from the data
    EXPECT_EQ(At(two, 0, 0), (Pixel{0, 0, 0}));
    EXPECT_EQ(At(two, 1, 0), (Pixel{0, 0, 0}));

    // Size beyond the array is not trusted.
    clDIB wide(graphics);
    wide.Create(3, 1);
    wide.FillWithArray(td::Image(1, 1, 3), 1000, 40, 3);
    EXPECT_EQ(At(wide, 1, 0), kBlue);
}

TEST(DIB, AFailedCreateLeavesAnEmptyObjectThatDoesNothing) {
    platform::MemoryGraphics graphics;
    graphics.failCreate = [](const auto&) { return true; };
    clDIB dib(graphics);
    dib.Create(24, 24);
    EXPECT_TRUE(dib.IsEmpty());
    dib.FillWithArray(td::Image(24, 24, 3), 2000, 40, 3);
    dib.PaintPicture(0x1234);
    EXPECT_TRUE(graphics.paints.empty());

    clDIB huge(graphics);
    huge.Create(100000, 100000);
    EXPECT_TRUE(huge.IsEmpty());
}

TEST(DIB, PaintingCopiesTheWholeBitmapOrAPart) {
    platform::MemoryGraphics graphics;
    {
        clDIB dib(graphics);
        dib.Create(24, 24);
        EXPECT_EQ(graphics.liveSections, 1);
        dib.PaintPicture(0x1234, 0, 0, -1, -1, 0, 0, 0xCC0020);
        dib.PaintPicture(0x1234, 2, 3, 8, 8, 1, 1, 0xCC0020);
    }
    EXPECT_EQ(graphics.liveSections, 0);
    ASSERT_EQ(graphics.paints.size(), 2u);
    EXPECT_EQ(graphics.paints[0].width, 24);
    EXPECT_EQ(graphics.paints[0].height, 24);
    EXPECT_EQ(graphics.paints[1].width, 8);
    EXPECT_EQ(graphics.paints[1].destTop, 3);
}

}  // namespace
