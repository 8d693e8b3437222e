// Commands' programs as Windows would find them, and their lines pointed at
// another folder, over the in-memory file system and environment.
#include "manager/modProgramPath.h"

#include <gtest/gtest.h>

#include "platform/MemoryEnvironment.h"
#include "platform/MemoryFileSystem.h"

namespace {

using modProgramPath::Find;

class ProgramPath : public testing::Test {
protected:
    void SetUp() override {
        environment.Set("ProgramFiles", "C:\\Program Files");
        environment.Set("SystemRoot", "C:\\Windows");
        environment.Set("PATH", "C:\\Tools;\"C:\\Mit Blank\";;");
        for (const char* path : {"C:\\Program Files\\ACT\\act.exe", "C:\\Daten\\Berichte\\bericht.exe",
                                 "C:\\Windows\\System32\\notepad.exe", "C:\\Windows\\regedit.exe",
                                 "C:\\Tools\\grep.exe", "C:\\Mit Blank\\blank.exe", "C:\\ACT\\run.exe"}) {
            files.Put(path, {1});
        }
    }
    bool Missing(std::string_view line, std::string_view start = "") { return checker.Missing(line, start); }

    platform::MemoryFileSystem files;
    platform::MemoryEnvironment environment;
    modProgramPath::Checker checker{files, environment};
};

TEST_F(ProgramPath, TheProgramIsTheFirstWordQuotedOrNotAndALineWithoutAFileHasNone) {
    const auto quoted = Find("  \"C:\\Program Files\\x\\y.exe\" /a \"b c\"");
    ASSERT_TRUE(quoted);
    EXPECT_EQ(quoted->path, "C:\\Program Files\\x\\y.exe");
    EXPECT_TRUE(quoted->quoted);
    EXPECT_EQ(quoted->begin, 2u);
    EXPECT_EQ(quoted->end, 28u);
    EXPECT_EQ(Find("C:\\x\\y.exe /a")->path, "C:\\x\\y.exe");
    // Unquoted blanks: up to the first word with an extension, as CreateProcess tries them.
    EXPECT_EQ(Find("C:\\Program Files\\Alt\\y.exe /a")->path, "C:\\Program Files\\Alt\\y.exe");
    EXPECT_EQ(Find("C:\\Alt\\run /a C:\\b.txt")->path, "C:\\Alt\\run");
    EXPECT_EQ(Find("notepad.exe C:\\brief.txt")->path, "notepad.exe");
    EXPECT_EQ(Find("\"C:\\ohne Ende.exe")->path, "C:\\ohne Ende.exe");
    for (const char* none : {"", "   ", "\"\"", "http://example.com/a b", "https://x.example", "mailto:a@b.example",
                             "\"https://x.example\""}) {
        EXPECT_FALSE(Find(none)) << none;
    }
}

TEST_F(ProgramPath, AProgramIsFoundAsWindowsFindsItAndMarkedOnlyWhenItIsNowhere) {
    EXPECT_FALSE(Missing("\"%ProgramFiles%\\ACT\\act.exe\" /x"));
    EXPECT_FALSE(Missing("C:\\Program Files\\ACT\\act.exe /x")) << "unquoted, with a blank";
    EXPECT_FALSE(Missing("Berichte\\bericht.exe", "C:\\Daten")) << "relative to the start folder";
    EXPECT_FALSE(Missing("bericht.exe -q", "C:\\Daten\\Berichte\\"));
    EXPECT_FALSE(Missing("notepad.exe brief.txt")) << "the system folder";
    EXPECT_FALSE(Missing("regedit")) << "the Windows folder, .exe added";
    EXPECT_FALSE(Missing("grep.exe -r")) << "PATH";
    EXPECT_FALSE(Missing("blank.exe")) << "a quoted PATH entry";
    EXPECT_FALSE(Missing("Berichte\\bericht.exe")) << "relative beside no start folder: not ours to tell";
    EXPECT_FALSE(Missing("http://example.com"));
    EXPECT_FALSE(Missing(""));

    EXPECT_TRUE(Missing("\"D:\\Alt\\act.exe\" /x"));
    EXPECT_TRUE(Missing("%ProgramFiles%\\Alt\\act.exe"));
    EXPECT_TRUE(Missing("Berichte\\bericht.exe", "D:\\Daten"));
    EXPECT_TRUE(Missing("fehlt.exe", "C:\\Daten"));
    EXPECT_TRUE(Missing("%UNBEKANNT%\\act.exe"));

    // The shell's App Paths: found where the name is registered and its program is there.
    modProgramPath::Checker registered(files, environment, [](std::string_view name) -> std::optional<std::string> {
        if (name == "winword.exe") return "\"%ProgramFiles%\\ACT\\act.exe\"";
        if (name == "weg.exe") return "C:\\Weg\\weg.exe";
        return std::nullopt;
    });
    EXPECT_FALSE(registered.Missing("winword /n", ""));
    EXPECT_TRUE(registered.Missing("weg.exe", ""));
    EXPECT_TRUE(registered.Missing("C:\\Alt\\winword.exe", "")) << "a path is not looked up by its name";
}

TEST_F(ProgramPath, EachPathIsLookedForOnceInAFill) {
    int opened = 0;
    struct Counting : platform::MemoryFileSystem {
        int* count = nullptr;
        bool Exists(std::string_view path) override {
            ++*count;
            return MemoryFileSystem::Exists(path);
        }
    } counting;
    counting.count = &opened;
    modProgramPath::Checker once(counting, environment);
    for (int i = 0; i < 1000; ++i) once.Missing("\"D:\\Alt\\act.exe\" /nr " + std::to_string(i), "");
    EXPECT_EQ(opened, 1);
}

TEST_F(ProgramPath, ANewPathReplacesTheProgramAloneAndKeepsTheRestByteForByte) {
    const std::string args = " /a \"x  y\" \x80\xE4";
    const std::string line = "C:\\Alt\\run.exe" + args;
    EXPECT_EQ(modProgramPath::Replaced(line, *Find(line), "D:\\Neu\\run.exe"), "D:\\Neu\\run.exe" + args);
    EXPECT_EQ(modProgramPath::Replaced(line, *Find(line), "D:\\Mit Blank\\run.exe"),
              "\"D:\\Mit Blank\\run.exe\"" + args);
    const std::string quoted = "  \"C:\\Alt\\run.exe\"" + args;
    EXPECT_EQ(modProgramPath::Replaced(quoted, *Find(quoted), "D:\\Neu\\run.exe"), "  \"D:\\Neu\\run.exe\"" + args);
    EXPECT_TRUE(modProgramPath::SamePath("C:\\Alt\\", "c:/alt"));
    EXPECT_FALSE(modProgramPath::SamePath("C:\\Alt", "C:\\Alte"));
}

}  // namespace
