#pragma once
// What ACT!'s user-defined commands work with: the registry as the registry
// routines reach it, the command files, the drawing of the button pictures,
// and the window events that reading a file lets run.
#include "common/modRegistry.h"
#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/WindowSystem.h"

struct CommandServices {
    modRegistry::Access registry;
    platform::IFileSystem& files;
    platform::IGraphics& graphics;
    platform::IWindowSystem& windows;

    // The same, reaching the registry through `other` (a change's journal).
    CommandServices With(const modRegistry::Access& other) const { return {other, files, graphics, windows}; }
};
