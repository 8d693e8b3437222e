#pragma once
// The mark that a change of ACT!'s configuration is under way, kept where
// it outlives the process: a small file in the backups' folder naming the
// backup taken just before the change, written whole (under another name,
// put on the disk, then renamed) before the change's first write and
// deleted after its last. With it goes an entry under the user's RunOnce
// key, so that Windows starts Tessivar at the next logon to put a change
// that a crash, a kill or a power cut cut short back, before ACT! reads it.
//
// Every start of Tessivar looks for the mark first (RepairUnfinished).
#include <optional>
#include <string>
#include <string_view>

#include "common/modRegistry.h"
#include "manager/modBackup.h"
#include "platform/FileSystem.h"
#include "platform/NamedMutex.h"
#include "platform/Registry.h"

class ChangeRecord {
public:
    // `registry`: the registry itself, never a change's journal: the logon
    // entry belongs to no change. `repairCommand`: the command line that
    // repairs, for the logon entry; "" for none.
    ChangeRecord(platform::IFileSystem& files, platform::IRegistry& registry, platform::ITextCodec& text,
                 std::string repairCommand);

    // Marks a change whose configuration before is backup `backup` in
    // `folder`. Raises AppError when the mark cannot be put on the disk;
    // nothing of it stays then.
    void Open(std::string_view folder, std::string_view backup);
    bool IsOpen() const { return !m_Folder.empty(); }
    // The change ended, done or put back: its mark goes.
    void Close();

    // The backup that the mark in `folder` names, when a change never ended;
    // "" for a mark that names none it could have written.
    std::optional<std::string> Unfinished(std::string_view folder);
    // Deletes the mark in `folder` and the logon entry.
    void Forget(std::string_view folder);

    // The logon entry: under HKEY_CURRENT_USER.
    static constexpr std::string_view kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
    static constexpr std::string_view kRunOnceName = "Tessivar";
    static constexpr std::string_view kFileName = "Laufende Änderung.txt";

private:
    void WriteRunOnce();

    platform::IFileSystem& m_Files;
    platform::IRegistry& m_Registry;
    platform::ITextCodec& m_Text;
    std::string m_RepairCommand;
    std::string m_Folder;  // of the open mark
};

// At a start: when the backups' folder holds the mark of a change that
// never ended, takes the configuration lock (a mark seen while another
// Tessivar holds it is that one's change, not a dead one), looks again, puts
// ACT!'s configuration back as the backup has it, deletes the mark and says
// so. False, after a message, when it could not: the start must then change
// nothing. A mark whose backup cannot be read can never be repaired and
// goes; one whose writes failed stays for the next start.
bool RepairUnfinished(const modRegistry::Access& registry, platform::INamedMutex& locks, const modBackup::Store& store,
                      ChangeRecord& record);
