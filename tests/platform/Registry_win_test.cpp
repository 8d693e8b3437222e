// The registry routines against the real registry, under a throwaway key.
#include <windows.h>

#include "common/RegistryContract.h"
#include "platform/Handles_win.h"
#include "platform/MemoryRegistry.h"
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

// Texts read whole: a program's path below a user folder may hold
// characters that the code page lacks, which the single-byte read turns into '?'.
TEST(WinRegistry, ATextIsReadWholeThroughTheWideFunctions) {
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
    const std::wstring path = L"C:\\Users\\\u0414\u043C\u0438\u0442\u0440\u0438\u0439\\chrome.exe";
    const std::wstring expandable = L"%LOCALAPPDATA%\\\u0414\\chrome.exe";
    const DWORD number = 7;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TessivarTest", nullptr, REG_SZ, path.c_str(),
                              static_cast<DWORD>((path.size() + 1) * sizeof(wchar_t))),
              0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TessivarTest", L"Erweiterbar", REG_EXPAND_SZ,
                              expandable.c_str(), static_cast<DWORD>((expandable.size() + 1) * sizeof(wchar_t))),
              0);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TessivarTest", L"Zahl", REG_DWORD, &number, 4), 0);
    std::wstring wide(3000, L'\u00E4');
    wide += L'\0';
    wide += L"danach";
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\TessivarTest", L"Lang\u00FC", REG_SZ, wide.c_str(),
                              static_cast<DWORD>(wide.size() * sizeof(wchar_t))),
              0);

    platform::WinRegistry reg;
    platform::RegKey key = 0;
    ASSERT_EQ(reg.OpenKey(platform::kHKeyCurrentUser, "Software\\TessivarTest", platform::kKeyRead, key), 0);
    std::uint32_t type = 0;
    std::string text;
    EXPECT_EQ(reg.QueryText(key, "", type, text), 0);
    EXPECT_EQ(type, platform::kRegSz);
    EXPECT_EQ(text, platform::Narrow(path));
    EXPECT_EQ(reg.QueryText(key, "Erweiterbar", type, text), 0);
    EXPECT_EQ(type, platform::kRegExpandSz);
    EXPECT_EQ(text, platform::Narrow(expandable)) << "not expanded";
    EXPECT_EQ(reg.QueryText(key, "Zahl", type, text), 0);
    EXPECT_EQ(type, platform::kRegDword);
    EXPECT_EQ(text, "");
    EXPECT_EQ(reg.QueryText(key, "Lang\xFC", type, text), 0) << "a name in the code page";
    EXPECT_EQ(text, platform::Narrow(std::wstring(3000, L'\u00E4'))) << "longer than a path, up to its NUL";
    EXPECT_EQ(reg.QueryText(key, "fehlt", type, text), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(text, "");

    std::vector<std::uint8_t> bytes(64);
    std::uint32_t size = 64;
    ASSERT_EQ(reg.QueryValue(key, "", type, bytes, size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "C:\\Users\\???????\\chrome.exe")
        << "what the single-byte read makes of it";
    reg.CloseKey(key);

    // The substitute's picture of such a value.
    platform::MemoryRegistry memory;
    memory.PutUnicodeText(platform::kHKeyCurrentUser, "Software\\TessivarTest", "", platform::kRegSz,
                          platform::Narrow(path));
    ASSERT_EQ(memory.OpenKey(platform::kHKeyCurrentUser, "Software\\TessivarTest", platform::kKeyRead, key), 0);
    EXPECT_EQ(memory.QueryText(key, "", type, text), 0);
    EXPECT_EQ(text, platform::Narrow(path));
    size = 64;
    ASSERT_EQ(memory.QueryValue(key, "", type, bytes, size), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(bytes.data())), "C:\\Users\\???????\\chrome.exe");
    support::DeleteTree(HKEY_CURRENT_USER, L"Software\\TessivarTest");
}

// The views, and MemoryRegistry's picture of them: in the 32-bit view
// HKLM\Software is its WOW6432Node; HKCU\Software is the same in both.
TEST(WinRegistry, TheViewFlagsReachTheRegistryAsTheSubstituteHasThem) {
    constexpr wchar_t kKey[] = L"Software\\TessivarTest";
    HKEY made = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, kKey, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr, &made,
                              nullptr),
              0);
    RegSetValueExW(made, L"Sicht", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"32"), 6);
    RegCloseKey(made);
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kKey, L"Sicht", REG_SZ, L"32", 6), 0);
    platform::WinRegistry win;
    platform::MemoryRegistry memory;
    memory.PutText(platform::kHKeyLocalMachine, "Software\\WOW6432Node\\TessivarTest", "Sicht", "32");
    memory.PutText(platform::kHKeyCurrentUser, "Software\\TessivarTest", "Sicht", "32");

    for (platform::IRegistry* reg :
         {static_cast<platform::IRegistry*>(&win), static_cast<platform::IRegistry*>(&memory)}) {
        SCOPED_TRACE(reg == &win ? "Win32" : "memory");
        const auto viewHas = [&](platform::RegKey root, const char* path, std::uint32_t view) {
            platform::RegKey key = 0;
            if (reg->OpenKey(root, path, platform::kKeyQueryValue | view, key) != 0) return false;
            std::uint32_t type = 0;
            std::string text;
            const bool found = reg->QueryText(key, "Sicht", type, text) == 0 && text == "32";
            reg->CloseKey(key);
            return found;
        };
        EXPECT_TRUE(viewHas(platform::kHKeyLocalMachine, "Software\\TessivarTest", platform::kKeyWow64_32Key));
        EXPECT_TRUE(viewHas(platform::kHKeyLocalMachine, "SOFTWARE\\TessivarTest", platform::kKeyWow64_32Key));
        EXPECT_FALSE(viewHas(platform::kHKeyLocalMachine, "Software\\TessivarTest", platform::kKeyWow64_64Key));
        EXPECT_FALSE(viewHas(platform::kHKeyLocalMachine, "Software\\TessivarTest", 0)) << "a 64-bit program's own";
        EXPECT_TRUE(
            viewHas(platform::kHKeyLocalMachine, "Software\\WOW6432Node\\TessivarTest", platform::kKeyWow64_64Key));
        EXPECT_TRUE(viewHas(platform::kHKeyCurrentUser, "Software\\TessivarTest", platform::kKeyWow64_32Key));
        EXPECT_TRUE(viewHas(platform::kHKeyCurrentUser, "Software\\TessivarTest", platform::kKeyWow64_64Key));
    }
    support::DeleteTree(HKEY_LOCAL_MACHINE, L"Software\\WOW6432Node\\TessivarTest");
    support::DeleteTree(HKEY_CURRENT_USER, kKey);
}
