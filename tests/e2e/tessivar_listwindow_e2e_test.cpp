// The real tessivar.exe with its list window, driven from this separate
// process as a user would: a command loaded from a file through the real
// open dialog, the question answered, the command saved to another file
// through the real save dialog, the two files compared byte for byte; a
// command whose program is missing marked, and pointed at a folder that
// holds it through the real folder dialog and the window of mended paths.
#include <windows.h>
#include <commctrl.h>

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
#include "support/RemoteList_win.h"

using support::Bytes;
using support::ChildProcess;

namespace {

// The list window's controls, as the program numbers them.
constexpr int kSpeichernId = 103;
constexpr int kLadenId = 104;
constexpr int kListId = 107;
constexpr int kWiederherstellenId = 109;
constexpr int kSchaltflaechenId = 112;
constexpr int kStatusId = 108;
constexpr int kPfadeId = 111;
// The window of mended paths.
constexpr int kPathsListId = 301;
constexpr int kPathsOkId = 303;
// Of the backups' list, the differences' window and the placing window.
constexpr int kBackupsId = 200, kUnterschiedeId = 203, kBackupsCancelId = 202;
constexpr int kDifferencesId = 301, kDifferencesCloseId = 2;
constexpr int kToolbarsId = 401, kHinzufuegenId = 402, kEntfernenId = 403;

// The values that differ between two snapshots, by name.
std::vector<std::wstring> Changed(const support::RegSnapshot& a, const support::RegSnapshot& b) {
    std::vector<std::wstring> names;
    for (const auto& [name, entry] : a) {
        const auto it = b.find(name);
        if (it == b.end() || !(it->second == entry)) names.push_back(name);
    }
    for (const auto& [name, entry] : b) {
        if (!a.contains(name)) names.push_back(name);
    }
    return names;
}

const std::string kCommands = std::string(seed::kMenuConfig) + "\\CustomCommands";
const std::wstring kMenuConfigW = L"Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!";

// The last column of each row of the command view: the mark of a missing program.
std::vector<std::wstring> Marks(HWND list) {
    std::vector<std::wstring> marks;
    for (const std::wstring& row : support::RemoteRows(list, 8)) marks.push_back(row.substr(row.rfind(L'|') + 1));
    return marks;
}

class TessivarListWindow : public testing::Test {
protected:
    void SetUp() override {
        seed::SeedTypicalActConfiguration();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"tessivar-liste-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_Folder.c_str(), nullptr);
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (const std::wstring& f : {m_Source, m_Saved}) DeleteFileW(f.c_str());
        RemoveDirectoryW(m_Folder.c_str());
    }

    static int Rows(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)); }
    static bool WaitForRows(HWND list, int rows) {
        for (int i = 0; i < 500 && Rows(list) != rows; ++i) Sleep(20);
        return Rows(list) == rows;
    }

    std::wstring m_Folder;
    std::wstring m_Source;
    std::wstring m_Saved;
};

TEST_F(TessivarListWindow, ACommandLoadedThroughTheOpenDialogIsSavedThroughTheSaveDialogAsItWasStored) {
    m_Source = m_Folder + L"\\Gr\u00FC\u00DFe.cmd";
    m_Saved = m_Folder + L"\\Sicherung von Gr\u00FC\u00DFe.cmd";
    ASSERT_TRUE(seed::WriteCommandFile(m_Source, L"Gr\u00FC\u00DFe"));
    const Bytes source = support::ReadFileBytes(m_Source).value();

    ChildProcess tessivar = ChildProcess::Start(support::ProgramFolder() + L"tessivar.exe", L"");
    HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
    ASSERT_NE(form, nullptr);
    HWND list = GetDlgItem(form, kListId);
    const int before = Rows(list);
    ASSERT_GT(before, 0);

    ASSERT_TRUE(driver::Click(form, kLadenId));
    HWND open = driver::FindMessageBox(tessivar.Id(), L"ACT!-Benutzerbefehl laden", 15000);
    ASSERT_NE(open, nullptr) << "the open dialog";
    ASSERT_TRUE(driver::AnswerFileDialog(open, m_Source));

    HWND question = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
    ASSERT_NE(question, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(question);
    EXPECT_EQ(
        info.text,
        L"Soll der benutzerdefinierte Befehl 'Gr\u00FC\u00DFe' in\r\ndie Standardsymbolleiste eingef\u00FCgt werden?");
    EXPECT_EQ(info.icon, "question");
    ASSERT_TRUE(driver::Press(question, IDNO));
    ASSERT_TRUE(WaitForRows(list, before + 1));

    // The new command is selected; Speichern saves it.
    EXPECT_EQ(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), before);
    ASSERT_TRUE(driver::Click(form, kSpeichernId));
    HWND save = driver::FindMessageBox(tessivar.Id(), L"ACT!-Benutzerbefehl speichern", 15000);
    ASSERT_NE(save, nullptr) << "the save dialog";
    ASSERT_TRUE(driver::AnswerFileDialog(save, m_Saved));
    std::optional<Bytes> saved;
    for (int i = 0; i < 500 && !(saved = support::ReadFileBytes(m_Saved)); ++i) Sleep(20);
    ASSERT_TRUE(saved.has_value());
    for (int i = 0; i < 50 && saved->size() < source.size(); ++i) {
        Sleep(20);
        saved = support::ReadFileBytes(m_Saved);
    }

    // As loaded, but under the identifier the table gave it.
    const Bytes record = support::ReadBytes(kCommands, "Command-" + std::to_string(before)).value();
    Bytes expected = source;
    std::copy(record.begin(), record.begin() + 4, expected.begin());
    EXPECT_EQ(*saved, expected);
    EXPECT_EQ(record[0] | (record[1] << 8), 30101 + 2) << "the smallest free identifier";

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
}

TEST_F(TessivarListWindow, ABackupNamesTheDeletionItPrecedesItsDifferencesShowAndAPlacedButtonChangesOneValue) {
    ChildProcess tessivar = ChildProcess::Start(support::ProgramFolder() + L"tessivar.exe", L"");
    HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
    ASSERT_NE(form, nullptr);
    HWND list = GetDlgItem(form, kListId);
    const int before = Rows(list);
    ASSERT_GT(before, 1);
    const std::wstring first = support::RemoteRows(list, 2).at(0);
    const std::wstring name = first.substr(first.find(L'|') + 1);

    // The first command deleted: its backup says so.
    PostMessageW(list, WM_KEYDOWN, VK_DELETE, 1);
    PostMessageW(list, WM_KEYUP, VK_DELETE, 0xC0000001);
    HWND question = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(driver::Press(question, IDYES));
    ASSERT_TRUE(WaitForRows(list, before - 1));
    const support::RegSnapshot deleted = support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfigW);

    ASSERT_TRUE(driver::Click(form, kWiederherstellenId));
    HWND backups = driver::FindWindowOfClass(L"TessivarSicherungen", tessivar.Id(), L"", 15000);
    ASSERT_NE(backups, nullptr);
    const std::wstring newest = support::RemoteRows(GetDlgItem(backups, kBackupsId), 4).at(0);
    EXPECT_EQ(newest.substr(newest.rfind(L'|') + 1), L"L\u00F6schen von '" + name + L"'");
    ASSERT_TRUE(driver::Click(backups, kUnterschiedeId));
    HWND differences = driver::FindWindowOfClass(L"TessivarUnterschiede", tessivar.Id(), L"", 15000);
    ASSERT_NE(differences, nullptr);
    const std::vector<std::wstring> rows = support::RemoteRows(GetDlgItem(differences, kDifferencesId), 3);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows[0], L"Befehl|" + name + L"|kommt hinzu");
    ASSERT_TRUE(driver::Click(differences, kDifferencesCloseId));
    for (int i = 0; i < 250 && IsWindow(differences); ++i) Sleep(20);
    ASSERT_TRUE(driver::Click(backups, kBackupsCancelId));
    for (int i = 0; i < 250 && IsWindow(backups); ++i) Sleep(20);
    EXPECT_TRUE(support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfigW) == deleted)
        << "looked at and cancelled: nothing written";

    // The new first command's button taken off or put on the first toolbar offered: that toolbar's buttons alone change.
    for (int i = 0; i < 250 && !IsWindowEnabled(form); ++i) Sleep(20);
    ASSERT_TRUE(driver::Click(form, kSchaltflaechenId));
    HWND place = driver::FindWindowOfClass(L"TessivarSchaltflaechen", tessivar.Id(), L"", 15000);
    ASSERT_NE(place, nullptr);
    ASSERT_FALSE(support::RemoteRows(GetDlgItem(place, kToolbarsId), 2).empty());
    ASSERT_TRUE(driver::Click(place, IsWindowEnabled(GetDlgItem(place, kEntfernenId)) ? kEntfernenId : kHinzufuegenId));
    ASSERT_TRUE(driver::Click(place, IDOK));
    // Written once the window has closed, behind the lock and a backup.
    std::vector<std::wstring> changed;
    for (int i = 0; i < 250 && changed.empty(); ++i) {
        Sleep(20);
        changed = Changed(deleted, support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfigW));
    }
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_NE(changed[0].find(L"ActToolBars-Bar"), std::wstring::npos)
        << std::string(changed[0].begin(), changed[0].end());
    EXPECT_TRUE(changed[0].ends_with(L"|Buttons"));

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
}

// The seeded commands call programs under C:\ACT\Addons, which this PC
// lacks: both are marked. The first one, selected, is pointed at a folder
// holding its program; the configuration afterwards is the one before,
// byte for byte, but for that command's line and start folder.
TEST_F(TessivarListWindow, ACommandWhoseProgramIsMissingIsMarkedAndPointedAtTheFolderThatHoldsIt) {
    m_Source = m_Folder + L"\\AdrCheck.exe";
    ASSERT_TRUE(support::WriteFileBytes(m_Source, {'M', 'Z'}));
    const support::RegSnapshot before = support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfigW);

    ChildProcess tessivar = ChildProcess::Start(support::ProgramFolder() + L"tessivar.exe", L"");
    HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
    ASSERT_NE(form, nullptr);
    HWND list = GetDlgItem(form, kListId);
    ASSERT_TRUE(WaitForRows(list, 2));
    EXPECT_EQ(Marks(list), (std::vector<std::wstring>{L"Programm fehlt", L"Programm fehlt"}));
    wchar_t status[128] = {};
    SendMessageW(GetDlgItem(form, kStatusId), WM_GETTEXT, 128, reinterpret_cast<LPARAM>(status));
    EXPECT_STREQ(status, L"2 benutzerdefinierte(r) Befehl(e), 2 mit fehlendem Programm");

    // Row 0 is selected; the question whether all marked ones are meant is answered No.
    ASSERT_TRUE(driver::Click(form, kPfadeId));
    HWND question = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(driver::ReadMessageBox(question).text.rfind(L"Bei 2 Befehl(en) fehlt das Programm.", 0), 0u);
    ASSERT_TRUE(driver::Press(question, IDNO));
    HWND folder = driver::FindMessageBox(tessivar.Id(), L"Ordner mit den Programmen w\u00E4hlen", 15000);
    ASSERT_NE(folder, nullptr) << "the folder dialog";
    ASSERT_TRUE(driver::AnswerFileDialog(folder, m_Folder));
    HWND paths = driver::FindWindowOfClass(L"TessivarPfade", tessivar.Id(), L"Pfade anpassen", 15000);
    ASSERT_NE(paths, nullptr) << "the window of mended paths";
    EXPECT_EQ(SendMessageW(GetDlgItem(paths, kPathsListId), LVM_GETITEMCOUNT, 0, 0), 1);
    ASSERT_TRUE(driver::Click(paths, kPathsOkId));
    const std::vector<std::wstring> mended{L"", L"Programm fehlt"};
    for (int i = 0; i < 500 && Marks(list) != mended; ++i) Sleep(20);
    EXPECT_EQ(Marks(list), mended);

    const support::RegSnapshot after = support::SnapshotTree(HKEY_CURRENT_USER, kMenuConfigW);
    const std::vector<std::wstring> changed = Changed(before, after);
    ASSERT_EQ(changed.size(), 1u);
    ASSERT_TRUE(changed[0].ends_with(L"CustomCommands|Command-0"));
    const support::Bytes& old = before.at(changed[0]).data;
    const support::Bytes& now = after.at(changed[0]).data;
    ASSERT_EQ(now.size(), old.size());
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (i < 144 || i > 657) {
            EXPECT_EQ(now[i], old[i]) << "byte " << i;
        }
    }
    const std::string folderText(m_Folder.begin(), m_Folder.end());  // ASCII: the temporary folder
    const std::string line(now.begin() + 144, std::find(now.begin() + 144, now.begin() + 400, 0));
    const std::string start(now.begin() + 400, std::find(now.begin() + 400, now.begin() + 658, 0));
    EXPECT_TRUE(line == folderText + "\\AdrCheck.exe" || line == "\"" + folderText + "\\AdrCheck.exe\"") << line;
    EXPECT_EQ(start, folderText) << "the start folder was the program's";

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
}

}  // namespace
