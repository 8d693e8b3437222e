// The real tessivar.exe against damaged and contested states of ACT!'s
// configuration, as a hostile setup program would leave or start it; what
// it left behind read back with the system's own "reg export".
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "common/ActRegistry.h"
#include "driver/BoxDriver_win.h"
#include "platform/NamedMutex_win.h"
#include "seed/ActConfigSeed_win.h"
#include "support/Process_win.h"
#include "support/Raw_win.h"
#include "support/RegistrySnapshot_win.h"
#include "support/TessivarDriver_win.h"

using support::Bytes;
using support::ChildProcess;

namespace {

const std::string kCommands = std::string(seed::kMenuConfig) + "\\CustomCommands";
const std::wstring kExportRoot = L"HKEY_CURRENT_USER\\Software\\Symantec\\ACT!";
const std::wstring kCommandsKey = kExportRoot + L"\\TBarMenuConfig\\ACT!\\CustomCommands";
const std::wstring kContactBar = kExportRoot + L"\\TBarMenuConfig\\ACT!\\ActToolBars-Bar0";
const std::wstring kGroupBar = kExportRoot + L"\\TBarMenuConfig\\ACT!\\ActToolBars-Bar1";
constexpr DWORD kNotUnderstood = 3;

// ---------------------------------------------------------------------------
// A .reg file as "reg export" writes it: UTF-16 with a byte-order mark,
// "[key]" lines and "name"=data lines, long hex data continued with "\".

struct Exported {
    DWORD type = REG_NONE;
    Bytes data;  // hex and dword data
    std::wstring text;  // a "..." string
    bool operator==(const Exported&) const = default;
};
// "key|value name" -> value
using Export = std::map<std::wstring, Exported>;

std::wstring ReadUtf16File(const std::wstring& path) {
    const std::optional<Bytes> bytes = support::ReadFileBytes(path);
    if (!bytes || bytes->size() < 2) return {};
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes->data()), bytes->size() / 2);
    if (!text.empty() && text[0] == 0xFEFF) text.erase(0, 1);
    return text;
}

// Lines with their continuations ("\" at the end, the next line indented) joined.
std::vector<std::wstring> LogicalLines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    std::wstring current;
    for (std::size_t pos = 0; pos <= text.size();) {
        std::size_t end = text.find(L'\n', pos);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (!current.empty()) line.erase(0, line.find_first_not_of(L' '));
        if (!line.empty() && line.back() == L'\\') {
            current += line.substr(0, line.size() - 1);
        } else {
            lines.push_back(current + line);
            current.clear();
        }
        pos = end + 1;
    }
    return lines;
}

// A quoted string from `pos` on; `pos` ends after the closing quote.
std::wstring Quoted(const std::wstring& line, std::size_t& pos) {
    std::wstring out;
    for (++pos; pos < line.size() && line[pos] != L'"'; ++pos) {
        if (line[pos] == L'\\' && pos + 1 < line.size()) {
            ++pos;
            out += line[pos] == L'n' ? L'\n' : line[pos] == L'r' ? L'\r' : line[pos] == L'0' ? L'\0' : line[pos];
        } else {
            out += line[pos];
        }
    }
    ++pos;
    return out;
}

Bytes HexList(const std::wstring& list) {
    Bytes out;
    for (std::size_t pos = 0; pos < list.size();) {
        const std::size_t comma = list.find(L',', pos);
        const std::wstring item = list.substr(pos, comma == std::wstring::npos ? std::wstring::npos : comma - pos);
        if (!item.empty()) out.push_back(static_cast<std::uint8_t>(std::stoul(item, nullptr, 16)));
        if (comma == std::wstring::npos) break;
        pos = comma + 1;
    }
    return out;
}

Export ParseExport(const std::wstring& text) {
    Export out;
    std::wstring key;
    for (const std::wstring& line : LogicalLines(text)) {
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            key = line.substr(1, line.rfind(L']') - 1);
            continue;
        }
        std::size_t pos = 0;
        std::wstring name;
        if (line[0] == L'"') {
            name = Quoted(line, pos);
        } else if (line[0] == L'@') {
            pos = 1;
        } else {
            continue;
        }
        if (pos >= line.size() || line[pos] != L'=') continue;
        const std::wstring data = line.substr(pos + 1);
        Exported value;
        if (!data.empty() && data[0] == L'"') {
            std::size_t p = 0;
            value.type = REG_SZ;
            value.text = Quoted(data, p);
        } else if (data.rfind(L"dword:", 0) == 0) {
            const DWORD v = std::stoul(data.substr(6), nullptr, 16);
            value.type = REG_DWORD;
            value.data = {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                          static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 24)};
        } else if (data.rfind(L"hex:", 0) == 0) {
            value.type = REG_BINARY;
            value.data = HexList(data.substr(4));
        } else if (data.rfind(L"hex(", 0) == 0) {
            const std::size_t close = data.find(L"):");
            value.type = std::stoul(data.substr(4, close - 4), nullptr, 16);
            value.data = HexList(data.substr(close + 2));
        }
        out[key + L"|" + name] = value;
    }
    return out;
}

// ACT!'s whole tree, exported by Wine's own reg.exe in this prefix.
Export ExportActTree() {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring file =
        std::wstring(temp) + L"tessivar-guards-" + std::to_wstring(GetCurrentProcessId()) + L".reg";
    wchar_t system[MAX_PATH];
    GetSystemDirectoryW(system, MAX_PATH);
    ChildProcess reg = ChildProcess::Start(std::wstring(system) + L"\\reg.exe",
                                           L"export \"" + kExportRoot + L"\" \"" + file + L"\" /y");
    EXPECT_EQ(reg.WaitForExit(30000), std::optional<DWORD>(0));
    Export out = ParseExport(ReadUtf16File(file));
    DeleteFileW(file.c_str());
    EXPECT_FALSE(out.empty());
    return out;
}

const Exported* Find(const Export& e, const std::wstring& key, const std::wstring& name) {
    const auto it = e.find(key + L"|" + name);
    return it == e.end() ? nullptr : &it->second;
}

std::uint32_t Long(const Bytes& b, std::size_t offset = 0) {
    return b.at(offset) | b.at(offset + 1) << 8 | b.at(offset + 2) << 16 |
           static_cast<std::uint32_t>(b.at(offset + 3)) << 24;
}

std::uint32_t CountOf(const Export& e) { return Long(Find(e, kCommandsKey, L"Count")->data); }

std::uint32_t IdOf(const Export& e, int n) {
    return Long(Find(e, kCommandsKey, L"Command-" + std::to_wstring(n))->data);
}

std::vector<std::uint32_t> ButtonIds(const Export& e, const std::wstring& bar) {
    std::vector<std::uint32_t> ids;
    const Bytes& b = Find(e, bar, L"Buttons")->data;
    for (std::size_t pos = 0; pos + 5 <= b.size(); pos += 5 + b[pos + 4]) ids.push_back(Long(b, pos));
    return ids;
}

// ---------------------------------------------------------------------------

class TessivarGuards : public testing::Test {
protected:
    void SetUp() override {
        seed::SeedTypicalActConfiguration();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        m_Root = std::wstring(temp) + L"tessivar-guards-" + std::to_wstring(GetCurrentProcessId());
        m_Folder = MakeFolder(m_Root + L"\\Zus\u00E4tze");
    }
    void TearDown() override {
        support::DeleteTree(HKEY_CURRENT_USER, seed::kActRoot);
        for (auto it = m_Files.rbegin(); it != m_Files.rend(); ++it) DeleteFileW(it->c_str());
        for (auto it = m_Folders.rbegin(); it != m_Folders.rend(); ++it) RemoveDirectoryW(it->c_str());
    }

    // A folder (and its parents below the temporary folder) holding
    // tessivar.exe and the add-ons Route and Drei.
    std::wstring MakeFolder(const std::wstring& path) {
        for (std::size_t pos = m_Root.size(); pos != std::wstring::npos; pos = path.find(L'\\', pos + 1)) {
            const std::wstring part = path.substr(0, pos);
            if (CreateDirectoryW(part.c_str(), nullptr)) m_Folders.push_back(part);
        }
        if (CreateDirectoryW(path.c_str(), nullptr)) m_Folders.push_back(path);
        const std::wstring exe = path + L"\\tessivar.exe";
        EXPECT_TRUE(CopyFileW((support::ProgramFolder() + L"tessivar.exe").c_str(), exe.c_str(), FALSE)) << path.size();
        m_Files.push_back(exe);
        for (const wchar_t* addon : {L"Route", L"Drei"}) {
            const std::wstring cmd = path + L"\\" + addon + L".cmd";
            EXPECT_TRUE(seed::WriteCommandFile(cmd, addon));
            m_Files.push_back(cmd);
        }
        return path;
    }

    std::optional<DWORD> Run(const std::wstring& arguments, const std::wstring& folder = {}) {
        ChildProcess tessivar = Start(arguments, folder);
        return tessivar.WaitForExit(20000);
    }
    ChildProcess Start(const std::wstring& arguments, const std::wstring& folder = {}) {
        return ChildProcess::Start((folder.empty() ? m_Folder : folder) + L"\\tessivar.exe", arguments);
    }

    std::wstring m_Root, m_Folder;
    std::vector<std::wstring> m_Folders, m_Files;
};

TEST_F(TessivarGuards, ACountThatCannotBeTrustedIsNeitherAddedToNorRemovedFrom) {
    for (std::uint32_t count : {0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu}) {
        SCOPED_TRACE(count);
        support::WriteDword(kCommands, "Count", count);
        const Export before = ExportActTree();
        EXPECT_EQ(Run(L"Route install /quiet"), std::optional<DWORD>(1));
        EXPECT_EQ(Run(L"Serienbrief deinstall /quiet"), std::optional<DWORD>(1));
        EXPECT_EQ(ExportActTree(), before);
    }
}

TEST_F(TessivarGuards, ANewCommandTakesNoNumberOfAnUnreadableRecordOrOfAButtonLeftOnAToolbar) {
    support::WriteValue(kCommands, "Command-1", REG_SZ, {'k', 'a', 'p', 'u', 't', 't', 0});
    const Export before = ExportActTree();
    ASSERT_EQ(Run(L"Route install /quiet"), std::optional<DWORD>(0));
    Export after = ExportActTree();
    EXPECT_EQ(IdOf(after, 2), 30103u);
    EXPECT_EQ(*Find(after, kCommandsKey, L"BitmapL-30102"), *Find(before, kCommandsKey, L"BitmapL-30102"));
    EXPECT_EQ(*Find(after, kCommandsKey, L"BitmapS-30102"), *Find(before, kCommandsKey, L"BitmapS-30102"));

    // Installed for the group toolbar and removed for the contact toolbar:
    // the group button stays, and must never start the next add-on.
    seed::SeedTypicalActConfiguration();
    ASSERT_EQ(Run(L"Route install gruppe /quiet"), std::optional<DWORD>(0));
    ASSERT_EQ(Run(L"Route deinstall /quiet"), std::optional<DWORD>(0));
    ASSERT_EQ(Run(L"Drei install /quiet"), std::optional<DWORD>(0));
    after = ExportActTree();
    EXPECT_EQ(CountOf(after), 3u);
    EXPECT_EQ(ButtonIds(after, kGroupBar).back(), 30103u);
    EXPECT_EQ(IdOf(after, 2), 30104u);
    EXPECT_EQ(ButtonIds(after, kContactBar).back(), 30104u);
}

TEST_F(TessivarGuards, AFolderWhosePathDoesNotFitACTsRecordInstallsNothing) {
    // 246 characters: with "\Route.exe" the command line needs 256, one more than its field holds.
    std::wstring path = m_Root;
    while (path.size() < 246) path += L"\\" + std::wstring(std::min<std::size_t>(120, 246 - path.size() - 1), L'L');
    ASSERT_EQ(path.size(), 246u);
    const std::wstring tooLong = MakeFolder(path);
    const std::wstring polish = MakeFolder(m_Root + L"\\Za\u017C\u00F3\u0142\u0107");
    const Export before = ExportActTree();
    EXPECT_EQ(Run(L"Route install /quiet", tooLong), std::optional<DWORD>(1));
    EXPECT_EQ(Run(L"Route install /quiet", polish), std::optional<DWORD>(1));

    // Without /quiet the user is told which path.
    ChildProcess tessivar = Start(L"Route install", polish);
    HWND box = driver::FindMessageBox(tessivar.Id(), L"Tessivar", 15000);
    ASSERT_NE(box, nullptr);
    const driver::BoxInfo info = driver::ReadMessageBox(box);
    EXPECT_EQ(info.text, L"Der Pfad des ACT!-Addons\r\n" + polish +
                             L"\\Route.exe\r\nenth\u00E4lt Zeichen, die ACT! nicht speichern kann.");
    EXPECT_EQ(info.icon, "exclamation");
    driver::Press(box, IDOK);
    HWND form = support::WaitForProgressWindow(tessivar.Id(), 15000);
    EXPECT_TRUE(support::WaitForInfo(form, L"Das ACT!-Addon 'Route' konnte nicht", 15000));
    support::PressOK(form);
    EXPECT_EQ(tessivar.WaitForExit(15000), std::optional<DWORD>(1));
    EXPECT_EQ(ExportActTree(), before);
}

TEST_F(TessivarGuards, AQuietLineThatIsNoRunEndsWithCodeThreeAndTouchesNothing) {
    const Export before = ExportActTree();
    for (const std::wstring line :
         {L"Route uninstall /quiet", L"\"Route X\" install /quiet", L"/quiet Route install"}) {
        SCOPED_TRACE(testing::Message() << line.size());
        const ULONGLONG t0 = GetTickCount64();
        EXPECT_EQ(Run(line), std::optional<DWORD>(kNotUnderstood));
        EXPECT_LT(GetTickCount64() - t0, 5000u);
    }
    EXPECT_EQ(ExportActTree(), before);
}

TEST_F(TessivarGuards, TwoInstallsStartedTogetherAddOneCommandAndOneButtonAndOneOfThemSaysNo) {
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE(round);
        seed::SeedTypicalActConfiguration();
        const std::vector<std::uint32_t> contact = ButtonIds(ExportActTree(), kContactBar);
        ChildProcess first = Start(L"Route install /quiet");
        ChildProcess second = Start(L"Route install /quiet");
        const std::optional<DWORD> a = first.WaitForExit(20000), b = second.WaitForExit(20000);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(*a + *b, 1u) << *a << " " << *b;
        const Export after = ExportActTree();
        EXPECT_EQ(CountOf(after), 3u);
        std::vector<std::uint32_t> expected = contact;
        expected.insert(expected.end(), {0u, 30103u});
        EXPECT_EQ(ButtonIds(after, kContactBar), expected);
    }
}

TEST_F(TessivarGuards, ARunWaitsAFewSecondsForTheLockAndThenGivesUpWithoutAChange) {
    platform::WinNamedMutex locks;
    const Export before = ExportActTree();
    {
        const auto held = locks.Acquire(actregistry::kConfigurationLock, 0);
        ASSERT_NE(held, nullptr);
        const ULONGLONG t0 = GetTickCount64();
        EXPECT_EQ(Run(L"Route install /quiet"), std::optional<DWORD>(1));
        EXPECT_GE(GetTickCount64() - t0, actregistry::kConfigurationLockWaitMs - 500);
        EXPECT_EQ(ExportActTree(), before);
    }
    // Given back while the run waits: it goes ahead.
    auto held = locks.Acquire(actregistry::kConfigurationLock, 0);
    ChildProcess waiting = Start(L"Route install /quiet");
    Sleep(1000);
    EXPECT_EQ(waiting.WaitForExit(0), std::nullopt);
    held.reset();
    EXPECT_EQ(waiting.WaitForExit(20000), std::optional<DWORD>(0));
    EXPECT_EQ(CountOf(ExportActTree()), 3u);
}

}  // namespace
