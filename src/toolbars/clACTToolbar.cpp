#include "toolbars/clACTToolbar.h"

#include "common/ActRegistry.h"
#include "base/UiTexts.h"
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


clACTToolbar::clACTToolbar(const modRegistry::Access& registry) : m_Registry(registry) {}

void clACTToolbar::Init(std::int32_t Index) {
    m_RegistryIndex = Index;
    m_TypeId = 0;
    m_WindowName.clear();
    m_List.reset();
    m_ReadError.reset();
    m_Buttons.clear();

    const std::string key = actregistry::ToolbarKey(Index);
    m_TypeId = LenientNumber(modRegistry::RegistryGetKeyValue(m_Registry, modRegistry::HKeyCurrentUser, key, "TypeID"));
    if (m_TypeId == 0) return;

    const RegistryValue name =
        modRegistry::RegistryGetKeyValue(m_Registry, modRegistry::HKeyCurrentUser, key, "WindowName");
    if (!name.IsBytes()) m_WindowName = name.ToText();
    ReadButtons(key);
}

void clACTToolbar::ReadButtons(const std::string& key) {
    const RegistryValue stored =
        modRegistry::RegistryGetKeyValue(m_Registry, modRegistry::HKeyCurrentUser, key, "Buttons");
    if (!stored.IsNone() && !stored.IsBytes()) {
        // Not ours to guess at: rewriting it as binary would destroy it.
        m_ReadError.emplace(ErrorNumber::TypeMismatch, Described(texts::kButtonListNotBinary));
        return;
    }
    if (stored.IsBytes()) m_Buttons = stored.ToBytes();
    clButtonItemList list;
    try {
        list.SetByteArray(m_Buttons);
    } catch (const AppError& e) {
        m_ReadError.emplace(e.number(), Described(e.description()));
        return;
    }
    m_List = std::move(list);
}

std::string clACTToolbar::Described(std::string_view description) const {
    std::string text(texts::kToolbarLead);
    text += std::to_string(m_RegistryIndex);
    if (!m_WindowName.empty()) text += " (" + m_WindowName + ")";
    text += ": ";
    text += description;
    return text;
}

bool clACTToolbar::ExistButton(std::int32_t CommandID) const { return m_List && FirstMatch(*m_List, CommandID) != 0; }

std::vector<std::uint32_t> clACTToolbar::ButtonIDs() const {
    if (!m_List) return clButtonItemList::IDsOf(m_Buttons);
    std::vector<std::uint32_t> ids;
    for (const auto& item : *m_List) ids.push_back(item.RawID());
    return ids;
}

const clButtonItemList& clACTToolbar::ListForChange() const {
    if (m_ReadError) throw *m_ReadError;
    if (!m_List) Raise(ErrorNumber::InvalidCall, Described(texts::kNoToolbarAtNumber));
    return *m_List;
}

void clACTToolbar::AddButton(std::int32_t CommandID) {
    clButtonItemList changed = ListForChange();
    if (CommandID == 0 || FirstMatch(changed, CommandID) == 0) changed.Add(CommandID);
    WriteButtons(changed);
    *m_List = std::move(changed);
}

void clACTToolbar::AddSeparatorAndButton(std::int32_t CommandID) {
    AddButton(0);
    AddButton(CommandID);
}

void clACTToolbar::RemoveButton(std::int32_t CommandID) {
    clButtonItemList changed = ListForChange();
    // Rescanning from the front after each removal is what lets the
    // separator rule of Remove see every intermediate end of the list.
    for (std::int32_t pos = FirstMatch(changed, CommandID); pos != 0; pos = FirstMatch(changed, CommandID)) {
        changed.Remove(pos);
    }
    WriteButtons(changed);
    *m_List = std::move(changed);
}

void clACTToolbar::WriteButtons(const clButtonItemList& list) const {
    const std::string key = actregistry::ToolbarKey(m_RegistryIndex);
    modRegistry::RegistrySetKeyValue(m_Registry, modRegistry::HKeyCurrentUser, key, "Buttons",
                                     RegistryValue(list.GetByteArray()), RegType::Binary);
}
