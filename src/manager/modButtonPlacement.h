#pragma once
// Where a command's button stands on ACT!'s toolbars, and the changes the
// list window's user makes to that: put on or taken off the contact or the
// group toolbar, moved one place left or right. The toolbars are worked on
// as copies and written in one change; every entry that is not this
// command's is written back byte for byte as read.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/RegistryValue.h"
#include "common/modRegistry.h"
#include "manager/modListActions.h"
#include "toolbars/clButtonItemList.h"

namespace modButtonPlacement {

struct Toolbar {
    std::int32_t number = 0;  // its "ActToolBars-Bar" number
    std::string name;
    bool mayHold = false;  // the contact or the group toolbar: the button may be put on it
    std::optional<ByteArray> stored;  // "Buttons" as read; nothing when it was not there
    std::optional<clButtonItemList> entries;  // as changed so far; nothing when "Buttons" cannot be read

    // 1 and on: where the command's first button stands; 0 when not on it.
    std::int32_t Place(std::int32_t commandId) const;
    std::int32_t Count() const { return entries ? entries->Count() : 0; }
    bool Changed() const;
};

// The toolbars that hold the command's button, and the contact and the
// group toolbar (by their German or English names) whether they do or not,
// in number order.
std::vector<Toolbar> Read(const modRegistry::Access& registry, std::int32_t commandId);

// Each false when the step cannot be made there (and then nothing changes).
bool PutOn(Toolbar& toolbar, std::int32_t commandId);  // a separator and the button, at the end
bool TakeOff(Toolbar& toolbar, std::int32_t commandId);
bool Move(Toolbar& toolbar, std::int32_t commandId, int by);  // -1: left, +1: right

// Writes the toolbars that changed, under the configuration lock, after a
// backup that names `commandName`; all or nothing. Stale (nothing written,
// said) when one of them is no longer stored as it was read.
modListActions::Outcome Write(const modListActions::Services& context, const std::vector<Toolbar>& toolbars,
                              std::string_view commandName);

}  // namespace modButtonPlacement
