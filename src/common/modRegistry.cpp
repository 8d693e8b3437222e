#include "common/modRegistry.h"

#include <algorithm>

#include "common/modMessages.h"

namespace modRegistry {
namespace {

using platform::kErrorSuccess;

RegistryValue ReadText(const platform::Platform& env, platform::RegKey key, const std::string& name,
                       std::uint32_t size) {
    if (size == 0) return RegistryValue(std::string());
    ByteArray buffer(size, 0);
    std::uint32_t type = 0;
    std::uint32_t got = size;
    if (env.registry.QueryValue(key, name, type, buffer, got) != kErrorSuccess) return {};
    buffer.resize(std::min(got, size));
    auto zero = std::find(buffer.begin(), buffer.end(), 0);
    return RegistryValue(env.text.FromCodePage(std::string(buffer.begin(), zero)));
}

RegistryValue ReadBinary(const platform::Platform& env, platform::RegKey key, const std::string& name,
                         std::uint32_t size) {
    if (size == 0) return RegistryValue(ByteArray());
    ByteArray buffer(size, 0);
    std::uint32_t type = 0;
    std::uint32_t got = size;
    if (env.registry.QueryValue(key, name, type, buffer, got) != kErrorSuccess || got != size) return {};
    return RegistryValue(std::move(buffer));
}

RegistryValue ReadNumber(const platform::Platform& env, platform::RegKey key, const std::string& name,
                         std::uint32_t size) {
    if (size != 4) return {};  // a number of any other size is not one we can read
    std::uint8_t bytes[4] = {};
    std::uint32_t type = 0;
    std::uint32_t got = 4;
    if (env.registry.QueryValue(key, name, type, bytes, got) != kErrorSuccess || got != 4) return {};
    const std::uint32_t u = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return RegistryValue(static_cast<std::int32_t>(u));
}

}  // namespace

RegistryValue RegistryGetKeyValue(const platform::Platform& env, platform::RegKey root, std::string_view keyPath,
                                  std::string_view valueName) {
    try {
        const std::string path = env.text.ToCodePage(keyPath);
        const std::string name = env.text.ToCodePage(valueName);
        platform::RegKey raw = 0;
        if (env.registry.OpenKey(root, path, platform::kKeyRead, raw) != kErrorSuccess) return {};
        platform::RegistryKey key(env.registry, raw);

        std::uint32_t type = 0;
        std::uint32_t size = 0;
        if (env.registry.QueryValue(key.get(), name, type, {}, size) != kErrorSuccess) return {};
        switch (type) {
            case platform::kRegSz: return ReadText(env, key.get(), name, size);
            case platform::kRegBinary: return ReadBinary(env, key.get(), name, size);
            case platform::kRegDword: return ReadNumber(env, key.get(), name, size);
            default: return {};
        }
    } catch (...) {
        modMessages::ShowCurrentException(env, "RegistryGetKeyValue");
        return {};
    }
}

void RegistrySetKeyValue(const platform::Platform& env, platform::RegKey root, std::string_view keyPath,
                         std::string_view valueName, const RegistryValue& value, std::int32_t valueType) {
    try {
        const std::string path = env.text.ToCodePage(keyPath);
        const std::string name = env.text.ToCodePage(valueName);
        platform::RegKey raw = 0;
        env.registry.CreateKey(root, path, platform::kKeyAllAccess, raw);
        platform::RegistryKey key(env.registry, raw);

        ByteArray data;
        std::uint32_t type = 0;
        switch (valueType) {
            case 1: {
                const std::string text = env.text.ToCodePage(value.ToText());
                data.assign(text.begin(), text.end());
                data.push_back(0);
                type = platform::kRegSz;
                break;
            }
            case 3:
                data = value.ToBytes();
                type = platform::kRegBinary;
                break;
            case 4: {
                const auto u = static_cast<std::uint32_t>(value.ToNumber());
                data = {static_cast<std::uint8_t>(u), static_cast<std::uint8_t>(u >> 8),
                        static_cast<std::uint8_t>(u >> 16), static_cast<std::uint8_t>(u >> 24)};
                type = platform::kRegDword;
                break;
            }
            default: return;
        }
        if (key) env.registry.SetValue(key.get(), name, type, data);
    } catch (...) {
        modMessages::ShowCurrentException(env, "RegistrySetKeyValue");
    }
}

}  // namespace modRegistry
