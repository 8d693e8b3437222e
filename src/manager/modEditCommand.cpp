#include "manager/modEditCommand.h"

#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace modEditCommand {
namespace {

using Text = std::string (clCustomTessivar::*)() const;
using SetText = void (clCustomTessivar::*)(std::string_view);

struct Field {
    Text get;
    SetText set;
    std::string Edit::*edited;
};
constexpr Field kFields[] = {
    {&clCustomTessivar::Name, &clCustomTessivar::Name, &Edit::name},
    {&clCustomTessivar::Zeile, &clCustomTessivar::Zeile, &Edit::zeile},
    {&clCustomTessivar::Start, &clCustomTessivar::Start, &Edit::start},
    {&clCustomTessivar::QuickInfo, &clCustomTessivar::QuickInfo, &Edit::quickInfo},
    {&clCustomTessivar::Beschreibung, &clCustomTessivar::Beschreibung, &Edit::beschreibung},
    {&clCustomTessivar::Menu, &clCustomTessivar::Menu, &Edit::menu},
};

bool Differs(const std::optional<ByteArray>& edited, const ByteArray& held) { return edited && *edited != held; }

bool ChangesAnything(const clCustomTessivar& command, const Edit& edit) {
    for (const Field& field : kFields) {
        if ((command.*field.get)() != edit.*field.edited) return true;
    }
    return Differs(edit.large, command.BitmapLBytes()) || Differs(edit.small, command.BitmapSBytes());
}

// Only the texts that differ are set: setting one clears its field behind
// the text, and bytes there that nobody changed stay as ACT! left them.
void Put(clCustomTessivar& command, const Edit& edit) {
    for (const Field& field : kFields) {
        if ((command.*field.get)() != edit.*field.edited) (command.*field.set)(edit.*field.edited);
    }
    if (Differs(edit.large, command.BitmapLBytes())) command.ReplaceImage(true, *edit.large);
    if (Differs(edit.small, command.BitmapSBytes())) command.ReplaceImage(false, *edit.small);
}

}  // namespace

Edit TextsOf(const clCustomTessivar& command) {
    Edit edit;
    for (const Field& field : kFields) edit.*field.edited = (command.*field.get)();
    return edit;
}

std::string BackupReason(const std::string& oldName) { return modListActions::Quoted(texts::kReasonEdit, oldName); }

modListActions::Outcome Apply(const modListActions::Services& context, clCustomTessivars& table, std::int32_t position,
                              const Edit& edit) {
    using Outcome = modListActions::Outcome;
    platform::IMessageBoxes& boxes = context.commands.registry.boxes;
    const auto held = LockConfiguration(boxes, context.locks);
    if (!held) return Outcome::Refused;
    if (!modListActions::IsStillStored(context.commands.registry, table)) {
        modMessages::MsgBox(boxes, texts::kTableChanged, platform::MsgIcon::Information);
        return Outcome::Stale;
    }
    clCustomTessivar& command = table.Item(position);
    if (!ChangesAnything(command, edit)) return Outcome::Done;
    return AllOrNothing(context.commands.registry, context.backups, [&](const modRegistry::Access& registry) {
        if (!modBackup::Take(registry, context.backups, BackupReason(command.Name()))) return Outcome::Refused;
        Put(command, edit);
        command.UpdateRegistry();
        return Outcome::Done;
    });
}

}  // namespace modEditCommand
