// Figures, not a test: the price of building the whole automation chain per
// field (as the ACT! link does) against one call on a view already held,
// across processes to the ACT! stand-in under Wine.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "BenchProcess_win.h"
#include "common/clACTApplication.h"
#include "platform/Automation_win.h"
#include "platform/WinPlatform_win.h"

namespace {


bench::Started Start(const std::wstring& arguments) {
    return bench::StartProgram(bench::ProgramFolder() + L"actstandin.exe", arguments);
}

template <class F>
double MillisPerRun(int runs, F f) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < runs; ++i) f();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count() / runs;
}

}  // namespace

int wmain() {
    const bench::Started reg = Start(L"--register");
    if (!reg.process) return 1;
    reg.Wait(20000);
    const bench::Started act = Start(L"--seconds 300");
    if (!act.process) return 1;
    WaitForInputIdle(act.process.get(), 10000);
    HWND window = nullptr;
    for (int i = 0; i < 100 && window == nullptr; ++i, Sleep(50)) window = FindWindowW(L"ACT3.0FrameClass", nullptr);

    int status = 0;
    {
        platform::WinPlatform win("Rovandel2");
        platform::WinAutomation automation;
        platform::FixedLocale locale;
        clACTApplication link({automation, win.windows, win.text, win.messages, locale});
        constexpr int kRuns = 200;
        const int fields[] = {27, 30, 32, 33};

        const double chain = MillisPerRun(kRuns, [&] { link.getFeldwert("Kontakt", 30); });
        const double address = MillisPerRun(kRuns / 4, [&] {
            for (int f : fields) link.getFeldwert("Kontakt", f);
        });

        auto app = automation.Create("ACTOLE.APPOBJECT");
        auto views = platform::AsObject(app->Get("Views"));
        auto view = platform::AsObject(views->Call("Create", {std::int16_t{1}, std::int16_t{2}}));
        const double held = MillisPerRun(kRuns, [&] { view->Call("GetField", {std::int32_t{30}}); });
        const double heldAddress = MillisPerRun(kRuns / 4, [&] {
            for (int f : fields) view->Call("GetField", {std::int32_t{f}});
        });
        if (link.getFeldwert("Kontakt", 30).empty()) status = 2;

        std::printf("ACT! link over COM to the stand-in (ms per operation, mean of %d)\n", kRuns);
        std::printf("  getFeldwert, whole chain built and dropped : %8.3f\n", chain);
        std::printf("  GetField on a view already held            : %8.3f\n", held);
        std::printf("  four address fields by getFeldwert         : %8.3f\n", address);
        std::printf("  four address fields on a held view         : %8.3f\n", heldAddress);
    }
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    act.Wait(10000);
    return status;
}
