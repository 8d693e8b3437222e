// Figures, not a test: Tessivar on command tables of 10,000 and 50,000
// commands, driven from outside as a setup program and a user drive it: an
// install run (answered No), the removal of command 0 and the list window,
// each timed from its start. Meanwhile the program's window is pinged with
// WM_NULL every 20 ms (SendMessageTimeout, 1 s), as the system asks a window
// whether it hangs: how many answers took longer than 100 ms, the slowest.
// Then where the time of a removal goes, in one process.
// Run under Wine (scripts/bench.sh).
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "BenchData.h"
#include "BenchProcess_win.h"
#include "BenchUtil.h"
#include "commands/clCustomTessivars.h"
#include "common/ActRegistry.h"
#include "driver/BoxDriver_win.h"
#include "manager/ConfigurationChange.h"
#include "manager/modBackup.h"
#include "manager/modHaupt.h"
#include "platform/NamedMutex_win.h"
#include "platform/Clock_win.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"

namespace {

constexpr int kListId = 107;  // the list window's list view
constexpr int kInfoId = 101;  // the progress window's message
const char kActRoot[] = "Software\\Symantec\\ACT!";
const std::wstring kAddon = L"Gross";
const std::wstring kWorking = L"Es wird das ACT!-Addon '";  // the runs' first message

// `commands` commands, the first named like the add-on when `addonFirst`.
void Seed(int commands, bool addonFirst) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kActRoot);
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, std::string(actregistry::kCustomCommands).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                    nullptr, key.put(), nullptr);
    const ByteArray large = bench::Image(24), small = bench::Image(16);
    const auto put = [&key](const std::string& name, const ByteArray& data) {
        RegSetValueExA(key.get(), name.c_str(), 0, REG_BINARY, data.data(), static_cast<DWORD>(data.size()));
    };
    for (int n = 0; n < commands; ++n) {
        const int id = 30101 + n;
        put("Command-" + std::to_string(n),
            bench::Record(id, n == 0 && addonFirst ? "Gross" : "Befehl " + std::to_string(n)));
        put("BitmapL-" + std::to_string(id), large);
        put("BitmapS-" + std::to_string(id), small);
    }
    const DWORD count = static_cast<DWORD>(commands);
    RegSetValueExA(key.get(), "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof(count));
}

// Pings the window `find` gives, once it gives one, until stopped.
class Pinger {
public:
    explicit Pinger(std::function<HWND()> find) : m_Thread([this, find] { Run(find); }) {}
    ~Pinger() { Stop(); }
    void Stop() {
        m_Stop = true;
        if (m_Thread.joinable()) m_Thread.join();
    }
    std::string Summary() const {
        int late = 0, lost = 0;
        double slowest = 0;
        for (double ms : m_Answers) {
            late += ms < 0 || ms > 100 ? 1 : 0;
            lost += ms < 0 ? 1 : 0;
            slowest = ms < 0 ? 1000 : std::max(slowest, ms);
        }
        char text[160];
        std::snprintf(text, sizeof text, "%4zu pings, %4d over 100 ms (%d unanswered in 1 s), slowest %s%.0f ms",
                      m_Answers.size(), late, lost, lost > 0 ? "over " : "", slowest);
        return text;
    }

private:
    void Run(const std::function<HWND()>& find) {
        HWND window = nullptr;
        while (!m_Stop && (window = find()) == nullptr) Sleep(5);
        while (!m_Stop && IsWindow(window)) {
            DWORD_PTR result = 0;
            const auto t0 = bench::Clock::now();
            const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            const double ms = std::chrono::duration<double, std::milli>(bench::Clock::now() - t0).count();
            m_Answers.push_back(answered ? ms : -1);
            Sleep(20);
        }
    }
    std::atomic<bool> m_Stop{false};
    std::vector<double> m_Answers;
    std::thread m_Thread;
};

// Asked of a window that does not answer, a message would wait in its queue
// and cost the program when it pumps again: a hung window is not asked.
constexpr UINT kPolite = SMTO_NORMAL | SMTO_ABORTIFHUNG;

std::wstring InfoText(HWND form) {
    wchar_t text[512] = {};
    DWORD_PTR got = 0;
    SendMessageTimeoutW(GetDlgItem(form, kInfoId), WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), kPolite, 50, &got);
    return text;
}

// A run of `arguments` until its end message, answering a question No; the
// progress window's OK ends it.
void TimeRun(const std::wstring& tessivar, const std::wstring& arguments, const char* what) {
    const bench::Timed run = bench::StartTimed(tessivar, arguments);
    HWND form = nullptr;
    Pinger pings([&] { return form = bench::WindowOf(run.id, L"TessivarHaupt"); });
    double question = -1, done = -1;
    while (run.Running() && done < 0) {
        if (HWND box = bench::WindowOf(run.id, L"#32770"); box != nullptr && question < 0) {
            question = run.Ms();
            if (!driver::Press(box, IDNO)) driver::Press(box, IDOK);
        }
        if (form != nullptr && IsWindow(form)) {
            const std::wstring info = InfoText(form);
            if (!info.empty() && info.rfind(kWorking, 0) != 0) done = run.Ms();
        }
        Sleep(20);
    }
    pings.Stop();
    std::printf("  %-28s %8.0f ms", what, done);
    if (question >= 0) std::printf("  (question after %.0f ms)", question);
    std::printf("\n  %-28s %s\n", "", pings.Summary().c_str());
    if (form != nullptr) {
        PostMessageW(form, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(form, IDOK)));
    }
    run.Wait(60000);
}

LRESULT Rows(HWND list) {
    DWORD_PTR rows = 0;
    return SendMessageTimeoutW(list, LVM_GETITEMCOUNT, 0, 0, kPolite, 50, &rows) != 0 ? static_cast<LRESULT>(rows) : -1;
}

void TimeListWindow(const std::wstring& tessivar, int commands) {
    const bench::Timed run = bench::StartTimed(tessivar, L"");
    HWND window = nullptr;
    Pinger pings([&] { return window = bench::WindowOf(run.id, L"TessivarListe"); });
    double shown = -1, first = -1, filled = -1;
    while (run.Running() && filled < 0) {
        if (window != nullptr && shown < 0) shown = run.Ms();
        const LRESULT rows = window != nullptr ? Rows(GetDlgItem(window, kListId)) : 0;
        if (rows > 0 && first < 0) first = run.Ms();
        if (rows == commands) filled = run.Ms();
        Sleep(20);
    }
    pings.Stop();
    std::printf("  %-28s %8.0f ms  (first rows after %.0f ms, all %d after %.0f ms)\n", "list window shown", shown,
                first, commands, filled);
    std::printf("  %-28s %s\n", "", pings.Summary().c_str());
    if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
    run.Wait(60000);
}

std::wstring BackupFolder() {
    wchar_t* local = nullptr;
    if (SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &local) != S_OK) return {};
    std::wstring folder = std::wstring(local) + L"\\Tessivar\\Sicherungen";
    CoTaskMemFree(local);
    return folder;
}

// The backups the runs took are a gigabyte at 50,000 commands: they go
// again, those that were there before stay.
std::vector<std::wstring> Backups(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\Sicherung *.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

void RemoveNewBackups(const std::wstring& folder, const std::vector<std::wstring>& before) {
    for (const std::wstring& name : Backups(folder)) {
        if (std::find(before.begin(), before.end(), name) == before.end()) DeleteFileW((folder + L"\\" + name).c_str());
    }
}

// A removal of command 0 in this process, step by step, as the run makes it.
void Phases(int commands) {
    platform::WinPlatform win("Tessivar");
    platform::ScriptedMessageBoxes boxes;
    platform::WinClock clock;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"bench-bigtables-backups";
    const modBackup::Store store{win.files, clock, platform::Narrow(folder)};
    const CommandServices env{{win.journal, win.text, boxes}, win.files, win.graphics, win.windows};
    Seed(commands, true);
    double read = 0, backup = 0, remove = 0, finish = 0;
    {
        ConfigurationChange change(env.registry, nullptr);
        std::unique_ptr<clCustomTessivars> table;
        read = bench::TimeMs([&] { table = std::make_unique<clCustomTessivars>(env.With(change.Registry())); });
        backup = bench::TimeMs([&] { modBackup::Take(change.Registry(), store); });
        remove = bench::TimeMs([&] { table->Remove(0); });
        finish = bench::TimeMs([&] { change.Finish(); });
    }
    const std::vector<modBackup::Entry> taken = modBackup::List(store);
    std::printf(
        "  in one process: table read %.0f ms, backup %.0f ms (%.0f MB), removal's writes %.0f ms, "
        "commit %.0f ms\n",
        read, backup, taken.empty() ? 0.0 : static_cast<double>(taken.front().size) / 1e6, remove, finish);
    for (const modBackup::Entry& e : taken) DeleteFileW(platform::Widen(e.path).c_str());
    // What letting a window's events run every 25 ms costs a read.
    Seed(commands, true);
    const double plain = bench::TimeMs([&] { clCustomTessivars table(env); });
    const double paced = bench::TimeMs([&] {
        const platform::Pacing::Work work = win.pacing.Begin();
        clCustomTessivars table(env);
    });
    std::printf("  in one process: table read %.0f ms, the same as a window's task (events every %lld ms) %.0f ms\n",
                plain, static_cast<long long>(platform::Pacing::kIntervalMs), paced);
    struct : IProgressWindow {
        void Show(std::string_view) override {}
        void SetInfo(std::string_view) override {}
    } none;
    platform::WinNamedMutex locks;
    modHaupt::Services run{env, none, locks, "Gross", "C:\\", true, store};
    const double whole = bench::TimeMs([&] { modHaupt::Deinstall(run, modHaupt::kContactToolbar); });
    std::printf("  in one process: the whole removal run %.0f ms\n", whole);
    for (const modBackup::Entry& e : modBackup::List(store)) DeleteFileW(platform::Widen(e.path).c_str());
    RemoveDirectoryW(folder.c_str());
}

void WriteAddon(const std::wstring& folder) {
    ByteArray file = bench::Record(1, "Gross");
    for (const ByteArray& image : {bench::Image(24), bench::Image(16)})
        file.insert(file.end(), image.begin(), image.end());
    const platform::UniqueFile h(
        CreateFileW((folder + L"\\" + kAddon + L".cmd").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD put = 0;
    WriteFile(h.get(), file.data(), static_cast<DWORD>(file.size()), &put, nullptr);
}

}  // namespace

// The table sizes may be given as arguments; 10,000 and 50,000 by default.
int wmain(int argc, wchar_t** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(_wtoi(argv[i]));
    if (sizes.empty()) sizes = {10000, 50000};
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"bench-bigtables";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring tessivar = folder + L"\\tessivar.exe";
    CopyFileW((bench::ProgramFolder() + L"tessivar.exe").c_str(), tessivar.c_str(), FALSE);
    WriteAddon(folder);
    const std::wstring backups = BackupFolder();
    const std::vector<std::wstring> before = Backups(backups);

    std::printf("Tessivar on large command tables (from the start; pings every 20 ms meanwhile)\n");
    for (const int commands : sizes) {
        std::printf("%d commands\n", commands);
        Seed(commands, false);
        TimeRun(tessivar, kAddon + L" install", "install (answered No)");
        RemoveNewBackups(backups, before);
        Seed(commands, true);
        TimeRun(tessivar, kAddon + L" deinstall", "removal of command 0");
        RemoveNewBackups(backups, before);
        Seed(commands, false);
        TimeListWindow(tessivar, commands);
        Phases(commands);
    }
    RegDeleteTreeA(HKEY_CURRENT_USER, kActRoot);
    DeleteFileW(tessivar.c_str());
    DeleteFileW((folder + L"\\" + kAddon + L".cmd").c_str());
    RemoveDirectoryW(folder.c_str());
    return 0;
}
