// Tessivar's entry point.
#include <windows.h>

#include <string>

#include "base/UiTexts.h"
#include "manager/ChangeRecord.h"
#include "manager/QuietReport.h"
#include "manager/frmHaupt_win.h"
#include "manager/frmListenansicht_win.h"
#include "manager/modHaupt.h"
#include "platform/Clock_win.h"
#include "platform/Environment_win.h"
#include "platform/FileDialogs_win.h"
#include "platform/NamedMutex_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/Shell_win.h"
#include "platform/WinPlatform_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"

namespace {

std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// Where tessivar.exe lies: the add-ons it installs lie beside it.
std::string ProgramFolder() {
    const std::wstring path = ProgramPath();
    return platform::Narrow(path.substr(0, path.find_last_of(L"\\/")));
}

// What Windows runs at the next logon while a change is under way.
std::string RepairCommand() { return "\"" + platform::Narrow(ProgramPath()) + "\" /reparieren"; }

#ifdef TESSIVAR_ENDS_AT_WRITE
// The test build: ends itself as hard as a kill would at the registry write
// that TESSIVAR_END_AT_WRITE counts (1 for the first), before making it.
class EndsAtWrite : public platform::IRegistry {
public:
    explicit EndsAtWrite(platform::IRegistry& inner) : m_Inner(inner) {
        wchar_t text[16] = {};
        if (GetEnvironmentVariableW(L"TESSIVAR_END_AT_WRITE", text, 16) > 0) m_Left = _wtoi(text);
    }
    long OpenKey(platform::RegKey root, std::string_view path, std::uint32_t access, platform::RegKey& key) override {
        return m_Inner.OpenKey(root, path, access, key);
    }
    long QueryValue(platform::RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                    std::uint32_t& size) override {
        return m_Inner.QueryValue(key, name, type, buffer, size);
    }
    long QueryText(platform::RegKey key, std::string_view name, std::uint32_t& type, std::string& text) override {
        return m_Inner.QueryText(key, name, type, text);
    }
    long CreateKey(platform::RegKey root, std::string_view path, std::uint32_t access, platform::RegKey& key) override {
        return m_Inner.CreateKey(root, path, access, key);
    }
    long SetValue(platform::RegKey key, std::string_view name, std::uint32_t type,
                  std::span<const std::uint8_t> data) override {
        Count();
        return m_Inner.SetValue(key, name, type, data);
    }
    long CloseKey(platform::RegKey key) override { return m_Inner.CloseKey(key); }
    long EnumKey(platform::RegKey key, std::uint32_t index, std::string& name) override {
        return m_Inner.EnumKey(key, index, name);
    }
    long EnumValue(platform::RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) override {
        return m_Inner.EnumValue(key, index, name, type, data);
    }
    long DeleteValue(platform::RegKey key, std::string_view name) override {
        Count();
        return m_Inner.DeleteValue(key, name);
    }
    long DeleteKey(platform::RegKey root, std::string_view path) override {
        Count();
        return m_Inner.DeleteKey(root, path);
    }

private:
    void Count() {
        if (m_Left > 0 && --m_Left == 0) TerminateProcess(GetCurrentProcess(), 9);
    }

    platform::IRegistry& m_Inner;
    int m_Left = 0;
};
#endif

platform::WinClock& Clock() {
    static platform::WinClock clock;
    return clock;
}

// Every start looks for the mark of a change cut short in the backups'
// folder. The session's environment names the user's local application
// data as the shell does, without loading the shell's library for it.
std::string BackupFolder() {
    wchar_t path[MAX_PATH + 1] = {};
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", path, MAX_PATH + 1);
    if (n > 0 && n <= MAX_PATH) {
        const DWORD attributes = GetFileAttributesW(path);
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
            return platform::JoinPath(platform::Narrow(path), modBackup::kFolderBelowAppData);
    }
    platform::WinShellFolders shell;
    return modBackup::FolderOf(shell);
}

// What a start works with beyond the platform: the backups with the mark of
// a change under way, and the lock of ACT!'s configuration.
struct Start {
    platform::WinPlatform& win;
    platform::IRegistry& registry;  // below the journal
    platform::RegistryJournal journal{registry};  // what the portable code writes through
    ChangeRecord record{win.files, registry, win.text, RepairCommand()};
    modBackup::Store backups{win.files, Clock(), modBackup::Folder(BackupFolder), &record};
    platform::WinNamedMutex locks;
};

int RunAddonRun(Start& start, const modHaupt::RunRequest& request, QuietReport& quiet) {
    platform::WinPlatform& win = start.win;
    frmHaupt form;
    platform::IMessageBoxes& boxes = request.Quiet ? static_cast<platform::IMessageBoxes&>(quiet) : win.messages;
    // Through the registry journal, as every change: all or nothing.
    modHaupt::Services run{{{start.journal, win.text, boxes}, win.files, win.graphics, win.windows},
                           request.Quiet ? quiet.Window() : form.Logic(),
                           start.locks,
                           request.AddonName,
                           ProgramFolder(),
                           request.Quiet,
                           start.backups};
    modHaupt::RunOutcome outcome = modHaupt::RunOutcome::Finished;
    const auto work = [&] {
        switch (request.kind) {
            case modHaupt::RunKind::Install: outcome = modHaupt::Install(run, request.ToolbarChoice); break;
            case modHaupt::RunKind::Deinstall: outcome = modHaupt::Deinstall(run, request.ToolbarChoice); break;
            default: outcome = modHaupt::Restore(run, request.RestoreFile); break;
        }
    };
    // A restore speaks in boxes only; its progress window is never shown.
    if (request.Quiet || request.kind == modHaupt::RunKind::Restore) {
        work();
    } else {
        // The window answers while the run works on a large table, and stays until its last message.
        form.Logic().Run(win.pacing, work);
        form.RunUntilClosed();
    }
    return modHaupt::ExitCodeOf(outcome);
}

int RunListWindow(Start& start) {
    platform::WinPlatform& win = start.win;
    platform::WinFileDialogs dialogs;
    platform::WinShell shell;
    platform::WinEnvironment environment;
    frmListenansicht form({{{start.journal, win.text, win.messages}, win.files, win.graphics, win.windows},
                           dialogs,
                           shell,
                           start.locks,
                           start.backups,
                           win.pacing,
                           &environment});
    form.Open();
    form.RunUntilClosed();
    return modHaupt::kExitFinished;
}

// A GUI program has no console of its own; started from one, it writes
// there too (output sent to a file or pipe goes there instead).
void PrintToConsole(std::string_view text) {
    const std::wstring wide = platform::Widen(text);
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out != nullptr && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_CHAR &&
        GetFileType(out) != FILE_TYPE_UNKNOWN) {
        DWORD written = 0;
        const std::string bytes(text);
        WriteFile(out, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return;
    }
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    const platform::UniqueFile console(
        CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
    if (console) {
        DWORD written = 0;
        WriteConsoleW(console.get(), L"\r\n", 2, &written, nullptr);
        WriteConsoleW(console.get(), wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    }
    FreeConsole();
}

int ShowUsage(platform::WinPlatform& win) {
    PrintToConsole(modHaupt::UsageText());
    win.messages.Show({std::string(modHaupt::UsageText()), std::string(texts::kUsageTitle),
                       platform::MsgIcon::Information, platform::MsgButtons::Ok});
    return modHaupt::kExitFinished;
}

int Run(Start& start, const modHaupt::RunRequest& request, QuietReport& quiet) {
    platform::IMessageBoxes& boxes = request.Quiet ? static_cast<platform::IMessageBoxes&>(quiet) : start.win.messages;
    switch (request.kind) {
        case modHaupt::RunKind::Refused: return modHaupt::kExitActRunning;
        case modHaupt::RunKind::NotUnderstood: return modHaupt::kExitNotUnderstood;
        default: break;
    }
    // Whatever the start is for, a change that a dead process left half
    // done is put back first.
    if (!RepairUnfinished({start.registry, start.win.text, boxes}, start.locks, start.backups, start.record))
        return modHaupt::kExitFailed;
    switch (request.kind) {
        case modHaupt::RunKind::Usage: return ShowUsage(start.win);
        case modHaupt::RunKind::Repair: return modHaupt::kExitFinished;
        case modHaupt::RunKind::Install:
        case modHaupt::RunKind::Deinstall:
        case modHaupt::RunKind::Restore: return RunAddonRun(start, request, quiet);
        default: return RunListWindow(start);
    }
}

// Why an unattended start that never ran ended: its line says it.
std::string_view WhyNotRun(int exitCode) {
    if (exitCode == modHaupt::kExitActRunning) return texts::kQuitActFirst;
    if (exitCode == modHaupt::kExitNotUnderstood) return texts::kQuietNotUnderstood;
    return texts::kInternalError;
}

int RunTessivar() {
    platform::WinPlatform win{std::string(texts::kTessivarTitle)};
    const std::string commandLine = platform::Narrow(GetCommandLineW());
    const modHaupt::RunRequest request =
        modHaupt::Main(win.windows, win.text, win.messages, modHaupt::ArgumentText(commandLine));
#ifdef TESSIVAR_ENDS_AT_WRITE
    EndsAtWrite registry(win.registry);
#else
    platform::IRegistry& registry = win.registry;
#endif
    Start start{win, registry};
    QuietReport quiet([](std::string_view line) { PrintToConsole(line); });
    const int exitCode = Run(start, request, quiet);
    if (request.Quiet) quiet.End(exitCode, WhyNotRun(exitCode));
    return exitCode;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    platform::RestrictDllSearch();
    // Decided first: an unattended setup must never wait for a click, not
    // even on a fault in reading the rest of the line.
    bool quiet = true;
    try {
        quiet = modHaupt::AsksForQuiet(platform::Narrow(GetCommandLineW()));
        return RunTessivar();
    } catch (...) {
        // Nothing may escape to the system's unhandled-exception box.
        platform::WinMessageBoxes boxes;
        return modHaupt::LastResort(boxes, quiet, [](std::string_view line) { PrintToConsole(line); });
    }
}
