#include "platform/PolicySettingsStore.h"

#include <algorithm>
#include <array>
#include <utility>

#include "base/Ascii.h"
#include "base/LittleEndian.h"

namespace platform {

PolicySettingsStore::PolicySettingsStore(IRegistry& registry, ISettingsStore& user, Scope scope)
    : m_Registry(registry), m_User(user), m_Scope(std::move(scope)) {}

// As the registry compares names: without regard to letter case.
bool PolicySettingsStore::InScope(std::string_view app, std::string_view section, std::string_view key) const {
    if (ascii::Lower(app) != ascii::Lower(m_Scope.app) || ascii::Lower(section) != ascii::Lower(m_Scope.section)) {
        return false;
    }
    const std::string lower = ascii::Lower(key);
    return std::ranges::any_of(m_Scope.keys, [&lower](const std::string& k) { return ascii::Lower(k) == lower; });
}

// The 64-bit view: Group Policy writes there, and a 32-bit build would
// otherwise look below WOW6432Node. A key that cannot be read, or a value of
// another type or a DWORD of another size, sets nothing: the user's own
// value stays in force rather than a value the program would misread.
std::optional<std::string> PolicySettingsStore::Read(RegKey root, std::string_view key) {
    RegKey opened = 0;
    if (m_Registry.OpenKey(root, m_Scope.policyKey, kKeyQueryValue | kKeyWow64_64Key, opened) != kErrorSuccess) {
        return std::nullopt;
    }
    const RegistryKey owned = OwnKey(m_Registry, opened);
    std::uint32_t type = kRegNone;
    std::string text;
    if (m_Registry.QueryText(opened, key, type, text) != kErrorSuccess) return std::nullopt;
    if (type == kRegSz || type == kRegExpandSz) return text;
    if (type != kRegDword) return std::nullopt;
    std::array<std::uint8_t, 4> number{};
    std::uint32_t size = 0;
    if (m_Registry.QueryValue(opened, key, type, number, size) != kErrorSuccess || type != kRegDword ||
        size != number.size()) {
        return std::nullopt;
    }
    return std::to_string(littleendian::ReadU32(number, 0));
}

std::optional<std::string> PolicySettingsStore::PolicyValue(std::string_view app, std::string_view section,
                                                            std::string_view key) {
    if (!InScope(app, section, key)) return std::nullopt;
    if (std::optional<std::string> machine = Read(kHKeyLocalMachine, key)) return machine;
    return Read(kHKeyCurrentUser, key);
}

std::string PolicySettingsStore::GetSetting(std::string_view app, std::string_view section, std::string_view key,
                                            std::string_view fallback) {
    if (std::optional<std::string> policy = PolicyValue(app, section, key)) return std::move(*policy);
    return m_User.GetSetting(app, section, key, fallback);
}

void PolicySettingsStore::SaveSetting(std::string_view app, std::string_view section, std::string_view key,
                                      std::string_view value) {
    m_User.SaveSetting(app, section, key, value);
}

bool PolicySettingsStore::IsLocked(std::string_view app, std::string_view section, std::string_view key) {
    return PolicyValue(app, section, key).has_value();
}

}  // namespace platform
