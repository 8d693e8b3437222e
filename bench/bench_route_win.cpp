// Figures, not a test: the route calculation against Debian's Chromium under
// Wine and the route page stand-in. How much processor time the run takes
// while it waits for a page that never finishes (with the pause between
// polls, and without it for comparison), and how long a run on a page that
// is ready at once takes from the click on Start to the calculate button,
// split into its phases: first the run in this process, then the real
// rovandel2.exe beside the ACT! stand-in, watched through its progress bar.
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <map>
#include <optional>
#include <string>

#include "platform/Automation_win.h"
#include "browser/BrowserFactory_win.h"
#include "browser/ChromiumStart_win.h"
#include "platform/Clock_win.h"
#include "platform/Environment_win.h"
#include "platform/FileSystem_win.h"
#include "platform/Handles_win.h"
#include "platform/MessagePump_win.h"
#include "platform/RecordingShell.h"
#include "platform/Registry_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/WinText_win.h"
#include "BenchProcess_win.h"
#include "routeplanner/Rovandel2Controls.h"
#include "routepages/LinuxBrowser_win.h"
#include "routepages/RoutePageServer_win.h"
#include "routeplanner/clRoutenberechnung.h"

namespace {

double Seconds() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// Processor seconds of a Linux process so far (/proc/<pid>/stat, user and
// system time in clock ticks of 1/100 s): under Wine, GetProcessTimes of
// another process does not see them.
double LinuxProcessorSeconds(unsigned long pid) {
    platform::UniqueFile file(CreateFileW((L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat").c_str(), GENERIC_READ,
                                          FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[2048] = {};
    DWORD got = 0;
    if (!file || !ReadFile(file.get(), buffer, sizeof buffer - 1, &got, nullptr)) return 0;
    const std::string stat(buffer, got);
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return 0;
    // Fields after the name: state is field 3, utime 14, stime 15.
    std::size_t at = close + 2;
    for (int field = 3; field < 14 && at != std::string::npos; ++field) at = stat.find(' ', at) + 1;
    const double user = std::strtod(stat.c_str() + at, nullptr);
    at = stat.find(' ', at) + 1;
    const double system = std::strtod(stat.c_str() + at, nullptr);
    return (user + system) / 100.0;
}

double BrowserProcessorSeconds() {
    double total = 0;
    for (unsigned long pid : routepages::BrowserProcesses(platform::BrowserProfileFolder())) {
        total += LinuxProcessorSeconds(pid);
    }
    return total;
}

// The Linux process that runs the Windows program `path` under Wine, 0 when none.
unsigned long LinuxProcessOf(const std::wstring& path) {
    std::wstring wanted = path;
    for (wchar_t& ch : wanted) ch = static_cast<wchar_t>(towlower(ch));
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    unsigned long pid = 0;
    do {
        if (found.cFileName[0] < L'0' || found.cFileName[0] > L'9') continue;
        platform::UniqueFile file(CreateFileW((L"Z:\\proc\\" + std::wstring(found.cFileName) + L"\\cmdline").c_str(),
                                              GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        char buffer[4096] = {};
        DWORD got = 0;
        if (!file || !ReadFile(file.get(), buffer, sizeof buffer - 1, &got, nullptr)) continue;
        std::wstring commandLine = platform::Widen(std::string(buffer, strnlen(buffer, got)));
        for (wchar_t& ch : commandLine) ch = static_cast<wchar_t>(towlower(ch));
        if (commandLine == wanted) pid = std::wcstoul(found.cFileName, nullptr, 10);
    } while (pid == 0 && FindNextFileW(search, &found));
    FindClose(search);
    return pid;
}

// The main window as far as the run needs it, with the real message pump;
// it notes when each progress value was reached.
class BenchProgress : public IRouteProgress {
public:
    void zeigeStatus(std::string_view) override { DoEvents(); }
    void SetProgress(int value) override {
        if (reached.contains(value)) return;
        reached[value] = Seconds();
        if (value == 60) {
            waitCpu = ProcessorSeconds();
            browserCpu = BrowserProcessorSeconds();
        }
    }
    void SetStatusPicture(int) override {}
    void SetStatusPicture(std::string_view) override {}
    platform::MsgAnswer MsgBox(const platform::MessageBoxRequest& request) override {
        std::printf("  (message: %s)\n", request.text.substr(0, request.text.find('\r')).c_str());
        return platform::MsgAnswer::No;
    }
    void DoEvents() override {
        platform::PumpPending();
        if (!ended && endAfter > 0 && reached.contains(60) && Seconds() - reached[60] >= endAfter) {
            ended = true;
            waitCpu = ProcessorSeconds() - waitCpu;
            browserCpu = BrowserProcessorSeconds() - browserCpu;
            waited = Seconds() - reached[60];
        }
    }
    void WaitForEvents(int timeoutMs) override {
        if (pause) platform::PumpWithTimeout(static_cast<DWORD>(timeoutMs));
        DoEvents();
    }
    bool Ended() override { return ended; }

    std::map<int, double> reached;
    double waitCpu = 0;  // processor seconds from the document phase's start to the end
    double browserCpu = 0;  // the same of the browser's processes
    double waited = 0;
    double endAfter = 0;  // seconds in the document phase, then the program "ends"
    bool pause = true;
    bool ended = false;
};

RouteRequest BenchRequest(std::string url) {
    return {"Hauptstraße 12, 80331 München, DEU",          "Ring 5, 8001 Zürich, CHE",          std::move(url),
            platform::Narrow(routepages::LinuxChromium()), routepages::LocalBrowserArguments(), "Rovandel2"};
}

// Milliseconds from Start to the click; the phases are printed.
double TimedRun(const char* what, routepages::RoutePageServer& pages, platform::IBrowserFactory& browsers) {
    platform::WinClock clock;
    BenchProgress host;
    platform::RecordingShell shell;
    clRoutenberechnung run({browsers, shell, clock}, host);
    const double start = Seconds();
    run.Run(BenchRequest(pages.Url("route")));
    const double closedAt = Seconds();
    const auto at = [&](int value) { return host.reached.contains(value) ? host.reached[value] : start; };
    std::printf("%s: %.0f ms from Start to the button clicked\n", what, (closedAt - start) * 1000);
    std::printf("  browser start (to visible)         %7.0f ms\n", (at(40) - start) * 1000);
    std::printf("  navigation (to document complete)  %7.0f ms\n", (at(70) - at(40)) * 1000);
    std::printf("  form phase (the form looked for)   %7.0f ms\n", (at(80) - at(70)) * 1000);
    std::printf("  filling and the click              %7.0f ms\n", (closedAt - at(80)) * 1000);
    return (closedAt - start) * 1000;
}

// Milliseconds from the form's appearance on a page that shows it 4 s after
// loading to the click, by the page's own clock; -1 when no click came.
double LateFormRun(routepages::RoutePageServer& pages, platform::IBrowserFactory& browsers) {
    platform::WinClock clock;
    BenchProgress host;
    platform::RecordingShell shell;
    clRoutenberechnung run({browsers, shell, clock}, host);
    run.Run(BenchRequest(pages.Url("late")));
    const auto report = pages.WaitForReport("late", true, 5000);
    const double since = report ? report->sinceFormMs : -1;
    std::printf("form shown 4 s after loading: clicked %.0f ms after it appeared\n", since);
    return since;
}

void WaitingRun(const char* what, routepages::RoutePageServer& pages, platform::IBrowserFactory& browsers, bool pause) {
    platform::WinClock clock;
    BenchProgress host;
    host.endAfter = 20;
    host.pause = pause;
    platform::RecordingShell shell;
    clRoutenberechnung run({browsers, shell, clock}, host);
    run.Run(BenchRequest(pages.Url("endless")));
    const double share = host.waited > 0 ? 100.0 / host.waited : 0.0;
    std::printf("%s: %.2f s of processor time in %.1f s = %.1f%% of one core (the browser: %.1f%% more)\n", what,
                host.waitCpu, host.waited, host.waitCpu * share, host.browserCpu * share);
}


// --- the real rovandel2.exe ------------------------------------------------------

struct Program {
    bench::Started process;
    HWND window = nullptr;
    HWND progress = nullptr;
};

// rovandel2.exe on `url`, its Start button clicked; nothing when it did not show its window.
std::optional<Program> StartRovandel(const std::string& url) {
    routepages::WriteRovandelOption(L"URL", url);
    Program program{bench::StartProgram(bench::ProgramFolder() + L"rovandel2.exe", L"")};
    for (int i = 0; i < 300 && program.window == nullptr; ++i, Sleep(50)) {
        program.window = bench::WindowOf(program.process.id, L"Rovandel2Haupt");
    }
    if (program.window == nullptr) return std::nullopt;
    program.progress = GetDlgItem(program.window, Rovandel2Controls::ProgressBar.id);
    Sleep(300);
    PostMessageW(GetDlgItem(program.window, Rovandel2Controls::cmdBrowse.id), BM_CLICK, 0, 0);
    return program;
}

double RealTimedRun(const char* what, routepages::RoutePageServer& pages) {
    const std::size_t before = pages.Reports().size();
    auto program = StartRovandel(pages.Url("route"));
    if (!program) {
        std::printf("%s: rovandel2.exe showed no window\n", what);
        return 0;
    }
    const double start = Seconds();
    std::map<int, double> reached;
    double clicked = 0;
    // The progress bar is read as often as it can be: these figures are the program's.
    while (Seconds() - start < 30 && clicked == 0) {
        const int value = static_cast<int>(SendMessageW(program->progress, PBM_GETPOS, 0, 0));
        if (!reached.contains(value)) reached[value] = Seconds();
        if (pages.Reports().size() > before && pages.Reports().back().clicked) clicked = Seconds();
        Sleep(1);
    }
    program->process.Wait(10000);
    const auto at = [&](int value) { return reached.contains(value) ? reached[value] : start; };
    std::printf("%s: %.0f ms from the click on Start to the button clicked in the page\n", what,
                (clicked - start) * 1000);
    std::printf("  browser start (to visible)         %7.0f ms\n", (at(40) - start) * 1000);
    std::printf("  navigation (to document complete)  %7.0f ms\n", (at(70) - at(40)) * 1000);
    std::printf("  form phase (the form looked for)   %7.0f ms\n", (at(80) - at(70)) * 1000);
    std::printf("  filling and the click              %7.0f ms\n", (clicked - at(80)) * 1000);
    return clicked > 0 ? (clicked - start) * 1000 : 0;
}

void RealWaitingRun(routepages::RoutePageServer& pages) {
    auto program = StartRovandel(pages.Url("endless"));
    if (!program) return;
    const double start = Seconds();
    while (SendMessageW(program->progress, PBM_GETPOS, 0, 0) < 60 && Seconds() - start < 30) Sleep(20);
    const unsigned long pid = LinuxProcessOf(bench::ProgramFolder() + L"rovandel2.exe");
    const double cpu0 = LinuxProcessorSeconds(pid);
    const double browser0 = BrowserProcessorSeconds();
    const double wall0 = Seconds();
    Sleep(20000);
    const double cpu = LinuxProcessorSeconds(pid) - cpu0;
    const double browser = BrowserProcessorSeconds() - browser0;
    const double wall = Seconds() - wall0;
    if (pid == 0) std::printf("(the Linux process of rovandel2.exe was not found)\n");
    std::printf(
        "rovandel2.exe waiting: %.2f s of processor time in %.1f s = %.1f%% of one core (the browser: %.1f%% more)\n",
        cpu, wall, 100 * cpu / wall, 100 * browser / wall);
    // Escape ends it at once.
    PostMessageW(program->window, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageW(program->window, WM_CHAR, 27, 0);
    program->process.Wait(10000);
    if (program->process.Running()) TerminateProcess(program->process.process.get(), 1);
}

struct Figures {
    double started = 0;  // Start to the click, the browser started for the run
    double running = 0;  // the same with the browser running
};

Figures RealProgram(routepages::RoutePageServer& pages) {
    Figures figures;
    const std::wstring folder = bench::ProgramFolder();
    const bench::Started reg = bench::StartProgram(folder + L"actstandin.exe", L"--register");
    if (!reg.process) return figures;
    reg.Wait(20000);
    const bench::Started act = bench::StartProgram(folder + L"actstandin.exe", L"--seconds 300");
    if (!act.process) return figures;
    WaitForInputIdle(act.process.get(), 10000);
    HWND actWindow = nullptr;
    for (int i = 0; i < 100 && actWindow == nullptr; ++i, Sleep(50))
        actWindow = bench::WindowOf(act.id, L"ACT3.0FrameClass");

    routepages::WriteRovandelOption(L"Browser", platform::Narrow(routepages::LinuxChromium()));
    routepages::WriteRovandelOption(L"BrowserArgumente", routepages::LocalBrowserArguments());
    routepages::EndBrowsers(platform::BrowserProfileFolder());
    std::printf("\nThe real rovandel2.exe beside the ACT! stand-in (page ready at once)\n");
    figures.started = RealTimedRun("first run, browser started", pages);
    figures.running = RealTimedRun("second run, browser running", pages);
    std::printf("\n");
    RealWaitingRun(pages);

    if (actWindow != nullptr) PostMessageW(actWindow, WM_CLOSE, 0, 0);
    act.Wait(10000);
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Rovandel2");
    return figures;
}

// Playwright's figures from the same machine, measured just before this run
// by scripts/bench.sh: "launch=<ms> page=<ms>" in ROUTE_ANCHOR.
Figures Anchor() {
    Figures anchor;
    const char* text = std::getenv("ROUTE_ANCHOR");
    if (text == nullptr) return anchor;
    if (const char* launch = std::strstr(text, "launch=")) anchor.started = std::strtod(launch + 7, nullptr);
    if (const char* page = std::strstr(text, "page=")) anchor.running = std::strtod(page + 5, nullptr);
    return anchor;
}

void SideBySide(const Figures& inProcess, const Figures& program, double lateFormMs) {
    const Figures anchor = Anchor();
    std::printf("\nSide by side, Start to the button clicked (one run)\n  %-52s %6s  %12s  %s\n", "", "ms",
                "x Playwright", "target");
    const auto row = [](const char* what, double ms, double base, const char* target) {
        if (base > 0 && ms > 0)
            std::printf("  %-52s %6.0f  %12.2f  %s\n", what, ms, ms / base, target);
        else
            std::printf("  %-52s %6.0f\n", what, ms);
    };
    if (anchor.started > 0) {
        row("Playwright, launch to the click", anchor.started, 0, "");
        row("Playwright, per page with the browser running", anchor.running, 0, "");
    } else {
        std::printf("  (no Playwright figures: run scripts/bench.sh)\n");
    }
    row("Rovandel2 in this process, browser started", inProcess.started, anchor.started, "<= 1.2");
    row("Rovandel2 in this process, browser running", inProcess.running, anchor.running, "<= 1.0");
    row("rovandel2.exe, browser started", program.started, anchor.started, "<= 1.2");
    row("rovandel2.exe, browser running", program.running, anchor.running, "<= 1.0");
    std::printf("  %-52s %6.0f  %12s  %s\n", "form shown 4 s after loading, shown to the click", lateFormMs, "",
                "<= 500");
}

}  // namespace

int wmain() {
    if (routepages::LinuxChromium().empty()) {
        std::printf("bench_route: Debian's Chromium (/usr/bin/chromium) is not installed\n");
        return 0;
    }
    const std::wstring profile = platform::BrowserProfileFolder();
    routepages::EndBrowsers(profile);
    routepages::RoutePageServer pages;
    platform::WinAutomation automation;
    platform::WinRegistry registry;
    platform::WinFileSystem files;
    platform::WinEnvironment environment;
    platform::WinShellFolders shellFolders;
    platform::WinBrowserFactory browsers({automation, registry, files, environment, shellFolders});

    std::printf("Route calculation against Debian's Chromium under Wine (page ready at once)\n");
    Figures inProcess;
    inProcess.started = TimedRun("first run, browser started", pages, browsers);
    inProcess.running = TimedRun("second run, browser running", pages, browsers);
    std::printf("\n");
    const double lateFormMs = LateFormRun(pages, browsers);
    std::printf("\nWaiting 20 s for a page that never finishes\n");
    WaitingRun("with the pause between polls", pages, browsers, true);
    WaitingRun("polling without a pause     ", pages, browsers, false);
    routepages::EndBrowsers(profile);
    const Figures program = RealProgram(pages);
    routepages::EndBrowsers(profile);
    SideBySide(inProcess, program, lateFormMs);
    return 0;
}
