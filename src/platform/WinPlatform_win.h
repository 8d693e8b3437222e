#pragma once
// The Win32 implementations, bundled for a program's start.
#include "platform/FileSystem_win.h"
#include "platform/Graphics_win.h"
#include "platform/MessageBoxes_win.h"
#include "platform/Platform.h"
#include "platform/RegistryJournal.h"
#include "platform/Registry_win.h"
#include "platform/TextCodec_win.h"
#include "platform/WindowSystem_win.h"

namespace platform {

struct WinPlatform {
    explicit WinPlatform(std::string title)
        : platform{journal, windows, messages, text, files, graphics, std::move(title)} {}
    WinPlatform(const WinPlatform&) = delete;
    WinPlatform& operator=(const WinPlatform&) = delete;

    WinRegistry registry;
    RegistryJournal journal{registry};  // what the portable code writes through
    WinWindowSystem windows;
    WinMessageBoxes messages;
    WinTextCodec text;
    WinFileSystem files;
    WinGraphics graphics;
    Platform platform;
};

}  // namespace platform
