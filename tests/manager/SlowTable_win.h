#pragma once
// A command table that takes its time, as one of tens of thousands does:
// every value read from it waits a millisecond or more. Reached as the
// programs reach theirs, through the journal and the pacing of long work,
// with this thread's real window events let run. And a pinger that asks a
// window of this process whether it answers, as the system asks a window
// whether it hangs.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
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

// WM_NULL through SendMessageTimeout (1 s) every 10 ms, from a thread of its
// own, to the visible window of `className` of this process once it shows;
// `probe` runs after each answer, on that thread.
class Pinger {
public:
    Pinger(const wchar_t* className, std::function<void(HWND)> probe)
        : m_Thread([this, className, probe] { Run(className, probe); }) {}
    ~Pinger() { Stop(); }

    // The slowest answer, in milliseconds. The last ping may wait for this
    // very thread: its sent messages are answered until the pinging ends.
    double Stop() {
        m_Stop = true;
        for (MSG msg; !m_Done; Sleep(1)) PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
        if (m_Thread.joinable()) m_Thread.join();
        return m_Slowest;
    }
    int Pings() const { return m_Pings; }

private:
    void Run(const wchar_t* className, const std::function<void(HWND)>& probe) {
        HWND window = nullptr;
        while (!m_Stop && !((window = FindWindowW(className, nullptr)) != nullptr && IsWindowVisible(window))) Sleep(1);
        while (!m_Stop && IsWindow(window)) {
            DWORD_PTR result = 0;
            const auto start = std::chrono::steady_clock::now();
            const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            m_Slowest = std::max(m_Slowest, answered ? took.count() : 1000.0);
            ++m_Pings;
            probe(window);
            Sleep(10);
        }
        m_Done = true;
    }

    std::atomic<bool> m_Stop{false}, m_Done{false};
    double m_Slowest = 0;  // read once the pinging has ended
    int m_Pings = 0;
    std::thread m_Thread;
};
