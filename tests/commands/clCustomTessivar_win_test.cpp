// Commands against the real registry, real files and real GDI under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include "commands/CommandServices.h"

#include <array>

#include "commands/CommandData.h"
#include "commands/clCustomTessivars.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"
#include "ui/Canvas_win.h"

namespace td = testdata;

namespace {

class RealCommands : public testing::Test {
protected:
    void SetUp() override {
        support::DeleteTree(HKEY_CURRENT_USER, L"Software\\Symantec\\ACT!");
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Folder = std::wstring(temp) + L"tessivar-test-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        CreateDirectoryW(m_Folder.c_str(), nullptr);
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, L"Software\\Symantec\\ACT!");
        for (const auto& name : m_Written) DeleteFileW((m_Folder + name).c_str());
        RemoveDirectoryW(m_Folder.c_str());
    }

    // The path in UTF-8, as the program hands it on.
    std::string Path(const std::wstring& name) {
        m_Written.push_back(name);
        return platform::Narrow(m_Folder + name);
    }
    void WriteFile(const std::wstring& name, const ByteArray& bytes) {
        support::WriteFileBytes(m_Folder + name, bytes);
        m_Written.push_back(name);
    }
    ByteArray ReadFile(const std::wstring& name) {
        return support::ReadFileBytes(m_Folder + name).value_or(ByteArray{});
    }
    void SeedCommand(int n, std::uint32_t id, const std::string& cpName, const ByteArray& large,
                     const ByteArray& small) {
        const std::string key(actregistry::kCustomCommands);
        support::WriteValue(key, "Command-" + std::to_string(n), REG_BINARY, td::Record(id, cpName));
        support::WriteValue(key, "BitmapL-" + std::to_string(id), REG_BINARY, large);
        support::WriteValue(key, "BitmapS-" + std::to_string(id), REG_BINARY, small);
        support::WriteDword(key, "Count", static_cast<DWORD>(n + 1));
    }

    platform::WinPlatform win{"Tessivar"};
    platform::ScriptedMessageBoxes boxes;
    const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
    std::wstring m_Folder;
    std::vector<std::wstring> m_Written;
};

TEST_F(RealCommands, ACommandFileIsAddedReadBackSavedLoadedAndRemovedWithRenumbering) {
    SeedCommand(0, 30101, "Adressen", td::Image(24, 24, 3, 1), td::Image(16, 16, 3, 2));
    SeedCommand(1, 30102, "Serienbrief", td::Image(24, 24, 3, 3), td::Image(16, 16, 3, 4));
    const ByteArray file = td::CommandFile(td::Record(555,
                                                      "Route \xFC"
                                                      "ber Gr\xF6\xDF"
                                                      "e"),
                                           td::Image(24, 24, 3, 5), td::Image(16, 16, 3, 6));
    WriteFile(L"Route \u00FCber.cmd", file);

    {
        clCustomTessivars table(env);
        clCustomTessivar* added = table.Add(Path(L"Route \u00FCber.cmd"), {});
        ASSERT_NE(added, nullptr);
        EXPECT_EQ(added->CommandID(), 30103);
    }
    clCustomTessivars fresh(env);
    ASSERT_EQ(fresh.Count(), 3);
    clCustomTessivar& route = fresh.Item(2);
    EXPECT_EQ(route.Name(), "Route über Größe");
    EXPECT_TRUE(route.IsComplete());

    ASSERT_TRUE(route.Save(Path(L"gesichert.cmd")));
    ByteArray expected = file;
    td::PutLong(expected, 0, 30103);
    EXPECT_EQ(ReadFile(L"gesichert.cmd"), expected);

    clCustomTessivar loaded(env);
    ASSERT_TRUE(loaded.Load(Path(L"gesichert.cmd")));
    EXPECT_EQ(loaded.CommandBytes(), route.CommandBytes());
    EXPECT_EQ(loaded.BitmapSBytes(), route.BitmapSBytes());

    ASSERT_TRUE(fresh.Remove(0));
    clCustomTessivars after(env);
    ASSERT_EQ(after.Count(), 2);
    EXPECT_EQ(after.Item(0).Name(), "Serienbrief");
    EXPECT_EQ(after.Item(1).Name(), "Route über Größe");
    EXPECT_EQ(after.Item(1).BitmapLBytes(), td::Image(24, 24, 3, 5));
    EXPECT_TRUE(boxes.Shown().empty());
}

// Paints into a 32-bit bitmap and reads back what reached it.
class Target {
public:
    Target(int w, int h) : m_Canvas(w, h) {}
    platform::DeviceContext dc() const { return reinterpret_cast<platform::DeviceContext>(m_Canvas.dc()); }
    // Blue, green, red of the pixel at (x, y) as seen on screen.
    std::array<int, 3> At(int x, int y) const {
        const COLORREF p = m_Canvas.Pixel(x, y);
        return {GetBValue(p), GetGValue(p), GetRValue(p)};
    }

private:
    ui::Canvas m_Canvas;
};

std::array<int, 3> StoredPixel(std::uint8_t seed, int index, int bytesPerPixel) {
    const int first = seed + index * bytesPerPixel;
    return {first & 0xFF, (first + 1) & 0xFF, (first + 2) & 0xFF};
}

TEST_F(RealCommands, ButtonImagesArePaintedBottomUpInStoredOrderWithBlueWhereDataEnds) {
    // Large image at 4 bytes a pixel; the small one claims 3 but is read at 4, and holds only 30 pixels' worth.
    ByteArray small = td::Image(16, 16, 3, 50, 40);
    SeedCommand(0, 30101, "Bild", td::Image(24, 24, 4, 0), small);
    clCustomTessivars table(env);
    clCustomTessivar& c = table.Item(0);
    ASSERT_EQ(c.BytesPerPixel(), 4);

    Target large(24, 24);
    c.Paint_LBitmap(large.dc());
    EXPECT_EQ(large.At(0, 23), StoredPixel(0, 0, 4));  // first stored pixel: bottom left
    EXPECT_EQ(large.At(1, 23), StoredPixel(0, 1, 4));
    EXPECT_EQ(large.At(0, 22), StoredPixel(0, 24, 4));  // the second row up
    EXPECT_EQ(large.At(23, 0), StoredPixel(0, 575, 4));  // the last: top right

    Target smallTarget(16, 16);
    c.Paint_SBitmap(smallTarget.dc());
    EXPECT_EQ(smallTarget.At(0, 15), StoredPixel(50, 0, 4));
    EXPECT_EQ(smallTarget.At(15, 15), StoredPixel(50, 15, 4));
    EXPECT_EQ(smallTarget.At(13, 14), StoredPixel(50, 29, 4));  // 120 bytes hold 30 pixels of 4
    EXPECT_EQ(smallTarget.At(14, 14), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(smallTarget.At(15, 0), (std::array<int, 3>{255, 0, 0}));
}

TEST_F(RealCommands, APartialPaintCopiesTheTopLeftCornerAsSeen) {
    SeedCommand(0, 30101, "Bild", td::Image(24, 24, 3, 0), td::Image(16, 16, 3, 0));
    clCustomTessivars table(env);
    Target target(24, 24);
    clDIB dib(env.graphics);
    dib.Create(24, 24);
    const ByteArray& image = table.Item(0).BitmapLBytes();
    dib.FillWithArray(image, static_cast<std::int32_t>(image.size()) - 1, 40, 3);
    dib.PaintPicture(target.dc(), 0, 0, 8, 8, 0, 0, clDIB::kSrcCopy);
    EXPECT_EQ(target.At(0, 0), StoredPixel(0, 23 * 24, 3));
    EXPECT_EQ(target.At(7, 7), StoredPixel(0, 16 * 24 + 7, 3));
    EXPECT_EQ(target.At(8, 0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(target.At(0, 8), (std::array<int, 3>{255, 255, 255}));
}

}  // namespace
