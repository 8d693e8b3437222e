// The real tessivar.exe with its list window, driven from this separate
// process as a user would: a command loaded from a file through the real
// open dialog, the question answered, the command saved to another file
// through the real save dialog, the two files compared byte for byte.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::Bytes;
using support::ChildProcess;

namespace {

// The list window's controls, as the program numbers them.
constexpr int kSpeichernId = 103;
constexpr int kLadenId = 104;
constexpr int kListId = 107;

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

}  // namespace
