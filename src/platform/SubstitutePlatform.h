#pragma once
// The in-memory substitutes, bundled: what tests run the portable code on.
#include "platform/Cp1252Codec.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryGraphics.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemoryWindowSystem.h"
#include "platform/Platform.h"
#include "platform/RegistryJournal.h"
#include "platform/ScriptedMessageBoxes.h"

namespace platform {

struct SubstitutePlatform {
    explicit SubstitutePlatform(std::string title = "Tessivar")
        : platform{journal, windows, messages, text, files, graphics, std::move(title)} {}
    SubstitutePlatform(const SubstitutePlatform&) = delete;
    SubstitutePlatform& operator=(const SubstitutePlatform&) = delete;

    MemoryRegistry registry;
    RegistryJournal journal{registry};  // what the portable code writes through
    MemoryWindowSystem windows;
    ScriptedMessageBoxes messages;
    Cp1252Codec text;
    MemoryFileSystem files;
    MemoryGraphics graphics;
    Platform platform;
};

}  // namespace platform
