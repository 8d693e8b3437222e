#pragma once
// The table of ACT!'s user-defined commands, read from the registry when it
// is created; every change is written through at once.
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "commands/clCustomTessivar.h"
#include "base/RegistryValue.h"
#include "platform/Platform.h"

class clCustomTessivars {
public:
    static constexpr std::int32_t kFirstCommandID = 30101;
    // More than any ACT! installation holds; a larger "Count" is not read further.
    static constexpr std::int32_t kMaxCommands = 10000;

    explicit clCustomTessivars(const platform::Platform& env);

    std::int32_t Count() const;
    // Zero-based; AppError outside the table.
    clCustomTessivar& Item(std::int32_t Index);
    // Loads the command file, refuses a name in use, and appends the command
    // under the smallest free identifier from 30101 on. nullptr when refused.
    clCustomTessivar* Add(std::string_view path);
    // Takes command Index out and renumbers the rest.
    bool Remove(std::int32_t Index);
    // Empties the list only.
    void Clear() { m_Commands.clear(); }

    // NewEnum: the commands in table order.
    auto begin() { return m_Commands.begin(); }
    auto end() { return m_Commands.end(); }
    auto begin() const { return m_Commands.begin(); }
    auto end() const { return m_Commands.end(); }

private:
    std::int32_t ChooseID() const;
    void WriteCount();

    const platform::Platform* m_Env;
    std::vector<std::unique_ptr<clCustomTessivar>> m_Commands;
    RegistryValue m_Count;
};
