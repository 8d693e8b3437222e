// The registry routines against the real registry, under a throwaway key.
#include <windows.h>

#include "common/RegistryContract.h"
#include "platform/Handles_win.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemorySettingsStore.h"
#include "platform/PolicySettingsStore.h"
#include "platform/Registry_win.h"
#include "platform/TextCodec_win.h"
#include "platform/WinText_win.h"
#include "support/RegistrySnapshot_win.h"

namespace {

class WinBackend : public RegistryBackend {
public:
    platform::IRegistry& Registry() override { return m_Registry; }
    platform::ITextCodec& Codec() override { return m_Codec; }
    void RemoveTestKey() override { support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest"); }

private:
    platform::WinRegistry m_Registry;
    platform::WinTextCodec m_Codec;
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(Windows, RegistryRoutines,
                         testing::Values(NamedBackend{"Win32", [] { return std::make_unique<WinBackend>(); }}),
                         PrintBackend);

TEST(WinRegistry, UmlautNamesReachTheRegistryAsTheSystemsCharacters) {
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
    platform::WinRegistry reg;
    platform::RegKey key = 0;
    ASSERT_EQ(reg.CreateKey(platform::kHKeyCurrentUser,
                            "Software\\TessivarTest\\Gr\xF6\xDF"
                            "e",
                            platform::kKeyAllAccess, key),
              0);
    const std::uint8_t v[] = {0xE4, 0};
    ASSERT_EQ(reg.SetValue(key,
                           "Schl\xFC"
                           "ssel",
                           platform::kRegSz, v),
              0);
    reg.CloseKey(key);

    platform::UniqueHkey wide;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\TessivarTest\\Gr\u00F6\u00DFe", 0, KEY_READ, wide.put()), 0);
    wchar_t data[8] = {};
    DWORD size = sizeof(data);
    EXPECT_EQ(RegQueryValueExW(wide.get(), L"Schl\u00FCssel", nullptr, nullptr, reinterpret_cast<BYTE*>(data), &size),
              0);
    EXPECT_EQ(std::wstring(data), L"\u00E4");
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
}

// A program's path below a user folder may hold characters that the code
// page lacks: QueryText reads it whole where the single-byte read gives '?';
// the substitute holds such a value the same way.
TEST(WinRegistry, ATextIsReadWholeThroughTheWideFunctionsAsTheSubstituteHasIt) {
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
    const std::string path = "%TEMP%\\Дмитрий\\" + std::string(300, 'x');
    const std::wstring wide = platform::Widen(path) + L'\0' + L"danach";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TessivarTest", L"Pfad\u00E4", REG_EXPAND_SZ, wide.c_str(),
                              static_cast<DWORD>(wide.size() * sizeof(wchar_t))),
              0);
    platform::WinRegistry win;
    platform::MemoryRegistry memory;
    memory.PutUnicodeText(platform::kHKeyCurrentUser, "Software\\TessivarTest", "Pfad\xE4", platform::kRegExpandSz,
                          path);
    for (platform::IRegistry* reg :
         {static_cast<platform::IRegistry*>(&win), static_cast<platform::IRegistry*>(&memory)}) {
        SCOPED_TRACE(reg == &win ? "Win32" : "memory");
        platform::RegKey key = 0;
        ASSERT_EQ(reg->OpenKey(platform::kHKeyCurrentUser, "Software\\TessivarTest", platform::kKeyRead, key), 0);
        std::uint32_t type = 0;
        std::string text;
        EXPECT_EQ(reg->QueryText(key, "Pfad\xE4", type, text), 0);
        EXPECT_EQ(type, platform::kRegExpandSz);
        EXPECT_EQ(text, path) << "whole, unexpanded, up to its NUL";
        std::vector<std::uint8_t> bytes(400);
        std::uint32_t size = 400;
        ASSERT_EQ(reg->QueryValue(key, "Pfad\xE4", type, bytes, size), 0);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())).substr(0, 16), "%TEMP%\\???????\\x");
        EXPECT_EQ(reg->QueryText(key, "fehlt", type, text), ERROR_FILE_NOT_FOUND);
        reg->CloseKey(key);
    }
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
}

// The views: in the 32-bit one HKLM\Software is its WOW6432Node, for
// Wine's registry and the substitute alike.
TEST(WinRegistry, TheViewFlagsReachTheRegistryAsTheSubstituteHasThem) {
    HKEY made = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, L"Software\\TessivarTest", 0, nullptr, 0,
                              KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &made, nullptr),
              0);
    RegCloseKey(made);
    platform::WinRegistry win;
    platform::MemoryRegistry memory;
    memory.PutText(platform::kHKeyLocalMachine, "Software\\WOW6432Node\\TessivarTest", "", "");
    for (platform::IRegistry* reg :
         {static_cast<platform::IRegistry*>(&win), static_cast<platform::IRegistry*>(&memory)}) {
        SCOPED_TRACE(reg == &win ? "Win32" : "memory");
        const auto opens = [&](const char* path, std::uint32_t view) {
            platform::RegKey key = 0;
            const bool opened = reg->OpenKey(platform::kHKeyLocalMachine, path, platform::kKeyRead | view, key) == 0;
            if (opened) reg->CloseKey(key);
            return opened;
        };
        EXPECT_TRUE(opens("SOFTWARE\\TessivarTest", platform::kKeyWow64_32Key));
        EXPECT_FALSE(opens("Software\\TessivarTest", platform::kKeyWow64_64Key));
        EXPECT_FALSE(opens("Software\\TessivarTest", 0));
    }
    support::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\WOW6432Node\\TessivarTest");
}

// What Group Policy writes below the user's Policies key reaches the program
// through the real registry, read in the 64-bit view, text whole and a
// DWORD as its number, over the user's own values.
TEST(WinRegistry, APolicyValueBelowTheUsersPoliciesKeyWinsOverTheUsersOwn) {
    const std::wstring key = L"Software\\Policies\\TessivarTest";
    support::DeleteTree(HKEY_CURRENT_USER, key);
    const std::wstring url = L"https://richtlinie.example/\u0414";
    const DWORD field = 44;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"URL", REG_SZ, url.c_str(),
                              static_cast<DWORD>((url.size() + 1) * sizeof(wchar_t))),
              0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), L"IDOrt", REG_DWORD, &field, sizeof field), 0);
    platform::WinRegistry registry;
    platform::MemorySettingsStore user;
    user.Put("Test", "Optionen", "URL", "eigene");
    user.Put("Test", "Optionen", "Browser", "chrome");
    platform::PolicySettingsStore store(
        registry, user, {"Test", "Optionen", "Software\\Policies\\TessivarTest", {"URL", "IDOrt", "Browser"}});
    EXPECT_EQ(store.GetSetting("Test", "Optionen", "URL", ""), platform::Narrow(url));
    EXPECT_EQ(store.GetSetting("Test", "Optionen", "IDOrt", "30"), "44");
    EXPECT_EQ(store.GetSetting("Test", "Optionen", "Browser", ""), "chrome");
    EXPECT_TRUE(store.IsLocked("Test", "Optionen", "URL") && store.IsLocked("Test", "Optionen", "IDOrt"));
    EXPECT_FALSE(store.IsLocked("Test", "Optionen", "Browser"));
    support::DeleteTree(HKEY_CURRENT_USER, key);
}
