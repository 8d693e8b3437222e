// Tessivar's entry point.
#include <windows.h>

#include <string>

#include "base/UiTexts.h"
#include "manager/frmHaupt_win.h"
#include "manager/frmListenansicht_win.h"
#include "manager/modHaupt.h"
#include "platform/FileDialogs_win.h"
#include "platform/NamedMutex_win.h"
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

int RunAddonRun(platform::WinPlatform& win, const modHaupt::RunRequest& request) {
    platform::SilentMessageBoxes silent;
    platform::Platform env = win.platform;
    platform::Platform quietEnv{win.registry, win.windows, silent, win.text, win.files, win.graphics,
                                win.platform.programTitle};
    frmHaupt form;
    NoWindow none;
    modHaupt::RunContext run{request.Quiet ? quietEnv : env, request.Quiet ? static_cast<IProgressWindow&>(none) : form,
                             request.AddonName, ProgramFolder(), request.Quiet};
    const modHaupt::RunOutcome outcome = request.kind == modHaupt::RunKind::Install
                                             ? modHaupt::Install(run, request.ToolbarChoice)
                                             : modHaupt::Deinstall(run, request.ToolbarChoice);
    if (!request.Quiet) form.RunUntilClosed();
    return modHaupt::ExitCodeOf(outcome);
}

int RunListWindow(platform::WinPlatform& win) {
    platform::WinFileDialogs dialogs;
    platform::WinShell shell;
    platform::WinNamedMutex locks;
    frmListenansicht form({win.platform, dialogs, shell, locks});
    form.Open();
    form.RunUntilClosed();
    return modHaupt::kExitFinished;
}

int RunTessivar() {
    platform::WinPlatform win{std::string(texts::kTessivarTitle)};
    const std::string commandLine = platform::Narrow(GetCommandLineW());
    const modHaupt::RunRequest request = modHaupt::Main(win.platform, modHaupt::ArgumentText(commandLine));
    switch (request.kind) {
        case modHaupt::RunKind::Refused: return modHaupt::kExitActRunning;
        case modHaupt::RunKind::Install:
        case modHaupt::RunKind::Deinstall: return RunAddonRun(win, request);
        case modHaupt::RunKind::ListWindow: break;
    }
    return RunListWindow(win);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return RunTessivar();
    } catch (...) {
        // Nothing may escape to the system's unhandled-exception box.
        MessageBoxW(nullptr, platform::Widen(texts::kInternalError).c_str(), platform::Widen(texts::kTessivarTitle).c_str(),
                    MB_ICONHAND | MB_OK);
        return modHaupt::kExitFailed;
    }
}
