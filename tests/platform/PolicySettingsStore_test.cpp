// The administrator's settings over the user's own: which registry values
// count as set, which settings they cover, and where writes go.
#include "platform/PolicySettingsStore.h"

#include <gtest/gtest.h>

#include "platform/MemoryRegistry.h"
#include "platform/MemorySettingsStore.h"

namespace {

using platform::kHKeyCurrentUser;
using platform::kHKeyLocalMachine;

constexpr std::string_view kKey = "Software\\Policies\\Maker\\Product";

class PolicySettingsStoreTest : public testing::Test {
protected:
    std::string Get(std::string_view key) { return store.GetSetting("Product", "Optionen", key, "fallback"); }
    bool Locked(std::string_view key) { return store.IsLocked("Product", "Optionen", key); }

    platform::MemoryRegistry registry;
    platform::MemorySettingsStore user;
    platform::PolicySettingsStore store{registry, user, {"Product", "Optionen", std::string(kKey), {"Text", "Zahl"}}};
};

// Only text and a four-byte DWORD are values the program can take; anything
// else must leave the user's own value in force, not lock an unreadable one.
TEST_F(PolicySettingsStoreTest, TextAndDwordAreSetOtherTypesAreNot) {
    user.Put("Product", "Optionen", "Text", "eigen");
    for (const auto& [type, data] : std::vector<std::pair<std::uint32_t, std::vector<std::uint8_t>>>{
             {platform::kRegBinary, {'a', 0}}, {platform::kRegMultiSz, {'a', 0, 0}}, {platform::kRegDword, {1, 0}}}) {
        registry.Put(kHKeyLocalMachine, kKey, "Text", type, data);
        EXPECT_EQ(Get("Text"), "eigen") << type;
        EXPECT_FALSE(Locked("Text")) << type;
    }
    registry.PutUnicodeText(kHKeyLocalMachine, kKey, "Text", platform::kRegExpandSz, "%APPDATA%\\Дмитрий");
    registry.PutDword(kHKeyCurrentUser, kKey, "Zahl", 4294967295u);
    EXPECT_EQ(Get("Text"), "%APPDATA%\\Дмитрий") << "whole, unexpanded";
    EXPECT_EQ(Get("Zahl"), "4294967295");
    EXPECT_TRUE(Locked("Text") && Locked("Zahl"));
    registry.PutUnicodeText(kHKeyLocalMachine, kKey, "Zahl", platform::kRegSz, "");
    EXPECT_EQ(Get("Zahl"), "") << "an empty text is a value set, and the machine's wins";
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

// Other settings are the user's alone; a write never reaches the policy
// key, and the user's value counts again once the administrator's is gone.
TEST_F(PolicySettingsStoreTest, OnlyTheScopeIsCoveredWritesGoToTheUserAndEveryReadAsksAgain) {
    registry.PutUnicodeText(kHKeyCurrentUser, kKey, "Text", platform::kRegSz, "richtlinie");
    registry.PutUnicodeText(kHKeyCurrentUser, kKey, "Adresse", platform::kRegSz, "richtlinie");
    EXPECT_EQ(store.GetSetting("PRODUCT", "optionen", "TEXT", ""), "richtlinie");
    EXPECT_TRUE(store.IsLocked("product", "OPTIONEN", "text"));
    EXPECT_EQ(Get("Adresse"), "fallback");
    EXPECT_EQ(store.GetSetting("Andere", "Optionen", "Text", "fallback"), "fallback");
    EXPECT_FALSE(Locked("Adresse") || store.IsLocked("Product", "Andere", "Text"));

    store.SaveSetting("Product", "Optionen", "Text", "eigen");
    EXPECT_EQ(user.Writes(),
              (std::vector<platform::MemorySettingsStore::Write>{{"Product", "Optionen", "Text", "eigen"}}));
    EXPECT_TRUE(registry.Writes().empty());
    EXPECT_EQ(Get("Text"), "richtlinie");
    platform::RegKey key = 0;
    ASSERT_EQ(registry.OpenKey(kHKeyCurrentUser, kKey, platform::kKeyAllAccess, key), 0);
    ASSERT_EQ(registry.DeleteValue(key, "Text"), 0);
    registry.CloseKey(key);
    EXPECT_EQ(Get("Text"), "eigen");
    EXPECT_FALSE(Locked("Text"));
}

}  // namespace
