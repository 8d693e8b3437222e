#include "manager/modListActions.h"

#include <memory>
#include <string>

#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"
#include "common/modRegistry.h"
#include "manager/modToolbarButtons.h"
#include "toolbars/clACTToolbars.h"

namespace modListActions {
namespace {

// The list window puts buttons on the contact toolbar by its German name only.
constexpr std::string_view kContactToolbar[] = {texts::kContactToolbarDe};

platform::IMessageBoxes& Boxes(const Services& context) { return context.commands.registry.boxes; }

bool StillStoredOrSay(const Services& context, const clCustomTessivars& table) {
    if (IsStillStored(context.commands.registry, table)) return true;
    modMessages::MsgBox(Boxes(context), texts::kTableChanged, platform::MsgIcon::Information);
    return false;
}

std::string_view FileName(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    return cut == std::string_view::npos ? path : path.substr(cut + 1);
}

}  // namespace

std::string Quoted(std::string_view start, std::string_view name) {
    std::string text(start);
    text += name;
    text += '\'';
    return text;
}

bool IsStillStored(const modRegistry::Access& registry, const clCustomTessivars& table) {
    const auto read = [&registry](const std::string& name) {
        return modRegistry::RegistryGetKeyValue(registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands,
                                                name);
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

LoadResult LoadCommand(const Services& context, clCustomTessivars& table, std::string_view path) {
    const auto held = LockConfiguration(Boxes(context), context.locks);
    if (!held) return {};
    if (!StillStoredOrSay(context, table)) return {Outcome::Stale, nullptr};
    clCustomTessivar* command = nullptr;
    const Outcome outcome =
        AllOrNothing(context.commands.registry, context.backups, [&](const modRegistry::Access& registry) {
            command = table.Add(path, clACTToolbars(registry).ButtonIDs(), [&] {
                return modBackup::Take(registry, context.backups, Quoted(texts::kReasonLoad, FileName(path)));
            });
            return command != nullptr ? Outcome::Done : Outcome::Refused;
        });
    return {outcome, outcome == Outcome::Done ? command : nullptr};
}

Outcome AddToContactToolbar(const Services& context, std::int32_t commandId) {
    const auto held = LockConfiguration(Boxes(context), context.locks);
    if (!held) return Outcome::Refused;
    return AllOrNothing(context.commands.registry, context.backups, [&](const modRegistry::Access& registry) {
        clACTToolbars toolbars(registry);
        if (const auto error = modToolbarButtons::Add(toolbars, kContactToolbar, commandId)) {
            modToolbarButtons::Report(registry.boxes, texts::kMethodAddButton, *error);
            return Outcome::Refused;
        }
        return Outcome::Done;
    });
}

Outcome DeleteCommand(const Services& context, clCustomTessivars& table, std::int32_t position) {
    const auto held = LockConfiguration(Boxes(context), context.locks);
    if (!held) return Outcome::Refused;
    if (!StillStoredOrSay(context, table)) return Outcome::Stale;
    const std::int32_t id = table.Item(position).CommandID();
    const std::string reason = Quoted(texts::kReasonDelete, table.Item(position).Name());
    return AllOrNothing(context.commands.registry, context.backups, [&](const modRegistry::Access& registry) {
        if (!modBackup::Take(registry, context.backups, reason)) return Outcome::Refused;
        clACTToolbars toolbars(registry);
        // The command goes all the same, as in the removal run; its button
        // stays on a toolbar whose list could not be read.
        if (const auto error = modToolbarButtons::Remove(toolbars, kContactToolbar, id)) {
            modToolbarButtons::Report(registry.boxes, texts::kMethodRemoveButton, *error);
        }
        return table.Remove(position) ? Outcome::Done : Outcome::Refused;
    });
}

Outcome RestoreBackup(const Services& context, std::string_view path) {
    const auto held = LockConfiguration(Boxes(context), context.locks);
    if (!held) return Outcome::Refused;
    // The restore is all or nothing by itself; the window reads everything again anyway.
    return modBackup::Restore(context.commands.registry, context.backups, path) ? Outcome::Done : Outcome::Refused;
}

Outcome ChangePaths(const Services& context, clCustomTessivars& table, std::span<const PathChange> changes) {
    if (changes.empty()) return Outcome::Refused;
    const auto held = LockConfiguration(Boxes(context), context.locks);
    if (!held) return Outcome::Refused;
    if (!StillStoredOrSay(context, table)) return Outcome::Stale;
    // A table whose count is not trusted is not written, as for a load or deletion.
    if (table.RefuseChange(texts::kMethodZeile)) return Outcome::Refused;
    for (const PathChange& change : changes) {
        // A record not read whole would be written back filled up to its full length.
        if (!table.Item(change.position).IsComplete()) return Outcome::Refused;
    }
    return AllOrNothing(context.commands.registry, context.backups, [&](const modRegistry::Access& registry) {
        if (!modBackup::Take(registry, context.backups, PathsReason(changes.size()))) return Outcome::Refused;
        for (const PathChange& change : changes) {
            clCustomTessivar& command = table.Item(change.position);
            command.Zeile(change.zeile);
            command.Start(change.start);
            // The record alone: the images are not the change's, whatever
            // else the command may have changed before.
            modRegistry::RegistrySetKeyValue(registry, modRegistry::HKeyCurrentUser, actregistry::kCustomCommands,
                                             "Command-" + std::to_string(change.position),
                                             RegistryValue(command.CommandBytes()), RegType::Binary);
        }
        return Outcome::Done;
    });
}

std::string PathsReason(std::size_t count) {
    return std::string(texts::kPathsReason1) + std::to_string(count) +
           std::string(count == 1 ? texts::kPathsReason2 : texts::kPathsReason3);
}

bool CanSave(platform::IMessageBoxes& boxes, const clCustomTessivar& command) {
    if (command.IsComplete()) return true;
    std::string text(texts::kSaveIncomplete1);
    text += command.Name();
    text += texts::kSaveIncomplete2;
    text += command.ReadProblem();
    text += texts::kSaveIncomplete3;
    modMessages::MsgBox(boxes, text, platform::MsgIcon::Exclamation);
    return false;
}

}  // namespace modListActions
