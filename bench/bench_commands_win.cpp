// Figures, not a test: the command table on a table of 1,000 commands of
// realistic size, each operation against a raw loop of the same registry
// calls. Run under Wine (scripts/bench.sh).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchProcess_win.h"
#include "BenchData.h"
#include "BenchUtil.h"
#include "commands/clCustomTessivars.h"
#include "common/ActRegistry.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"

namespace {

constexpr int kCommands = 1000;
const std::string kKey(actregistry::kCustomCommands);

using bench::Image;
using bench::Record;

void Write(const std::string& name, DWORD type, const ByteArray& data) {
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, 0x2001F, nullptr, key.put(), nullptr);
    RegSetValueExA(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

std::size_t Read(const std::string& name) {
    platform::UniqueHkey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, 0x20019, key.put()) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = 0;
    RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    ByteArray buffer(size);
    RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
    return size;
}

void Seed() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    const ByteArray large = Image(24), small = Image(16);
    for (int n = 0; n < kCommands; ++n) {
        const int id = 30101 + n;
        Write("Command-" + std::to_string(n), REG_BINARY, Record(id, "Befehl " + std::to_string(n)));
        Write("BitmapL-" + std::to_string(id), REG_BINARY, large);
        Write("BitmapS-" + std::to_string(id), REG_BINARY, small);
    }
    const DWORD count = kCommands;
    Write("Count", REG_DWORD,
          ByteArray(reinterpret_cast<const std::uint8_t*>(&count), reinterpret_cast<const std::uint8_t*>(&count) + 4));
}

std::size_t RawTable() {
    std::size_t total = Read("Count");
    for (int n = 0; n < kCommands; ++n) {
        total += Read("Command-" + std::to_string(n));
        total += Read("BitmapL-" + std::to_string(30101 + n));
        total += Read("BitmapS-" + std::to_string(30101 + n));
    }
    return total;
}

std::wstring TempFile(int n) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + L"bench-" + std::to_wstring(n) + L".cmd";
}

ByteArray ReadWholeFile(const std::wstring& path) {
    const platform::UniqueFile h(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ByteArray bytes(GetFileSize(h.get(), nullptr));
    DWORD got = 0;
    ReadFile(h.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &got, nullptr);
    return bytes;
}

std::wstring LabelText(HWND form) {
    wchar_t text[512] = {};
    SendMessageW(GetDlgItem(form, 101), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text));
    return text;
}

// From CreateProcess to the end message, the question answered Yes at once.
double InstallRun(const std::wstring& tessivar) {
    const bench::Timed run = bench::StartTimed(tessivar, L"BenchAddon install");
    HWND box = bench::WaitForWindow(run, L"#32770");
    PostMessageW(box, WM_COMMAND, IDYES, 0);
    HWND form = bench::WindowOf(run.id, L"TessivarHaupt");
    bench::WaitFor(run, [form] { return LabelText(form).rfind(L"Das ACT!-Addon", 0) == 0 ? form : nullptr; });
    const double ms = run.Ms();
    PostMessageW(form, WM_COMMAND, IDOK, 0);
    run.Wait(10000);
    return ms;
}

double MinimalPlusRawReads(const std::wstring& minimal) {
    const bench::Timed run = bench::StartTimed(minimal, L"");
    run.Wait(10000);
    RawTable();
    return run.Ms();
}

void Report(const char* what, double ours, double raw, double target) {
    std::printf("  %-34s %9.2f ms   raw loop %9.2f ms   ratio %5.2f (target <= %.1f)\n", what, ours, raw, ours / raw,
                target);
}

}  // namespace

int wmain() {
    platform::WinPlatform win("Tessivar");
    platform::ScriptedMessageBoxes boxes;
    const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
    Seed();
    std::printf("Command table of %d commands with 24 x 24 and 16 x 16 images at 24 bits (medians)\n", kCommands);

    std::vector<double> create, rawCreate;
    for (int r = 0; r < 5; ++r) {
        create.push_back(bench::TimeMs([&] { clCustomTessivars table(env); }));
        rawCreate.push_back(bench::TimeMs([] { RawTable(); }));
    }
    Report("creating the table (reads all)", bench::Median(create), bench::Median(rawCreate), 1.3);

    constexpr int kAdds = 20;
    std::vector<std::string> files;
    for (int n = 0; n < kAdds; ++n) {
        ByteArray f = Record(1, "Neuer Befehl " + std::to_string(n));
        const ByteArray large = Image(24), small = Image(16);
        f.insert(f.end(), large.begin(), large.end());
        f.insert(f.end(), small.begin(), small.end());
        const platform::UniqueFile h(
            CreateFileW(TempFile(n).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD put = 0;
        WriteFile(h.get(), f.data(), static_cast<DWORD>(f.size()), &put, nullptr);
        files.push_back(platform::Narrow(TempFile(n)));
    }
    std::vector<double> add, rawAdd;
    {
        clCustomTessivars table(env);
        for (int n = 0; n < kAdds; ++n)
            add.push_back(bench::TimeMs([&] { table.Add(files[static_cast<std::size_t>(n)], {}); }));
        for (int n = 0; n < kAdds; ++n) {
            rawAdd.push_back(bench::TimeMs([&] {
                const ByteArray f = ReadWholeFile(TempFile(n));
                const std::string k = std::to_string(50000 + n);
                Write("Command-x" + k, REG_BINARY, ByteArray(f.begin(), f.begin() + 1172));
                Write("BitmapL-x" + k, REG_BINARY, ByteArray(f.begin() + 1172, f.begin() + 1172 + 1768));
                Write("BitmapS-x" + k, REG_BINARY, ByteArray(f.begin() + 1172 + 1768, f.end()));
                Write("Count-x", REG_DWORD, ByteArray(4, 1));
            }));
        }
    }
    Report("Add (one command file)", bench::Median(add), bench::Median(rawAdd), 1.3);

    std::vector<double> remove, rawRemove;
    for (int r = 0; r < 3; ++r) {
        clCustomTessivars table(env);
        const int remaining = table.Count() - 1;
        remove.push_back(bench::TimeMs([&] { table.Remove(0); }));
        const ByteArray record = Record(1, "x"), large = Image(24), small = Image(16);
        rawRemove.push_back(bench::TimeMs([&] {
            for (int n = 0; n < remaining; ++n) {
                Write("Raw-Command-" + std::to_string(n), REG_BINARY, record);
                Write("Raw-BitmapL-" + std::to_string(n), REG_BINARY, large);
                Write("Raw-BitmapS-" + std::to_string(n), REG_BINARY, small);
            }
            Write("Raw-Count", REG_DWORD, ByteArray(4, 0));
        }));
    }
    Report("Remove(0) with renumbering", bench::Median(remove), bench::Median(rawRemove), 1.3);

    // The whole install run as a setup program starts it, against the bare cost of its parts.
    Seed();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"bench-addons\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW((bench::ProgramFolder() + L"tessivar.exe").c_str(), (folder + L"tessivar.exe").c_str(), FALSE);
    CopyFileW(TempFile(0).c_str(), (folder + L"BenchAddon.cmd").c_str(), FALSE);
    std::vector<double> run, bare;
    const DWORD count = kCommands;
    for (int r = 0; r < 7; ++r) {
        Write("Count", REG_DWORD,
              ByteArray(reinterpret_cast<const std::uint8_t*>(&count),
                        reinterpret_cast<const std::uint8_t*>(&count) + 4));
        run.push_back(InstallRun(folder + L"tessivar.exe"));
        bare.push_back(MinimalPlusRawReads(bench::ProgramFolder() + L"minimal.exe"));
    }
    std::printf("  %-34s %9.2f ms   minimal program + raw reads %9.2f ms   ratio %5.2f (target <= 1.5)\n",
                "install run, start to end message", bench::Median(run), bench::Median(bare),
                bench::Median(run) / bench::Median(bare));
    DeleteFileW((folder + L"tessivar.exe").c_str());
    DeleteFileW((folder + L"BenchAddon.cmd").c_str());
    RemoveDirectoryW(folder.c_str());

    for (int n = 0; n < kAdds; ++n) DeleteFileW(TempFile(n).c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    return 0;
}
