#include "toolbars/clACTToolbar.h"

#include "common/ActRegistry.h"
#include "common/UiTexts.h"
#include "common/modRegistry.h"

namespace {

// A stored identifier equals a command only within the signed range; entries
// of 2^31 and above belong to ACT! and never match.
bool Matches(const clButtonItem& item, std::int32_t CommandID) {
    return CommandID >= 0 && item.RawID() == static_cast<std::uint32_t>(CommandID);
}

std::int32_t FirstMatch(const clButtonItemList& list, std::int32_t CommandID) {
    std::int32_t pos = 1;
    for (const auto& item : list) {
        if (Matches(item, CommandID)) return pos;
        ++pos;
    }
    return 0;
}

}  // namespace

namespace toolbars::detail {

// ACT! stores its numbers as DWORDs, but hand-edited or imported keys may
// hold them as decimal text; anything else cannot be meant as a number.
std::int32_t LenientNumber(const RegistryValue& value) {
    if (!value.IsNumber() && !value.IsText()) return 0;
    try {
        return value.ToNumber();
    } catch (const AppError&) {
        return 0;
    }
}

}  // namespace toolbars::detail

clACTToolbar::clACTToolbar(const platform::Platform& env) : env_(&env) {}

void clACTToolbar::Init(std::int32_t Index) {
    registryIndex_ = Index;
    typeId_ = 0;
    windowName_.clear();
    list_.reset();
    readError_.reset();

    const std::string key = actregistry::ToolbarKey(Index);
    typeId_ = toolbars::detail::LenientNumber(
        modRegistry::RegistryGetKeyValue(*env_, modRegistry::HKeyCurrentUser, key, "TypeID"));
    if (typeId_ == 0) return;

    const RegistryValue name = modRegistry::RegistryGetKeyValue(*env_, modRegistry::HKeyCurrentUser, key, "WindowName");
    if (!name.IsBytes()) windowName_ = name.ToText();
    ReadButtons(key);
}

void clACTToolbar::ReadButtons(const std::string& key) {
    const RegistryValue stored = modRegistry::RegistryGetKeyValue(*env_, modRegistry::HKeyCurrentUser, key, "Buttons");
    if (!stored.IsNone() && !stored.IsBytes()) {
        // Not ours to guess at: rewriting it as binary would destroy it.
        readError_.emplace(ErrorNumber::TypeMismatch, Described(texts::kButtonListNotBinary));
        return;
    }
    clButtonItemList list;
    try {
        if (stored.IsBytes()) list.SetByteArray(stored.ToBytes());
    } catch (const AppError& e) {
        readError_.emplace(e.number(), Described(e.description()));
        return;
    }
    list_ = std::move(list);
}

std::string clACTToolbar::Described(std::string_view description) const {
    std::string text(texts::kToolbarLead);
    text += std::to_string(registryIndex_);
    if (!windowName_.empty()) text += " (" + windowName_ + ")";
    text += ": ";
    text += description;
    return text;
}

bool clACTToolbar::ExistButton(std::int32_t CommandID) const {
    return list_ && FirstMatch(*list_, CommandID) != 0;
}

const clButtonItemList& clACTToolbar::ListForChange() const {
    if (readError_) throw *readError_;
    if (!list_) throw AppError(ErrorNumber::InvalidCall, Described(texts::kNoToolbarAtNumber));
    return *list_;
}

void clACTToolbar::AddButton(std::int32_t CommandID) {
    clButtonItemList changed = ListForChange();
    if (CommandID == 0 || FirstMatch(changed, CommandID) == 0) changed.Add(CommandID);
    WriteButtons(changed);
    *list_ = std::move(changed);
}

void clACTToolbar::RemoveButton(std::int32_t CommandID) {
    clButtonItemList changed = ListForChange();
    // Rescanning from the front after each removal is what lets the
    // separator rule of Remove see every intermediate end of the list.
    for (std::int32_t pos = FirstMatch(changed, CommandID); pos != 0; pos = FirstMatch(changed, CommandID)) {
        changed.Remove(pos);
    }
    WriteButtons(changed);
    *list_ = std::move(changed);
}

void clACTToolbar::WriteButtons(const clButtonItemList& list) const {
    const std::string key = actregistry::ToolbarKey(registryIndex_);
    modRegistry::RegistrySetKeyValue(*env_, modRegistry::HKeyCurrentUser, key, "Buttons",
                                     RegistryValue(list.GetByteArray()), 3);
}
