#include "manager/modButtonPlacement.h"

#include <algorithm>
#include <utility>

#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"
#include "toolbars/clACTToolbars.h"

namespace modButtonPlacement {
namespace {

constexpr std::string_view kPlaceable[] = {texts::kContactToolbarDe, texts::kContactToolbarEn, texts::kGroupToolbarDe,
                                           texts::kGroupToolbarEn};

RegistryValue StoredButtons(const modRegistry::Access& registry, std::int32_t number) {
    return modRegistry::RegistryGetKeyValue(registry, modRegistry::HKeyCurrentUser, actregistry::ToolbarKey(number),
                                            "Buttons");
}

std::optional<ByteArray> BytesOf(const RegistryValue& value) {
    if (value.IsNone()) return std::nullopt;
    return value.IsBytes() ? value.ToBytes() : ByteArray();
}

}  // namespace

std::int32_t Toolbar::Place(std::int32_t commandId) const {
    if (!entries || commandId <= 0) return 0;
    std::int32_t at = 1;
    for (const clButtonItem& item : *entries) {
        if (item.RawID() == static_cast<std::uint32_t>(commandId)) return at;
        ++at;
    }
    return 0;
}

bool Toolbar::Changed() const { return entries && entries->GetByteArray() != stored.value_or(ByteArray()); }

std::vector<Toolbar> Read(const modRegistry::Access& registry, std::int32_t commandId) {
    std::vector<Toolbar> found;
    clACTToolbars toolbars(registry);
    for (const clACTToolbar& toolbar : toolbars) {
        const bool mayHold =
            std::find(std::begin(kPlaceable), std::end(kPlaceable), toolbar.WindowName()) != std::end(kPlaceable);
        Toolbar t;
        t.number = toolbar.RegistryIndex();
        t.name = toolbar.WindowName();
        t.mayHold = mayHold;
        if (const clButtonItemList* list = toolbar.ButtonList()) t.entries = *list;
        t.stored = BytesOf(StoredButtons(registry, t.number));
        const std::vector<std::uint32_t> ids = toolbar.ButtonIDs();
        const bool holds =
            commandId > 0 && std::find(ids.begin(), ids.end(), static_cast<std::uint32_t>(commandId)) != ids.end();
        if (holds || (mayHold && toolbar.ButtonList() != nullptr)) found.push_back(std::move(t));
    }
    return found;
}

bool PutOn(Toolbar& toolbar, std::int32_t commandId) {
    if (!toolbar.entries || !toolbar.mayHold || commandId <= 0 || toolbar.Place(commandId) != 0) return false;
    toolbar.entries->Add(0);
    toolbar.entries->Add(commandId);
    return true;
}

bool TakeOff(Toolbar& toolbar, std::int32_t commandId) {
    if (toolbar.Place(commandId) == 0) return false;
    for (std::int32_t at = toolbar.Place(commandId); at != 0; at = toolbar.Place(commandId))
        toolbar.entries->Remove(at);
    return true;
}

// The entry trades places with its neighbour; the bytes of both go along whole.
bool Move(Toolbar& toolbar, std::int32_t commandId, int by) {
    const std::int32_t at = toolbar.Place(commandId);
    const std::int32_t to = at + by;
    if (at == 0 || (by != -1 && by != 1) || to < 1 || to > toolbar.Count()) return false;
    clButtonItemList& list = *toolbar.entries;
    const ByteArray mine = list.Item(at).Bytes();
    list.Item(at).SetBytesArray(list.Item(to).Bytes());
    list.Item(to).SetBytesArray(mine);
    return true;
}

modListActions::Outcome Write(const modListActions::Services& context, const std::vector<Toolbar>& toolbars,
                              std::string_view commandName) {
    using Outcome = modListActions::Outcome;
    const modRegistry::Access& registry = context.commands.registry;
    const bool anything = std::any_of(toolbars.begin(), toolbars.end(), [](const Toolbar& t) { return t.Changed(); });
    if (!anything) return Outcome::Done;
    const auto held = LockConfiguration(registry.boxes, context.locks);
    if (!held) return Outcome::Refused;
    for (const Toolbar& toolbar : toolbars) {
        if (toolbar.Changed() && BytesOf(StoredButtons(registry, toolbar.number)) != toolbar.stored) {
            modMessages::MsgBox(registry.boxes, texts::kToolbarsChanged, platform::MsgIcon::Information);
            return Outcome::Stale;
        }
    }
    return AllOrNothing(registry, context.backups, [&](const modRegistry::Access& journaled) {
        if (!modBackup::Take(journaled, context.backups, modListActions::Quoted(texts::kReasonPlace, commandName)))
            return Outcome::Refused;
        for (const Toolbar& toolbar : toolbars) {
            if (!toolbar.Changed()) continue;
            modRegistry::RegistrySetKeyValue(journaled, modRegistry::HKeyCurrentUser,
                                             actregistry::ToolbarKey(toolbar.number), "Buttons",
                                             RegistryValue(toolbar.entries->GetByteArray()), RegType::Binary);
        }
        return Outcome::Done;
    });
}

}  // namespace modButtonPlacement
