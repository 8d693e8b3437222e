// DLLs planted beside the programs, under the names of the DLLs they load
// (read from Wine's loader trace), with Wine told to prefer such DLLs as
// Windows' search order would: on each main path neither program loads
// one of them, and each path still ends as it should.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "driver/BoxDriver_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/ActStandin_win.h"
#include "support/Process_win.h"
#include "platform/WinText_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"

using support::ChildProcess;

namespace {

// Every DLL the two programs load that is not one of the system's known
// DLLs (ole32, shell32, imm32, ...), which Windows never looks for beside a
// program. Not planted: version.dll and msimg32.dll, which Wine's own DLLs
// load by ways that no program's search order governs (version.dll at
// start-up, before the program runs; msimg32.dll for its common controls);
// on Windows the program's own restriction covers them.
constexpr const wchar_t* kPlanted[] = {
    L"uxtheme", L"comctl32", L"winhttp", L"propsys",  L"dwmapi",  L"windowscodecs",
    L"crypt32", L"iphlpapi", L"userenv", L"netapi32", L"wininet", L"urlmon",
};

constexpr const wchar_t* kPrograms[] = {L"tessivar.exe", L"rovandel2.exe"};

std::string Overrides(const wchar_t* program) {
    return "Software\\Wine\\AppDefaults\\" + platform::Narrow(program) + "\\DllOverrides";
}
// A text value as the A-functions store it, with its terminating zero.
support::Bytes Text(std::string_view text) {
    support::Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

class DllPlanting : public testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(support::ActStandin::Register()); }
    void SetUp() override {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"planted-" + std::to_wstring(GetCurrentProcessId());
        m_Markers = m_Folder + L"\\Spuren";
        CreateDirectoryW(m_Folder.c_str(), nullptr);
        CreateDirectoryW(m_Markers.c_str(), nullptr);
        for (const wchar_t* program : {L"tessivar.exe", L"rovandel2.exe"})
            Copy(support::ProgramFolder() + program, program);
        for (const wchar_t* name : kPlanted) {
            Copy(support::ProgramFolder() + L"plantmarker.dll", std::wstring(name) + L".dll");
            // Wine takes its own DLLs first; for these programs it is told
            // to look for the DLL first, as Windows does.
            for (const wchar_t* program : kPrograms) {
                support::WriteValue(Overrides(program), platform::Narrow(name), REG_SZ, Text("native,builtin"));
            }
        }
        ASSERT_TRUE(seed::WriteCommandFile(m_Folder + L"\\Route.cmd", L"Route"));
        Copy(support::ProgramFolder() + L"plantmarker.dll", L"Route.exe");
        SetEnvironmentVariableW(L"TESSIVAR_PLANT_MARKERS", m_Markers.c_str());
        seed::SeedTypicalActConfiguration();
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TESSIVAR_PLANT_MARKERS", nullptr);
        for (const wchar_t* program : kPrograms) {
            support::DeleteTree(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + std::wstring(program));
        }
        m_Act.Close();
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (const std::wstring& folder : {m_Markers, m_Folder}) {
            WIN32_FIND_DATAW found{};
            HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
            if (find != INVALID_HANDLE_VALUE) {
                do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
                while (FindNextFileW(find, &found));
                FindClose(find);
            }
            RemoveDirectoryW(folder.c_str());
        }
    }
    void Copy(const std::wstring& from, const std::wstring& name) {
        ASSERT_TRUE(CopyFileW(from.c_str(), (m_Folder + L"\\" + name).c_str(), FALSE)) << platform::Narrow(name);
    }
    ChildProcess Start(const wchar_t* program, const std::wstring& arguments) {
        return ChildProcess::Start(m_Folder + L"\\" + program, arguments);
    }
    // The markers the planted DLLs left: the DLLs that were loaded.
    std::vector<std::string> Loaded() {
        std::vector<std::string> names;
        WIN32_FIND_DATAW found{};
        HANDLE find = FindFirstFileW((m_Markers + L"\\*.loaded").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do names.push_back(platform::Narrow(found.cFileName));
        while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }
    // A box of `program` answered with OK.
    static void AnswerBox(ChildProcess& program, const wchar_t* title) {
        HWND box = driver::FindMessageBox(program.Id(), title, 15000);
        ASSERT_NE(box, nullptr) << platform::Narrow(title);
        driver::Press(box, IDOK);
    }
    static void CloseWindow(ChildProcess& program, const wchar_t* className) {
        HWND window = support::WaitForWindow(className, program.Id(), 15000);
        ASSERT_NE(window, nullptr) << platform::Narrow(className);
        Sleep(300);  // its first paint and what it loads for it
        PostMessageW(window, WM_CLOSE, 0, 0);
    }

    std::wstring m_Folder, m_Markers;
    support::ActStandin m_Act;
};

TEST_F(DllPlanting, NeitherProgramLoadsADllFromItsOwnFolderOnAnyMainPath) {
    {
        ChildProcess help = Start(L"tessivar.exe", L"/?");
        AnswerBox(help, L"Tessivar: Aufruf");
        EXPECT_EQ(help.WaitForExit(15000), std::optional<DWORD>(0)) << "the usage";
    }
    {
        ChildProcess list = Start(L"tessivar.exe", L"");
        CloseWindow(list, L"TessivarListe");
        EXPECT_EQ(list.WaitForExit(15000), std::optional<DWORD>(0)) << "the list window";
    }
    EXPECT_EQ(Start(L"tessivar.exe", L"Route install /quiet").WaitForExit(30000), std::optional<DWORD>(0))
        << "an install, with a backup";
    EXPECT_EQ(Start(L"tessivar.exe", L"/wiederherstellen /quiet").WaitForExit(30000), std::optional<DWORD>(0))
        << "a restore";
    {
        ChildProcess refused = Start(L"rovandel2.exe", L"");
        AnswerBox(refused, L"Rovandel2");
        EXPECT_EQ(refused.WaitForExit(15000), std::optional<DWORD>(2)) << "Rovandel2 without ACT!";
    }
    ASSERT_TRUE(m_Act.Start());
    {
        ChildProcess refused = Start(L"tessivar.exe", L"Route deinstall");
        AnswerBox(refused, L"Tessivar");
        EXPECT_EQ(refused.WaitForExit(15000), std::optional<DWORD>(2)) << "Tessivar while ACT! runs";
    }
    {
        ChildProcess rovandel = Start(L"rovandel2.exe", L"");
        CloseWindow(rovandel, L"Rovandel2Haupt");
        EXPECT_EQ(rovandel.WaitForExit(15000), std::optional<DWORD>(0)) << "Rovandel2's window";
    }
    EXPECT_EQ(Loaded(), std::vector<std::string>{});
}

}  // namespace
