// Figures, not a test: Tessivar's list window over a table of 1,000
// commands, from process start until the list is filled and painted,
// against the smallest window program that reads the same values with a
// raw registry loop and paints one window; and where a start's time goes:
// each system DLL's price, and Tessivar's start without a table.
// Run under Wine (scripts/bench.sh).
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <utility>
#include <string>
#include <vector>

#include "BenchProcess_win.h"
#include "BenchUtil.h"
#include "commands/clCustomTessivars.h"
#include "manager/frmListenansicht_win.h"
#include "platform/Environment_win.h"
#include "platform/FileDialogs_win.h"
#include "platform/NamedMutex_win.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/Shell_win.h"
#include "platform/WinPlatform_win.h"

namespace {

constexpr int kCommands = 1000;
constexpr int kRounds = 11;
constexpr int kListId = 107;  // the list window's list view
const char kActRoot[] = "Software\\Symantec\\ACT!";
const char kKey[] = "Software\\Symantec\\ACT!\\TBarMenuConfig\\ACT!\\CustomCommands";

using Bytes = std::vector<BYTE>;

Bytes Image(int side) {
    Bytes img(40, 0);
    img[0] = 40;
    img[4] = img[8] = static_cast<BYTE>(side);
    img[12] = 1;
    img[14] = 24;
    const int size = side * side * 3;
    img[20] = static_cast<BYTE>(size);
    img[21] = static_cast<BYTE>(size >> 8);
    for (int i = 0; i < size; ++i) img.push_back(static_cast<BYTE>(i * 7));
    return img;
}

// The commands' programs: nine in ten are there, every tenth is missing
// (the list marks it), each command its own program, half of them quoted.
std::string ProgramFolder() {
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return std::string(temp) + "ACT Addons";
}
std::string ProgramOf(int n) { return ProgramFolder() + "\\Befehl" + std::to_string(n) + ".exe"; }
bool ProgramThere(int n) { return n % 10 != 0; }

void MakePrograms(int commands) {
    CreateDirectoryA(ProgramFolder().c_str(), nullptr);
    for (int n = 0; n < commands; ++n) {
        if (!ProgramThere(n)) continue;
        platform::UniqueFile file(CreateFileA(ProgramOf(n).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                              FILE_ATTRIBUTE_NORMAL, nullptr));
    }
}

void RemovePrograms(int commands) {
    for (int n = 0; n < commands; ++n) DeleteFileA(ProgramOf(n).c_str());
    RemoveDirectoryA(ProgramFolder().c_str());
}

// A record as ACT! stores one, all six texts filled.
Bytes Record(int id, int n) {
    Bytes r(1172, 0);
    for (int i = 0; i < 4; ++i) r[static_cast<std::size_t>(i)] = static_cast<BYTE>(id >> (8 * i));
    const auto put = [&r](std::size_t at, const std::string& text) {
        std::copy(text.begin(), text.end(), r.begin() + at);
    };
    put(16, "Befehl " + std::to_string(n));
    put(144, n % 2 == 0 ? "\"" + ProgramOf(n) + "\" /n " + std::to_string(n) : ProgramOf(n) + " /n");
    put(400, ProgramFolder() + "\\");
    put(658, "Startet Befehl " + std::to_string(n));
    put(722, "Ein benutzerdefinierter Befehl zum Messen");
    put(850, "&Extras|Befehl " + std::to_string(n));
    return r;
}

void Seed(int commands) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kActRoot);
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    const Bytes large = Image(24), small = Image(16);
    for (int n = 0; n < commands; ++n) {
        const int id = 30101 + n;
        const Bytes record = Record(id, n);
        RegSetValueExA(key.get(), ("Command-" + std::to_string(n)).c_str(), 0, REG_BINARY, record.data(), 1172);
        RegSetValueExA(key.get(), ("BitmapL-" + std::to_string(id)).c_str(), 0, REG_BINARY, large.data(),
                       static_cast<DWORD>(large.size()));
        RegSetValueExA(key.get(), ("BitmapS-" + std::to_string(id)).c_str(), 0, REG_BINARY, small.data(),
                       static_cast<DWORD>(small.size()));
    }
    const DWORD count = static_cast<DWORD>(commands);
    RegSetValueExA(key.get(), "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof(count));
}

std::size_t ReadValue(HKEY root, const std::string& name) {
    platform::UniqueHkey key;
    if (RegOpenKeyExA(root, kKey, 0, KEY_READ, key.put()) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = 0;
    RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size);
    Bytes data(size);
    RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
    return size;
}

std::size_t RawTable() {
    std::size_t total = ReadValue(HKEY_CURRENT_USER, "Count");
    for (int n = 0; n < kCommands; ++n) {
        const int id = 30101 + n;
        total += ReadValue(HKEY_CURRENT_USER, "Command-" + std::to_string(n));
        total += ReadValue(HKEY_CURRENT_USER, "BitmapL-" + std::to_string(id));
        total += ReadValue(HKEY_CURRENT_USER, "BitmapS-" + std::to_string(id));
    }
    return total;
}

bool Painted(HWND window) { return IsWindowVisible(window) && !GetUpdateRect(window, nullptr, FALSE); }

// From CreateProcess until the program's window of `className` is shown and
// painted (and its list, when it has one, holds `rows` rows); then closed.
double TimeToWindow(const std::wstring& program, const std::wstring& args, const wchar_t* className, int rows) {
    const bench::Timed run = bench::StartTimed(program, args);
    if (!run.process) return -1;
    HWND window = bench::WaitFor(run, [&]() -> HWND {
        HWND w = bench::WindowOf(run.id, className);
        if (w == nullptr || !Painted(w)) return nullptr;
        if (rows < 0) return w;
        HWND list = GetDlgItem(w, kListId);
        return list != nullptr && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == rows && Painted(list) ? w : nullptr;
    });
    const double ms = window != nullptr ? run.Ms() : -1;
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    run.Wait(10000);
    return ms;
}

template <class F>
double MedianOf(F&& run) {
    run();  // warm
    std::vector<double> times;
    for (int r = 0; r < kRounds; ++r) times.push_back(run());
    return bench::Median(times);
}

// The medians of several runs taken in turns, round after round: a machine
// busy with other work slows them all alike.
std::vector<double> MediansInTurn(const std::vector<std::function<double()>>& runs, int rounds) {
    std::vector<std::vector<double>> times(runs.size());
    for (const auto& run : runs) run();  // warm
    for (int r = 0; r < rounds; ++r) {
        for (std::size_t i = 0; i < runs.size(); ++i) times[i].push_back(runs[i]());
    }
    std::vector<double> medians;
    for (const auto& t : times) medians.push_back(bench::Median(t));
    return medians;
}

}  // namespace

int wmain() {
    const std::wstring folder = bench::ProgramFolder();
    const std::wstring tessivar = folder + L"tessivar.exe", window = folder + L"bench_window.exe",
                       probe = folder + L"bench_dllprobe.exe", controls = folder + L"controls_window.exe";

    Seed(kCommands);
    MakePrograms(kCommands);
    const std::vector<double> full =
        MediansInTurn({[&] { return TimeToWindow(tessivar, L"", L"TessivarListe", kCommands); },
                       [&] { return TimeToWindow(window, L"--commands", L"BenchWindow", -1); }},
                      kRounds);
    std::printf(
        "Start until the window is shown and painted, %d commands in ACT!'s table, every tenth program\n"
        "missing (median of %d runs)\n",
        kCommands, kRounds);
    std::printf("  tessivar.exe, list window filled (%d rows) and painted  : %8.2f ms\n", kCommands, full[0]);
    std::printf("  minimal window program with a raw registry loop         : %8.2f ms\n", full[1]);
    std::printf("  ratio                                                   : %8.2f (target <= 1.5)\n",
                full[0] / full[1]);

    // Where the list window's time goes, in this process.
    {
        platform::WinPlatform win("Tessivar");
        platform::ScriptedMessageBoxes boxes;
        const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
        const std::vector<double> reads =
            MediansInTurn({[&] { return bench::TimeMs([&] { clCustomTessivars t(env); }); },
                           [] { return bench::TimeMs([] { RawTable(); }); }},
                          kRounds);
        platform::WinFileDialogs dialogs;
        platform::WinShell shell;
        platform::WinNamedMutex locks;
        platform::FakeClock clock;
        const modBackup::Store backups{win.files, clock, {}};
        platform::WinEnvironment environment;
        frmListenansicht form({env, dialogs, shell, locks, backups, win.pacing, &environment});
        const double open = bench::TimeMs([&] { form.Open(SW_SHOWNOACTIVATE); });
        const double fill = MedianOf([&] { return bench::TimeMs([&] { form.Logic().ShowCommands(); }); });
        form.Destroy();
        std::printf("  of which, in one process:\n");
        std::printf("    the command table read through the command classes    : %8.2f ms\n", reads[0]);
        std::printf("    the same values read with the raw registry loop       : %8.2f ms\n", reads[1]);
        std::printf("    the window opened (table read, list filled)           : %8.2f ms\n", open);
        std::printf("    the command view filled again from the table          : %8.2f ms\n\n", fill);
    }

    RemovePrograms(kCommands);
    Seed(0);
    const std::vector<double> empty =
        MediansInTurn({[&] { return TimeToWindow(tessivar, L"", L"TessivarListe", 0); },
                       [&] { return TimeToWindow(window, L"", L"BenchWindow", -1); },
                       [&] { return TimeToWindow(controls, L"--list", L"ListControlsWindow", -1); }},
                      kRounds);
    RegDeleteTreeA(HKEY_CURRENT_USER, kActRoot);

    // A program that loads the DLLs named, each variant in turn with the others.
    const std::wstring imports = L"user32.dll gdi32.dll advapi32.dll";
    const std::vector<std::pair<std::wstring, const char*>> variants = {
        {L"", "a program loading nothing"},
        {L"user32.dll", "user32 alone"},
        {L"gdi32.dll", "gdi32 alone"},
        {L"advapi32.dll", "advapi32 alone"},
        {L"ole32.dll", "ole32 alone"},
        {L"oleaut32.dll", "oleaut32 alone"},
        {imports, "user32, gdi32, advapi32 (what tessivar.exe imports)"},
        {imports + L" comctl32.dll", "  and comctl32 (the first list view)"},
        {imports + L" comdlg32.dll", "  and comdlg32 (the first file dialog)"},
        {imports + L" shell32.dll", "  and shell32 (the first shell call)"},
        {imports + L" comctl32.dll comdlg32.dll shell32.dll", "  and all three"},
    };
    std::vector<std::function<double()>> runs;
    for (const auto& v : variants) runs.push_back([&probe, &v] { return bench::TimeToExit(probe, v.first); });
    const std::vector<double> loads = MediansInTurn(runs, 2 * kRounds + 1);
    std::printf("What loading system DLLs adds to a start (median of %d runs each, start to exit)\n", 2 * kRounds + 1);
    std::printf("  %-54s: %8.2f ms\n", variants[0].second, loads[0]);
    for (std::size_t i = 1; i < variants.size(); ++i) {
        const double against = i >= 7 ? loads[6] : loads[0];
        std::printf("  %-54s: %+8.2f ms\n", variants[i].second, loads[i] - against);
    }
    // The list view needs the common controls: a window program that
    // loads them is the floor of the list window's start.
    const double controlsLoad = loads[7] - loads[6];
    std::printf("\nStart without a table (median of %d runs)\n", kRounds);
    std::printf("  tessivar.exe, empty list window painted                 : %8.2f ms\n", empty[0]);
    std::printf("  minimal window program                                  : %8.2f ms\n", empty[1]);
    std::printf("  ratio                                                   : %8.2f\n", empty[0] / empty[1]);
    std::printf("  ratio to it plus the common controls' load (%5.2f ms)    : %8.2f (target <= 1.3)\n", controlsLoad,
                empty[0] / (empty[1] + controlsLoad));
    std::printf("  the same window's controls alone, nothing else          : %8.2f ms\n", empty[2]);
    std::printf("    (as the system makes and paints them: %+.2f ms beyond the minimal window)\n", empty[2] - empty[1]);
    std::printf("  ratio to the same controls alone                        : %8.2f\n", empty[0] / empty[2]);
    return 0;
}
