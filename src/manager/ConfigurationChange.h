#pragma once
// One change of ACT!'s configuration (an install or removal run, a load or
// deletion in the list window, a restore), all or nothing: its writes go
// through the registry journal, and when one of them fails, everything the
// change wrote before is put back as it was.
//
// Objects that live longer than one change (the list window's command
// table) write through the platform they were made with: that platform's
// registry must then be the journal (as the programs' platforms are), so
// that their writes belong to the change too.
#include <exception>
#include <optional>

#include "platform/Platform.h"
#include "platform/RegistryJournal.h"

class ConfigurationChange {
public:
    explicit ConfigurationChange(const platform::Platform& env);
    // A change left unfinished by an exception, or one whose write failed,
    // is put back.
    ~ConfigurationChange();
    ConfigurationChange(const ConfigurationChange&) = delete;
    ConfigurationChange& operator=(const ConfigurationChange&) = delete;

    // The platform to make the change through.
    const platform::Platform& env() const { return *m_Env; }
    bool Failed() const { return m_Journal->FirstFailure().has_value(); }
    // Ends the change. When a write failed: puts back what the change had
    // written, says so in a message naming the value, and gives false.
    bool Finish();

private:
    std::optional<platform::RegistryJournal> m_OwnJournal;
    std::optional<platform::Platform> m_OwnEnv;
    platform::RegistryJournal* m_Journal = nullptr;
    const platform::Platform* m_Env = nullptr;
    int m_Unwinding = std::uncaught_exceptions();
    bool m_Finished = false;
};
