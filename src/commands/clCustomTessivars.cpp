#include "commands/clCustomTessivars.h"

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "common/ActRegistry.h"
#include "base/AppError.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"

namespace {

// "Count" as ACT! may have stored it: a number, or a text holding one.
std::int32_t AsCount(const RegistryValue& value) { return LenientNumber(value); }

bool IsNumberText(const RegistryValue& value) {
    if (!value.IsText()) return false;
    try {
        (void)value.ToNumber();
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// "Fehler in Klasse clCustomTessivars" + method, then two lines of the case's own.
void ShowError(platform::IMessageBoxes& boxes, std::string_view method, std::string_view first,
               std::string_view second) {
    std::string text(texts::kClassErrorPrefix);
    text += texts::kClassCommands;
    text += method;
    text += texts::kCrLf;
    text += first;
    text += texts::kCrLf;
    text += second;
    modMessages::MsgBox(boxes, text, platform::MsgIcon::Exclamation);
}

bool Exists(const modRegistry::Access& registry, const std::string& name) {
    return modRegistry::RegistryValueExists(registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands, name);
}

}  // namespace

clCustomTessivars::clCustomTessivars(const CommandServices& services,
                                     const std::function<void(clCustomTessivar&)>& onRead)
    : m_Services(services) {
    m_Count = modRegistry::RegistryGetKeyValue(services.registry, modRegistry::HKeyCurrentUser,
                                               actregistry::kCustomCommands, "Count");
    const std::int32_t count = AsCount(m_Count);
    m_Refusal = CountRefusal(m_Count, !m_Count.IsNone() || Exists(services.registry, "Count"));
    const bool trusted = m_Refusal.empty();
    const std::int32_t n = trusted ? count : kMaxCommands;
    m_Commands.reserve(static_cast<std::size_t>(trusted ? n : 0));
    modRegistry::KeyReader values(services.registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands);
    for (std::int32_t i = 0; i < n; ++i) {
        auto command = std::make_unique<clCustomTessivar>(services);
        command->Init(i, values);
        // Without a count to go by, the table ends where its records do.
        if (!trusted && command->ReadProblem() == texts::kRecordMissing) break;
        m_Commands.push_back(std::move(command));
        if (onRead) onRead(*m_Commands.back());
    }
    m_Listed = static_cast<std::int32_t>(m_Commands.size());
}

std::string clCustomTessivars::CountRefusal(const RegistryValue& count, bool stored) {
    const bool readable = count.IsNumber() || IsNumberText(count) || (count.IsNone() && !stored);
    const std::int32_t n = AsCount(count);
    if (!readable) return std::string(texts::kCountUnreadable);
    if (n < 0)
        return std::string(texts::kCountNegativeStart) + std::to_string(n) + std::string(texts::kCountNegativeEnd);
    if (n > kMaxCommands) {
        return std::string(texts::kCountTooLargeStart) + std::to_string(n) + std::string(texts::kCountTooLargeMiddle) +
               std::to_string(kMaxCommands) + std::string(texts::kCountTooLargeEnd);
    }
    return {};
}

bool clCustomTessivars::RefuseChange(std::string_view method) const {
    if (m_Refusal.empty()) return false;
    ShowError(m_Services.registry.boxes, method, m_Refusal, texts::kTableNotChanged);
    return true;
}

std::int32_t clCustomTessivars::Count() const { return m_Refusal.empty() ? AsCount(m_Count) : m_Listed; }

clCustomTessivar& clCustomTessivars::Item(std::int32_t Index) {
    if (Index < 0 || static_cast<std::size_t>(Index) >= m_Commands.size()) {
        Raise(ErrorNumber::SubscriptOutOfRange);
    }
    return *m_Commands[static_cast<std::size_t>(Index)];
}

// A number whose images are stored belongs to something, a command we could
// not read or one that is gone but may still have a button: its values are
// not ours to overwrite.
std::int32_t clCustomTessivars::ChooseID(const std::set<std::int32_t>& onToolbars) const {
    std::set<std::int32_t> used(onToolbars.lower_bound(kFirstCommandID), onToolbars.end());
    for (const auto& command : m_Commands) {
        if (command->CommandID() >= kFirstCommandID) used.insert(command->CommandID());
    }
    for (std::int32_t id = kFirstCommandID;; ++id) {
        if (!used.contains(id) && !Exists(m_Services.registry, "BitmapL-" + std::to_string(id)) &&
            !Exists(m_Services.registry, "BitmapS-" + std::to_string(id))) {
            return id;
        }
        if (id == INT32_MAX) Raise(ErrorNumber::Overflow);
    }
}

// ACT! reads the records below "Count" and, of each, the images of its
// identifier: the record that stood last and the images of the removed
// command are read by nothing any more. They go, unless a command that
// stays still uses that identifier (a table may hold one twice).
void clCustomTessivars::DeleteLeftovers(const clCustomTessivar& removed, std::int32_t lastPosition) {
    const auto drop = [this](const std::string& name) {
        modRegistry::RegistryDeleteValue(m_Services.registry, modRegistry::HKeyCurrentUser,
                                         actregistry::kCustomCommands, name);
    };
    if (lastPosition >= 0 && lastPosition >= static_cast<std::int32_t>(m_Commands.size())) {
        drop("Command-" + std::to_string(lastPosition));
    }
    const std::int32_t id = removed.CommandID();
    if (!removed.IdentifierKnown() || id <= 0) return;
    for (const auto& command : m_Commands) {
        if (command->CommandID() == id) return;
    }
    drop("BitmapL-" + std::to_string(id));
    drop("BitmapS-" + std::to_string(id));
}

void clCustomTessivars::WriteCount() {
    modRegistry::RegistrySetKeyValue(m_Services.registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands,
                                     "Count", m_Count, RegType::Dword);
}

clCustomTessivar* clCustomTessivars::Add(std::string_view path, const std::set<std::int32_t>& onToolbars,
                                         const std::function<bool()>& beforeWrite) {
    if (RefuseChange(texts::kMethodAdd)) return nullptr;
    // One more would make a table that every later run refuses, even the
    // removal that could make room again.
    if (AsCount(m_Count) >= kMaxCommands) {
        ShowError(
            m_Services.registry.boxes, texts::kMethodAdd,
            std::string(texts::kTableFullStart) + std::to_string(kMaxCommands) + std::string(texts::kTableFullEnd),
            texts::kTableNotChanged);
        return nullptr;
    }
    auto command = std::make_unique<clCustomTessivar>(m_Services);
    if (!command->Load(path)) return nullptr;

    // A command without a name could never be found again by its name.
    if (command->Name().empty()) {
        ShowError(m_Services.registry.boxes, texts::kMethodAdd, std::string(texts::kFileLine) + std::string(path),
                  texts::kNoCommandNameLine);
        return nullptr;
    }

    const std::string& name = command->LowerName();
    for (const auto& existing : m_Commands) {
        if (existing->LowerName() == name) {
            std::string text(texts::kDuplicateNameStart);
            text += command->Name();
            text += texts::kDuplicateNameEnd;
            modMessages::MsgBox(m_Services.registry.boxes, text, platform::MsgIcon::Information);
            return nullptr;
        }
    }

    const std::int32_t id = ChooseID(onToolbars);
    if (beforeWrite && !beforeWrite()) return nullptr;
    m_Count = RegistryValue(AsCount(m_Count) + 1);
    command->RegistryIndex(AsCount(m_Count) - 1);
    command->CommandID(id);
    command->UpdateRegistry();
    WriteCount();
    m_Commands.push_back(std::move(command));
    return m_Commands.back().get();
}

bool clCustomTessivars::Remove(std::int32_t Index) {
    if (RefuseChange(texts::kMethodRemove)) return false;
    try {
        if (Index < 0 || static_cast<std::size_t>(Index) >= m_Commands.size()) {
            std::string text(texts::kNoSuchIndexStart);
            text += std::to_string(Index);
            text += texts::kNoSuchIndexEnd;
            modMessages::MsgBox(m_Services.registry.boxes, text, platform::MsgIcon::Information);
            return false;
        }
        const std::unique_ptr<clCustomTessivar> removed = std::move(m_Commands[static_cast<std::size_t>(Index)]);
        m_Commands.erase(m_Commands.begin() + Index);
        const std::int32_t oldCount = AsCount(m_Count);
        m_Count = RegistryValue(oldCount - 1);
        // The records move down first and the count follows: a run that stops
        // half way leaves a table in which no command has gone missing. Only
        // the records behind the removed one change; what stands before it
        // is not written again.
        for (std::size_t i = static_cast<std::size_t>(Index); i < m_Commands.size(); ++i) {
            m_Commands[i]->RegistryIndex(static_cast<std::int32_t>(i));
            m_Commands[i]->UpdateRegistry();
        }
        WriteCount();
        DeleteLeftovers(*removed, oldCount - 1);
        return true;
    } catch (const std::exception& e) {
        const AppError error = ErrorOf(e);
        // A write the registry refused ends the whole change, which puts back what it wrote.
        if (error.number() == ErrorNumber::RegistryNotWritten) throw;
        modMessages::ShowClassError(m_Services.registry.boxes,
                                    std::string(texts::kClassCommands) + std::string(texts::kMethodRemove), error);
        return false;
    }
}
