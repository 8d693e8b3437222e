// The test build of tessivar.exe ends itself as hard as a kill at its k-th
// registry write, for every k of a change; the next start of the real
// program must leave ACT!'s configuration as it was before the change, or
// as after it once the change had deleted its mark; never between.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

const std::wstring kMenuConfig = L"Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";
constexpr DWORD kKilled = 9;

std::wstring LocalAppData() {
    wchar_t path[MAX_PATH] = {};
    GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH);
    return path;
}

class TessivarKilled : public testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"tessivar-kill-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_Folder.c_str(), nullptr);
        for (const wchar_t* program : {L"tessivar.exe", L"tessivar_killtest.exe"}) {
            ASSERT_TRUE(
                CopyFileW((support::ProgramFolder() + program).c_str(), (m_Folder + L"\\" + program).c_str(), FALSE));
        }
        for (const wchar_t* addon : {L"Route", L"Notizen", L"Termine", L"Karte"}) {
            ASSERT_TRUE(seed::WriteCommandFile(m_Folder + L"\\" + addon + L".cmd", addon));
        }
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TESSIVAR_END_AT_WRITE", nullptr);
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (const wchar_t* name :
             {L"tessivar.exe", L"tessivar_killtest.exe", L"Route.cmd", L"Notizen.cmd", L"Termine.cmd", L"Karte.cmd"}) {
            DeleteFileW((m_Folder + L"\\" + name).c_str());
        }
        RemoveDirectoryW(m_Folder.c_str());
    }

    std::optional<DWORD> Run(const std::wstring& program, const std::wstring& arguments) {
        ChildProcess tessivar = ChildProcess::Start(m_Folder + L"\\" + program, arguments);
        return tessivar.WaitForExit(30000);
    }
    // ACT!'s typical configuration, with `extra` more add-ons' commands.
    void Prepare(std::initializer_list<const wchar_t*> extra) {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        seed::SeedTypicalActConfiguration();
        for (const wchar_t* addon : extra) {
            ASSERT_EQ(Run(L"tessivar.exe", std::wstring(addon) + L" install /quiet"), std::optional<DWORD>(0));
        }
    }
    static support::RegSnapshot Configuration() { return support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfig); }
    static bool Marked() {
        const std::wstring mark = LocalAppData() + L"\\Tessivar\\Sicherungen\\Laufende \u00C4nderung.txt";
        return GetFileAttributesW(mark.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    static bool LogonEntry() {
        return support::ReadBytes("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", "Tessivar").has_value();
    }

    // Kills the change at write 1, 2, ... until it ends by itself; the
    // number of writes it made.
    int KillAtEveryWrite(const std::function<void()>& prepare, const std::wstring& arguments) {
        prepare();
        EXPECT_EQ(Run(L"tessivar.exe", arguments), std::optional<DWORD>(0));
        const support::RegSnapshot after = Configuration();
        for (int k = 1;; ++k) {
            prepare();
            const support::RegSnapshot before = Configuration();
            SetEnvironmentVariableW(L"TESSIVAR_END_AT_WRITE", std::to_wstring(k).c_str());
            const std::optional<DWORD> exit = Run(L"tessivar_killtest.exe", arguments);
            SetEnvironmentVariableW(L"TESSIVAR_END_AT_WRITE", nullptr);
            if (exit != std::optional<DWORD>(kKilled)) {
                EXPECT_EQ(exit, std::optional<DWORD>(0)) << "write " << k;
                EXPECT_FALSE(Marked());
                return k - 1;
            }
            const bool marked = Marked();
            // The logon entry's own line: the repair alone.
            EXPECT_EQ(Run(L"tessivar.exe", L"/reparieren /quiet"), std::optional<DWORD>(0)) << "write " << k;
            EXPECT_TRUE(Configuration() == (marked ? before : after))
                << "write " << k << (marked ? " (before)" : " (after)");
            EXPECT_FALSE(Marked()) << "write " << k;
            if (marked) EXPECT_FALSE(LogonEntry()) << "write " << k;
        }
    }

    std::wstring m_Folder;
};

TEST_F(TessivarKilled, AnInstallARemovalNearTheTopAndARestoreEndAsBeforeOrAsAfterWhereverTheyDie) {
    const int install = KillAtEveryWrite([this] { Prepare({}); }, L"Route install /quiet");
    const int removal = KillAtEveryWrite(
        [this] {
            Prepare({L"Notizen", L"Termine", L"Karte"});
        },
        L"Serienbrief deinstall /quiet");
    // The newest backup is the one taken before the last install.
    const int restore = KillAtEveryWrite([this] { Prepare({L"Notizen"}); }, L"/wiederherstellen /quiet");
    EXPECT_GT(install, 4);
    EXPECT_GT(removal, 4);
    EXPECT_GT(restore, 4);
}

}  // namespace
