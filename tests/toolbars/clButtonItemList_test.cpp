// The "Buttons" byte format: what parses, what round-trips, what is refused,
// and the separator rule of Remove.
#include <gtest/gtest.h>

#include "base/AppError.h"
#include "toolbars/clButtonItemList.h"

namespace {

std::vector<std::uint32_t> Ids(const clButtonItemList& list) {
    std::vector<std::uint32_t> ids;
    for (const auto& item : list) ids.push_back(item.RawID());
    return ids;
}

clButtonItemList ListOf(std::initializer_list<std::int32_t> ids) {
    clButtonItemList list;
    for (auto id : ids) list.Add(id);
    return list;
}

template <class F>
void ExpectError(F f, std::int32_t number) {
    try {
        f();
        ADD_FAILURE() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), number);
    }
}

TEST(ButtonItemList, WellFormedValuesRoundTripWithExtraBytesDuplicatesAndSeparators) {
    const ByteArray value{5,    0,    0, 0,    0,  // 5
                          0x35, 0x75, 0, 0,    3, 0xAA, 0, 0xBB,  // 30005 with three extra bytes
                          0,    0,    0, 0,    0,  // separator
                          5,    0,    0, 0,    0,  // 5 again
                          0,    0,    0, 0x80, 1, 0x7F};  // identifier beyond the signed range, kept opaque
    clButtonItemList list;
    list.SetByteArray(value);
    EXPECT_EQ(Ids(list), (std::vector<std::uint32_t>{5, 30005, 0, 5, 0x80000000u}));
    EXPECT_EQ(list.Item(2).BytesCount(), 8);
    EXPECT_EQ(list.Item(2).aByte(7), 0xBB);
    EXPECT_EQ(list.GetByteArray(), value);
    ExpectError([&] { (void)list.Item(5).ID(); }, ErrorNumber::Overflow);
}

TEST(ButtonItemList, AValueCutShortIsRefusedAndLeavesTheListAsItWas) {
    for (const ByteArray& cut : {ByteArray{8, 0, 0, 0, 0, 7, 0, 0}, ByteArray{8, 0, 0, 0, 0, 7, 0, 0, 0, 2, 9}}) {
        clButtonItemList list = ListOf({42});
        ExpectError([&] { list.SetByteArray(cut); }, ErrorNumber::SubscriptOutOfRange);
        EXPECT_EQ(Ids(list), std::vector<std::uint32_t>{42});
    }
}

TEST(ButtonItemList, AddWritesLittleEndianAndRefusesNegativeIdentifiers) {
    clButtonItemList list = ListOf({1000, 0, 2147483647});
    EXPECT_EQ(list.GetByteArray(), (ByteArray{0xE8, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0x7F, 0}));
    EXPECT_EQ(list.Item(3).ID(), 2147483647);
    ExpectError([&] { list.Add(-1); }, ErrorNumber::InvalidCall);
    EXPECT_EQ(list.Count(), 3);
}

TEST(ButtonItemList, RemoveDropsOnlyASeparatorLeftAtTheEnd) {
    auto removed = [](std::initializer_list<std::int32_t> ids, std::int32_t index) {
        clButtonItemList list = ListOf(ids);
        list.Remove(index);
        return Ids(list);
    };
    EXPECT_EQ(removed({7, 0, 12}, 3), std::vector<std::uint32_t>{7});
    EXPECT_EQ(removed({7, 0, 12}, 1), (std::vector<std::uint32_t>{0, 12}));
    EXPECT_EQ(removed({0, 7}, 2), std::vector<std::uint32_t>{});
    EXPECT_EQ(removed({7, 0, 0, 12}, 4), (std::vector<std::uint32_t>{7, 0}));
}

TEST(ButtonItemList, PositionsAndIndexesOutsideTheirRangeAreErrors) {
    clButtonItemList list = ListOf({7});
    clButtonItem& kept = list.Item(1);
    list.Add(8);
    EXPECT_EQ(kept.ID(), 7);  // entries stay put while the list grows
    for (std::int32_t bad : {0, 3, -1}) {
        ExpectError([&] { (void)list.Item(bad); }, ErrorNumber::SubscriptOutOfRange);
        ExpectError([&] { list.Remove(bad); }, ErrorNumber::SubscriptOutOfRange);
    }
    ExpectError([&] { (void)kept.aByte(5); }, ErrorNumber::SubscriptOutOfRange);
    ExpectError([&] { kept.SetBytesArray({1, 2, 3, 4}); }, ErrorNumber::SubscriptOutOfRange);
    EXPECT_EQ(kept.Bytes(), (ByteArray{7, 0, 0, 0, 0}));
}

}  // namespace
