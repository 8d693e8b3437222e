#pragma once
// The table of ACT!'s user-defined commands, read from the registry when it
// is created; every change is written through at once.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "commands/CommandServices.h"
#include "commands/clCustomTessivar.h"
#include "base/RegistryValue.h"

class clCustomTessivars {
public:
    static constexpr std::int32_t kFirstCommandID = 30101;
    // The most commands Tessivar reads. Far more than any ACT! installation
    // holds, and still read in seconds (bench_table_limit); a larger "Count"
    // is not trusted, never cut.
    static constexpr std::int32_t kMaxCommands = 50000;

    // `onRead` hears of each command as it is read: a window shows the
    // table as it fills. What it raises ends the reading.
    explicit clCustomTessivars(const CommandServices& services,
                               const std::function<void(clCustomTessivar&)>& onRead = {});

    // "Count" as read and kept up to date. For a table whose "Count" cannot
    // be trusted: the number of commands listed.
    std::int32_t Count() const;
    // Zero-based; AppError outside the table.
    clCustomTessivar& Item(std::int32_t Index);
    // Loads the command file and appends the command under the smallest
    // identifier from 30101 on that is free: no command of the table uses it,
    // no button images of that number are stored and no toolbar button
    // (`onToolbars`) calls it. Refused (nullptr, with a message, nothing
    // written) for a table that must not be changed, a file that cannot be
    // loaded, a command without a name and a name in use. `beforeWrite`
    // runs once all of that has passed, just before the first write; false
    // from it refuses the command too.
    clCustomTessivar* Add(std::string_view path, const std::set<std::int32_t>& onToolbars,
                          const std::function<bool()>& beforeWrite = {});
    // Takes command Index out and renumbers the rest; refused like Add.
    // What nothing reads any more afterwards is deleted: the record that
    // stood last, and the removed command's images. A write the registry
    // refuses reaches the caller as the error (AppError RegistryNotWritten);
    // other faults are shown and give false.
    bool Remove(std::int32_t Index);
    // Empties the list only.
    void Clear() { m_Commands.clear(); }

    // Why the table must not be changed, naming the problem; empty when it
    // may be. A "Count" that is negative, larger than kMaxCommands or no
    // number cannot be trusted: such a table is listed as far as its
    // records can be read, from number 0 on, and never written.
    const std::string& ChangeRefusal() const { return m_Refusal; }
    // The same judgement for a "Count" about to be stored: why a table with
    // it would not be changed, or empty. `stored` says whether a value
    // "Count" is there at all (one of another type reads as no value).
    static std::string CountRefusal(const RegistryValue& count, bool stored);
    // Shows the refusal as an error of the table's `method` (" Methode Add",
    // " Methode Remove"), if there is one; true when it was shown.
    bool RefuseChange(std::string_view method) const;

    // NewEnum: the commands in table order.
    auto begin() { return m_Commands.begin(); }
    auto end() { return m_Commands.end(); }
    auto begin() const { return m_Commands.begin(); }
    auto end() const { return m_Commands.end(); }

private:
    std::int32_t ChooseID(const std::set<std::int32_t>& onToolbars) const;
    void WriteCount();
    void DeleteLeftovers(const clCustomTessivar& removed, std::int32_t lastPosition);

    CommandServices m_Services;
    std::vector<std::unique_ptr<clCustomTessivar>> m_Commands;
    RegistryValue m_Count;
    std::int32_t m_Listed = 0;  // the list's length at creation
    std::string m_Refusal;
};
