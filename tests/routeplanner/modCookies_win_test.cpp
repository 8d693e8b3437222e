// The cookie clean-up over a real folder under Wine, the answers injected:
// only the answered candidates go, read-only and locked ones stay and are
// reported, sub-folders are not entered.
#include "routeplanner/modCookies.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "common/modRegistry.h"

#include <algorithm>
#include <filesystem>

#include "platform/Handles_win.h"
#include "platform/Locale.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedAutomation.h"
#include "platform/Clock_win.h"
#include "platform/RecordingShell.h"
#include "browser/ScriptedBrowser.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/ScriptedShellFolders.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"
#include "routeplanner/RecordingForm.h"
#include "routepages/LinuxBrowser_win.h"

namespace {

namespace fs = std::filesystem;
using platform::MsgAnswer;

TEST(CookieWalkOnDisk, AnsweredCandidatesGoTheOthersStayAndEveryFailureIsReported) {
    const fs::path root = fs::temp_directory_path() / ("rovandel-cookies-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / L"Unterordner");
    const auto touch = [&root](const std::wstring& name) {
        platform::UniqueFile file(CreateFileW((root / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    for (int i = 0; i < 500; ++i) touch(L"andere" + std::to_wstring(i) + L".txt");
    for (const wchar_t* name :
         {L"weiß@fahrtweg[1].txt", L"nein@fahrtweg[1].txt", L"nurlesen@fahrtweg[1].txt", L"gesperrt@fahrtweg[1].txt",
          L"LAUT@FAHRTWEG[1].txt", L"Unterordner\\tief@fahrtweg[1].txt"}) {
        touch(name);
    }
    SetFileAttributesW((root / L"nurlesen@fahrtweg[1].txt").c_str(), FILE_ATTRIBUTE_READONLY);
    platform::UniqueFile held(CreateFileW((root / L"gesperrt@fahrtweg[1].txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                          nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));

    platform::WinPlatform win{"Rovandel2"};
    platform::ScriptedMessageBoxes boxes;
    // "No" for the one so named, "Yes" for every other question.
    boxes.onShow = [&boxes](const platform::MessageBoxRequest& box) {
        if (box.buttons == platform::MsgButtons::YesNo) {
            boxes.QueueAnswer(box.text.find("nein@") != std::string::npos ? MsgAnswer::No : MsgAnswer::Yes);
        }
    };
    const modRegistry::Access registry{win.registry, win.text, boxes};
    platform::MemorySettingsStore store;
    store.Put("Rovandel2", "Optionen", "CookiePfad", platform::Narrow(root.wstring()));
    platform::ScriptedShellFolders shell;
    platform::ScriptedAutomation act;
    platform::FixedLocale locale;
    clACTApplication link{{act, win.windows, win.text, boxes, locale}, clACTApplication::Build::RoutePlanner};
    RecordingRovandel2 form;
    platform::ScriptedBrowser browsers;
    platform::RecordingShell launcher;
    platform::WinClock clock;
    clRovandel2 logic({win.windows, registry, win.files, store, shell, link, "Rovandel2", browsers, launcher, clock},
                      form);
    form.logic = &logic;
    logic.Form_Load();
    logic.imBanner_Click();

    std::vector<std::string> questions, reports;
    for (const auto& box : boxes.Shown()) {
        (box.buttons == platform::MsgButtons::YesNo ? questions : reports).push_back(box.text);
    }
    EXPECT_EQ(questions.size(), 4u);
    EXPECT_FALSE(fs::exists(root / L"weiß@fahrtweg[1].txt"));
    EXPECT_TRUE(fs::exists(root / L"nein@fahrtweg[1].txt"));
    EXPECT_TRUE(fs::exists(root / L"nurlesen@fahrtweg[1].txt"));
    EXPECT_TRUE(fs::exists(root / L"gesperrt@fahrtweg[1].txt"));
    EXPECT_TRUE(fs::exists(root / L"LAUT@FAHRTWEG[1].txt"));
    EXPECT_TRUE(fs::exists(root / L"Unterordner" / L"tief@fahrtweg[1].txt"));
    std::sort(reports.begin(), reports.end());
    EXPECT_EQ(reports,
              (std::vector<std::string>{"Der Cookie 'gesperrt@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                                        "Die Datei wird gerade von einem anderen Programm benutzt.",
                                        "Der Cookie 'nurlesen@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                                        "Die Datei ist schreibgeschützt."}));
    EXPECT_EQ(form.Lines("progress ").size(), 506u);
    EXPECT_EQ(form.Value(Rovandel2Controls::ProgressBar), 0);

    held.reset();
    SetFileAttributesW((root / L"nurlesen@fahrtweg[1].txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(root);
}

// Wine lists a Linux link to a file as an ordinary file, and deleting it
// there deletes the file it leads to: the listing must mark it.
TEST(CookieWalkOnDisk, ALinkToAFileOutsideIsListedAsALink) {
    const fs::path root = fs::temp_directory_path() / ("rovandel-link-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(root / L"Cookies");
    const std::string unix = routepages::UnixPath(root.wstring());
    if (unix.empty()) GTEST_SKIP() << "Wine's Linux links only";
    platform::UniqueFile(
        CreateFileW((root / L"ziel.txt").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    platform::UniqueFile(CreateFileW((root / L"Cookies" / L"echt@fahrtweg[1].txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, 0, nullptr));
    routepages::RunLinux(
        platform::Widen("Z:\\bin\\ln -s " + unix + "/ziel.txt " + unix + "/Cookies/link@fahrtweg[3].txt"));
    for (int i = 0; i < 100 && !fs::exists(root / L"Cookies" / L"link@fahrtweg[3].txt"); ++i) Sleep(50);

    platform::WinPlatform win{"Rovandel2"};
    const auto listed = win.files.ListFiles(platform::Narrow((root / L"Cookies").wstring()));
    EXPECT_EQ(listed.size(), 2u);
    for (const auto& entry : listed) {
        EXPECT_EQ((entry.attributes & platform::kAttributeReparsePoint) != 0, entry.name.starts_with("link@"))
            << entry.name;
    }
    routepages::RunLinux(platform::Widen("Z:\\bin\\rm -r " + unix));  // Wine's deletion would follow the link
    for (int i = 0; i < 100 && fs::exists(root); ++i) Sleep(50);
}

}  // namespace
