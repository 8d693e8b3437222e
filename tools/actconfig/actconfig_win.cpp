// Prints ACT!'s user-defined commands and toolbars as Tessivar reads them:
// the demo's view of what a run changed.
#include <windows.h>

#include <cstdio>
#include <string>

#include "commands/clCustomTessivars.h"
#include "platform/SilentMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "toolbars/clACTToolbars.h"

namespace {

std::string ButtonsOf(const clACTToolbar& toolbar) {
    if (!toolbar.HasButtonList()) return toolbar.TypeID() == 0 ? "(keine Symbolleiste)" : "(nicht lesbar)";
    std::string out;
    for (const clButtonItem& item : *toolbar.ButtonList()) {
        const std::uint32_t id = item.RawID();
        out += id == 0 ? std::string(" |") : " " + std::to_string(id);
    }
    return out;
}

}  // namespace

int wmain() {
    SetConsoleOutputCP(CP_UTF8);
    platform::WinPlatform win("Tessivar");
    platform::SilentMessageBoxes silent;
    const modRegistry::Access registry{win.registry, win.text, silent};

    clCustomTessivars commands({registry, win.files, win.graphics, win.windows});
    std::printf("Benutzerbefehle (Count = %d)\n", commands.Count());
    std::int32_t n = 0;
    for (const auto& c : commands) {
        std::printf("  %2d  %6d  %-24s %s | %s\n", n++, c->CommandID(), c->Name().c_str(), c->Zeile().c_str(),
                    c->Start().c_str());
    }
    clACTToolbars toolbars(registry);
    std::printf("Symbolleisten (Bars = %d)\n", toolbars.Count());
    for (const clACTToolbar& toolbar : toolbars) {
        std::printf("  %2d  %-28s%s\n", toolbar.RegistryIndex(), toolbar.WindowName().c_str(),
                    ButtonsOf(toolbar).c_str());
    }
    return 0;
}
