// Figures, not a test: what the backup before a change costs on a table of
// 1,000 commands (and of 20), in one process under Wine: a load (Add)
// without a backup against the same load with one, the backup alone, and a
// restore of it.
// Run under Wine (scripts/bench.sh).
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchData.h"
#include "BenchUtil.h"
#include "commands/clCustomTessivars.h"
#include "common/ActRegistry.h"
#include "manager/ChangeRecord.h"
#include "manager/ConfigurationChange.h"
#include "manager/modBackup.h"
#include "platform/Handles_win.h"
#include "platform/Clock_win.h"
#include "platform/ScriptedMessageBoxes.h"
#include "platform/WinPlatform_win.h"
#include "platform/WinText_win.h"

namespace {

constexpr int kCommands = 1000;
constexpr int kTypical = 20;  // what an ACT! installation holds
constexpr int kRounds = 9;
const std::string kKey(actregistry::kCustomCommands);

void Write(const std::string& name, DWORD type, const ByteArray& data) {
    platform::UniqueHkey key;
    RegCreateKeyExA(HKEY_CURRENT_USER, kKey.c_str(), 0, nullptr, 0, 0x2001F, nullptr, key.put(), nullptr);
    RegSetValueExA(key.get(), name.c_str(), 0, type, data.data(), static_cast<DWORD>(data.size()));
}

void Seed(int commands) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    const ByteArray large = bench::Image(24), small = bench::Image(16);
    for (int n = 0; n < commands; ++n) {
        const int id = 30101 + n;
        Write("Command-" + std::to_string(n), REG_BINARY, bench::Record(id, "Befehl " + std::to_string(n)));
        Write("BitmapL-" + std::to_string(id), REG_BINARY, large);
        Write("BitmapS-" + std::to_string(id), REG_BINARY, small);
    }
    const DWORD count = static_cast<DWORD>(commands);
    Write("Count", REG_DWORD,
          ByteArray(reinterpret_cast<const std::uint8_t*>(&count), reinterpret_cast<const std::uint8_t*>(&count) + 4));
}

std::wstring Temp(const std::wstring& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return std::wstring(temp) + name;
}

void WriteCommandFile(const std::wstring& path) {
    ByteArray f = bench::Record(1, "Neuer Befehl");
    const ByteArray large = bench::Image(24), small = bench::Image(16);
    f.insert(f.end(), large.begin(), large.end());
    f.insert(f.end(), small.begin(), small.end());
    const platform::UniqueFile h(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD put = 0;
    WriteFile(h.get(), f.data(), static_cast<DWORD>(f.size()), &put, nullptr);
}

// One load on a fresh table, with or without the backup first.
double Load(const CommandServices& env, const modBackup::Store& store, const std::string& file, int commands,
            bool backup) {
    Seed(commands);
    clCustomTessivars table(env);
    return bench::TimeMs([&] {
        if (backup) {
            table.Add(file, {}, [&] { return modBackup::Take(env.registry, store); });
        } else {
            table.Add(file, {});
        }
    });
}

// One load as a whole change (journal, backup, writes), with or without
// the mark that lets a start after a kill put it back.
double Change(const CommandServices& env, const modBackup::Store& store, const std::string& file, int commands) {
    Seed(commands);
    return bench::TimeMs([&] {
        AllOrNothing(env.registry, store, [&](const modRegistry::Access& registry) {
            clCustomTessivars table(env.With(registry));
            return table.Add(file, {}, [&] { return modBackup::Take(registry, store); }) != nullptr
                       ? ChangeOutcome::Done
                       : ChangeOutcome::Refused;
        });
    });
}

void RemoveBackups(const std::wstring& folder) {
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"\\*.reg").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
}

}  // namespace

int wmain() {
    platform::WinPlatform win("Tessivar");
    platform::ScriptedMessageBoxes boxes;
    const CommandServices env{{win.registry, win.text, boxes}, win.files, win.graphics, win.windows};
    platform::WinClock clock;
    const std::wstring folder = Temp(L"bench-sicherungen");
    const modBackup::Store store{win.files, clock, platform::Narrow(folder)};
    const std::wstring file = Temp(L"bench-backup.cmd");
    WriteCommandFile(file);
    const std::string cmd = platform::Narrow(file);
    ChangeRecord record(win.files, win.registry, win.text, "\"C:\\Tessivar\\tessivar.exe\" /reparieren");
    const modBackup::Store marked{win.files, clock, platform::Narrow(folder), &record};
    CreateDirectoryW(folder.c_str(), nullptr);

    for (const int commands : {kCommands, kTypical}) {
        std::vector<double> without, with, alone, restore, unmarked, withMark, mark;
        for (int r = 0; r < kRounds; ++r) {
            mark.push_back(bench::TimeMs([&] {
                record.Open(platform::Narrow(folder), "Sicherung 2026-12-09 05-30-12 Nr. 1.reg");
                record.Close();
            }));
            unmarked.push_back(Change(env, store, cmd, commands));
            withMark.push_back(Change(env, marked, cmd, commands));
            without.push_back(Load(env, store, cmd, commands, false));
            with.push_back(Load(env, store, cmd, commands, true));
            alone.push_back(bench::TimeMs([&] { modBackup::Take(env.registry, store); }));
            const auto newest = modBackup::List(store).front().path;
            restore.push_back(bench::TimeMs([&] { modBackup::Restore(env.registry, store, newest); }));
        }
        WIN32_FILE_ATTRIBUTE_DATA size{};
        GetFileAttributesExW(platform::Widen(modBackup::List(store).front().path).c_str(), GetFileExInfoStandard,
                             &size);
        std::printf("Backups of a table of %d commands with 24 x 24 and 16 x 16 images (medians of %d)\n", commands,
                    kRounds);
        std::printf("  load (Add) without a backup              %9.2f ms\n", bench::Median(without));
        std::printf("  load (Add) with the backup first         %9.2f ms   ratio %6.2f\n", bench::Median(with),
                    bench::Median(with) / bench::Median(without));
        std::printf("  the backup alone (read, write, keep 20)  %9.2f ms\n", bench::Median(alone));
        std::printf("  a restore of it (check, backup, write)   %9.2f ms\n", bench::Median(restore));
        std::printf("  a whole change (backup and load)         %9.2f ms\n", bench::Median(unmarked));
        std::printf("  the same with its mark and logon entry   %9.2f ms   ratio %6.2f\n", bench::Median(withMark),
                    bench::Median(withMark) / bench::Median(unmarked));
        std::printf("  the mark alone (written, flushed, gone)  %9.2f ms   share %5.1f %%\n", bench::Median(mark),
                    100.0 * bench::Median(mark) / bench::Median(unmarked));
        std::printf("  backup file                              %9.1f KiB, %zu backups kept\n\n",
                    size.nFileSizeLow / 1024.0, modBackup::List(store).size());
    }
    if (!boxes.Shown().empty()) std::printf("  (a box was shown: %s)\n", boxes.Shown().front().text.c_str());

    RemoveBackups(folder);
    DeleteFileW((folder + L"\\Laufende \u00C4nderung.txt").c_str());
    RemoveDirectoryW(folder.c_str());
    DeleteFileW(file.c_str());
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Symantec\\ACT!");
    return 0;
}
