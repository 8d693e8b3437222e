// The real tessivar.exe's backups: an install undone by "/wiederherstellen",
// the backup imported by the system's own Registry Editor, and "/?".
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

std::wstring BackupFolder() {
    wchar_t path[MAX_PATH] = {};
    SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path);
    return std::wstring(path) + L"\\Tessivar\\Sicherungen";
}

std::vector<std::wstring> Backups() {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((BackupFolder() + L"\\Sicherung *.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RemoveBackups() {
    for (const std::wstring& name : Backups()) DeleteFileW((BackupFolder() + L"\\" + name).c_str());
}

const std::string kConfig(seed::kMenuConfig);

support::RegSnapshot Configuration() {
    return support::SnapshotTree(HKEY_CURRENT_USER, std::wstring(kConfig.begin(), kConfig.end()));
}

class TessivarBackups : public testing::Test {
protected:
    void SetUp() override {
        RemoveBackups();
        seed::SeedTypicalActConfiguration();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"tessivar-backup-e2e-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_Folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW((support::ProgramFolder() + L"tessivar.exe").c_str(), Program().c_str(), FALSE));
        support::Bytes file(1172, 0);
        const std::string name = "Route";
        std::copy(name.begin(), name.end(), file.begin() + 16);
        for (int side : {24, 16}) {
            support::Bytes header(40, 0);
            header[0] = 40;
            header[4] = header[8] = static_cast<std::uint8_t>(side);
            header[12] = 1;
            header[14] = 24;
            const int size = side * side * 3;
            header[20] = static_cast<std::uint8_t>(size);
            header[21] = static_cast<std::uint8_t>(size >> 8);
            file.insert(file.end(), header.begin(), header.end());
            file.insert(file.end(), static_cast<std::size_t>(side * side * 3), 7);
        }
        ASSERT_TRUE(support::WriteFileBytes(m_Folder + L"\\Route.cmd", file));
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        RemoveBackups();
        DeleteFileW((m_Folder + L"\\Route.cmd").c_str());
        DeleteFileW(Program().c_str());
        RemoveDirectoryW(m_Folder.c_str());
    }
    std::wstring Program() const { return m_Folder + L"\\tessivar.exe"; }
    std::optional<DWORD> Run(const std::wstring& arguments) {
        return ChildProcess::Start(Program(), arguments).WaitForExit(20000);
    }

    std::wstring m_Folder;
};

TEST_F(TessivarBackups, AQuietRestoreGivesBackTheConfigurationAsItWasBeforeTheInstall) {
    const support::RegSnapshot before = Configuration();
    ASSERT_EQ(Run(L"Route install /quiet"), std::optional<DWORD>(0));
    const support::RegSnapshot installed = Configuration();
    ASSERT_NE(installed, before);
    const std::vector<std::wstring> first = Backups();
    ASSERT_EQ(first.size(), 1u);

    ASSERT_EQ(Run(L"/wiederherstellen /quiet"), std::optional<DWORD>(0));
    support::RegSnapshot restored = Configuration();
    // What the install added beyond "Count" stays: ACT! reads no further.
    for (const auto& [name, entry] : installed) {
        if (!before.contains(name)) restored.erase(name);
    }
    EXPECT_EQ(restored, before);
    ASSERT_EQ(Backups().size(), 2u) << "the restore saved the state it replaced";

    // That backup, imported by the Registry Editor, is the installed state again.
    std::vector<std::wstring> names = Backups();
    std::erase(names, first.front());
    support::DeleteTree(HKEY_CURRENT_USER, std::wstring(kConfig.begin(), kConfig.end()));
    const std::wstring file = BackupFolder() + L"\\" + names.front();
    wchar_t windows[MAX_PATH] = {};
    GetWindowsDirectoryW(windows, MAX_PATH);
    ASSERT_EQ(ChildProcess::Start(std::wstring(windows) + L"\\regedit.exe", L"/s \"" + file + L"\"").WaitForExit(20000),
              std::optional<DWORD>(0));
    EXPECT_EQ(Configuration(), installed);
}

TEST_F(TessivarBackups, ADamagedBackupIsRefusedWithExitCodeOneAndNothingWritten) {
    const std::wstring file = m_Folder + L"\\fremd.reg";
    const std::string text = "\xFF\xFEW\0i\0n\0";
    ASSERT_TRUE(support::WriteFileBytes(file, support::Bytes(text.begin(), text.end())));
    const support::RegSnapshot before = Configuration();
    EXPECT_EQ(Run(L"/wiederherstellen \"" + file + L"\" /quiet"), std::optional<DWORD>(1));
    EXPECT_EQ(Configuration(), before);
    EXPECT_TRUE(Backups().empty());
    DeleteFileW(file.c_str());
}

// A device or a pipe read as a backup would wait for ever, holding the
// configuration's lock; it is refused at once.
TEST_F(TessivarBackups, ADeviceOrAPipeNamedAsTheFileIsRefusedAtOnce) {
    const std::wstring pipeName = L"\\\\.\\pipe\\tessivar-e2e-" + std::to_wstring(GetCurrentProcessId());
    platform::UniqueFile pipe(
        CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
    ASSERT_TRUE(pipe);
    const support::RegSnapshot before = Configuration();
    for (const std::wstring& file :
         std::vector<std::wstring>{L"AUX", L"COM1", L"CON", L"nul.reg", pipeName, L"\\\\?\\C:\\windows\\win.ini"}) {
        const DWORD start = GetTickCount();
        EXPECT_EQ(Run(L"/wiederherstellen " + file + L" /quiet"), std::optional<DWORD>(1)) << file;
        EXPECT_LT(GetTickCount() - start, 5000u) << file;
    }
    EXPECT_EQ(Configuration(), before);
    EXPECT_TRUE(Backups().empty());
}

TEST_F(TessivarBackups, TheHelpShowsTheCommandLineInABoxAndChangesNothing) {
    const support::RegSnapshot before = Configuration();
    ChildProcess tessivar = ChildProcess::Start(Program(), L"/?");
    HWND box = driver::FindMessageBox(tessivar.Id(), L"Tessivar: Aufruf", 15000);
    ASSERT_NE(box, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    EXPECT_NE(info.text.find(L"tessivar.exe ADDON install [SYMBOLLEISTE] [/quiet]"), std::wstring::npos);
    EXPECT_NE(info.text.find(L"/wiederherstellen [DATEI]"), std::wstring::npos);
    driver::Press(box, IDOK);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
    EXPECT_EQ(Configuration(), before);
}

}  // namespace
