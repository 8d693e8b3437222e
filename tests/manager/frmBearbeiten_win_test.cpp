// The command editor as a real modal window in this process, driven from
// inside its modal loop through window messages; and picture files read
// and written through the Windows Imaging Component (which Wine has).
#include "manager/frmBearbeiten_win.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "base/AppError.h"
#include "commands/CommandData.h"
#include "commands/SubstituteServices.h"
#include "platform/Graphics_win.h"
#include "platform/ImageCodec_win.h"
#include "platform/MemoryImageCodec.h"
#include "platform/ScriptedFileDialogs.h"
#include "platform/WinText_win.h"
#include "support/Layout_win.h"
#include "support/PictureFiles_win.h"

namespace c = BearbeitenControls;
namespace td = testdata;

namespace {

std::wstring TextOf(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    return text;
}

// Runs `inside` once the editor is open, from a timer of its modal loop.
std::function<void(HWND)> g_Inside;
void WhenOpen(std::function<void(HWND)> inside) {
    g_Inside = std::move(inside);
    SetTimer(nullptr, 0, 10, [](HWND, UINT, UINT_PTR id, DWORD) {
        HWND editor = FindWindowW(frmBearbeiten::kClassName, nullptr);
        if (editor == nullptr) return;
        KillTimer(nullptr, id);
        g_Inside(editor);
    });
}

class EditorWindow : public testing::Test {
protected:
    void SetUp() override {
        td::SeedTable(sub.registry, {{30101, "Serienbrief"}, {30102, "Notiz"}});
        table = std::make_unique<clCustomTessivars>(sub.Commands());
    }
    std::optional<modEditCommand::Edit> Run() {
        frmBearbeiten editor({sub.text, sub.messages, dialogs, graphics, images}, table->Item(0),
                             [](const std::string& lower) { return lower == "notiz"; });
        return editor.Edit(nullptr);
    }

    SubstituteServices sub;
    platform::ScriptedFileDialogs dialogs;
    platform::WinGraphics graphics;
    platform::MemoryImageCodec images;
    std::unique_ptr<clCustomTessivars> table;
};

TEST_F(EditorWindow, TheFieldsTakeNoMoreThanTheirWidthShowTheRoomLeftAndOkGivesTheEdit) {
    static std::wstring name, room, roomTyped, quickInfo;
    static std::vector<std::wstring> layout;
    static LRESULT limit = 0;
    WhenOpen([](HWND editor) {
        layout = support::LayoutProblems(editor);
        // The same at 150 %.
        RECT suggested{};
        GetWindowRect(editor, &suggested);
        suggested.right = suggested.left + (suggested.right - suggested.left) * 3 / 2;
        suggested.bottom = suggested.top + (suggested.bottom - suggested.top) * 3 / 2;
        SendMessageW(editor, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        for (const std::wstring& problem : support::LayoutProblems(editor)) layout.push_back(L"144 DPI: " + problem);
        name = TextOf(GetDlgItem(editor, c::txbName.id));
        room = TextOf(GetDlgItem(editor, c::lbRestName.id));
        HWND box = GetDlgItem(editor, c::txbQuickInfo.id);
        limit = SendMessageW(box, EM_GETLIMITTEXT, 0, 0);
        for (int i = 0; i < 70; ++i) SendMessageW(box, WM_CHAR, i % 2 ? L'\u00e4' : L'x', 1);
        quickInfo = TextOf(box);
        roomTyped = TextOf(GetDlgItem(editor, c::lbRestQuickInfo.id));
        PostMessageW(GetDlgItem(editor, c::cmdOK.id), BM_CLICK, 0, 0);
    });
    const auto edit = Run();
    EXPECT_TRUE(layout.empty()) << platform::Narrow(layout.empty() ? L"" : layout.front());
    EXPECT_EQ(name, L"Serienbrief");
    EXPECT_EQ(room, L"noch 117 Zeichen");
    EXPECT_EQ(limit, 64);
    EXPECT_EQ(quickInfo.size(), 64u) << "typing stops at the field's end";
    EXPECT_EQ(roomTyped, L"noch 0 Zeichen");
    ASSERT_TRUE(edit);
    EXPECT_EQ(edit->quickInfo, platform::Narrow(quickInfo));
    EXPECT_EQ(edit->name, "Serienbrief");
}

TEST_F(EditorWindow, ARefusedOkKeepsTheWindowOpenCancelAndEscGiveNoEdit) {
    static bool openAfterOk = false;
    WhenOpen([](HWND editor) {
        SetWindowTextW(GetDlgItem(editor, c::txbName.id), L"NOTIZ");
        SendMessageW(GetDlgItem(editor, c::cmdOK.id), BM_CLICK, 0, 0);
        openAfterOk = IsWindowVisible(editor) != FALSE;
        PostMessageW(GetDlgItem(editor, c::cmdAbbrechen.id), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(Run());
    EXPECT_TRUE(openAfterOk);
    ASSERT_EQ(sub.messages.Shown().size(), 1u);
    EXPECT_EQ(sub.messages.Shown()[0].text, "Es gibt schon einen ACT!-Benutzerbefehl mit dem Namen 'NOTIZ'.");

    WhenOpen([](HWND editor) {
        SetWindowTextW(GetDlgItem(editor, c::txbMenu.id), L"Neu");
        PostMessageW(GetDlgItem(editor, c::txbMenu.id), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(Run());
}

// --- picture files through WIC -------------------------------------------

class PictureFiles : public testing::Test {
protected:
    void SetUp() override {
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        m_Folder = platform::Narrow(folder);
    }
    void TearDown() override {
        for (const auto& path : m_Written) DeleteFileW(platform::Widen(path).c_str());
    }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        const std::string path = Path(name);
        FILE* file = _wfopen(platform::Widen(path).c_str(), L"wb");
        EXPECT_NE(file, nullptr);
        fwrite(bytes.data(), 1, bytes.size(), file);
        fclose(file);
        return path;
    }
    std::string Path(const std::string& name) {
        m_Written.push_back(m_Folder + name);
        return m_Written.back();
    }

    // 8 x 8 pixels: the top half red, the bottom half blue, top-down BGRA.
    static platform::Pixels Halves() {
        platform::Pixels pixels{8, 8, {}};
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const std::vector<std::uint8_t> colour =
                    y < 4 ? std::vector<std::uint8_t>{0, 0, 255, 255} : std::vector<std::uint8_t>{255, 0, 0, 255};
                pixels.bgra.insert(pixels.bgra.end(), colour.begin(), colour.end());
            }
        }
        return pixels;
    }
    static std::vector<int> At(const platform::Pixels& pixels, int x, int y) {
        const auto from = pixels.bgra.begin() + (y * pixels.width + x) * 4;
        return {from[0], from[1], from[2], from[3]};
    }
    static void ExpectHalves(const platform::Pixels& pixels, int side) {
        ASSERT_EQ(pixels.width, side);
        ASSERT_EQ(pixels.height, side);
        EXPECT_EQ(At(pixels, 0, 0), (std::vector<int>{0, 0, 255, 255})) << "top left red";
        EXPECT_EQ(At(pixels, side - 1, side - 1), (std::vector<int>{255, 0, 0, 255})) << "bottom right blue";
    }

    std::string m_Folder;
    std::vector<std::string> m_Written;
};

TEST_F(PictureFiles, ABmpAnIcoAndAPngAreReadScaledAndThePngAsWrittenTheFactoryComingWithTheFirst) {
    const platform::Pixels halves = Halves();
    platform::WicImageCodec codec;
    EXPECT_FALSE(codec.FactoryMade()) << "nothing of WIC before the first picture";
    const std::string bmpPath = Write("tessivar-test.bmp", support::BmpFile(halves));
    {
        SCOPED_TRACE("bmp");
        ExpectHalves(codec.Decode(bmpPath, 8, 8), 8);
        EXPECT_TRUE(codec.FactoryMade());
        ExpectHalves(codec.Decode(bmpPath, 24, 24), 24);
    }
    {
        SCOPED_TRACE("ico");
        ExpectHalves(codec.Decode(Write("tessivar-test.ico", support::IcoFile(halves)), 16, 16), 16);
    }

    platform::Pixels seeThrough = halves;
    seeThrough.bgra[3] = 0;  // top left transparent
    const std::string png = Path("tessivar-test.png");
    codec.EncodePng(png, seeThrough);
    const platform::Pixels back = codec.Decode(png, 8, 8);
    EXPECT_EQ(back, seeThrough) << "what was written, transparency included";
    const platform::Pixels scaled = codec.Decode(png, 24, 24);
    EXPECT_EQ(At(scaled, 0, 0)[3], 0) << "still transparent";
    EXPECT_EQ(At(scaled, 23, 23), (std::vector<int>{255, 0, 0, 255}));

    try {
        codec.Decode(Write("tessivar-test-kein-bild.png", {'k', 'e', 'i', 'n'}), 24, 24);
        ADD_FAILURE() << "no picture";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::BadFileFormat);
        EXPECT_EQ(error.description().rfind("Das Bild kann nicht gelesen werden: ", 0), 0u) << error.description();
    }
    EXPECT_THROW(codec.EncodePng(m_Folder + "kein\\Ordner\\x.png", halves), AppError);
}

}  // namespace
