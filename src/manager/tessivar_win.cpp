// Tessivar's entry point.
#include <windows.h>

#include <string>

#include "base/UiTexts.h"
#include "manager/frmHaupt_win.h"
#include "manager/frmListenansicht_win.h"
#include "manager/modHaupt.h"
#include "platform/Clock_win.h"
#include "platform/FileDialogs_win.h"
#include "platform/NamedMutex_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/Shell_win.h"
#include "platform/SilentMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"

namespace {

// Where tessivar.exe lies: the add-ons it installs lie beside it.
std::string ProgramFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        path.resize(path.size() * 2);
    }
    return platform::Narrow(path.substr(0, path.find_last_of(L"\\/")));
}

class NoWindow : public IProgressWindow {
public:
    void Show(std::string_view) override {}
    void SetInfo(std::string_view) override {}
};

platform::WinClock& Clock() {
    static platform::WinClock clock;
    return clock;
}

modBackup::Store Backups(platform::IFileSystem& files) {
    return {files, Clock(), modBackup::Folder([] {
                platform::WinShellFolders shell;
                return modBackup::FolderOf(shell);
            })};
}

int RunAddonRun(platform::WinPlatform& win, const modHaupt::RunRequest& request) {
    platform::SilentMessageBoxes silent;
    frmHaupt form;
    NoWindow none;
    platform::WinNamedMutex locks;
    const modBackup::Store backups = Backups(win.files);
    platform::IMessageBoxes& boxes = request.Quiet ? static_cast<platform::IMessageBoxes&>(silent) : win.messages;
    // Through the registry journal, as every change: all or nothing.
    modHaupt::Services run{{{win.journal, win.text, boxes}, win.files, win.graphics, win.windows},
                           request.Quiet ? static_cast<IProgressWindow&>(none) : form.Logic(),
                           locks,
                           request.AddonName,
                           ProgramFolder(),
                           request.Quiet,
                           backups};
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

int RunListWindow(platform::WinPlatform& win) {
    platform::WinFileDialogs dialogs;
    platform::WinShell shell;
    platform::WinNamedMutex locks;
    const modBackup::Store backups = Backups(win.files);
    frmListenansicht form({{{win.journal, win.text, win.messages}, win.files, win.graphics, win.windows},
                           dialogs,
                           shell,
                           locks,
                           backups,
                           win.pacing});
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

int RunTessivar() {
    platform::WinPlatform win{std::string(texts::kTessivarTitle)};
    const std::string commandLine = platform::Narrow(GetCommandLineW());
    const modHaupt::RunRequest request =
        modHaupt::Main(win.windows, win.text, win.messages, modHaupt::ArgumentText(commandLine));
    switch (request.kind) {
        case modHaupt::RunKind::Refused: return modHaupt::kExitActRunning;
        case modHaupt::RunKind::NotUnderstood: return modHaupt::kExitNotUnderstood;
        case modHaupt::RunKind::Usage: return ShowUsage(win);
        case modHaupt::RunKind::Install:
        case modHaupt::RunKind::Deinstall:
        case modHaupt::RunKind::Restore: return RunAddonRun(win, request);
        case modHaupt::RunKind::ListWindow: break;
    }
    return RunListWindow(win);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
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
