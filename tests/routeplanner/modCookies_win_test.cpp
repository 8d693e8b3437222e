// The cookie clean-up over a real folder under Wine, the answers injected:
// only the answered candidates go, read-only and locked ones stay and are
// reported, sub-folders are not entered.
#include "routeplanner/modCookies.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "platform/Handles_win.h"
#include "platform/Locale.h"
#include "platform/MemorySettingsStore.h"
#include "platform/ScriptedAutomation.h"
#include "platform/Clock_win.h"
#include "platform/RecordingShell.h"
#include "platform/ScriptedBrowser.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/ScriptedShellFolders.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"
#include "routeplanner/RecordingForm.h"
#include "routepages/LinuxBrowser_win.h"

namespace {

namespace fs = std::filesystem;
using platform::MsgAnswer;

// The banner's clean-up over `env`'s files, with the option naming `folder`.
struct CleanUp {
    CleanUp(const platform::Platform& env, const std::string& folder)
        : link{env, act, locale, clACTApplication::Build::RoutePlanner},
          logic({env, store, shell, link, "Rovandel2", browsers, launcher, clock}, form) {
        store.Put("Rovandel2", "Optionen", "CookiePfad", folder);
        form.logic = &logic;
        logic.Form_Load();
        logic.imBanner_Click();
    }
    platform::MemorySettingsStore store;
    platform::ScriptedShellFolders shell;
    platform::ScriptedAutomation act;
    platform::FixedLocale locale;
    platform::ScriptedBrowser browsers;
    platform::RecordingShell launcher;
    platform::WinClock clock;
    RecordingForm form;
    clACTApplication link;
    clRovandel2 logic;
};

TEST(CookieWalkOnDisk, AnsweredCandidatesGoTheOthersStayAndEveryFailureIsReported) {
    const fs::path root = fs::temp_directory_path() / ("rovandel-cookies-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / L"Unterordner");
    const auto touch = [&root](const std::wstring& name) {
        platform::UniqueFile file(CreateFileW((root / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    };
    for (int i = 0; i < 500; ++i) touch(L"andere" + std::to_wstring(i) + L".txt");
    for (const wchar_t* name : {L"weiß@fahrtweg[1].txt", L"nein@fahrtweg[1].txt", L"nurlesen@fahrtweg[1].txt",
                                L"gesperrt@fahrtweg[1].txt", L"LAUT@FAHRTWEG[1].txt", L"Unterordner\\tief@fahrtweg[1].txt"}) {
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
    platform::Platform env{win.registry, win.windows, boxes, win.text, win.files, win.graphics, "Rovandel2"};
    CleanUp cleanUp(env, platform::Narrow(root.wstring()));
    const RecordingForm& form = cleanUp.form;

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
    EXPECT_EQ(reports, (std::vector<std::string>{
                           "Der Cookie 'gesperrt@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                           "Die Datei wird gerade von einem anderen Programm benutzt.",
                           "Der Cookie 'nurlesen@fahrtweg[1].txt' konnte nicht gelöscht werden.\r\n"
                           "Die Datei ist schreibgeschützt."}));
    EXPECT_EQ(form.Lines("progress ").size(), 506u);
    EXPECT_EQ(form.Progress(), 0);

    held.reset();
    SetFileAttributesW((root / L"nurlesen@fahrtweg[1].txt").c_str(), FILE_ATTRIBUTE_NORMAL);
    fs::remove_all(root);
}

// Under Wine a Linux link to a file looks like an ordinary file, and
// deleting it deletes the file it leads to, outside the cookie folder.
TEST(CookieWalkOnDisk, ALinkInTheFolderIsNotOfferedAndWhatItLeadsToStays) {
    const fs::path root = fs::temp_directory_path() / ("rovandel-links-" + std::to_string(GetCurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / L"Cookies");
    const fs::path target = root / L"wichtig.txt";
    const fs::path link = root / L"Cookies" / L"link@fahrtweg[3].txt";
    platform::UniqueFile(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    platform::UniqueFile(CreateFileW((root / L"Cookies" / L"echt@fahrtweg[1].txt").c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, 0, nullptr));
    if (!routepages::UnixPath(root.wstring()).empty()) {
        routepages::RunLinux(L"Z:\\bin\\ln -s " + platform::Widen(routepages::UnixPath(target.wstring())) + L" " +
                             platform::Widen(routepages::UnixPath(link.wstring())));
        for (int i = 0; i < 100 && !fs::exists(link); ++i) Sleep(50);
    } else {
        CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE);
    }
    if (!fs::exists(link)) GTEST_SKIP() << "no link could be made here";

    platform::WinPlatform win{"Rovandel2"};
    platform::ScriptedMessageBoxes boxes;
    boxes.onShow = [&boxes](const platform::MessageBoxRequest&) { boxes.QueueAnswer(MsgAnswer::Yes); };
    platform::Platform env{win.registry, win.windows, boxes, win.text, win.files, win.graphics, "Rovandel2"};
    const std::vector<platform::FileEntry> listed = env.files.ListFiles(platform::Narrow((root / L"Cookies").wstring()));
    ASSERT_EQ(listed.size(), 2u);
    for (const auto& entry : listed) {
        EXPECT_EQ((entry.attributes & platform::kAttributeReparsePoint) != 0, entry.name.starts_with("link@")) << entry.name;
    }

    CleanUp(env, platform::Narrow((root / L"Cookies").wstring()));

    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Soll der Cookie 'echt@fahrtweg[1].txt' gelöscht werden?");
    EXPECT_TRUE(fs::exists(target)) << "the file the link leads to was deleted";
    EXPECT_FALSE(fs::exists(root / L"Cookies" / L"echt@fahrtweg[1].txt"));
    // Wine's own deletion would follow the link.
    if (!routepages::UnixPath(link.wstring()).empty()) {
        routepages::RunLinux(L"Z:\\bin\\rm -r " + platform::Widen(routepages::UnixPath(root.wstring())));
        for (int i = 0; i < 100 && fs::exists(root); ++i) Sleep(50);
    }
    fs::remove_all(root);
}

}  // namespace
