// The real tessivar.exe's command editor, driven from this separate
// process as a user would: each text typed, a picture of each kind loaded
// through the real open dialog; afterwards ACT!'s configuration differs
// only in the command's record and its picture values.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>

#include "driver/BoxDriver_win.h"
#include "platform/ImageCodec_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/PictureFiles_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

// The controls, as the program numbers them.
constexpr int kBearbeitenId = 110;
constexpr int kOkId = 1;
constexpr int kFirstTextId = 300;  // Name, Zeile, Start, QuickInfo, Beschreibung, Menu
constexpr int kLoadLargeId = 323;
constexpr int kLoadSmallId = 325;
constexpr const wchar_t* kEditor = L"TessivarBearbeiten";
constexpr const wchar_t* kPictureDialog = L"Bild f\u00FCr die Schaltfl\u00E4che laden";

const std::string kCommands = std::string(seed::kMenuConfig) + "\\CustomCommands";

// 8 x 8 pixels: the top half green, the bottom half yellow (or the other way round).
platform::Pixels Halves(bool upsideDown = false) {
    platform::Pixels pixels{8, 8, {}};
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            pixels.bgra.insert(pixels.bgra.end(),
                               {0, 255, static_cast<std::uint8_t>((y < 4) != upsideDown ? 0 : 255), 255});
        }
    }
    return pixels;
}

class TessivarEditor : public testing::Test {
protected:
    void SetUp() override {
        seed::SeedTypicalActConfiguration();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"tessivar-bearbeiten-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(m_Folder.c_str(), nullptr);
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (const std::wstring& f : m_Files) DeleteFileW(f.c_str());
        RemoveDirectoryW(m_Folder.c_str());
    }
    std::wstring Write(const std::wstring& name, const std::vector<std::uint8_t>& bytes) {
        m_Files.push_back(m_Folder + L"\\" + name);
        FILE* file = _wfopen(m_Files.back().c_str(), L"wb");
        EXPECT_NE(file, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
        return m_Files.back();
    }
    // The values of ACT!'s configuration that differ between two snapshots.
    static std::set<std::wstring> Changed(const support::RegSnapshot& a, const support::RegSnapshot& b) {
        std::set<std::wstring> names;
        for (const auto& [name, entry] : a) {
            if (!b.contains(name) || !(b.at(name) == entry)) names.insert(name.substr(name.find(L'|') + 1));
        }
        for (const auto& [name, entry] : b) {
            if (!a.contains(name)) names.insert(name.substr(name.find(L'|') + 1));
        }
        return names;
    }
    static support::RegSnapshot Configuration() {
        return support::SnapshotTree(HKEY_CURRENT_USER, L"Software\\Symantec\\ACT!\\TBarMenuConfig");
    }
    HWND OpenEditor(DWORD pid, HWND form) {
        EXPECT_TRUE(driver::Click(form, kBearbeitenId));
        return driver::FindWindowOfClass(kEditor, pid, L"ACT!-Benutzerbefehl bearbeiten", 15000);
    }
    void LoadPicture(DWORD pid, HWND editor, int button, const std::wstring& path) {
        ASSERT_TRUE(driver::Click(editor, button));
        HWND dialog = driver::FindMessageBox(pid, kPictureDialog, 15000);
        ASSERT_NE(dialog, nullptr) << "the open dialog";
        ASSERT_TRUE(driver::AnswerFileDialog(dialog, path));
        for (int i = 0; i < 500 && IsWindow(dialog); ++i) Sleep(20);
    }
    // Presses OK and waits until the editor has gone and the change is written.
    static bool Confirm(HWND editor, const support::RegSnapshot& before) {
        if (!driver::Click(editor, kOkId)) return false;
        for (int i = 0; i < 500 && (IsWindow(editor) || Configuration() == before); ++i) Sleep(20);
        Sleep(200);
        return !IsWindow(editor);
    }

    std::wstring m_Folder;
    std::vector<std::wstring> m_Files;
};

TEST_F(TessivarEditor, EachTextAndAPictureOfEachKindChangeOnlyTheRecordAndThePictureValues) {
    platform::WicImageCodec codec;
    const std::wstring bmp = Write(L"knopf.bmp", support::BmpFile(Halves()));
    const std::wstring ico = Write(L"knopf.ico", support::IcoFile(Halves(true)));
    m_Files.push_back(m_Folder + L"\\knopf.png");
    codec.EncodePng(std::string(m_Files.back().begin(), m_Files.back().end()), Halves());
    const std::wstring png = m_Files.back();

    const auto record = support::ReadBytes(kCommands, "Command-0").value();
    const int id = record[0] | (record[1] << 8) | (record[2] << 16);
    const std::wstring large = L"BitmapL-" + std::to_wstring(id), small = L"BitmapS-" + std::to_wstring(id);
    const auto largeBefore = support::ReadBytes(kCommands, "BitmapL-" + std::to_string(id)).value();

    const support::RegSnapshot start = Configuration();
    ChildProcess tessivar = ChildProcess::Start(support::ProgramFolder() + L"tessivar.exe", L"");
    HWND form = support::WaitForWindow(L"TessivarListe", tessivar.Id(), 15000);
    ASSERT_NE(form, nullptr);
    Sleep(300);  // the first row selected once the list is filled

    HWND editor = OpenEditor(tessivar.Id(), form);
    ASSERT_NE(editor, nullptr);
    const wchar_t* texts[] = {L"Ge\u00E4ndert \u00C4", L"\"C:\\Programme\\Neu\\neu.exe\" /x", L"C:\\Programme\\Neu",
                              L"Neuer Tipp",           L"Neue Beschreibung \u00DF",           L"Neues Men\u00FC"};
    for (int i = 0; i < 6; ++i) {
        SendMessageW(GetDlgItem(editor, kFirstTextId + i), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(texts[i]));
    }
    LoadPicture(tessivar.Id(), editor, kLoadLargeId, bmp);
    LoadPicture(tessivar.Id(), editor, kLoadSmallId, png);
    ASSERT_TRUE(Confirm(editor, start));
    const support::RegSnapshot edited = Configuration();
    EXPECT_EQ(Changed(start, edited), (std::set<std::wstring>{L"Command-0", large, small}));

    const auto written = support::ReadBytes(kCommands, "Command-0").value();
    ASSERT_EQ(written.size(), 1172u);
    EXPECT_TRUE(std::equal(record.begin(), record.begin() + 16, written.begin())) << "identifier, ACT!'s bytes";
    EXPECT_EQ(std::string(written.begin() + 16, written.begin() + 26), "Ge\xE4ndert \xC4");
    EXPECT_EQ(std::string(written.begin() + 850, written.begin() + 860), "Neues Men\xFC");
    const auto largeAfter = support::ReadBytes(kCommands, "BitmapL-" + std::to_string(id)).value();
    ASSERT_EQ(largeAfter.size(), largeBefore.size());
    EXPECT_TRUE(std::equal(largeBefore.begin(), largeBefore.begin() + 40, largeAfter.begin())) << "the header";
    EXPECT_EQ(std::vector<int>(largeAfter.begin() + 40, largeAfter.begin() + 43), (std::vector<int>{0, 255, 255}))
        << "the bottom row first: yellow";

    editor = OpenEditor(tessivar.Id(), form);
    ASSERT_NE(editor, nullptr);
    LoadPicture(tessivar.Id(), editor, kLoadLargeId, ico);
    ASSERT_TRUE(Confirm(editor, edited));
    EXPECT_EQ(Changed(edited, Configuration()), std::set<std::wstring>{large});
    const auto fromIcon = support::ReadBytes(kCommands, "BitmapL-" + std::to_string(id)).value();
    EXPECT_EQ(std::vector<int>(fromIcon.begin() + 40, fromIcon.begin() + 43), (std::vector<int>{0, 255, 0}))
        << "the bottom row first: green";

    PostMessageW(form, WM_CLOSE, 0, 0);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(0));
}

}  // namespace
