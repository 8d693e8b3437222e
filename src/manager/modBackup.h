#pragma once
// Backups of ACT!'s configuration: the whole key of the current user, saved
// as a registry file before Tessivar changes anything, and written back on
// request.
//
// A backup is named by the local date and time it was taken and a number
// that only counts up ("Sicherung 2026-12-09 05-30-12 Nr. 42.reg"). The
// number, not the clock, says which is newest: the wall clock goes back
// and jumps with the time zone. Names of the older pattern without a number
// ("Sicherung 2026-12-09 05-30-12.reg", " (2)" and on for a second one in
// the same second) are still read, as older than any numbered one.
//
// A backup is whole or not there: it is written under another name, put on
// the disk and only then named; a file of the pattern that does not end as
// a whole backup ends (one cut short by an older version) is neither listed
// nor restored nor counted. The newest kAlwaysKept stay; older ones stay
// while they are fewer than kKept and together smaller than kKeptBytes, the
// rest of these patterns are deleted. Other files in the folder, even ones
// that merely look alike, are never touched.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/modRegistry.h"
#include "manager/RegFile.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"

class ChangeRecord;

namespace modBackup {

inline constexpr std::size_t kKept = 20;
inline constexpr std::size_t kAlwaysKept = 3;
inline constexpr std::uint64_t kKeptBytes = 1'000'000'000;
inline constexpr std::string_view kRootName = "HKEY_CURRENT_USER";

// Where the backups lie: a folder given, or one asked for when it is first
// needed. Asking the shell loads its library, and most starts (a list window
// only looked at, a run answered No or refused) take no backup.
class Folder {
public:
    Folder() = default;
    Folder(std::string path) : m_Path(std::move(path)) {}  // NOLINT: a folder known; "" for none
    Folder(const char* path) : m_Path(path) {}  // NOLINT
    explicit Folder(std::function<std::string()> ask) : m_Ask(std::move(ask)) {}

    // "" when there is no such folder.
    const std::string& Path() const;

private:
    mutable std::function<std::string()> m_Ask;  // emptied once asked
    mutable std::string m_Path;
};

// Where the backups go: a folder on a file system, and the clock that names them.
// With a record, the first backup of a change also opens its record.
struct Store {
    platform::IFileSystem& files;
    platform::IClock& clock;
    Folder folder;
    ChangeRecord* record = nullptr;
    std::uint64_t keptBytes = kKeptBytes;
};

inline constexpr std::string_view kFolderBelowAppData = "Tessivar\\Sicherungen";
// <local application data>\Tessivar\Sicherungen, or "".
std::string FolderOf(platform::IShellFolders& shell);

// Saves the configuration into a new backup that names `reason`, the change
// it is taken before ("Löschen von 'Notizen'"), and deletes the oldest
// beyond kKept. False, after a message saying why, when no complete backup could
// be written (or the change's record could not be opened): the caller must
// then change nothing.
bool Take(const modRegistry::Access& registry, const Store& store, std::string_view reason = {});

// ACT!'s configuration as it is now, as the keys a backup of it would hold.
// Raises AppError when a backup could not be taken of it.
std::vector<regfile::Key> Current(const modRegistry::Access& registry);
// The keys of backup `path`, read whole; raises AppError when it is refused.
std::vector<regfile::Key> Keys(platform::IFileSystem& files, std::string_view path);

struct Entry {
    std::string path;
    std::string name;
    platform::LocalTime time;
    int sequence = 1;  // older names: 2 and on for later backups of the same second
    std::int64_t number = 0;  // 1 and on; 0 for the older names without one
    std::uint64_t size = 0;  // bytes, as the folder listed them
    std::string reason;  // what it was taken before; empty when it does not say
};
// A file name exactly as Tessivar writes it, read back; nothing for any other name.
std::optional<Entry> EntryOf(std::string_view folder, std::string_view name);
// The backups in the folder, newest first.
std::vector<Entry> List(const Store& store);
// "09.12.2026, 05:30:12 Uhr".
std::string Readable(const platform::LocalTime& time);
// "512 Byte", "12 KB", "1,2 MB", "210 MB".
std::string SizeText(std::uint64_t bytes);

// The question before backup `path` is written back, and the message after:
// naming its date and time when the name is of the backups' pattern, else
// the file.
std::string RestoreQuestion(std::string_view path);
std::string RestoreDone(std::string_view path);
// The reason of the backup a restore of `path` takes first: "Zurückschreiben
// von Nr. 4", or naming the older backup's date, or the file.
std::string RestoreReason(std::string_view path);

// Reads the file and checks all of it against what the registry and
// Tessivar accept (an ordinary file only, names without NUL and within the
// registry's lengths, every "Count" of the commands one a run would take),
// takes a backup of the configuration as it is now, then writes every
// value of the file back as stored, each "Count" after all other values.
// Values that the file does not hold stay as they are. False, after a
// message, when the file is refused (nothing written) or a write failed
// (what the restore had written is put back then).
bool Restore(const modRegistry::Access& registry, const Store& store, std::string_view path);

// Makes ACT!'s configuration exactly what backup `path` holds: every value
// of the file as stored, every other value below the configuration's key
// deleted, and keys the file does not name taken away. Counts are not
// judged: this puts back what was there, whatever it was. Writes straight
// through `registry`, for a change that a dead process left unfinished:
// run again after a fault, it ends the same. Raises AppError when the file
// cannot be read whole (nothing written then; `fileRead` stays false) or
// a write fails.
void PutBack(const modRegistry::Access& registry, platform::IFileSystem& files, std::string_view path, bool& fileRead);

}  // namespace modBackup
