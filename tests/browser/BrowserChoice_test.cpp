// The choice of browser over the in-memory registry, files and environment:
// the option, the "App Paths" entries per user and per machine in both
// registry views, and the usual folders.
#include "browser/BrowserChoice.h"

#include <gtest/gtest.h>

#include <functional>

#include "base/AppError.h"
#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryRegistry.h"

using platform::BrowserProgram;
using platform::kHKeyCurrentUser;
using platform::kHKeyLocalMachine;

namespace {

constexpr char kEdgeKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msedge.exe";
constexpr char kChromeKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\chrome.exe";
constexpr char kChromeKey32[] = "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\chrome.exe";
constexpr char kEdge[] = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
constexpr char kChrome[] = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";

AppError Raised(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e;
    }
    return AppError(0, "no error");
}

BrowserProgram Chromium(const std::string& path) { return {false, path}; }
const BrowserProgram kInternetExplorer{true, {}};

class BrowserChoiceTest : public testing::Test {
protected:
    BrowserChoiceTest() {
        environment.Set("ProgramFiles", "C:\\Program Files");
        environment.Set("ProgramW6432", "C:\\Program Files");
        environment.Set("ProgramFiles(x86)", "C:\\Program Files (x86)");
        environment.Set("LOCALAPPDATA", "C:\\Users\\Anna\\AppData\\Local");
    }
    void Program(const std::string& path) { files.Put(path, {'M', 'Z'}); }
    void Entry(platform::RegKey root, std::string_view key, std::string_view text,
               std::uint32_t type = platform::kRegSz) {
        registry.PutUnicodeText(root, key, "", type, text);
    }
    BrowserProgram Choose(std::string_view option) { return platform::BrowserChoice(services).Choose(option); }
    std::string Find(std::string_view exe, std::string_view vendor) {
        return platform::BrowserChoice(services).FindProgram(exe, vendor);
    }

    platform::MemoryRegistry registry;
    platform::MemoryFileSystem files;
    platform::MemoryEnvironment environment;
    platform::BrowserChoice::Services services{registry, files, environment};
};

TEST_F(BrowserChoiceTest, TheOptionNamesTheBrowserAndWithoutItEdgeComesBeforeChromeBeforeInternetExplorer) {
    EXPECT_EQ(Choose(""), kInternetExplorer) << "neither Edge nor Chrome";
    EXPECT_EQ(Choose(" IE "), kInternetExplorer);
    const AppError edge = Raised([&] { Choose("edge"); });
    EXPECT_EQ(edge.number(), 53);
    EXPECT_EQ(edge.description(), "Der Browser Microsoft Edge wurde nicht gefunden.");
    EXPECT_EQ(Raised([&] { Choose("Chrome"); }).description(), "Der Browser Google Chrome wurde nicht gefunden.");

    Program(kChrome);
    EXPECT_EQ(Choose(""), Chromium(kChrome));
    EXPECT_EQ(Choose("Standard"), Chromium(kChrome)) << "the default browser cannot be driven";
    EXPECT_EQ(Choose(" CHROME "), Chromium(kChrome));
    Program(kEdge);
    EXPECT_EQ(Choose(""), Chromium(kEdge));
    EXPECT_EQ(Choose("standard"), Chromium(kEdge));
    EXPECT_EQ(Choose("chrome"), Chromium(kChrome));
    EXPECT_EQ(Choose("ie"), kInternetExplorer) << "also when others are there";
    registry.ClearLog();
    Choose("ie");
    EXPECT_TRUE(registry.Calls().empty()) << "Internet Explorer is not looked for";
}

TEST_F(BrowserChoiceTest, APathIsTakenAsItStandsWhenItNamesAFile) {
    const std::string own = "D:\\Portable\\Chromium\\chrome.exe";
    Program(own);
    Program(kEdge);
    EXPECT_EQ(Choose(own), Chromium(own));
    EXPECT_EQ(Choose("  \"" + own + "\"  "), Chromium(own));
    EXPECT_EQ(Choose("\"" + own + "\" --incognito"), Chromium(own)) << "only what the quotes hold";

    const AppError missing = Raised([&] { Choose("C:\\fehlt\\chrome.exe"); });
    EXPECT_EQ(missing.number(), 53);
    EXPECT_EQ(missing.description(), "Das Browserprogramm wurde nicht gefunden: C:\\fehlt\\chrome.exe");
    files.AddFolder("D:\\Portable\\Chromium");
    EXPECT_EQ(Raised([&] { Choose("\"D:\\Portable\\Chromium\""); }).description(),
              "Das Browserprogramm wurde nicht gefunden: D:\\Portable\\Chromium")
        << "a folder is no program";
}

TEST_F(BrowserChoiceTest, AppPathsPerUserComeBeforeTheMachineWhoseTwoViewsAreBothAsked) {
    const std::string user = "C:\\Users\\Anna\\Chrome\\chrome.exe";
    const std::string machine = "E:\\Chrome64\\chrome.exe";
    const std::string machine32 = "E:\\Chrome32\\chrome.exe";
    Program(kChrome);
    Program(machine32);
    Entry(kHKeyLocalMachine, kChromeKey32, machine32);
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), machine32) << "a 32-bit setup's entry";
    Program(machine);
    Entry(kHKeyLocalMachine, kChromeKey, machine);
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), machine);
    Program(user);
    Entry(kHKeyCurrentUser, kChromeKey, user);
    registry.ClearLog();
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), user);
    ASSERT_FALSE(registry.Calls().empty());
    EXPECT_EQ(registry.Calls().front().keyPath, std::string("HKCU\\") + kChromeKey);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    // Keys and values that the registry refuses are passed over.
    registry.SetFaultHook([](const platform::MemoryRegistry::Call& call) -> long {
        return call.op == platform::MemoryRegistry::Op::OpenKey && call.keyPath.starts_with("HKCU")
                   ? platform::kErrorAccessDenied
                   : platform::kErrorSuccess;
    });
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), machine);
    registry.SetFaultHook([](const platform::MemoryRegistry::Call& call) -> long {
        return call.op == platform::MemoryRegistry::Op::QueryText ? platform::kErrorAccessDenied
                                                                  : platform::kErrorSuccess;
    });
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), kChrome) << "no entry could be read: the usual folders";
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST_F(BrowserChoiceTest, EntriesAreReadAsStoredAndCountOnlyWhenTheyNameAFile) {
    const std::string local = "C:\\Users\\Anna\\AppData\\Local\\Microsoft\\Edge SxS\\Application\\msedge.exe";
    Program(local);
    Program(kChrome);
    Entry(kHKeyCurrentUser, kEdgeKey, "\"" + local + "\"  ");
    EXPECT_EQ(Choose("edge"), Chromium(local)) << "quoted, blanks after";
    Entry(kHKeyCurrentUser, kEdgeKey, "%LOCALAPPDATA%\\Microsoft\\Edge SxS\\Application\\msedge.exe",
          platform::kRegExpandSz);
    EXPECT_EQ(Choose("edge"), Chromium(local));
    Entry(kHKeyCurrentUser, kEdgeKey, "\"%localappdata%\\Microsoft\\Edge SxS\\Application\\msedge.exe\"",
          platform::kRegExpandSz);
    EXPECT_EQ(Choose("edge"), Chromium(local)) << "expanded, then unquoted";

    Entry(kHKeyCurrentUser, kEdgeKey, "%LOCALAPPDATA%\\Microsoft\\Edge SxS\\Application\\msedge.exe");
    EXPECT_EQ(Choose(""), Chromium(kChrome)) << "a plain text is not expanded: no file, no Edge";
    Entry(kHKeyCurrentUser, kEdgeKey, "C:\\fehlt\\msedge.exe");
    EXPECT_EQ(Choose(""), Chromium(kChrome));
    files.AddFolder("C:\\Edge");
    Entry(kHKeyCurrentUser, kEdgeKey, "C:\\Edge");
    EXPECT_EQ(Choose(""), Chromium(kChrome)) << "a folder";
    registry.PutDword(kHKeyCurrentUser, kEdgeKey, "", 1);
    EXPECT_EQ(Choose(""), Chromium(kChrome)) << "no text";
    registry.Put(kHKeyCurrentUser, kEdgeKey, "", platform::kRegSz, {'C', ':', '\\', 'x', 0, 'y'});
    files.Put("C:\\x", {});
    EXPECT_EQ(Choose(""), Chromium("C:\\x")) << "the text ends at its first NUL";
}

TEST_F(BrowserChoiceTest, TheUsualFoldersAreTriedInTheirOrderWhereTheirVariablesAreSet) {
    const std::string x86 = "C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe";
    const std::string perUser = "C:\\Users\\Anna\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe";
    Program(perUser);
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), perUser);
    Program(kChrome);
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), kChrome);
    Program(x86);
    EXPECT_EQ(Find("chrome.exe", "Google\\Chrome"), x86);

    // A 32-bit Windows knows neither variable of the 32-bit folder.
    platform::MemoryEnvironment bare;
    bare.Set("ProgramFiles", "C:\\Programme");
    const std::string german = "C:\\Programme\\Google\\Chrome\\Application\\chrome.exe";
    Program(german);
    EXPECT_EQ(platform::BrowserChoice({registry, files, bare}).FindProgram("chrome.exe", "Google\\Chrome"), german);
    bare.Set("ProgramFiles(x86)", "");
    EXPECT_EQ(platform::BrowserChoice({registry, files, bare}).FindProgram("chrome.exe", "Google\\Chrome"), german)
        << "an empty variable names no folder";
}

TEST_F(BrowserChoiceTest, PathsKeepCharactersThatTheCodePageLacks) {
    const std::string folder = "C:\\Users\\Дмитрий\\AppData\\Local";
    const std::string chrome = folder + "\\Google\\Chrome\\Application\\chrome.exe";
    Program(chrome);
    Entry(kHKeyCurrentUser, kChromeKey, chrome);
    EXPECT_EQ(Choose(""), Chromium(chrome));
    EXPECT_EQ(Choose("chrome"), Chromium(chrome));

    Entry(kHKeyCurrentUser, kChromeKey, "%LOCALAPPDATA%\\Google\\Chrome\\Application\\chrome.exe",
          platform::kRegExpandSz);
    environment.Set("LOCALAPPDATA", folder);
    EXPECT_EQ(Choose("chrome"), Chromium(chrome)) << "through an expanded variable";
    registry.Put(kHKeyCurrentUser, kChromeKey, "", platform::kRegSz, {});
    EXPECT_EQ(Choose("chrome"), Chromium(chrome)) << "in the usual folder of the user";

    const std::string own = "D:\\Браузеры\\Chromium\\chrome.exe";
    Program(own);
    EXPECT_EQ(Choose(own), Chromium(own));
    EXPECT_EQ(Raised([&] { Choose("D:\\Браузеры\\fehlt.exe"); }).description(),
              "Das Browserprogramm wurde nicht gefunden: D:\\Браузеры\\fehlt.exe");
}

}  // namespace
