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

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"
#include "support/TessivarDriver_win.h"

using support::Bytes;
using support::ChildProcess;

namespace {

// The list window's controls, as the program numbers them.
constexpr int kSpeichernId = 103;
constexpr int kLadenId = 104;
constexpr int kListId = 107;
constexpr int kStatusId = 108;
constexpr int kPfadeId = 111;
constexpr int kProgramColumn = 7;
// The window of mended paths.
constexpr int kPathsListId = 301;
constexpr int kPathsOkId = 303;

const std::string kCommands = std::string(seed::kMenuConfig) + "\\CustomCommands";

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

// The seeded commands call programs under C:\ACT\Addons, which this PC
// lacks: both are marked. The first one, selected, is pointed at a folder
// holding its program; the configuration afterwards is the one before,
// byte for byte, but for that command's line and start folder.
TEST_F(TessivarListWindow, ACommandWhoseProgramIsMissingIsMarkedAndPointedAtTheFolderThatHoldsIt) {
    m_Source = m_Folder + L"\\AdrCheck.exe";
    ASSERT_TRUE(support::WriteFileBytes(m_Source, {'M', 'Z'}));
    const std::wstring config(seed::kMenuConfig, seed::kMenuConfig + std::string(seed::kMenuConfig).size());
    const support::RegSnapshot before = support::SnapshotTree(HKEY_CURRENT_USER, config);

    ChildProcess tessivar = ChildProcess::Start(support::ProgramFolder() + L"tessivar.exe", L"");
    HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
    ASSERT_NE(form, nullptr);
    HWND list = GetDlgItem(form, kListId);
    ASSERT_TRUE(WaitForRows(list, 2));
    EXPECT_EQ(support::ListCell(list, 0, kProgramColumn), L"Programm fehlt");
    EXPECT_EQ(support::ListCell(list, 1, kProgramColumn), L"Programm fehlt");
    EXPECT_EQ(support::StatusBarText(GetDlgItem(form, kStatusId)),
              L"2 benutzerdefinierte(r) Befehl(e), 2 mit fehlendem Programm");

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
    for (int i = 0; i < 500 && !support::ListCell(list, 0, kProgramColumn).empty(); ++i) Sleep(20);
    EXPECT_EQ(support::ListCell(list, 0, kProgramColumn), L"");
    EXPECT_EQ(support::ListCell(list, 1, kProgramColumn), L"Programm fehlt");

    const support::RegSnapshot after = support::SnapshotTree(HKEY_CURRENT_USER, config);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [name, entry] : before) {
        const bool changed = name.ends_with(L"CustomCommands|Command-0");
        if (!changed) {
            EXPECT_TRUE(after.at(name) == entry) << std::string(name.begin(), name.end());
            continue;
        }
        const support::Bytes& old = entry.data;
        const support::Bytes& now = after.at(name).data;
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
    }

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
}

}  // namespace
