#pragma once
// The Win32 implementations, held together for a program's start, which
// hands each routine the ones it uses.
#include <string>
#include <utility>

#include "platform/FileSystem_win.h"
#include "platform/Graphics_win.h"
#include "platform/MessageBoxes_win.h"
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

    WinRegistry registry;
    RegistryJournal journal{registry};  // what the portable code writes through
    WinWindowSystem windows;
    WinMessageBoxes messages;
    WinTextCodec text;
    WinFileSystem files;
    WinGraphics graphics;
};

}  // namespace platform
