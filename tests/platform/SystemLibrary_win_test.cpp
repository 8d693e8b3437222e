// The DLL search restricted to the system folder, in a process of its own
// (the restriction holds for the rest of a process): a DLL beside the
// program is found before it and never after it.
#include "platform/SystemLibrary_win.h"

#include <gtest/gtest.h>

#include <string>

#include "support/Process_win.h"

namespace {

constexpr const wchar_t* kProbe = L"tessivar-dll-probe.dll";
constexpr const wchar_t* kChildSwitch = L"TESSIVAR_DLL_PROBE_CHILD";

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    return GetEnvironmentVariableW(name, value, MAX_PATH) > 0 ? value : L"";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Run by the test below in a child process; skipped anywhere else.
TEST(DllSearchChild, TheProbeBesideTheProgramIsFoundOnlyBeforeTheRestriction) {
    if (Environment(kChildSwitch).empty()) GTEST_SKIP() << "the child's half";
    const std::wstring marker = Environment(L"TESSIVAR_PLANT_MARKERS") + L"\\" + kProbe + L".loaded";
    EXPECT_EQ(LoadLibraryW(kProbe), nullptr) << "the probe refuses to stay";
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DLL_INIT_FAILED)) << "found, and refused";
    EXPECT_TRUE(Exists(marker)) << "found beside the program";
    DeleteFileW(marker.c_str());
    platform::RestrictDllSearch();
    EXPECT_EQ(LoadLibraryW(kProbe), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(Exists(marker)) << "looked for in the system folder only";
    EXPECT_NE(platform::SystemLibrary(L"version.dll"), nullptr) << "the system's own still load";
}

TEST(DllSearch, ADllBesideTheProgramIsNoLongerLoadedOnceTheSearchIsRestricted) {
    const std::wstring folder = support::ProgramFolder();
    ASSERT_TRUE(CopyFileW((folder + L"plantmarker.dll").c_str(), (folder + kProbe).c_str(), FALSE));
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring markers = std::wstring(temp) + L"dll-probe-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(markers.c_str(), nullptr);
    SetEnvironmentVariableW(L"TESSIVAR_PLANT_MARKERS", markers.c_str());
    SetEnvironmentVariableW(kChildSwitch, L"1");
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    support::ChildProcess child =
        support::ChildProcess::Start(self, L"--gtest_filter=DllSearchChild.* --gtest_brief=1");
    EXPECT_EQ(child.WaitForExit(30000), std::optional<DWORD>(0)) << "the child's checks";
    SetEnvironmentVariableW(kChildSwitch, nullptr);
    SetEnvironmentVariableW(L"TESSIVAR_PLANT_MARKERS", nullptr);
    DeleteFileW((folder + kProbe).c_str());
    DeleteFileW((markers + L"\\" + kProbe + L".loaded").c_str());
    RemoveDirectoryW(markers.c_str());
}

}  // namespace
