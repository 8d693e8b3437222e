#pragma once
// What Tessivar's list window does to ACT!'s configuration: loading a
// command file into the table, putting its button on the contact toolbar,
// deleting a command with its button, writing a backup back, saving a
// command to a file.
//
// The window reads the command table once; another Tessivar (an add-on's
// setup, a second list window) may change the configuration meanwhile. So
// every change holds the configuration lock from its first read to its last
// write, and first makes sure that the stored table is still the one the
// window holds; if not, it changes nothing, says so, and the window reads
// the table again.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "commands/clCustomTessivars.h"
#include "manager/ConfigurationChange.h"
#include "manager/modBackup.h"
#include "platform/NamedMutex.h"

namespace modListActions {

// `commands` are what the window's table was made with; their registry is
// the journal, so that a change that fails part-way is put back.
struct Services {
    CommandServices commands;
    platform::INamedMutex& locks;
    const modBackup::Store& backups;  // a backup before each load and deletion
};

// Done; Refused (nothing changed, the reason has been shown); Stale (nothing
// changed: the stored table is no longer the one held, read it again);
// Undone (a write failed and the change was put back, the message is shown:
// read the table again).
using Outcome = ChangeOutcome;

// A backup's reason: `start` ("Löschen von '"), the name and its closing quote.
std::string Quoted(std::string_view start, std::string_view name);

// True when "Count" and every record stored are what `table` holds.
bool IsStillStored(const modRegistry::Access& registry, const clCustomTessivars& table);

struct LoadResult {
    Outcome outcome = Outcome::Refused;
    clCustomTessivar* command = nullptr;  // the command added, held by the table
};
// Adds the command of the file at `path` (Add of the table, with its messages).
LoadResult LoadCommand(const Services& context, clCustomTessivars& table, std::string_view path);

// Appends a separator and the command's button to the toolbar named
// "Kontaktsymbolleiste" (no other name is tried); nothing without it.
Outcome AddToContactToolbar(const Services& context, std::int32_t commandId);

// Takes the command's button off "Kontaktsymbolleiste" and removes command
// number `position` from the table.
Outcome DeleteCommand(const Services& context, clCustomTessivars& table, std::int32_t position);

// Writes backup `path` back under the configuration lock. The window reads
// the table again afterwards, whatever the outcome.
Outcome RestoreBackup(const Services& context, std::string_view path);

// A command's line and start folder as a change of paths writes them (UTF-8).
struct PathChange {
    std::int32_t position = 0;  // the command's number
    std::string zeile;
    std::string start;
};
// Writes the two fields of each command named, in one change with one
// backup before it: only their "Command-" records, and in them nothing but
// the two fields. A change that is put back leaves the table held changed:
// the window reads it again.
Outcome ChangePaths(const Services& context, clCustomTessivars& table, std::span<const PathChange> changes);
// The reason a change of `count` commands' paths gives its backup.
std::string PathsReason(std::size_t count);

// False, with a message, for a command that could not be read completely:
// its file would not be a command file.
bool CanSave(platform::IMessageBoxes& boxes, const clCustomTessivar& command);

}  // namespace modListActions
