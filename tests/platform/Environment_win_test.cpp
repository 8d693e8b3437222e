// The environment under Wine, and the substitute held to its rule of expansion.
#include "platform/Environment_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/MemoryEnvironment.h"
#include "platform/WinText_win.h"

TEST(WinEnvironment, ExpandsAsTheSubstituteDoesAndNamesATemporaryFolder) {
    SetEnvironmentVariableW(L"ROVANDEL_TEST", L"C:\\Users\\\u0414\u043C\u0438\u0442\u0440\u0438\u0439");
    SetEnvironmentVariableW(L"ROVANDEL_LEER", nullptr);
    platform::WinEnvironment win;
    platform::MemoryEnvironment memory;
    memory.Set("Rovandel_Test", "C:\\Users\\Дмитрий");
    std::string longText;
    while (longText.size() < 10000) longText += "%ROVANDEL_TEST%\\";
    for (const std::string& text : {std::string("\"%rovandel_test%\\x.exe\""), std::string("%ROVANDEL_LEER%\\x"),
                                    std::string("%ROVANDEL_LEER%ROVANDEL_TEST%"), std::string("100% %ROVANDEL_TEST%"),
                                    std::string("%"), std::string(""), longText}) {
        EXPECT_EQ(win.Expand(text), memory.Expand(text)) << text.substr(0, 40);
    }
    EXPECT_EQ(win.Expand("%ROVANDEL_TEST%"), "C:\\Users\\Дмитрий");
    SetEnvironmentVariableW(L"ROVANDEL_TEST", nullptr);

    const std::string temp = win.TemporaryFolder();
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), '\\');
    const DWORD attributes = GetFileAttributesW(platform::Widen(temp).c_str());
    EXPECT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);
}
