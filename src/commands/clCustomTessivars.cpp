#include "commands/clCustomTessivars.h"

#include <algorithm>
#include <vector>

#include "common/ActRegistry.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"

namespace {

// "Count" as ACT! may have stored it: a number, or a text holding one.
std::int32_t AsCount(const RegistryValue& value) { return LenientNumber(value); }

}  // namespace

clCustomTessivars::clCustomTessivars(const platform::Platform& env) : m_Env(&env) {
    m_Count = modRegistry::RegistryGetKeyValue(env, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands, "Count");
    const std::int32_t n = std::clamp(AsCount(m_Count), 0, kMaxCommands);
    m_Commands.reserve(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) {
        auto command = std::make_unique<clCustomTessivar>(env);
        command->Init(i);
        m_Commands.push_back(std::move(command));
    }
}

std::int32_t clCustomTessivars::Count() const { return AsCount(m_Count); }

clCustomTessivar& clCustomTessivars::Item(std::int32_t Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= m_Commands.size()) {
        Raise(ErrorNumber::SubscriptOutOfRange);
    }
    return *m_Commands[static_cast<std::size_t>(Index)];
}

std::int32_t clCustomTessivars::ChooseID() const {
    std::vector<std::int32_t> used;
    used.reserve(m_Commands.size());
    for (const auto& command : m_Commands) {
        if (command->CommandID() >= kFirstCommandID) used.push_back(command->CommandID());
    }
    std::sort(used.begin(), used.end());
    std::int32_t id = kFirstCommandID;
    for (std::int32_t taken : used) {
        if (taken == id) ++id;
        else if (taken > id) break;
    }
    return id;
}

void clCustomTessivars::WriteCount() {
    modRegistry::RegistrySetKeyValue(*m_Env, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands, "Count",
                                     m_Count, RegType::Dword);
}

clCustomTessivar* clCustomTessivars::Add(std::string_view path) {
    auto command = std::make_unique<clCustomTessivar>(*m_Env);
    if (!command->Load(path)) return nullptr;

    const std::string& name = command->LowerName();
    for (const auto& existing : m_Commands) {
        if (existing->LowerName() == name) {
            std::string text(texts::kDuplicateNameStart);
            text += command->Name();
            text += texts::kDuplicateNameEnd;
            modMessages::MsgBox(*m_Env, text, platform::MsgIcon::Information);
            return nullptr;
        }
    }

    const std::int32_t id = ChooseID();
    m_Count = RegistryValue(AsCount(m_Count) + 1);
    command->RegistryIndex(AsCount(m_Count) - 1);
    command->CommandID(id);
    command->UpdateRegistry();
    WriteCount();
    m_Commands.push_back(std::move(command));
    return m_Commands.back().get();
}

bool clCustomTessivars::Remove(std::int32_t Index) {
    try {
        if (Index < 0 || static_cast<std::size_t>(Index) >= m_Commands.size()) {
            std::string text(texts::kNoSuchIndexStart);
            text += std::to_string(Index);
            text += texts::kNoSuchIndexEnd;
            modMessages::MsgBox(*m_Env, text, platform::MsgIcon::Information);
            return false;
        }
        m_Commands.erase(m_Commands.begin() + Index);
        m_Count = RegistryValue(AsCount(m_Count) - 1);
        // The records move down first and the count follows: a run that stops
        // half way leaves a table in which no command has gone missing.
        std::int32_t i = 0;
        for (const auto& command : m_Commands) {
            command->RegistryIndex(i++);
            command->UpdateRegistry();
        }
        WriteCount();
        return true;
    } catch (...) {
        modMessages::ShowCurrentClassError(*m_Env, std::string(texts::kClassCommands) + std::string(texts::kMethodRemove));
        return false;
    }
}
