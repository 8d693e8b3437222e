#pragma once
// What the portable code may reach of the platform. Each program builds one
// from the Win32 implementations; tests build one from the substitutes.
#include <string>

#include "platform/FileSystem.h"
#include "platform/Graphics.h"
#include "platform/MessageBoxes.h"
#include "platform/Registry.h"
#include "platform/TextCodec.h"
#include "platform/WindowSystem.h"

namespace platform {

struct Platform {
    IRegistry& registry;
    IWindowSystem& windows;
    IMessageBoxes& messages;
    ITextCodec& text;
    IFileSystem& files;
    IGraphics& graphics;
    std::string programTitle;  // the title of boxes that name none
};

}  // namespace platform
