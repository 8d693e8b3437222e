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

constexpr char kProfile[] = "C:\\Users\\Anna\\AppData\\Local\\Rovandel2\\Browserprofil";
constexpr char kPortFile[] = "C:\\Users\\Anna\\AppData\\Local\\Rovandel2\\Browserprofil\\DevToolsActivePort";

class ThrowingShellFolders : public platform::ScriptedShellFolders {
public:
    std::string GetSpecialFolder(std::int32_t, platform::WindowHandle) override { Raise(ErrorNumber::FileNotFound); }
};

TEST(BrowserProfileFolder, LiesInTheLocalApplicationDataElseInTheTemporaryFolder) {
    platform::ScriptedShellFolders shell;
    platform::MemoryEnvironment environment;
    environment.SetTemporaryFolder("C:\\Users\\Anna\\AppData\\Local\\Temp\\");
    shell.SpecialFolderIs(platform::kFolderLocalAppData, "C:\\Users\\Anna\\AppData\\Local");
    EXPECT_EQ(platform::BrowserProfileFolder(shell, environment), kProfile);
    EXPECT_EQ(shell.Calls().at(0).folder, platform::kFolderLocalAppData);
    shell.SpecialFolderIs(platform::kFolderLocalAppData, "C:\\Users\\Дмитрий\\AppData\\Local\\");
    EXPECT_EQ(platform::BrowserProfileFolder(shell, environment),
              "C:\\Users\\Дмитрий\\AppData\\Local\\Rovandel2\\Browserprofil");

    shell.SpecialFolderIs(platform::kFolderLocalAppData, "");
    EXPECT_EQ(platform::BrowserProfileFolder(shell, environment),
              "C:\\Users\\Anna\\AppData\\Local\\Temp\\Rovandel2\\Browserprofil");
    ThrowingShellFolders noShell;
    EXPECT_EQ(platform::BrowserProfileFolder(noShell, environment),
              "C:\\Users\\Anna\\AppData\\Local\\Temp\\Rovandel2\\Browserprofil");
}

TEST(DevToolsPortFile, OnlyACompleteFileGivesThePortAndTheBrowsersEndpoint) {
    const DevToolsPort port{9222, "/devtools/browser/0a1b-2c3d"};
    EXPECT_EQ(platform::ParseDevToolsPort("9222\n/devtools/browser/0a1b-2c3d"), port);
    EXPECT_EQ(platform::ParseDevToolsPort("9222\r\n/devtools/browser/0a1b-2c3d\r\n"), port);
    EXPECT_EQ(platform::ParseDevToolsPort("9222\n/devtools/browser/0a1b-2c3d \n\n"), port);
    EXPECT_EQ(platform::ParseDevToolsPort("65535\n/devtools/browser/x"), (DevToolsPort{65535, "/devtools/browser/x"}));

    for (const char* content :
         {"", "9222", "9222\n", "9222\n/devtools/brow", "9222\n/devtools/page/x", "0\n/devtools/browser/x",
          "65536\n/devtools/browser/x", "99999999999999999999\n/devtools/browser/x", "-1\n/devtools/browser/x",
          " 9222\n/devtools/browser/x", "92a2\n/devtools/browser/x"}) {
        EXPECT_EQ(platform::ParseDevToolsPort(content), std::nullopt) << content;
    }
}

TEST(DevToolsPortFile, IsReadFromTheProfileAndAStaleOneIsDeleted) {
    platform::MemoryFileSystem files;
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), std::nullopt) << "no file yet";
    platform::ForgetDevToolsPort(files, kProfile);
    EXPECT_TRUE(files.Removed().empty());

    files.Put(kPortFile, {'8', '0', '\n'});
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), std::nullopt) << "still being written";
    const std::string complete = "41337\n/devtools/browser/abc\n";
    files.Put(kPortFile, {complete.begin(), complete.end()});
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), (DevToolsPort{41337, "/devtools/browser/abc"}));
    EXPECT_EQ(platform::ReadDevToolsPort(files, std::string(kProfile) + "\\"),
              (DevToolsPort{41337, "/devtools/browser/abc"}));
    std::string huge = "41337\n/devtools/browser/abc";
    huge.resize(200 * 1024, ' ');
    huge += "/what/lies/beyond";
    files.Put(kPortFile, {huge.begin(), huge.end()});
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), (DevToolsPort{41337, "/devtools/browser/abc"}))
        << "a file of any size is read only so far as a port file goes";

    files.onOpen = [](const std::string&, bool) { Raise(ErrorNumber::PermissionDenied); };
    EXPECT_EQ(platform::ReadDevToolsPort(files, kProfile), std::nullopt) << "held by its writer";
    files.onOpen = nullptr;

    files.SetAttributes(kPortFile, platform::kAttributeReadOnly);
    EXPECT_NO_THROW(platform::ForgetDevToolsPort(files, kProfile));
    EXPECT_NE(files.Get(kPortFile), nullptr) << "a read-only file stays";
    files.SetAttributes(kPortFile, 0);
    platform::ForgetDevToolsPort(files, kProfile);
    EXPECT_EQ(files.Removed(), std::vector<std::string>{kPortFile});
}

TEST(BrowserProfileFolder, IsMadeWhereItIsMissingAndOneThatCannotBeMadeIsLeftToTheBrowser) {
    platform::MemoryFileSystem files;
    platform::MakeBrowserProfileFolder(files, kProfile);
    EXPECT_TRUE(files.FolderExists(kProfile));
    EXPECT_TRUE(files.FolderExists("C:\\Users\\Anna\\AppData\\Local\\Rovandel2"));

    files.onCreateFolders = [](const std::string&) { Raise(ErrorNumber::PermissionDenied); };
    EXPECT_NO_THROW(platform::MakeBrowserProfileFolder(files, "D:\\gesperrt\\Rovandel2\\Browserprofil"));
}

}  // namespace
