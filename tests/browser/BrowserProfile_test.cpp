// Rovandel2's browser profile over the in-memory shell folders, environment
// and files: where it lies, and the port file a browser writes into it.
#include "browser/BrowserProfile.h"

#include <gtest/gtest.h>

#include "base/AppError.h"
#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"
#include "platform/ScriptedShellFolders.h"

using platform::DevToolsPort;

namespace {

const std::string kProfile = "C:\\Users\\Дмитрий\\AppData\\Local\\Rovandel2\\Browserprofil";
const std::string kPortFile = kProfile + "\\DevToolsActivePort";

struct NoShell : platform::ScriptedShellFolders {
    std::string GetSpecialFolder(std::int32_t, platform::WindowHandle) override { Raise(ErrorNumber::FileNotFound); }
};

TEST(BrowserProfile, LiesInTheLocalApplicationDataElseInTheTemporaryFolderAndIsMadeIfItCanBe) {
    platform::ScriptedShellFolders shell;
    platform::MemoryEnvironment environment;
    shell.SpecialFolderIs(platform::kFolderLocalAppData, "C:\\Users\\Дмитрий\\AppData\\Local\\");
    EXPECT_EQ(platform::BrowserProfileFolder(shell, environment), kProfile);
    platform::ScriptedShellFolders noFolder;
    NoShell noShell;
    EXPECT_EQ(platform::BrowserProfileFolder(noFolder, environment), "C:\\Temp\\Rovandel2\\Browserprofil");
    EXPECT_EQ(platform::BrowserProfileFolder(noShell, environment), "C:\\Temp\\Rovandel2\\Browserprofil");

    platform::MemoryFileSystem files;
    platform::MakeBrowserProfileFolder(files, kProfile);
    EXPECT_TRUE(files.FolderExists(kProfile));
    files.onCreateFolders = [](const std::string&) { Raise(ErrorNumber::PermissionDenied); };
    EXPECT_NO_THROW(platform::MakeBrowserProfileFolder(files, "D:\\gesperrt")) << "left to the browser to report";
}

TEST(BrowserProfile, OnlyACompletePortFileGivesThePortAndAStaleOneIsDeleted) {
    EXPECT_EQ(platform::ParseDevToolsPort("9222\r\n/devtools/browser/0a-1b \r\n\n"),
              (DevToolsPort{9222, "/devtools/browser/0a-1b"}));
    EXPECT_EQ(platform::ParseDevToolsPort("65535\n/devtools/browser/x"), (DevToolsPort{65535, "/devtools/browser/x"}));
    for (const char* content :
         {"", "9222", "9222\n", "9222\n/devtools/brow", "9222\n/devtools/page/x", "0\n/devtools/browser/x",
          "65536\n/devtools/browser/x", "99999999999999999999\n/devtools/browser/x", " 9222\n/devtools/browser/x"}) {
        EXPECT_EQ(platform::ParseDevToolsPort(content), std::nullopt) << content;
    }

    platform::MemoryFileSystem files;
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), std::nullopt);
    platform::ForgetDevToolsPort(files, kProfile);
    std::string content = "41337\n/devtools/browser/abc";
    content.resize(200 * 1024, ' ');
    content += "/what/lies/beyond";
    files.Put(kPortFile, {content.begin(), content.end()});
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), (DevToolsPort{41337, "/devtools/browser/abc"}))
        << "read only as far as a port file goes";
    files.onOpen = [](const std::string&, bool) { Raise(ErrorNumber::PermissionDenied); };
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), std::nullopt) << "held by its writer";

    files.SetAttributes(kPortFile, platform::kAttributeReadOnly);
    EXPECT_NO_THROW(platform::ForgetDevToolsPort(files, kProfile));
    files.SetAttributes(kPortFile, 0);
    platform::ForgetDevToolsPort(files, kProfile);
    EXPECT_EQ(files.Removed(), std::vector<std::string>{kPortFile});
}

}  // namespace
