// The substitute must behave like the registry where the routines depend on
// it: case-insensitive names, missing keys, short buffers.
#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"

using platform::MemoryRegistry;

TEST(MemoryRegistry, NamesAreCaseInsensitiveAndShortBuffersAreRefused) {
    MemoryRegistry reg;
    reg.Put(platform::kHKeyCurrentUser, "Software\\A", "Wert", platform::kRegBinary, {1, 2, 3});
    platform::RegKey key = 0;
    ASSERT_EQ(reg.OpenKey(platform::kHKeyCurrentUser, "SOFTWARE\\a", platform::kKeyRead, key), 0);
    std::uint32_t type = 0, size = 0;
    ASSERT_EQ(reg.QueryValue(key, "WERT", type, {}, size), 0);
    EXPECT_EQ(size, 3u);
    std::uint8_t two[2];
    EXPECT_EQ(reg.QueryValue(key, "wert", type, two, size), platform::kErrorMoreData);
    EXPECT_EQ(reg.QueryValue(key, "fehlt", type, {}, size), platform::kErrorFileNotFound);
    EXPECT_EQ(reg.CloseKey(key), 0);
    EXPECT_EQ(reg.CloseKey(key), platform::kErrorInvalidHandle);
    EXPECT_NE(reg.OpenKey(platform::kHKeyCurrentUser, "Software\\B", platform::kKeyRead, key), 0);
    EXPECT_EQ(key, 0u);
}

TEST(MemoryRegistry, SubkeysOfAnOpenKeyAndSnapshots) {
    MemoryRegistry reg;
    platform::RegKey parent = 0, child = 0;
    ASSERT_EQ(reg.CreateKey(platform::kHKeyCurrentUser, "Software\\X", platform::kKeyAllAccess, parent), 0);
    ASSERT_EQ(reg.CreateKey(parent, "Y\\Z", platform::kKeyAllAccess, child), 0);
    const std::uint8_t v[] = {7};
    ASSERT_EQ(reg.SetValue(child, "v", platform::kRegBinary, v), 0);
    EXPECT_TRUE(reg.KeyExists(platform::kHKeyCurrentUser, "Software\\X\\Y"));
    const auto snap = reg.Snapshot(platform::kHKeyCurrentUser, "Software\\X");
    EXPECT_EQ(snap.size(), 4u);  // X, X\Y, X\Y\Z and the value
    EXPECT_EQ(reg.Writes().at(0).keyPath, "HKCU\\Software\\X\\Y\\Z");
    reg.CloseKey(child);
    reg.CloseKey(parent);
}
