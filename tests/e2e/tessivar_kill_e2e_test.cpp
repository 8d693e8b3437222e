// The test build of tessivar.exe ends itself as hard as a kill at its k-th
// registry write, for every k of a change; the next start of the real
// program must leave ACT!'s configuration as it was before the change, or
// as after it once the change had deleted its mark; never between.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

const std::wstring kMenuConfig = L"Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";
constexpr DWORD kKilled = 9;
// The list window's and the placing window's controls, as the program numbers them.
constexpr int kListId = 107;
constexpr int kSchaltflaechenId = 112;
constexpr int kHinzufuegenId = 402;
constexpr int kEntfernenId = 403;

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
        return KillAtEveryWrite(prepare, [&](const wchar_t* program) { return Run(program, arguments); });
    }
    // The same for a change that `change` makes with the program named.
    int KillAtEveryWrite(const std::function<void()>& prepare,
                         const std::function<std::optional<DWORD>(const wchar_t* program)>& change) {
        prepare();
        EXPECT_EQ(change(L"tessivar.exe"), std::optional<DWORD>(0));
        const support::RegSnapshot after = Configuration();
        for (int k = 1;; ++k) {
            prepare();
            const support::RegSnapshot before = Configuration();
            SetEnvironmentVariableW(L"TESSIVAR_END_AT_WRITE", std::to_wstring(k).c_str());
            const std::optional<DWORD> exit = change(L"tessivar_killtest.exe");
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
            if (marked) {
                EXPECT_FALSE(LogonEntry()) << "write " << k;
            }
        }
    }

    // The list window's first command's button taken off the toolbar that
    // holds it first, or put on it, as the user does in "Schaltflächen…";
    // the window is closed once the change is over, unless it died in it.
    std::optional<DWORD> PlaceFirstButton(const wchar_t* program) {
        ChildProcess tessivar = ChildProcess::Start(m_Folder + L"\\" + program, L"");
        HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
        if (form == nullptr) return std::nullopt;
        HWND list = GetDlgItem(form, kListId);
        for (int i = 0; i < 500 && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 0; ++i) Sleep(20);
        driver::Click(form, kSchaltflaechenId);
        HWND place = driver::FindWindowOfClass(L"TessivarSchaltflaechen", tessivar.Id(), L"", 15000);
        if (place == nullptr) return std::nullopt;
        driver::Click(place, IsWindowEnabled(GetDlgItem(place, kEntfernenId)) ? kEntfernenId : kHinzufuegenId);
        driver::Click(place, IDOK);
        for (int i = 0; i < 500 && IsWindow(place); ++i) Sleep(20);
        if (const auto exit = tessivar.WaitForExit(200)) return exit;
        for (int i = 0; i < 500 && !IsWindowEnabled(form); ++i) Sleep(20);
        PostMessageW(form, WM_CLOSE, 0, 0);
        return tessivar.WaitForExit(15000);
    }

    std::wstring m_Folder;
};

TEST_F(TessivarKilled, AButtonPlacedFromTheListWindowEndsAsBeforeOrAsAfterWhereverItDies) {
    const int placing =
        KillAtEveryWrite([this] { Prepare({}); }, [this](const wchar_t* program) { return PlaceFirstButton(program); });
    EXPECT_EQ(placing, 3) << "the logon entry, the toolbar's buttons, the entry gone";
}

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

// Killed hard at a random moment, as a user's machine may lose power: on a
// table of 1,000 commands, each kind of change 30 times. Minutes long, so
// not in the test command: scripts/kill-test.sh runs it.
class TessivarKilledAtRandom : public TessivarKilled {
protected:
    // The typical configuration grown to 1,000 commands, and Route's command beside them.
    static void Thousand() {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        seed::SeedTypicalActConfiguration();
        const std::string commands = std::string(seed::kMenuConfig) + "\\CustomCommands";
        const support::Bytes record = support::ReadBytes(commands, "Command-1").value();
        const support::Bytes large = support::ReadBytes(commands, "BitmapL-30102").value();
        const support::Bytes small = support::ReadBytes(commands, "BitmapS-30102").value();
        for (std::uint32_t n = 2; n < 1000; ++n) {
            support::Bytes copy = record;
            const std::uint32_t id = 30101 + n;
            for (int i = 0; i < 4; ++i) copy[i] = static_cast<std::uint8_t>(id >> (8 * i));
            const std::string name = "Befehl " + std::to_string(n);
            std::fill(copy.begin() + 16, copy.begin() + 144, 0);
            std::copy(name.begin(), name.end(), copy.begin() + 16);
            support::WriteValue(commands, "Command-" + std::to_string(n), REG_BINARY, copy);
            support::WriteValue(commands, "BitmapL-" + std::to_string(id), REG_BINARY, large);
            support::WriteValue(commands, "BitmapS-" + std::to_string(id), REG_BINARY, small);
        }
        const std::uint32_t count = 1000;
        support::WriteValue(commands, "Count", REG_DWORD,
                            support::Bytes(reinterpret_cast<const std::uint8_t*>(&count),
                                           reinterpret_cast<const std::uint8_t*>(&count) + 4));
    }

    // Starts the run and waits for its mark (its first write comes next);
    // the milliseconds waited, or nothing when the run ended first.
    std::optional<DWORD> UntilMarked(ChildProcess& tessivar) {
        const DWORD begin = GetTickCount();
        while (!Marked()) {
            if (tessivar.WaitForExit(0) || GetTickCount() - begin > 30000) return std::nullopt;
        }
        return GetTickCount() - begin;
    }

    // Kills each run at a random moment between its mark's appearance and
    // its end (its writes), as measured on a whole run; counts the runs
    // that the next start leaves neither as before nor as after.
    int HalfChanges(const std::function<void()>& prepare, const std::wstring& arguments, int rounds) {
        prepare();
        ChildProcess whole = ChildProcess::Start(m_Folder + L"\\tessivar.exe", arguments);
        EXPECT_TRUE(UntilMarked(whole));
        const DWORD marked = GetTickCount();
        EXPECT_EQ(whole.WaitForExit(30000), std::optional<DWORD>(0));
        const DWORD writing = GetTickCount() - marked;
        const support::RegSnapshot after = Configuration();
        int half = 0, cut = 0;
        std::uint32_t seed = 12345;
        for (int round = 0; round < rounds; ++round) {
            prepare();
            const support::RegSnapshot before = Configuration();
            seed = seed * 1103515245u + 12345u;
            ChildProcess tessivar = ChildProcess::Start(m_Folder + L"\\tessivar.exe", arguments);
            if (UntilMarked(tessivar)) Sleep((seed >> 8) % (writing + 1));
            tessivar.Kill();
            tessivar.WaitForExit(30000);
            cut += Marked();
            EXPECT_EQ(Run(L"tessivar.exe", L"/reparieren /quiet"), std::optional<DWORD>(0));
            const support::RegSnapshot now = Configuration();
            if (!(now == before) && !(now == after)) ++half;
        }
        std::printf("%ls: %d of %d killed in their change, %d left half done (writing took %lu ms)\n",
                    arguments.c_str(), cut, rounds, half, writing);
        return half;
    }
};

TEST_F(TessivarKilledAtRandom, ThirtyKillsOfEachChangeOnAThousandCommandsLeaveNoHalfChange) {
    EXPECT_EQ(HalfChanges(Thousand, L"Route install /quiet", 30), 0);
    EXPECT_EQ(HalfChanges(Thousand, L"Serienbrief deinstall /quiet", 30), 0);
    EXPECT_EQ(HalfChanges(
                  [this] {
                      Thousand();
                      ASSERT_EQ(Run(L"tessivar.exe", L"Route install /quiet"), std::optional<DWORD>(0));
                  },
                  L"/wiederherstellen /quiet", 30),
              0);
}

}  // namespace
