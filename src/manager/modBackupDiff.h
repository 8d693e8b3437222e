#pragma once
// What writing a backup back would change, told before anything is
// written: the commands it would add, remove or change, the toolbars whose
// buttons would change, and how many other values. A restore writes every
// value of the backup and leaves the values it does not hold, so the
// configuration afterwards is the one now with the backup's values laid
// over it; that is what is compared with now. A command is known by its
// name: a command that only moved to another number has not changed.
#include <string>
#include <string_view>
#include <vector>

#include "manager/RegFile.h"
#include "platform/TextCodec.h"

namespace modBackupDiff {

struct Difference {
    std::string kind;  // "Befehl", "Symbolleiste", "Weitere Werte"
    std::string name;
    std::string change;  // "kommt hinzu", "wird entfernt", "wird geändert", ...
    bool operator==(const Difference&) const = default;
};

// `now` and `backup` as modBackup::Current and modBackup::Keys read them;
// `codec` reads the commands' names, stored in ACT!'s code page. Commands
// first, then toolbars, then the rest; none when the restore would change
// nothing.
std::vector<Difference> Compare(const std::vector<regfile::Key>& now, const std::vector<regfile::Key>& backup,
                                platform::ITextCodec& codec);

}  // namespace modBackupDiff
