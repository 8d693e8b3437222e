#include "common/modRegistry.h"

#include <algorithm>

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"
#include "common/modMessages.h"

namespace modRegistry {
namespace {

using platform::kErrorSuccess;

// A value's bytes as the routines give them: a text up to its first zero,
// binary data whole, a 32-bit number of exactly four bytes; other types are
// no value.
RegistryValue Decode(const Access& reg, std::uint32_t type, std::span<const std::uint8_t> data) {
    switch (type) {
        case platform::kRegSz: {
            const auto zero = std::find(data.begin(), data.end(), 0);
            return RegistryValue(reg.text.FromCodePage(std::string(data.begin(), zero)));
        }
        case platform::kRegBinary: return RegistryValue(ByteArray(data.begin(), data.end()));
        case platform::kRegDword:
            if (data.size() != 4) return {};  // a number of any other size is not one we can read
            return RegistryValue(static_cast<std::int32_t>(littleendian::ReadU32(data, 0)));
        default: return {};
    }
}

RegistryValue ReadText(const Access& reg, platform::RegKey key, const std::string& name, std::uint32_t size) {
    if (size == 0) return RegistryValue(std::string());
    ByteArray buffer(size, 0);
    std::uint32_t type = 0;
    std::uint32_t got = size;
    if (reg.registry.QueryValue(key, name, type, buffer, got) != kErrorSuccess) return {};
    buffer.resize(std::min(got, size));
    return Decode(reg, platform::kRegSz, buffer);
}

RegistryValue ReadBinary(const Access& reg, platform::RegKey key, const std::string& name, std::uint32_t size) {
    if (size == 0) return RegistryValue(ByteArray());
    ByteArray buffer(size, 0);
    std::uint32_t type = 0;
    std::uint32_t got = size;
    if (reg.registry.QueryValue(key, name, type, buffer, got) != kErrorSuccess || got != size) return {};
    return RegistryValue(std::move(buffer));
}

RegistryValue ReadNumber(const Access& reg, platform::RegKey key, const std::string& name, std::uint32_t size) {
    if (size != 4) return {};
    std::uint8_t bytes[4] = {};
    std::uint32_t type = 0;
    std::uint32_t got = 4;
    if (reg.registry.QueryValue(key, name, type, bytes, got) != kErrorSuccess) return {};
    return Decode(reg, platform::kRegDword, std::span<const std::uint8_t>(bytes, got));
}

}  // namespace

RegistryValue RegistryGetKeyValue(const Access& reg, platform::RegKey root, std::string_view keyPath,
                                  std::string_view valueName) {
    try {
        const std::string path = reg.text.ToCodePage(keyPath);
        const std::string name = reg.text.ToCodePage(valueName);
        platform::RegKey raw = 0;
        if (reg.registry.OpenKey(root, path, platform::kKeyRead, raw) != kErrorSuccess) return {};
        const platform::RegistryKey key = platform::OwnKey(reg.registry, raw);

        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (reg.registry.QueryValue(key.get(), name, type, {}, size) != kErrorSuccess) return {};
        switch (type) {
            case platform::kRegSz: return ReadText(reg, key.get(), name, size);
            case platform::kRegBinary: return ReadBinary(reg, key.get(), name, size);
            case platform::kRegDword: return ReadNumber(reg, key.get(), name, size);
            default: return {};
        }
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(reg.boxes, "RegistryGetKeyValue", ErrorOf(e));
        return {};
    }
}

KeyReader::KeyReader(const Access& reg, platform::RegKey root, std::string_view keyPath) : m_Reg(reg), m_Buffer(4096) {
    try {
        platform::RegKey raw = 0;
        if (reg.registry.OpenKey(root, reg.text.ToCodePage(keyPath), platform::kKeyRead, raw) == kErrorSuccess)
            m_Key = platform::OwnKey(reg.registry, raw);
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(reg.boxes, "RegistryGetKeyValue", ErrorOf(e));
    }
}

// A value that grows between a query and the next is asked for again.
RegistryValue KeyReader::Get(std::string_view valueName) {
    if (!m_Key) return {};
    try {
        const std::string name = m_Reg.text.ToCodePage(valueName);
        for (int attempt = 0; attempt < 4; ++attempt) {
            std::uint32_t type = 0;
            auto size = static_cast<std::uint32_t>(m_Buffer.size());
            const long r = m_Reg.registry.QueryValue(m_Key.get(), name, type, m_Buffer, size);
            if (r == platform::kErrorMoreData) {
                m_Buffer.resize(std::max<std::size_t>(size, m_Buffer.size() * 2));
                continue;
            }
            if (r != kErrorSuccess) return {};
            return Decode(m_Reg, type,
                          std::span<const std::uint8_t>(m_Buffer.data(), std::min<std::size_t>(size, m_Buffer.size())));
        }
        return {};
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(m_Reg.boxes, "RegistryGetKeyValue", ErrorOf(e));
        return {};
    }
}

bool RegistryValueExists(const Access& reg, platform::RegKey root, std::string_view keyPath,
                         std::string_view valueName) {
    try {
        platform::RegKey raw = 0;
        const long opened = reg.registry.OpenKey(root, reg.text.ToCodePage(keyPath), platform::kKeyRead, raw);
        if (opened != kErrorSuccess) return opened != platform::kErrorFileNotFound;
        const platform::RegistryKey key = platform::OwnKey(reg.registry, raw);
        std::uint32_t type = 0;
        std::uint32_t size = 0;
        return reg.registry.QueryValue(key.get(), reg.text.ToCodePage(valueName), type, {}, size) !=
               platform::kErrorFileNotFound;
    } catch (const std::exception&) {
        return true;
    }
}

std::string RootName(platform::RegKey root) {
    switch (root) {
        case platform::kHKeyClassesRoot: return "HKEY_CLASSES_ROOT";
        case platform::kHKeyCurrentUser: return "HKEY_CURRENT_USER";
        case platform::kHKeyLocalMachine: return "HKEY_LOCAL_MACHINE";
        case platform::kHKeyUsers: return "HKEY_USERS";
        default: return {};
    }
}

std::string NotWrittenText(platform::RegKey root, std::string_view keyPath, std::string_view valueName, long code,
                           bool deletion) {
    std::string key = RootName(root);
    if (!keyPath.empty()) key += (key.empty() ? "" : "\\") + std::string(keyPath);
    std::string text;
    if (valueName.empty()) {
        text = std::string(texts::kNotMadeKeyStart) + key + std::string(texts::kNotMadeKeyEnd);
    } else {
        text = std::string(texts::kNotWrittenValueStart) + std::string(valueName) +
               std::string(texts::kNotWrittenValueMiddle) + key +
               std::string(deletion ? texts::kNotDeletedValueEnd : texts::kNotWrittenValueEnd);
    }
    return text + std::to_string(code) + std::string(texts::kSystemErrorEnd);
}

namespace {

[[noreturn]] void RaiseNotWritten(platform::RegKey root, std::string_view keyPath, std::string_view valueName,
                                  long code, bool deletion = false) {
    Raise(ErrorNumber::RegistryNotWritten, NotWrittenText(root, keyPath, valueName, code, deletion));
}

}  // namespace

void RegistryDeleteValue(const Access& reg, platform::RegKey root, std::string_view keyPath,
                         std::string_view valueName) {
    platform::RegKey raw = 0;
    const long opened = reg.registry.OpenKey(root, reg.text.ToCodePage(keyPath), platform::kKeyAllAccess, raw);
    if (opened == platform::kErrorFileNotFound) return;
    if (opened != kErrorSuccess) RaiseNotWritten(root, keyPath, valueName, opened, true);
    const platform::RegistryKey key = platform::OwnKey(reg.registry, raw);
    const long r = reg.registry.DeleteValue(key.get(), reg.text.ToCodePage(valueName));
    if (r != kErrorSuccess && r != platform::kErrorFileNotFound) RaiseNotWritten(root, keyPath, valueName, r, true);
}

void RegistrySetKeyValue(const Access& reg, platform::RegKey root, std::string_view keyPath, std::string_view valueName,
                         const RegistryValue& value, RegType valueType) {
    long refused = kErrorSuccess;
    bool keyMade = false;
    try {
        platform::RegKey raw = 0;
        refused = reg.registry.CreateKey(root, reg.text.ToCodePage(keyPath), platform::kKeyAllAccess, raw);
        if (refused != kErrorSuccess) {
            if (raw != 0) reg.registry.CloseKey(raw);
        } else {
            keyMade = true;
            const platform::RegistryKey key = platform::OwnKey(reg.registry, raw);
            ByteArray data;
            std::uint32_t type = 0;
            switch (valueType) {
                case RegType::Text: {
                    const std::string text = reg.text.ToCodePage(value.ToText());
                    data.assign(text.begin(), text.end());
                    data.push_back(0);
                    type = platform::kRegSz;
                    break;
                }
                case RegType::Binary:
                    data = value.ToBytes();
                    type = platform::kRegBinary;
                    break;
                case RegType::Dword: {
                    const auto bytes = littleendian::Bytes(static_cast<std::uint32_t>(value.ToNumber()));
                    data.assign(bytes.begin(), bytes.end());
                    type = platform::kRegDword;
                    break;
                }
                default: return;
            }
            refused = reg.registry.SetValue(key.get(), reg.text.ToCodePage(valueName), type, data);
        }
    } catch (const std::exception& e) {
        modMessages::ShowRoutineError(reg.boxes, "RegistrySetKeyValue", ErrorOf(e));
        return;
    }
    if (refused != kErrorSuccess) RaiseNotWritten(root, keyPath, keyMade ? valueName : std::string_view(), refused);
}

}  // namespace modRegistry
