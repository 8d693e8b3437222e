// The toolbar classes against the real registry of the test prefix: ACT!'s
// own key paths, seeded here through Win32 and removed before and after.
#include <windows.h>

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/Handles_win.h"
#include "platform/WinPlatform_win.h"
#include "support/RegistrySnapshot_win.h"
#include "toolbars/clACTToolbars.h"

namespace {

const std::wstring kAct = L"Software\\Symantec\\ACT!";
const std::wstring kConfig = kAct + L"\\TBarMenuConfig\\ACT!";

void Seed(const std::wstring& key, const wchar_t* name, DWORD type, const void* data, DWORD size) {
    platform::UniqueHkey h;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, h.put(), nullptr),
              0);
    ASSERT_EQ(RegSetValueExW(h.get(), name, 0, type, static_cast<const BYTE*>(data), size), 0);
}

void SeedBar(int n, DWORD type, const std::wstring& name, const std::vector<BYTE>& buttons) {
    const std::wstring key = kConfig + L"\\ActToolBars-Bar" + std::to_wstring(n);
    Seed(key, L"TypeID", REG_DWORD, &type, sizeof type);
    Seed(key, L"WindowName", REG_SZ, name.c_str(), static_cast<DWORD>((name.size() + 1) * sizeof(wchar_t)));
    Seed(key, L"Buttons", REG_BINARY, buttons.data(), static_cast<DWORD>(buttons.size()));
}

std::pair<DWORD, std::vector<BYTE>> StoredButtons(int n) {
    const std::wstring key = kConfig + L"\\ActToolBars-Bar" + std::to_wstring(n);
    std::vector<BYTE> data(1024);
    DWORD type = 0;
    DWORD size = static_cast<DWORD>(data.size());
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), L"Buttons", RRF_RT_ANY, &type, data.data(), &size) != 0) return {};
    data.resize(size);
    return {type, data};
}

class WinToolbars : public testing::Test {
protected:
    void SetUp() override {
        support::DeleteTree(HKEY_CURRENT_USER, kAct);
        const DWORD bars = 2;
        Seed(kConfig + L"\\ActToolBars-Summary", L"Bars", REG_DWORD, &bars, sizeof bars);
        SeedBar(0, 1, L"Kontaktsymbolleiste", {7, 0, 0, 0, 2, 0xAB, 0xCD});
        SeedBar(1, 2, L"Gruppensymbolleiste", {9, 0, 0, 0, 3, 1});  // cut short
    }
    void TearDown() override { support::DeleteTree(HKEY_CURRENT_USER, kAct); }

    platform::WinPlatform win{"Tessivar"};
    const modRegistry::Access registry{win.journal, win.text, win.messages};
};

TEST_F(WinToolbars, ChangesReachTheRealKeyAsWholeBinaryValuesAndANewSetSeesThem) {
    clACTToolbars bars(registry);
    bars.Item("Kontaktsymbolleiste")->AddButton(0);
    bars.Item("Kontaktsymbolleiste")->AddButton(30101);
    EXPECT_EQ(StoredButtons(0), std::make_pair(DWORD{REG_BINARY}, std::vector<BYTE>{7, 0, 0, 0, 2, 0xAB, 0xCD, 0, 0, 0,
                                                                                    0, 0, 0x95, 0x75, 0, 0, 0}));
    EXPECT_TRUE(clACTToolbars(registry).Item(1).ExistButton(30101));

    bars.Item(1).RemoveButton(30101);
    bars.Item(1).RemoveButton(7);
    EXPECT_EQ(StoredButtons(0), std::make_pair(DWORD{REG_BINARY}, std::vector<BYTE>{}));
    EXPECT_EQ(clACTToolbars(registry).Item(1).ButtonList()->Count(), 0);
}

TEST_F(WinToolbars, AValueCutShortStaysUntouchedOnDisk) {
    const auto before = support::SnapshotTree(HKEY_CURRENT_USER, kAct);
    clACTToolbars bars(registry);
    EXPECT_THROW(bars.Item("Gruppensymbolleiste")->AddButton(30101), AppError);
    EXPECT_THROW(bars.Item(2).RemoveButton(9), AppError);
    EXPECT_EQ(support::SnapshotTree(HKEY_CURRENT_USER, kAct), before);
}

}  // namespace
