// Figures, not a test: the route calculation against Debian's Chromium under
// Wine and the route page stand-in. How much processor time the run takes
// while it waits for a page that never finishes (with the pause between
// polls, and without it for comparison), and how long a run on a page that
// is ready at once takes from the click on Start to the calculate button,
// split into its phases.
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "platform/Automation_win.h"
#include "platform/BrowserFactory_win.h"
#include "platform/ChromiumStart_win.h"
#include "platform/Clock_win.h"
#include "platform/Handles_win.h"
#include "platform/MemorySettingsStore.h"
#include "platform/MessagePump_win.h"
#include "platform/WinText_win.h"
#include "routepages/LinuxBrowser_win.h"
#include "routepages/RoutePageServer_win.h"
#include "routeplanner/clRoutenberechnung.h"

namespace {

double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double ProcessorSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto value = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(value(kernel) + value(user)) / 1e7;
}

// Processor seconds of the browser's Linux processes so far (/proc/<pid>/stat,
// user and system time in clock ticks of 1/100 s).
double BrowserProcessorSeconds() {
    double total = 0;
    for (unsigned long pid : routepages::BrowserProcesses(platform::BrowserProfileFolder())) {
        platform::UniqueFile file(CreateFileW((L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat").c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
        char buffer[2048] = {};
        DWORD got = 0;
        if (!file || !ReadFile(file.get(), buffer, sizeof buffer - 1, &got, nullptr)) continue;
        const std::string stat(buffer, got);
        const std::size_t close = stat.rfind(')');
        if (close == std::string::npos) continue;
        // Fields after the name: state is field 3, utime 14, stime 15.
        std::size_t at = close + 2;
        for (int field = 3; field < 14 && at != std::string::npos; ++field) at = stat.find(' ', at) + 1;
        const double user = std::strtod(stat.c_str() + at, nullptr);
        at = stat.find(' ', at) + 1;
        const double system = std::strtod(stat.c_str() + at, nullptr);
        total += (user + system) / 100.0;
    }
    return total;
}

// The main window as far as the run needs it, with the real message pump;
// it notes when each progress value was reached.
class BenchHost : public RouteHost {
public:
    explicit BenchHost(std::string url) {
        settings.Put(kSettingsApp, kSettingsSection, "URL", url);
        settings.Put(kSettingsApp, kSettingsSection, "Browser", platform::Narrow(routepages::LinuxChromium()));
        settings.Put(kSettingsApp, kSettingsSection, "BrowserArgumente", routepages::LocalBrowserArguments());
    }
    void zeigeStatus(std::string_view) override { DoEvents(); }
    void aktiviereEingaben(bool) override { DoEvents(); }
    void SetFrontwindow(bool) override {}
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
    std::string Text(std::string_view control) override {
        const std::string name(control);
        if (name.ends_with("street")) return name.find("start") != std::string::npos ? "Hauptstraße 12" : "Ring 5";
        if (name.ends_with("zip")) return name.find("start") != std::string::npos ? "80331" : "8001";
        return name.find("start") != std::string::npos ? "München" : "Zürich";
    }
    std::string SelectedText(std::string_view control) override {
        return control.find("start") != std::string_view::npos ? "DEU" : "CHE";
    }
    bool IsChecked(std::string_view) override { return false; }
    void Press(std::string_view) override {}
    platform::ISettingsStore& Settings() override { return settings; }
    std::string Programmname() override { return "Rovandel2"; }
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
    void CloseWindow() override { closedAt = Seconds(); }

    platform::MemorySettingsStore settings;
    std::map<int, double> reached;
    double closedAt = 0;
    double waitCpu = 0;  // processor seconds from the document phase's start to the end
    double browserCpu = 0;  // the same of the browser's processes
    double waited = 0;
    double endAfter = 0;  // seconds in the document phase, then the program "ends"
    bool pause = true;
    bool ended = false;
};

void TimedRun(const char* what, routepages::RoutePageServer& pages, platform::IBrowserFactory& browsers) {
    platform::WinClock clock;
    BenchHost host(pages.Url("route"));
    clRoutenberechnung run(host, browsers, clock);
    const double start = Seconds();
    run.cmdBrowse_Click();
    const auto at = [&](int value) { return host.reached.contains(value) ? host.reached[value] : start; };
    std::printf("%s: %.0f ms from Start to the button clicked\n", what, (host.closedAt - start) * 1000);
    std::printf("  browser start (to visible)         %7.0f ms\n", (at(40) - start) * 1000);
    std::printf("  navigation (to document complete)  %7.0f ms\n", (at(70) - at(40)) * 1000);
    std::printf("  form phase (first check after 2 s) %7.0f ms\n", (at(80) - at(70)) * 1000);
    std::printf("  filling and the click              %7.0f ms\n", (host.closedAt - at(80)) * 1000);
}

void WaitingRun(const char* what, routepages::RoutePageServer& pages, platform::IBrowserFactory& browsers, bool pause) {
    platform::WinClock clock;
    BenchHost host(pages.Url("endless"));
    host.endAfter = 20;
    host.pause = pause;
    clRoutenberechnung run(host, browsers, clock);
    run.cmdBrowse_Click();
    const double share = host.waited > 0 ? 100.0 / host.waited : 0.0;
    std::printf("%s: %.2f s of processor time in %.1f s = %.1f%% of one core (the browser: %.1f%% more)\n", what,
                host.waitCpu, host.waited, host.waitCpu * share, host.browserCpu * share);
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
    platform::WinBrowserFactory browsers(automation);

    std::printf("Route calculation against Debian's Chromium under Wine (page ready at once)\n");
    TimedRun("first run, browser started", pages, browsers);
    TimedRun("second run, browser running", pages, browsers);
    std::printf("\nWaiting 20 s for a page that never finishes\n");
    WaitingRun("with the pause between polls", pages, browsers, true);
    WaitingRun("polling without a pause     ", pages, browsers, false);
    routepages::EndBrowsers(profile);
    return 0;
}
