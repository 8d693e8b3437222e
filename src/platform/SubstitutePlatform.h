#pragma once
// The in-memory substitutes, held together: what tests run the portable code
// on. Routines are handed the ones they use, never the whole set.
#include <string>
#include <utility>

#include "platform/Cp1252Codec.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryGraphics.h"
#include "platform/MemoryRegistry.h"
#include "platform/MemoryWindowSystem.h"
#include "platform/RegistryJournal.h"
#include "platform/ScriptedMessageBoxes.h"

namespace platform {

struct SubstitutePlatform {
    // `title`: the program's, which boxes that name none carry.
    explicit SubstitutePlatform(std::string title = "Tessivar") : messages(std::move(title)) {}
    SubstitutePlatform(const SubstitutePlatform&) = delete;
    SubstitutePlatform& operator=(const SubstitutePlatform&) = delete;

    MemoryRegistry registry;
    RegistryJournal journal{registry};  // what the portable code writes through
    MemoryWindowSystem windows;
    ScriptedMessageBoxes messages;
    Cp1252Codec text;
    MemoryFileSystem files;
    MemoryGraphics graphics;
};

}  // namespace platform
