// Rovandel2's entry point.
#include <windows.h>

#include <memory>
#include <string>

#include "base/UiTexts.h"
#include "platform/Automation_win.h"
#include "browser/BrowserFactory_win.h"
#include "browser/BrowserKeeper_win.h"
#include "platform/Clock_win.h"
#include "platform/Environment_win.h"
#include "platform/FileDialogs_win.h"
#include "platform/MessagePump_win.h"
#include "platform/PolicySettingsStore.h"
#include "platform/SettingsStore_win.h"
#include "platform/Shell_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/WinPlatform_win.h"
#include "platform/SystemLibrary_win.h"
#include "platform/WinText_win.h"
#include "routeplanner/frmRovandel2_win.h"
#include "routeplanner/modOptionen.h"
#include "routeplanner/modRovandel2.h"

namespace {

int RunRovandel2() {
    platform::WinPlatform win{std::string(texts::kRovandelTitle)};
    platform::WinLocale locale;
    // Main's steps, with its two checks (round trips to ACT!'s process) on a
    // thread of their own, in an apartment and with a link of their own,
    // while this thread builds the window unseen. The window is loaded and
    // shown only once both have passed; a refusal's box comes as soon as it
    // is known, and the window then goes unseen.
    platform::Background<modRovandel2::Start> checks([&win, &locale] {
        platform::WinAutomation automation;
        clACTApplication link({automation, win.windows, win.text, win.messages, locale},
                              clACTApplication::Build::RoutePlanner);
        return modRovandel2::Pruefe(win.messages, link);
    });
    // This thread becomes an apartment with its first object: an address capture.
    platform::WinAutomation automation(platform::ComStart::WithFirstObject);
    platform::WinSettingsStore userSettings;
    // Every reader of the options goes through this one store, so what an
    // administrator set holds for the route, the capture, the cookie
    // clean-up and the settings window alike. It only reads the registry.
    platform::PolicySettingsStore settings(win.registry, userSettings, modOptionen::Richtlinienbereich());
    platform::WinShellFolders folders;
    platform::WinShell shell;
    platform::WinEnvironment environment;
    platform::WinFileDialogs dialogs;
    platform::WinBrowserFactory browsers({automation, win.registry, win.files, environment, folders});
    platform::WinClock clock;
    modRovandel2::Programm programm;
    programm.ACTApp = std::make_unique<clACTApplication>(
        clACTApplication::Services{automation, win.windows, win.text, win.messages, locale},
        clACTApplication::Build::RoutePlanner);
    // Read by nothing before the window loads, which is after the checks.
    programm.Programmname = std::string(texts::kRovandelTitle);
    ProcessEnd escape;
    frmRovandel2 form({win.windows,
                       {win.journal, win.text, win.messages},
                       win.files,
                       settings,
                       folders,
                       *programm.ACTApp,
                       programm.Programmname,
                       browsers,
                       shell,
                       clock},
                      {settings, {win.registry, win.files, environment}, dialogs, folders, win.messages}, escape);
    form.Build();
    switch (checks.Wait()) {
        case modRovandel2::Start::Abgelehnt: return modRovandel2::kExitRefused;
        case modRovandel2::Start::Fehler: return modRovandel2::kExitFailed;
        case modRovandel2::Start::Fenster: break;
    }
    form.Open();
    form.RunUntilClosed();
    return form.Logic().Fehlgeschlagen() ? modRovandel2::kExitFailed : modRovandel2::kExitFinished;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    // Also for the browser's keeper, which is this program started again.
    platform::RestrictDllSearch();
    // The browser's keeper runs without a window, ACT! or settings: it only
    // holds the browser's control pipe.
    const std::wstring_view arguments = commandLine != nullptr ? commandLine : L"";
    if (arguments.starts_with(platform::kKeeperSwitch)) {
        try {
            return platform::RunBrowserKeeper(arguments.substr(platform::kKeeperSwitch.size()));
        } catch (...) {
            return modRovandel2::kExitFailed;
        }
    }
    try {
        return RunRovandel2();
    } catch (...) {
        // Nothing may escape to the system's unhandled-exception box.
        MessageBoxW(nullptr, platform::Widen(texts::kInternalError).c_str(),
                    platform::Widen(texts::kRovandelTitle).c_str(), MB_ICONHAND | MB_OK);
        return modRovandel2::kExitFailed;
    }
}
