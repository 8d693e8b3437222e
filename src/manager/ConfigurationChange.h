#pragma once
// Every change of ACT!'s configuration (an install or removal run, a load,
// a deletion or a button in the list window, a restore) is made the same
// way: under the configuration lock (LockConfiguration), and all or nothing
// (AllOrNothing). Its writes go through the registry journal, and when one
// of them fails, everything the change wrote before is put back as it was.
//
// A change that took a backup carries the backup store's record: it is
// closed when the change ends, done or put back, and stays when putting
// back failed, for the next start to repair.
//
// Objects that live longer than one change (the list window's command
// table) write through the registry they were made with: that registry must
// then be the journal (as the programs' are), so that their writes belong
// to the change too.
#include <exception>
#include <memory>
#include <optional>

#include "base/AppError.h"
#include "common/modRegistry.h"
#include "manager/ChangeRecord.h"
#include "manager/modBackup.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryJournal.h"

// How a change ended.
enum class ChangeOutcome {
    Done,
    Refused,  // nothing changed; the reason has been shown
    Stale,  // nothing changed: the configuration is no longer the one a window holds
    Undone,  // a write failed and everything the change wrote is put back; the message has been shown
};

class ConfigurationChange {
public:
    ConfigurationChange(const modRegistry::Access& registry, ChangeRecord* record);
    // A change left unfinished by an exception, or one whose write failed,
    // is put back.
    ~ConfigurationChange();
    ConfigurationChange(const ConfigurationChange&) = delete;
    ConfigurationChange& operator=(const ConfigurationChange&) = delete;

    // The registry to make the change through.
    const modRegistry::Access& Registry() const { return m_Registry; }
    bool Failed() const { return m_Journal->FirstFailure().has_value(); }
    // Ends the change. When a write failed: puts back what the change had
    // written, says so in a message naming the value, and gives false.
    bool Finish();

private:
    void CloseRecord();

    std::optional<platform::RegistryJournal> m_OwnJournal;
    platform::RegistryJournal* m_Journal = nullptr;
    modRegistry::Access m_Registry;
    ChangeRecord* m_Record;
    int m_Unwinding = std::uncaught_exceptions();
    bool m_Finished = false;
};

// Runs `steps` as one change: `steps(registry)` takes its backup from
// `backups` before its first write and makes its writes through
// the registry it is handed and gives Done, or Refused (or Stale) when it
// stopped before its first write, having said why. When a write fails, the
// change stops there (the registry routines raise RegistryNotWritten), and
// what it wrote is put back: Undone, after the message naming the value.
// Any other error ends the change too, put back, and goes on to the caller.
template <class Steps>
ChangeOutcome AllOrNothing(const modRegistry::Access& registry, const modBackup::Store& backups, Steps&& steps) {
    ConfigurationChange change(registry, backups.record);
    ChangeOutcome outcome = ChangeOutcome::Refused;
    try {
        outcome = steps(change.Registry());
    } catch (const AppError& error) {
        if (error.number() != ErrorNumber::RegistryNotWritten) throw;
    }
    return change.Finish() ? outcome : ChangeOutcome::Undone;
}

// The lock that every change holds from its first read to its last write,
// waiting a few seconds for another Tessivar to finish. Nothing, after a
// message saying why, when it cannot be had.
std::unique_ptr<platform::IHeldLock> LockConfiguration(platform::IMessageBoxes& boxes, platform::INamedMutex& locks);
