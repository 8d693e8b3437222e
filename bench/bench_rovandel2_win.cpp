// Figures, not a test: Rovandel2's address capture across processes to the
// ACT! stand-in under Wine, four fields each through the whole chain of
// automation objects as the link builds it, against the same four fields on
// one view held throughout; and rovandel2.exe's start until its window shows
// against the smallest program with a window.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchProcess_win.h"
#include "BenchUtil.h"
#include "common/clACTApplication.h"
#include "platform/Automation_win.h"
#include "platform/WinPlatform_win.h"
#include "routeplanner/Rovandel2Controls.h"
#include "routeplanner/modRovandel2.h"

namespace {


// What Rovandel2 asks ACT! before its window shows (running, a database
// open), in this process: each a round trip to the stand-in's process. The
// program asks on a thread of its own while it builds its window.
double ActChecks(platform::WinPlatform& win, platform::WinAutomation& automation) {
    platform::FixedLocale locale;
    return bench::TimeMs([&] {
        modRovandel2::Programm programm;
        if (modRovandel2::Main({automation, win.windows, win.text, win.messages, locale}, programm) !=
            modRovandel2::Start::Fenster) {
            std::printf("(the ACT! checks refused the start)\n");
        }
    });
}

}  // namespace

int wmain() {
    const std::wstring folder = bench::ProgramFolder();
    const bench::Started reg = bench::StartProgram(folder + L"actstandin.exe", L"--register");
    if (!reg.process) return 1;
    reg.Wait(20000);
    const bench::Started act = bench::StartProgram(folder + L"actstandin.exe", L"--seconds 300");
    if (!act.process) return 1;
    WaitForInputIdle(act.process.get(), 10000);
    HWND actWindow = nullptr;
    for (int i = 0; i < 100 && actWindow == nullptr; ++i, Sleep(50))
        actWindow = bench::WindowOf(act.id, L"ACT3.0FrameClass");

    int status = 0;
    {
        platform::WinPlatform win("Rovandel2");
        platform::WinAutomation automation;
        platform::FixedLocale locale;
        clACTApplication link({automation, win.windows, win.text, win.messages, locale},
                              clACTApplication::Build::RoutePlanner);
        const std::int32_t fields[] = {30, 27, 32, 33};  // city, street, postal code, country, as a capture reads them
        auto app = automation.Create("ACTOLE.APPOBJECT");
        auto views = platform::AsObject(app->Get("Views"));
        auto view = platform::AsObject(views->Call("Create", {std::int16_t{1}, std::int16_t{2}}));

        constexpr int kRounds = 41;
        std::vector<double> chain, held;
        for (int r = 0; r < kRounds; ++r) {
            chain.push_back(bench::TimeMs([&] {
                for (std::int32_t f : fields) link.getFeldwert("Kontakt", f);
            }));
            held.push_back(bench::TimeMs([&] {
                for (std::int32_t f : fields) view->Call("GetField", {f});
            }));
        }
        if (link.getFeldwert("Kontakt", 30).empty()) status = 2;
        const double chainMs = bench::Median(chain), heldMs = bench::Median(held);
        std::printf("One address capture, four fields from the stand-in (median of %d rounds)\n", kRounds);
        std::printf("  each field through the whole chain (getFeldwert) : %8.2f ms\n", chainMs);
        std::printf("  the four fields on one held view                  : %8.2f ms\n", heldMs);
        std::printf("  ratio                                             : %8.2f\n\n", chainMs / heldMs);
    }

    std::vector<double> minimal, controls, rovandel, minimalExit, rovandelExit, checks;
    {
        platform::WinPlatform win("Rovandel2");
        platform::WinAutomation automation;
        for (int r = 0; r < 15; ++r) checks.push_back(ActChecks(win, automation));
    }
    bench::TimeToWindow(folder + L"minimal_window.exe", L"", L"MinimalWindow");
    bench::TimeToWindow(folder + L"controls_window.exe", L"", L"ControlsWindow");
    bench::TimeToWindow(folder + L"rovandel2.exe", L"", L"Rovandel2Haupt");
    for (int r = 0; r < 15; ++r) {
        minimal.push_back(bench::TimeToWindow(folder + L"minimal_window.exe", L"", L"MinimalWindow"));
        controls.push_back(bench::TimeToWindow(folder + L"controls_window.exe", L"", L"ControlsWindow"));
        rovandel.push_back(bench::TimeToWindow(folder + L"rovandel2.exe", L"", L"Rovandel2Haupt"));
        minimalExit.push_back(bench::TimeToExit(folder + L"minimal.exe", L""));
        // The keeper's switch without its handles ends at once: the program
        // file, its libraries and the C runtime, nothing else.
        rovandelExit.push_back(bench::TimeToExit(folder + L"rovandel2.exe", L"/browserpipe"));
    }
    const double minimalMs = bench::Median(minimal), controlsMs = bench::Median(controls);
    const double rovandelMs = bench::Median(rovandel);
    const double loadMs = bench::Median(rovandelExit) - bench::Median(minimalExit);
    const double checksMs = bench::Median(checks);
    std::printf(
        "Process start until the window shows (median of 15 runs, each after a settling pause of %lu ms,\n"
        "ACT!'s stand-in running)\n",
        bench::kSettleMs);
    std::printf("  smallest program with a window                    : %8.2f ms\n", minimalMs);
    std::printf("  the same with Rovandel2's controls, nothing else  : %8.2f ms\n", controlsMs);
    std::printf("    (the window's %zu controls as the system makes and paints them: %+.2f ms)\n",
                Rovandel2Controls::All().size(), controlsMs - minimalMs);
    std::printf("  rovandel2.exe: ACT! asked, window made and loaded : %8.2f ms\n", rovandelMs);
    std::printf("    its program file and libraries, beyond minimal.exe: %+6.2f ms\n", loadMs);
    std::printf("    its own work beyond the controls (art, settings, the wait for ACT!): %+.2f ms\n",
                rovandelMs - controlsMs - loadMs);
    std::printf("    the ACT! checks, on a thread of their own meanwhile: %6.2f ms (measured in this process)\n",
                checksMs);
    std::printf("  ratio to the smallest window                      : %8.2f (target <= 2.0)\n",
                rovandelMs / minimalMs);
    std::printf("  ratio to the same controls alone                  : %8.2f\n\n", rovandelMs / controlsMs);

    if (actWindow != nullptr) PostMessageW(actWindow, WM_CLOSE, 0, 0);
    act.Wait(10000);
    return status;
}
