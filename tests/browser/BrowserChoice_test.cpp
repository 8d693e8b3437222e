// The choice of browser over the in-memory registry, files and environment.
#include "browser/BrowserChoice.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryRegistry.h"

using platform::kHKeyCurrentUser;
using platform::kHKeyLocalMachine;

namespace {

const std::string kKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\chrome.exe";
const std::string kEdge = "C:\\Program Files (x86)\\Microsoft\\Edge\\Application\\msedge.exe";
const std::string kChrome = "C:\\Program Files\\Google\\Chrome\\Application\\chrome.exe";

class BrowserChoiceTest : public testing::Test {
protected:
    BrowserChoiceTest() {
        environment.Set("ProgramFiles", "C:\\Program Files");
        environment.Set("ProgramW6432", "C:\\Program Files");
        environment.Set("ProgramFiles(x86)", "C:\\Program Files (x86)");
    }
    void Program(const std::string& path) { files.Put(path, {'M', 'Z'}); }
    void Entry(platform::RegKey root, std::string_view text, std::uint32_t type = platform::kRegSz,
               const std::string& key = kKey) {
        registry.PutUnicodeText(root, key, "", type, text);
    }
    // The path chosen, "IE", or the refusal's number and text.
    std::string Choose(std::string_view option) {
        try {
            const auto program = platform::BrowserChoice({registry, files, environment}).Choose(option);
            return program.internetExplorer ? "IE" : program.path;
        } catch (const AppError& e) {
            return std::to_string(e.number()) + " " + e.description();
        }
    }

    platform::MemoryRegistry registry;
    platform::MemoryFileSystem files;
    platform::MemoryEnvironment environment;
};

TEST_F(BrowserChoiceTest, TheOptionNamesTheBrowserAndWithoutItEdgeComesBeforeChromeBeforeInternetExplorer) {
    EXPECT_EQ(Choose(""), "IE");
    EXPECT_EQ(Choose("edge"), "53 Der Browser Microsoft Edge wurde nicht gefunden.");
    EXPECT_EQ(Choose("Chrome"), "53 Der Browser Google Chrome wurde nicht gefunden.");
    Program(kChrome);
    EXPECT_EQ(Choose("Standard"), kChrome);
    EXPECT_EQ(Choose(" CHROME "), kChrome);
    Program(kEdge);
    EXPECT_EQ(Choose(""), kEdge);
    EXPECT_EQ(Choose("standard"), kEdge);
    EXPECT_EQ(Choose("chrome"), kChrome);
    EXPECT_EQ(Choose(" Ie "), "IE");

    const std::string own = "D:\\Браузеры\\chrome.exe";
    Program(own);
    EXPECT_EQ(Choose(own), own);
    EXPECT_EQ(Choose("  \"" + own + "\" --incognito"), own) << "what the quotes hold";
    EXPECT_EQ(Choose("C:\\fehlt\\chrome.exe"), "53 Das Browserprogramm wurde nicht gefunden: C:\\fehlt\\chrome.exe");
    files.AddFolder("D:\\Browser");
    EXPECT_EQ(Choose("D:\\Browser"), "53 Das Browserprogramm wurde nicht gefunden: D:\\Browser");
}

TEST_F(BrowserChoiceTest, AppPathsPerUserComeBeforeTheMachineInBothViewsThenTheUsualFolders) {
    const std::string x86 = "C:\\Program Files (x86)\\Google\\Chrome\\Application\\chrome.exe";
    const std::string user = "C:\\Users\\Дмитрий\\AppData\\Local\\Google\\Chrome\\Application\\chrome.exe";
    environment.Set("LOCALAPPDATA", "C:\\Users\\Дмитрий\\AppData\\Local");
    Program(user);
    EXPECT_EQ(Choose("chrome"), user) << "a Chrome of the user's own";
    Program(kChrome);
    Program(x86);
    EXPECT_EQ(Choose("chrome"), x86) << "the first usual folder";
    environment.Set("ProgramFiles(x86)", "");
    EXPECT_EQ(Choose("chrome"), kChrome) << "an empty variable names no folder";
    Program("E:\\64\\chrome.exe");
    Program("E:\\32\\c.exe");
    Entry(kHKeyLocalMachine, "E:\\32\\c.exe", platform::kRegSz,
          "SOFTWARE\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\App Paths\\chrome.exe");
    EXPECT_EQ(Choose("chrome"), "E:\\32\\c.exe") << "a 32-bit setup's entry";
    Entry(kHKeyLocalMachine, "E:\\64\\chrome.exe");
    EXPECT_EQ(Choose("chrome"), "E:\\64\\chrome.exe");
    Entry(kHKeyCurrentUser, "\"" + user + "\"  ");
    EXPECT_EQ(Choose("chrome"), user) << "quoted, beyond the code page";
    EXPECT_EQ(registry.OpenHandleCount(), 0u);

    registry.SetFaultHook([](const platform::MemoryRegistry::Call& call) -> long {
        return call.keyPath.starts_with("HKCU") ? platform::kErrorAccessDenied : platform::kErrorSuccess;
    });
    EXPECT_EQ(Choose("chrome"), "E:\\64\\chrome.exe") << "a key the registry refuses is passed over";
}

TEST_F(BrowserChoiceTest, AnEntryCountsWhenItNamesAFileAndOnlyAnExpandableOneIsExpanded) {
    const std::string local = "C:\\Users\\Дмитрий\\AppData\\Local\\Chromium\\chrome.exe";
    Program(kChrome);
    Program(local);
    environment.Set("localappdata", "C:\\Users\\Дмитрий\\AppData\\Local");
    Entry(kHKeyCurrentUser, "\"%LOCALAPPDATA%\\Chromium\\chrome.exe\"", platform::kRegExpandSz);
    EXPECT_EQ(Choose("chrome"), local);
    files.AddFolder("C:\\Users");
    for (const char* text : {"%LOCALAPPDATA%\\Chromium\\chrome.exe", "C:\\fehlt\\chrome.exe", "C:\\Users", ""}) {
        Entry(kHKeyCurrentUser, text);
        EXPECT_EQ(Choose("chrome"), kChrome) << text;
    }
    registry.PutDword(kHKeyCurrentUser, kKey, "", 1);
    EXPECT_EQ(Choose("chrome"), kChrome) << "no text";
    registry.Put(kHKeyCurrentUser, kKey, "", platform::kRegSz, {'C', ':', '\\', 'x', 0, 'y'});
    Program("C:\\x");
    EXPECT_EQ(Choose("chrome"), "C:\\x") << "up to the first NUL";
}

}  // namespace

namespace {

TEST(ChromiumFamily, TheVersionTextsOfTheFamilysBrowsersAreKnownAndNoOthers) {
    using Texts = std::vector<std::string>;
    for (const Texts& browser :
         {Texts{"Microsoft Edge", "Microsoft Corporation"}, Texts{"", "Google Chrome"}, Texts{"Chromium"},
          Texts{"Brave Browser"}, Texts{"VIVALDI"}, Texts{"Opera Internet Browser"}}) {
        EXPECT_TRUE(platform::NamesChromiumFamily(browser)) << browser.back();
    }
    for (const Texts& other :
         {Texts{"Microsoft® Windows® Operating System", "Windows Command Processor", "Cmd.Exe"},
          Texts{"Mozilla Firefox", "Mozilla Corporation"}, Texts{"Chromiumoxid", "Braveheart"}, Texts{}}) {
        EXPECT_FALSE(platform::NamesChromiumFamily(other)) << (other.empty() ? "none" : other.front());
    }
}

}  // namespace
