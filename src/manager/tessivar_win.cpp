// Tessivar's entry point.
#include <windows.h>

#include "common/UiTexts.h"
#include "manager/modHaupt.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"

namespace {

constexpr int kExitRefused = 2;

int RunTessivar() {
    platform::WinPlatform win{std::string(texts::kTessivarTitle)};
    const std::string commandLine = platform::Narrow(GetCommandLineW());
    const modHaupt::RunRequest request = modHaupt::Main(win.platform, modHaupt::ArgumentText(commandLine));
    switch (request.kind) {
        case modHaupt::RunKind::Refused: return kExitRefused;
        case modHaupt::RunKind::Install:
        case modHaupt::RunKind::Deinstall:
        case modHaupt::RunKind::ListWindow: break;
    }
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        return RunTessivar();
    } catch (...) {
        // Nothing may escape to the system's unhandled-exception box.
        MessageBoxW(nullptr, L"Interner Fehler", L"Tessivar", MB_ICONHAND | MB_OK);
        return 1;
    }
}
