// The environment under Wine, and the in-memory substitute held to the same
// rule of expansion.
#include "platform/Environment_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/MemoryEnvironment.h"
#include "platform/WinText_win.h"

namespace {

TEST(WinEnvironment, ReferencesAreExpandedAsTheSubstituteExpandsThem) {
    const std::string user = "C:\\Users\\Дмитрий\\AppData\\Local";
    SetEnvironmentVariableW(L"ROVANDEL_TEST_LOCAL", platform::Widen(user).c_str());
    SetEnvironmentVariableW(L"ROVANDEL_TEST_LEER", nullptr);
    platform::WinEnvironment win;
    platform::MemoryEnvironment memory;
    memory.Set("Rovandel_Test_Local", user);

    std::string longText;
    while (longText.size() < 10000) longText += "%ROVANDEL_TEST_LOCAL%\\";
    for (const std::string& text :
         {std::string("%ROVANDEL_TEST_LOCAL%\\Google\\Chrome\\Application\\chrome.exe"),
          std::string("\"%rovandel_test_local%\\x.exe\""), std::string("%ROVANDEL_TEST_LEER%\\x.exe"),
          std::string("%ROVANDEL_TEST_LEER%ROVANDEL_TEST_LOCAL%"), std::string("100% %ROVANDEL_TEST_LOCAL%"),
          std::string("ohne Verweis"), std::string("%"), std::string(""), longText}) {
        SCOPED_TRACE(text.substr(0, 60));
        EXPECT_EQ(win.Expand(text), memory.Expand(text));
    }
    EXPECT_EQ(win.Expand("%ROVANDEL_TEST_LOCAL%\\x"), user + "\\x");
    SetEnvironmentVariableW(L"ROVANDEL_TEST_LOCAL", nullptr);
}

TEST(WinEnvironment, TheTemporaryFolderIsAFolderEndingInABackslash) {
    const std::string folder = platform::WinEnvironment().TemporaryFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '\\');
    const DWORD attributes = GetFileAttributesW(platform::Widen(folder).c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
