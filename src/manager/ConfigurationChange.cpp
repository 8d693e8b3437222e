#include "manager/ConfigurationChange.h"

#include <string>

#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"

namespace {

// The journal the change writes through: the registry itself when it is
// one, else one of the change's own in front of it.
platform::RegistryJournal& JournalOf(const modRegistry::Access& registry,
                                     std::optional<platform::RegistryJournal>& own) {
    if (platform::RegistryJournal* journal = platform::RegistryJournal::Of(registry.registry)) return *journal;
    return own.emplace(registry.registry);
}

}  // namespace

ConfigurationChange::ConfigurationChange(const modRegistry::Access& registry, ChangeRecord* record)
    : m_Journal(&JournalOf(registry, m_OwnJournal)),
      m_Registry{*m_Journal, registry.text, registry.boxes},
      m_Record(record) {
    m_Journal->Begin();
}

ConfigurationChange::~ConfigurationChange() {
    if (m_Finished) return;
    try {
        if (Failed() || std::uncaught_exceptions() > m_Unwinding) {
            if (m_Journal->Undo()) CloseRecord();
        } else {
            m_Journal->Commit();
            CloseRecord();
        }
    } catch (...) {
        // A destructor gives nothing back; the journal is closed either way.
    }
}

void ConfigurationChange::CloseRecord() {
    if (m_Record != nullptr) m_Record->Close();
}

bool ConfigurationChange::Finish() {
    m_Finished = true;
    const auto failure = m_Journal->FirstFailure();
    if (!failure) {
        m_Journal->Commit();
        CloseRecord();
        return true;
    }
    const bool undone = m_Journal->Undo();
    // What could not be put back here is put back from the backup at the next start.
    if (undone) CloseRecord();
    std::string text =
        modRegistry::NotWrittenText(failure->root, m_Registry.text.FromCodePage(failure->path),
                                    m_Registry.text.FromCodePage(failure->name), failure->code, failure->deletion);
    text += undone ? texts::kChangeUndone : texts::kChangeNotUndone;
    modMessages::MsgBox(m_Registry.boxes, text, platform::MsgIcon::Exclamation);
    return false;
}

std::unique_ptr<platform::IHeldLock> LockConfiguration(platform::IMessageBoxes& boxes, platform::INamedMutex& locks) {
    std::unique_ptr<platform::IHeldLock> held;
    try {
        held = locks.Acquire(actregistry::kConfigurationLock, actregistry::kConfigurationLockWaitMs);
    } catch (const AppError& error) {
        modMessages::MsgBox(boxes, error.description(), platform::MsgIcon::Exclamation);
        return nullptr;
    }
    if (!held) modMessages::MsgBox(boxes, texts::kConfigurationBusy, platform::MsgIcon::Exclamation);
    return held;
}
