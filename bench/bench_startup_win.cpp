// Figures, not a test: the registry routine against the bare platform calls
// it makes, and Tessivar's refusal against the smallest Win32 program.
// Run under Wine with the build's environment (scripts/bench.sh).
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "BenchProcess_win.h"
#include "BenchUtil.h"
#include "common/modRegistry.h"
#include "driver/BoxDriver_win.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"

namespace {

constexpr const char* kKey = "Software\\TessivarBench\\Values";
constexpr int kValues = 1000;
constexpr int kRounds = 31;

void Prepare() {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TessivarBench");
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr);
    std::vector<BYTE> record(1172);
    for (int i = 0; i < kValues; ++i) {
        record[0] = static_cast<BYTE>(i);
        const std::string name = "Command-" + std::to_string(i);
        RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, record.data(), static_cast<DWORD>(record.size()));
    }
}

std::size_t RawRead() {
    std::size_t total = 0;
    std::vector<BYTE> buffer;
    for (int i = 0; i < kValues; ++i) {
        const std::string name = "Command-" + std::to_string(i);
        platform::UniqueHkey key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, 0x20019, key.put()) != ERROR_SUCCESS) continue;
        DWORD type = 0, size = 0;
        if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            buffer.assign(size, 0);
            RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, buffer.data(), &size);
            total += size;
        }
    }
    return total;
}

std::size_t RoutineRead(const modRegistry::Access& env) {
    std::size_t total = 0;
    for (int i = 0; i < kValues; ++i) {
        const RegistryValue v =
            modRegistry::RegistryGetKeyValue(env, modRegistry::HKeyCurrentUser, kKey, "Command-" + std::to_string(i));
        if (v.IsBytes()) total += v.ToBytes().size();
    }
    return total;
}

double g_lastBoxMs = 0;

// From CreateProcess to the end of the process; `answer` presses OK in its box at once.
double RunToExit(const std::wstring& program, const std::wstring& args, bool answer) {
    const bench::Timed run = bench::StartTimed(program, args);
    if (!run.process) return -1;
    if (answer) {
        HWND box = bench::WaitForWindow(run, L"#32770");
        g_lastBoxMs = run.Ms();
        if (box != nullptr) PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
    run.Wait(10000);
    return run.Ms();
}

platform::UniqueWindow OpenActWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ACT3.0FrameClass";
    RegisterClassW(&wc);
    HWND w = CreateWindowExW(0, wc.lpszClassName, L"ACT! - Benchmark", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                             nullptr, wc.hInstance, nullptr);
    ShowWindow(w, SW_SHOWNOACTIVATE);
    return platform::UniqueWindow(w);
}

}  // namespace

int wmain() {
    Prepare();
    platform::WinPlatform win("Tessivar");
    platform::ScriptedMessageBoxes boxes;
    const modRegistry::Access env{win.registry, win.text, boxes};

    std::vector<double> raw, routine;
    RawRead();
    RoutineRead(env);
    for (int r = 0; r < kRounds; ++r) {
        raw.push_back(bench::TimeMs([] { RawRead(); }));
        routine.push_back(bench::TimeMs([&] { RoutineRead(env); }));
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TessivarBench");
    const double rawMs = bench::Median(raw), routineMs = bench::Median(routine);
    std::printf("Reading %d binary values of 1172 bytes (median of %d rounds)\n", kValues, kRounds);
    std::printf("  raw RegOpenKeyExA/RegQueryValueExA x2/RegCloseKey loop : %8.2f ms\n", rawMs);
    std::printf("  RegistryGetKeyValue                                     : %8.2f ms\n", routineMs);
    std::printf("  ratio                                                   : %8.2f (target <= 1.2)\n\n",
                routineMs / rawMs);

    const std::wstring folder = bench::ProgramFolder();
    const std::wstring minimalExe = folder + L"minimal.exe", themedExe = folder + L"minimal_themed.exe",
                       tessivarExe = folder + L"tessivar.exe";
    platform::UniqueWindow act = OpenActWindow();
    std::vector<double> minimal, minimalBox, themedBox, started, quiet, tessivar, boxShown, notRefused;
    RunToExit(minimalExe, L"", false);
    RunToExit(tessivarExe, L"Addon install", true);
    for (int r = 0; r < 15; ++r) {
        minimal.push_back(RunToExit(minimalExe, L"", false));
        minimalBox.push_back(RunToExit(minimalExe, L"--box", true));
        themedBox.push_back(RunToExit(themedExe, L"--box", true));
        // A line that is no run ends before the presence test: the program's own start.
        started.push_back(RunToExit(tessivarExe, L"Addon uninstall /quiet", false));
        quiet.push_back(RunToExit(tessivarExe, L"Addon install /quiet", false));
        tessivar.push_back(RunToExit(tessivarExe, L"Addon install", true));
        boxShown.push_back(g_lastBoxMs);
    }
    act.reset();
    for (int r = 0; r < 15; ++r) notRefused.push_back(bench::TimeToWindow(tessivarExe, L"", L"TessivarListe"));
    const double minimalMs = bench::Median(minimal), tessivarMs = bench::Median(tessivar);
    const double startedMs = bench::Median(started), quietMs = bench::Median(quiet);
    const double boxMs = bench::Median(minimalBox), themedMs = bench::Median(themedBox);
    std::printf("Process start to exit (median of 15 runs, each after a settling pause of %lu ms)\n", bench::kSettleMs);
    std::printf("  minimal Win32 program                                   : %8.2f ms\n", minimalMs);
    std::printf("  tessivar.exe refusing while ACT! runs, box answered at once: %5.2f ms\n", tessivarMs);
    std::printf("  ratio                                                   : %8.2f (target <= 1.5)\n",
                tessivarMs / minimalMs);
    std::printf("  of which: the program's start (a line that is no run)   : %8.2f ms\n", startedMs);
    std::printf("            the presence test (refusal with /quiet, less that): %+5.2f ms\n", quietMs - startedMs);
    std::printf("            the box until OK is answered, and the end     : %+8.2f ms\n", tessivarMs - quietMs);
    std::printf("            start to the box on screen                    : %8.2f ms\n", bench::Median(boxShown));
    std::printf("  minimal Win32 program showing one box, answered at once : %8.2f ms\n", boxMs);
    std::printf("  ratio of the refusal to that                            : %8.2f (target <= 1.1)\n",
                tessivarMs / boxMs);
    std::printf("  the same program under tessivar.exe's manifest          : %8.2f ms\n", themedMs);
    std::printf("    (common controls 6: a themed box, as Tessivar's; loading comctl32 for it: %+.2f ms)\n",
                themedMs - boxMs);
    std::printf("  ratio of the refusal to the themed box                  : %8.2f\n", tessivarMs / themedMs);
    std::printf("  tessivar.exe without ACT!, until its list window shows  : %8.2f ms\n", bench::Median(notRefused));
    return 0;
}
