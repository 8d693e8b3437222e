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
// the same second) are still read, as older than any numbered one. The
// newest kKept stay, older ones of these patterns are deleted; other files
// in the folder, even ones that merely look alike, are never touched.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/modRegistry.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/ShellFolders.h"

namespace modBackup {

inline constexpr std::size_t kKept = 20;
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
struct Store {
    platform::IFileSystem& files;
    platform::IClock& clock;
    Folder folder;
};

// <local application data>\Tessivar\Sicherungen, or "".
std::string FolderOf(platform::IShellFolders& shell);

// Saves the configuration into a new backup and deletes the oldest beyond
// kKept. False, after a message saying why, when no complete backup could
// be written: the caller must then change nothing.
bool Take(const modRegistry::Access& registry, const Store& store);

struct Entry {
    std::string path;
    std::string name;
    platform::LocalTime time;
    int sequence = 1;  // older names: 2 and on for later backups of the same second
    std::int64_t number = 0;  // 1 and on; 0 for the older names without one
    std::uint64_t size = 0;  // bytes, as the folder listed them
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

// Reads the file and checks all of it against what the registry and
// Tessivar accept (an ordinary file only, names without NUL and within the
// registry's lengths, every "Count" of the commands one a run would take),
// takes a backup of the configuration as it is now, then writes every
// value of the file back as stored, each "Count" after all other values.
// Values that the file does not hold stay as they are. False, after a
// message, when the file is refused (nothing written) or a write failed
// (what the restore had written is put back then).
bool Restore(const modRegistry::Access& registry, const Store& store, std::string_view path);

}  // namespace modBackup
