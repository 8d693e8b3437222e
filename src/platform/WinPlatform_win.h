#pragma once
// The Win32 implementations, held together for a program's start, which
// hands each routine the ones it uses.
#include <string>
#include <utility>

#include "platform/Clock_win.h"
#include "platform/FileSystem_win.h"
#include "platform/Graphics_win.h"
#include "platform/MessageBoxes_win.h"
#include "platform/PacedRegistry.h"
#include "platform/Pacing.h"
#include "platform/RegistryJournal.h"
#include "platform/Registry_win.h"
#include "platform/TextCodec_win.h"
#include "platform/WindowSystem_win.h"

namespace platform {

struct WinPlatform {
    // `title`: the program's, which boxes that name none carry.
    explicit WinPlatform(std::string title) : messages(std::move(title)) {}
    WinPlatform(const WinPlatform&) = delete;
    WinPlatform& operator=(const WinPlatform&) = delete;

    WinWindowSystem windows;
    WinClock clock;
    Pacing pacing{windows, clock};  // the steps of long work that a window has marked as running
    WinRegistry winRegistry;
    PacedRegistry registry{winRegistry, pacing};
    RegistryJournal journal{registry};  // what the portable code writes through
    WinMessageBoxes messages;
    WinTextCodec text;
    WinFileSystem files;
    WinGraphics graphics;
};

}  // namespace platform
