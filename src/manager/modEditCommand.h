#pragma once
// A command edited in the list window: its six texts and its two button
// pictures written to ACT!'s configuration as one change. Its identifier
// and its number stay; of the record only the texts change, the bytes
// around them are written back as read.
#include <cstdint>
#include <optional>
#include <string>

#include "base/RegistryValue.h"
#include "commands/clCustomTessivars.h"
#include "manager/modListActions.h"

namespace modEditCommand {

// What the editor hands back: the texts (UTF-8, each fitting its field in
// ACT!'s code page) and the pictures that were replaced, as stored values.
struct Edit {
    std::string name, zeile, start, quickInfo, beschreibung, menu;
    std::optional<ByteArray> large, small;
};

// The command's texts as they are, no picture replaced: the edit that changes nothing.
Edit TextsOf(const clCustomTessivar& command);

// Writes `edit` to command number `position` of `table` under the
// configuration lock: refused (Stale, after a message) when the stored
// table is no longer the one held; a backup first; then the record and the
// images that changed, all or nothing. An edit that changes nothing writes
// nothing and takes no backup. The command held in the table is changed
// only once the backup is there: after Undone (or an error that leaves
// here) it no longer matches what is stored, and the caller reads the
// table again, as after Stale.
modListActions::Outcome Apply(const modListActions::Services& context, clCustomTessivars& table, std::int32_t position,
                              const Edit& edit);

// The reason the backup before an edit names: "Bearbeiten von '<name>'".
std::string BackupReason(const std::string& oldName);

}  // namespace modEditCommand
