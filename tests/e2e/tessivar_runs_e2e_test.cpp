// The install and removal runs of the real tessivar.exe, copied into an
// add-on folder of its own, driven from here as a setup program and a user
// would drive them; ACT!'s configuration checked byte for byte afterwards.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"
#include "support/TessivarDriver_win.h"

using support::Bytes;
using support::ChildProcess;

namespace {

const std::string kCommands = std::string(seed::kMenuConfig) + "\\CustomCommands";
const std::wstring kInstalled = L"Das ACT!-Addon '";
const std::wstring kRemoved = L"Es wurde das ACT!-Addon '";

std::optional<Bytes> Value(const std::string& key, const std::string& name) { return support::ReadBytes(key, name); }

void SetValue(const std::string& key, const std::string& name, DWORD type, const Bytes& data) {
    support::WriteValue(key, name, type, data);
}

std::string Bar(int n) { return std::string(seed::kMenuConfig) + "\\ActToolBars-Bar" + std::to_string(n); }

Bytes Entry(std::uint32_t id) {
    return {static_cast<std::uint8_t>(id), static_cast<std::uint8_t>(id >> 8), static_cast<std::uint8_t>(id >> 16),
            static_cast<std::uint8_t>(id >> 24), 0};
}

Bytes Appended(Bytes bytes, std::initializer_list<std::uint32_t> ids) {
    for (std::uint32_t id : ids) {
        const Bytes e = Entry(id);
        bytes.insert(bytes.end(), e.begin(), e.end());
    }
    return bytes;
}

std::uint32_t Count() {
    const Bytes b = Value(kCommands, "Count").value_or(Bytes(4, 0xFF));
    return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::string TextAt(const Bytes& record, std::size_t offset) {
    return std::string(reinterpret_cast<const char*>(record.data() + offset));
}

// A command file as an add-on ships it (code-page bytes in the name).
Bytes CommandFile(const std::string& cpName) {
    Bytes f(1172, 0);
    f[0] = 0x39;  // whatever identifier the file brings is replaced
    std::copy(cpName.begin(), cpName.end(), f.begin() + 16);
    const std::string line = "C:\\Alt\\Woanders.exe";
    std::copy(line.begin(), line.end(), f.begin() + 144);
    for (int side : {24, 16}) {
        Bytes header(40, 0);
        header[0] = 40;
        header[4] = header[8] = static_cast<std::uint8_t>(side);
        const int size = side * side * 3;
        header[12] = 1;
        header[14] = 24;
        header[20] = static_cast<std::uint8_t>(size);
        header[21] = static_cast<std::uint8_t>(size >> 8);
        f.insert(f.end(), header.begin(), header.end());
        f.insert(f.end(), static_cast<std::size_t>(size), static_cast<std::uint8_t>(side));
    }
    return f;
}

class TessivarRuns : public testing::Test {
protected:
    void SetUp() override {
        seed::SeedTypicalActConfiguration();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Root = std::wstring(temp) + L"tessivar-e2e-" + std::to_wstring(GetCurrentProcessId());
        m_Folder = m_Root + L"\\ACT Zus\u00E4tze";
        CreateDirectoryW(m_Root.c_str(), nullptr);
        CreateDirectoryW(m_Folder.c_str(), nullptr);
        ASSERT_TRUE(CopyFileW((support::ProgramFolder() + L"tessivar.exe").c_str(),
                              (m_Folder + L"\\tessivar.exe").c_str(), FALSE));
        WriteAddon(L"Route", "Route");
        m_ContactButtons = Value(Bar(0), "Buttons").value();
        m_GroupButtons = Value(Bar(1), "Buttons").value();
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (const auto& f : m_Files) DeleteFileW(f.c_str());
        DeleteFileW((m_Folder + L"\\tessivar.exe").c_str());
        RemoveDirectoryW(m_Folder.c_str());
        RemoveDirectoryW(m_Root.c_str());
    }

    void WriteAddon(const std::wstring& base, const std::string& cpCommandName) {
        const std::wstring path = m_Folder + L"\\" + base + L".cmd";
        ASSERT_TRUE(support::WriteFileBytes(path, CommandFile(cpCommandName)));
        m_Files.push_back(path);
    }

    ChildProcess Start(const std::wstring& arguments) {
        return ChildProcess::Start(m_Folder + L"\\tessivar.exe", arguments);
    }

    // Answers the question, waits for the end message and presses OK; the exit code.
    std::optional<DWORD> RunAnswering(const std::wstring& arguments, std::optional<int> answer,
                                      const std::wstring& endPrefix) {
        ChildProcess tessivar = Start(arguments);
        HWND form = support::WaitForProgressWindow(tessivar.Id(), 15000);
        EXPECT_NE(form, nullptr);
        if (form == nullptr) return std::nullopt;
        if (answer) {
            HWND box = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
            EXPECT_NE(box, nullptr);
            if (box == nullptr) return std::nullopt;
            m_Question = driver::ReadMessageBox(box);
            driver::Press(box, *answer);
        }
        EXPECT_TRUE(support::WaitForInfo(form, endPrefix, 15000)) << "message: " << support::InfoText(form).size();
        m_Info = support::InfoText(form);
        support::PressOK(form);
        return tessivar.WaitForExit(15000);
    }

    // An install that fails: the box that says why, answered, then the
    // "konnte nicht" message and exit code 1. The box as read.
    driver::BoxInfo FailedInstall(const std::wstring& addon) {
        ChildProcess tessivar = Start(addon + L" install");
        driver::BoxInfo info;
        HWND box = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
        EXPECT_NE(box, nullptr);
        if (box == nullptr) return info;
        info = driver::ReadMessageBox(box);
        driver::Press(box, IDOK);
        HWND form = support::WaitForProgressWindow(tessivar.Id(), 15000);
        EXPECT_TRUE(support::WaitForInfo(form, L"Das ACT!-Addon '" + addon + L"' konnte nicht", 15000));
        support::PressOK(form);
        EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(1));
        return info;
    }

    std::wstring m_Root, m_Folder;
    std::vector<std::wstring> m_Files;
    Bytes m_ContactButtons, m_GroupButtons;
    driver::BoxInfo m_Question;
    std::wstring m_Info;
};

TEST_F(TessivarRuns, InstallAnsweredYesAddsTheCommandInItsFolderAndItsButtonAfterASeparator) {
    EXPECT_EQ(RunAnswering(L"Route install", IDYES, kInstalled), std::optional<DWORD>(0));
    EXPECT_EQ(m_Question.text,
              L"Soll der benutzerdefinierte Befehl 'Route' in\r\ndie Standardsymbolleiste eingef\u00FCgt werden?");
    EXPECT_EQ(m_Question.icon, "question");
    EXPECT_EQ(m_Question.buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(m_Info, L"Das ACT!-Addon 'Route' wurde als benutzerdefinierter Befehl in ACT! eingebunden.");

    EXPECT_EQ(Count(), 3u);
    const Bytes record = Value(kCommands, "Command-2").value();
    ASSERT_EQ(record.size(), 1172u);
    EXPECT_EQ(Bytes(record.begin(), record.begin() + 4), (Bytes{0x97, 0x75, 0, 0}));  // 30103
    const std::string folder = "\\ACT Zus\xE4tze";
    EXPECT_NE(TextAt(record, 144).find(folder + "\\Route.exe"), std::string::npos) << TextAt(record, 144);
    EXPECT_EQ(TextAt(record, 144).size() - TextAt(record, 144).rfind(folder + "\\Route.exe"), folder.size() + 10);
    EXPECT_EQ(TextAt(record, 400), TextAt(record, 144).substr(0, TextAt(record, 144).size() - 9));
    EXPECT_TRUE(Value(kCommands, "BitmapL-30103"));
    EXPECT_EQ(Value(Bar(0), "Buttons").value(), Appended(m_ContactButtons, {0, 30103}));
    EXPECT_EQ(Value(Bar(1), "Buttons").value(), m_GroupButtons);
}

TEST_F(TessivarRuns, AnsweredNoOrTwiceTheToolbarsStayAsTheyWere) {
    EXPECT_EQ(RunAnswering(L"Route install", IDNO, kInstalled), std::optional<DWORD>(0));
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(Value(Bar(0), "Buttons").value(), m_ContactButtons);

    // The second install meets the command's name and says so first.
    const driver::BoxInfo info = FailedInstall(L"Route");
    EXPECT_EQ(info.text, L"Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'Route'.");
    EXPECT_EQ(info.icon, "information");
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(Value(Bar(0), "Buttons").value(), m_ContactButtons);
}

TEST_F(TessivarRuns, TheGroupWordFindsTheEnglishGroupsToolbar) {
    const std::string english = "Groups Toolbar";
    SetValue(Bar(1), "WindowName", REG_SZ, Bytes(english.begin(), english.end() + 1));
    EXPECT_EQ(RunAnswering(L"Route install Gruppen", IDYES, kInstalled), std::optional<DWORD>(0));
    EXPECT_EQ(Value(Bar(1), "Buttons").value(), Appended(m_GroupButtons, {0, 30103}));
    EXPECT_EQ(Value(Bar(0), "Buttons").value(), m_ContactButtons);
}

TEST_F(TessivarRuns, RemovalTakesBothSpellingsAndOnlyTheChosenToolbarsButtons) {
    ASSERT_EQ(RunAnswering(L"Route install g", IDYES, kInstalled), std::optional<DWORD>(0));
    // A second command that differs in letter case only, as an older Tessivar could leave it.
    Bytes record = Value(kCommands, "Command-2").value();
    record[0] = 0x98;  // 30104
    record[16] = 'R', record[17] = 'O', record[18] = 'U', record[19] = 'T', record[20] = 'E';
    SetValue(kCommands, "Command-3", REG_BINARY, record);
    SetValue(kCommands, "BitmapL-30104", REG_BINARY, Value(kCommands, "BitmapL-30103").value());
    SetValue(kCommands, "BitmapS-30104", REG_BINARY, Value(kCommands, "BitmapS-30103").value());
    SetValue(kCommands, "Count", REG_DWORD, {4, 0, 0, 0});
    SetValue(Bar(0), "Buttons", REG_BINARY, Appended(m_ContactButtons, {0, 30104}));

    EXPECT_EQ(RunAnswering(L"route deinstall", std::nullopt, kRemoved), std::optional<DWORD>(0));
    EXPECT_EQ(m_Info,
              L"Es wurde das ACT!-Addon 'route' aus der Liste der benutzerdefinierter Befehl in ACT! entfernt.");
    EXPECT_EQ(Count(), 2u);
    EXPECT_EQ(Value(Bar(0), "Buttons").value(), m_ContactButtons);
    EXPECT_EQ(Value(Bar(1), "Buttons").value(),
              Appended(m_GroupButtons, {0, 30103}));  // the removal looked at contacts
    // What ACT! reads no more is gone: both commands' images and the records past "Count".
    for (const char* name :
         {"BitmapL-30103", "BitmapS-30103", "BitmapL-30104", "BitmapS-30104", "Command-2", "Command-3"}) {
        EXPECT_FALSE(support::ReadValue(kCommands, name)) << name;
    }
}

TEST_F(TessivarRuns, RemovingWhatWasNeverInstalledOrWasInstalledUnderAnotherNameChangesNothing) {
    const support::RegSnapshot before = support::SnapshotTree(HKEY_CURRENT_USER, seed::kActRoot);
    EXPECT_EQ(RunAnswering(L"Route deinstall", std::nullopt, kRemoved), std::optional<DWORD>(0));
    EXPECT_EQ(support::SnapshotTree(HKEY_CURRENT_USER, seed::kActRoot), before);

    WriteAddon(L"Planer", "Routenplaner");
    EXPECT_EQ(RunAnswering(L"Planer install", IDYES, kInstalled), std::optional<DWORD>(0));
    EXPECT_EQ(
        m_Question.text,
        L"Soll der benutzerdefinierte Befehl 'Routenplaner' in\r\ndie Standardsymbolleiste eingef\u00FCgt werden?");
    EXPECT_EQ(Count(), 3u);
    EXPECT_EQ(RunAnswering(L"Planer deinstall", std::nullopt, kRemoved), std::optional<DWORD>(0));
    EXPECT_EQ(Count(), 3u);
}

TEST_F(TessivarRuns, AMissingCommandFileIsReportedAndTheRunCouldNotInstall) {
    const driver::BoxInfo info = FailedInstall(L"Fehlt");
    EXPECT_EQ(info.text, L"Fehler in Klasse clCustomTessivar - Load\r\nDie Datei " + m_Folder +
                             L"\\Fehlt.cmd\r\nwurde nicht gefunden.");
    EXPECT_EQ(info.icon, "exclamation");
    EXPECT_EQ(Count(), 2u);
}

TEST_F(TessivarRuns, QuietRunsShowNothingAndTellTheOutcomeByExitCode) {
    ChildProcess install = Start(L"Route install /quiet gruppe");
    EXPECT_EQ(install.WaitForExit(15000), std::optional<DWORD>(0));
    EXPECT_EQ(Value(Bar(1), "Buttons").value(), Appended(m_GroupButtons, {0, 30103}));

    ChildProcess twice = Start(L"Route install /quiet");
    EXPECT_EQ(twice.WaitForExit(15000), std::optional<DWORD>(1));
    ChildProcess missing = Start(L"Fehlt install /QUIET");
    EXPECT_EQ(missing.WaitForExit(15000), std::optional<DWORD>(1));
    ChildProcess outside = Start(L"..\\Route install /quiet");
    EXPECT_EQ(outside.WaitForExit(15000), std::optional<DWORD>(1));

    ChildProcess removal = Start(L"Route deinstall gruppe /quiet");
    EXPECT_EQ(removal.WaitForExit(15000), std::optional<DWORD>(0));
    EXPECT_EQ(Count(), 2u);
    EXPECT_EQ(Value(Bar(1), "Buttons").value(), m_GroupButtons);

    ChildProcess act = ChildProcess::Start(support::ProgramFolder() + L"actstandin.exe", L"");
    act.WaitForInputIdle(10000);
    ChildProcess refused = Start(L"Route install /quiet");
    EXPECT_EQ(refused.WaitForExit(15000), std::optional<DWORD>(2));
}

// Under Wine a key below a volatile key cannot be made
// (ERROR_CHILD_MUST_BE_VOLATILE) while values elsewhere are still written:
// a restore that needs such a key fails part-way for real. Everything it
// had written is put back, and it ends with 1.
TEST_F(TessivarRuns, ARestoreRefusedAKeyPartWayLeavesTheConfigurationAsItWasAndEndsWithOne) {
    const std::wstring config = L"Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\Zusatz";
    const auto makeVolatile = [](const std::wstring& path) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const DWORD one = 1;
        RegSetValueExW(key, L"Wert", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), sizeof one);
        RegCloseKey(key);
    };
    makeVolatile(config);
    makeVolatile(config + L"\\Neu");
    // The install's backup holds both keys and the table without Route.
    ASSERT_EQ(Start(L"Route install /quiet").WaitForExit(15000), std::optional<DWORD>(0));
    ASSERT_EQ(RegDeleteKeyW(HKEY_CURRENT_USER, (config + L"\\Neu").c_str()), ERROR_SUCCESS);
    const std::string menu(seed::kMenuConfig);
    const support::RegSnapshot before =
        support::SnapshotTree(HKEY_CURRENT_USER, std::wstring(menu.begin(), menu.end()));

    EXPECT_EQ(Start(L"/wiederherstellen /quiet").WaitForExit(20000), std::optional<DWORD>(1));
    EXPECT_EQ(support::SnapshotTree(HKEY_CURRENT_USER, std::wstring(menu.begin(), menu.end())), before);
    EXPECT_EQ(Count(), 3u) << "Route stays installed";
}

}  // namespace
