#pragma once
// A command table that takes its time, as one of tens of thousands does:
// every value read from it waits a millisecond or two. Reached as the
// programs reach theirs, through the journal and the pacing of long work,
// with this thread's real window events let run.
#include <windows.h>

#include <string>
#include <vector>

#include "commands/CommandData.h"
#include "commands/CommandServices.h"
#include "platform/Clock_win.h"
#include "platform/Cp1252Codec.h"
#include "platform/Graphics_win.h"
#include "platform/MemoryFileSystem.h"
#include "platform/MemoryRegistry.h"
#include "platform/PacedRegistry.h"
#include "platform/RegistryJournal.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WindowSystem_win.h"

struct SlowTable {
    class SlowRegistry : public platform::MemoryRegistry {
    public:
        long QueryValue(platform::RegKey key, std::string_view name, std::uint32_t& type,
                        std::span<std::uint8_t> buffer, std::uint32_t& size) override {
            Sleep(1);
            return MemoryRegistry::QueryValue(key, name, type, buffer, size);
        }
    };

    // `commands` commands, the first named `first`, the others "Befehl n".
    SlowTable(int commands, const std::string& first) {
        std::vector<testdata::StoredCommand> table;
        for (int i = 0; i < commands; ++i)
            table.push_back({30101u + static_cast<std::uint32_t>(i), i == 0 ? first : "Befehl " + std::to_string(i)});
        testdata::SeedTable(registry, table);
    }
    CommandServices Commands() { return {{journal, text, boxes}, files, graphics, windows}; }

    SlowRegistry registry;
    platform::WinWindowSystem windows;
    platform::WinClock clock;
    platform::Pacing pacing{windows, clock};
    platform::PacedRegistry paced{registry, pacing};
    platform::RegistryJournal journal{paced};
    platform::Cp1252Codec text;
    platform::ScriptedMessageBoxes boxes{"Tessivar"};
    platform::MemoryFileSystem files;
    platform::WinGraphics graphics;
};
