#pragma once
// One of ACT!'s toolbar keys ("ActToolBars-Bar" + number), read once by
// Init. Only "Buttons" is ever written back, always whole.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "common/modRegistry.h"
#include "toolbars/clButtonItemList.h"

class clACTToolbar {
public:
    explicit clACTToolbar(const modRegistry::Access& registry);
    clACTToolbar(const clACTToolbar&) = delete;
    clACTToolbar& operator=(const clACTToolbar&) = delete;

    // Never fails for a toolbar whose "Buttons" cannot be read: the toolbar
    // stays listed without a button list and reports the fault on a change.
    void Init(std::int32_t Index);

    const std::string& WindowName() const { return m_WindowName; }
    std::int32_t RegistryIndex() const { return m_RegistryIndex; }
    std::int32_t TypeID() const { return m_TypeId; }
    bool HasButtonList() const { return m_List.has_value(); }
    // nullptr when the number holds no toolbar or its buttons are unreadable.
    // AddButton and RemoveButton replace the list's entries as a whole, so an
    // entry taken from here is not valid after such a change.
    const clButtonItemList* ButtonList() const { return m_List ? &*m_List : nullptr; }

    bool ExistButton(std::int32_t CommandID) const;
    // The identifiers on this toolbar, as far as its "Buttons" can be read.
    std::vector<std::uint32_t> ButtonIDs() const;
    // Both write "Buttons" even when nothing changed, and write nothing when
    // they fail: a value that could not be read is never overwritten.
    void AddButton(std::int32_t CommandID);
    void RemoveButton(std::int32_t CommandID);
    // How a command's button is put on a toolbar: a separator, then the button.
    void AddSeparatorAndButton(std::int32_t CommandID);

private:
    const clButtonItemList& ListForChange() const;
    std::string Described(std::string_view description) const;
    void ReadButtons(const std::string& key);
    void WriteButtons(const clButtonItemList& list) const;

    modRegistry::Access m_Registry;
    std::int32_t m_RegistryIndex = 0;
    std::int32_t m_TypeId = 0;
    std::string m_WindowName;
    std::optional<clButtonItemList> m_List;
    std::optional<AppError> m_ReadError;
    ByteArray m_Buttons;  // as read, for the identifiers of a list that could not be read
};
