#include "manager/modListActions.h"

#include <memory>
#include <string>

#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "manager/ConfigurationChange.h"
#include "manager/modHaupt.h"
#include "toolbars/clACTToolbars.h"

namespace modListActions {
namespace {

// The configuration lock, or nothing (and the message) when another
// program keeps it longer than a change may wait.
std::unique_ptr<platform::IHeldLock> Lock(const Services& context) {
    return modHaupt::LockConfiguration(context.env, context.locks);
}

bool StillStoredOrSay(const Services& context, const clCustomTessivars& table) {
    if (IsStillStored(context.env, table)) return true;
    modMessages::MsgBox(context.env, texts::kTableChanged, platform::MsgIcon::Information);
    return false;
}

clACTToolbar* ContactToolbar(clACTToolbars& toolbars) { return toolbars.Item(texts::kContactToolbarDe); }

void ReportToolbarError(const Services& context, std::string_view method) {
    modMessages::ShowCurrentClassError(context.env, std::string(texts::kClassToolbar) + std::string(method));
}

}  // namespace

bool IsStillStored(const platform::Platform& env, const clCustomTessivars& table) {
    const auto read = [&env](const std::string& name) {
        return modRegistry::RegistryGetKeyValue(env, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands, name);
    };
    if (LenientNumber(read("Count")) != table.Count()) return false;
    std::int32_t n = 0;
    for (const auto& command : table) {
        const RegistryValue stored = read("Command-" + std::to_string(n++));
        const ByteArray& held = command->CommandBytes();
        if (stored.IsBytes() ? stored.ToBytes() != held : !held.empty()) return false;
    }
    return true;
}

// Runs `change` as one change of the configuration: Undone when a write of
// it failed (everything it wrote is put back then).
template <typename Change>
Outcome AllOrNothing(const Services& context, Change&& change) {
    ConfigurationChange journaled(context.env);
    Outcome outcome = Outcome::Refused;
    try {
        outcome = change(journaled.env());
    } catch (...) {
        if (!journaled.Failed()) throw;
    }
    return journaled.Finish() ? outcome : Outcome::Undone;
}

LoadResult LoadCommand(const Services& context, clCustomTessivars& table, std::string_view path) {
    const auto held = Lock(context);
    if (!held) return {};
    if (!StillStoredOrSay(context, table)) return {Outcome::Stale, nullptr};
    clCustomTessivar* command = nullptr;
    const Outcome outcome = AllOrNothing(context, [&](const platform::Platform& env) {
        command =
            table.Add(path, clACTToolbars(env).ButtonIDs(), [&] { return modBackup::Take(env, context.backups); });
        return command != nullptr ? Outcome::Done : Outcome::Refused;
    });
    return {outcome, outcome == Outcome::Done ? command : nullptr};
}

Outcome AddToContactToolbar(const Services& context, std::int32_t commandId) {
    const auto held = Lock(context);
    if (!held) return Outcome::Refused;
    return AllOrNothing(context, [&](const platform::Platform& env) {
        try {
            clACTToolbars toolbars(env);
            if (clACTToolbar* toolbar = ContactToolbar(toolbars)) {
                toolbar->AddButton(0);
                toolbar->AddButton(commandId);
            }
        } catch (...) {
            if (modRegistry::IsNotWritten()) throw;
            ReportToolbarError(context, texts::kMethodAddButton);
            return Outcome::Refused;
        }
        return Outcome::Done;
    });
}

Outcome DeleteCommand(const Services& context, clCustomTessivars& table, std::int32_t position) {
    const auto held = Lock(context);
    if (!held) return Outcome::Refused;
    if (!StillStoredOrSay(context, table)) return Outcome::Stale;
    const std::int32_t id = table.Item(position).CommandID();
    if (!modBackup::Take(context.env, context.backups)) return Outcome::Refused;
    return AllOrNothing(context, [&](const platform::Platform& env) {
        // Identifier 0 marks separators: a command whose identifier could not
        // be read must not take the toolbar's separators with it.
        if (id > 0) {
            try {
                clACTToolbars toolbars(env);
                if (clACTToolbar* toolbar = ContactToolbar(toolbars)) toolbar->RemoveButton(id);
            } catch (...) {
                if (modRegistry::IsNotWritten()) throw;
                // The command goes all the same, as in the removal run; its
                // button stays on a toolbar whose list could not be read.
                ReportToolbarError(context, texts::kMethodRemoveButton);
            }
        }
        return table.Remove(position) ? Outcome::Done : Outcome::Refused;
    });
}

Outcome RestoreBackup(const Services& context, std::string_view path) {
    const auto held = Lock(context);
    if (!held) return Outcome::Refused;
    // The restore is all or nothing by itself; the window reads everything again anyway.
    return modBackup::Restore(context.env, context.backups, path) ? Outcome::Done : Outcome::Refused;
}

bool CanSave(const platform::Platform& env, const clCustomTessivar& command) {
    if (command.IsComplete()) return true;
    std::string text(texts::kSaveIncomplete1);
    text += command.Name();
    text += texts::kSaveIncomplete2;
    text += command.ReadProblem();
    text += texts::kSaveIncomplete3;
    modMessages::MsgBox(env, text, platform::MsgIcon::Exclamation);
    return false;
}

}  // namespace modListActions
