// Listing a folder's files and deleting them without force, on Wine's real
// file system: read-only and locked files stay, with the reason said.
#include "platform/FileSystem_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "base/AppError.h"
#include "platform/Handles_win.h"
#include "platform/WinText_win.h"

namespace {

namespace fs = std::filesystem;

class WinFolder : public testing::Test {
protected:
    void SetUp() override {
        m_Root = fs::temp_directory_path() / ("rovandel-files-" + std::to_string(GetCurrentProcessId()));
        fs::remove_all(m_Root);
        fs::create_directories(m_Root / L"Unterordner");
    }
    void TearDown() override {
        for (const auto& entry : fs::recursive_directory_iterator(m_Root)) {
            SetFileAttributesW(entry.path().c_str(), FILE_ATTRIBUTE_NORMAL);
        }
        std::error_code ignored;
        fs::remove_all(m_Root, ignored);
    }
    std::string Path(const std::wstring& name = L"") const { return platform::Narrow((m_Root / name).wstring()); }
    void Touch(const std::wstring& name) const {
        platform::UniqueFile file(CreateFileW((m_Root / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(file);
    }

    fs::path m_Root;
    platform::WinFileSystem files;
};

TEST_F(WinFolder, ListsTheFilesDirectlyInTheFolderWithTheirAttributesAndUmlautsIntact) {
    Touch(L"jürgen@fahrtweg[1].txt");
    Touch(L"index.dat");
    Touch(L"Unterordner\\tief.txt");
    SetFileAttributesW((m_Root / L"index.dat").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
    std::vector<platform::FileEntry> listed = files.ListFiles(Path());
    std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, "index.dat");
    EXPECT_NE(listed[0].attributes & platform::kAttributeReadOnly, 0u);
    EXPECT_EQ(listed[1].name, "jürgen@fahrtweg[1].txt");
    EXPECT_EQ(files.ListFiles(Path() + "\\").size(), 2u);
    EXPECT_TRUE(files.ListFiles(Path(L"Unterordner")).size() == 1);
    EXPECT_TRUE(files.FolderExists(Path()));
    EXPECT_TRUE(files.FolderExists(Path() + "\\"));
    EXPECT_FALSE(files.FolderExists(Path(L"index.dat")));
    EXPECT_FALSE(files.FolderExists(""));
    EXPECT_EQ(files.Attributes(Path(L"fehlt.txt")), std::nullopt);
    try {
        files.ListFiles(Path(L"fehlt"));
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::PathNotFound);
    }
}

TEST_F(WinFolder, DeletionIsNotForcedAndSaysWhyAFileStays) {
    Touch(L"frei.txt");
    Touch(L"schreibgeschützt.txt");
    Touch(L"offen.txt");
    SetFileAttributesW((m_Root / L"schreibgeschützt.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    platform::UniqueFile held(CreateFileW((m_Root / L"offen.txt").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(held);

    files.RemoveFile(Path(L"frei.txt"));
    EXPECT_FALSE(fs::exists(m_Root / L"frei.txt"));
    const auto reason = [this](const std::wstring& name) {
        try {
            files.RemoveFile(Path(name));
        } catch (const AppError& e) {
            return std::to_string(e.number()) + " " + e.description();
        }
        return std::string("deleted");
    };
    EXPECT_EQ(reason(L"schreibgeschützt.txt"), "70 Die Datei ist schreibgeschützt.");
    EXPECT_TRUE(fs::exists(m_Root / L"schreibgeschützt.txt"));
    EXPECT_EQ(reason(L"offen.txt"), "70 Die Datei wird gerade von einem anderen Programm benutzt.");
    EXPECT_TRUE(fs::exists(m_Root / L"offen.txt"));
    EXPECT_EQ(reason(L"fehlt.txt"), "53 Datei nicht gefunden");
    EXPECT_EQ(reason(L"Unterordner"), "70 Das ist ein Ordner, keine Datei.");
    held.reset();
    EXPECT_EQ(reason(L"offen.txt"), "deleted");
}

}  // namespace

namespace {

TEST_F(WinFolder, FoldersAreMadeLevelByLevelAndAFileInTheWayIsAnError) {
    const std::string deep = Path(L"Tessivar\\Sicherungen \u00C4\\tief");
    files.CreateFolders(deep);
    EXPECT_TRUE(files.FolderExists(deep));
    files.CreateFolders(deep + "\\");  // already there: no error
    Touch(L"Datei");
    EXPECT_THROW(files.CreateFolders(Path(L"Datei\\unten")), AppError);
}

TEST_F(WinFolder, OnlyOrdinaryFilesAreOpenedForReadingAndListedWithTheirSize) {
    Touch(L"leer.reg");
    {
        auto file = files.OpenWrite(Path(L"voll.reg"));
        const std::uint8_t bytes[3] = {1, 2, 3};
        file->Write(bytes);
    }
    EXPECT_NE(files.OpenRead(Path(L"voll.reg")), nullptr);
    std::vector<platform::FileEntry> listed = files.ListFiles(Path());
    std::sort(listed.begin(), listed.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].size, 3u);

    const std::wstring pipeName = L"\\\\.\\pipe\\rovandel-files-" + std::to_wstring(GetCurrentProcessId());
    platform::UniqueFile pipe(
        CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr));
    ASSERT_TRUE(pipe);
    for (const std::string& path :
         {std::string("AUX"), Path(L"COM1"), Path(L"con.reg"), Path(L"NUL "), Path(L"Unterordner"),
          platform::Narrow(pipeName), std::string("//./pipe/x"), "\\\\?\\" + Path(L"voll.reg")}) {
        try {
            files.OpenRead(path);
            ADD_FAILURE() << path << " opened";
        } catch (const AppError& e) {
            EXPECT_EQ(e.description(), "Das ist keine gewöhnliche Datei, sondern ein Gerät, eine Pipe oder ein Ordner.")
                << path;
        }
    }
}

}  // namespace
