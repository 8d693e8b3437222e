// Rovandel2's entry point.
#include <windows.h>

#include <string>

#include "base/UiTexts.h"
#include "platform/Automation_win.h"
#include "browser/BrowserFactory_win.h"
#include "browser/BrowserKeeper_win.h"
#include "platform/Clock_win.h"
#include "platform/SettingsStore_win.h"
#include "platform/Shell_win.h"
#include "platform/ShellFolders_win.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"
#include "routeplanner/frmRovandel2_win.h"
#include "routeplanner/modRovandel2.h"

namespace {

int RunRovandel2() {
    platform::WinPlatform win{std::string(texts::kRovandelTitle)};
    platform::WinAutomation automation;  // the window thread becomes a single-threaded apartment
    platform::WinLocale locale;
    platform::WinSettingsStore settings;
    platform::WinShellFolders folders;
    platform::WinShell shell;
    platform::WinBrowserFactory browsers(automation);
    platform::WinClock clock;
    modRovandel2::Programm programm;
    switch (modRovandel2::Main(win.platform, automation, locale, programm)) {
        case modRovandel2::Start::Abgelehnt: return modRovandel2::kExitRefused;
        case modRovandel2::Start::Fehler: return modRovandel2::kExitFailed;
        case modRovandel2::Start::Fenster: break;
    }
    frmRovandel2 form(
        {win.platform, settings, folders, *programm.ACTApp, programm.Programmname, browsers, shell, clock});
    form.Open();
    form.RunUntilClosed();
    return form.Logic().BrowserFehlgeschlagen() ? modRovandel2::kExitFailed : modRovandel2::kExitFinished;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
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
