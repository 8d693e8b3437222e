// The registry routines against the real registry, under a throwaway key.
#include <windows.h>

#include "common/RegistryContract.h"
#include "platform/Handles_win.h"
#include "platform/Registry_win.h"
#include "platform/TextCodec_win.h"
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
