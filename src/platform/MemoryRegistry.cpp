#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <iterator>
#include <memory>

#include "base/Ascii.h"
#include "base/Cp1252.h"
#include "base/LittleEndian.h"

namespace platform {

std::string MemoryRegistry::RootName(RegKey root) {
    switch (root) {
        case kHKeyClassesRoot: return "HKCR";
        case kHKeyCurrentUser: return "HKCU";
        case kHKeyLocalMachine: return "HKLM";
        case kHKeyUsers: return "HKU";
        default: return {};
    }
}

std::optional<std::string> MemoryRegistry::FullPath(RegKey rootOrKey, std::string_view path) const {
    std::string base = RootName(rootOrKey);
    if (base.empty()) {
        auto it = m_HandleNames.find(rootOrKey);
        if (it == m_HandleNames.end()) return std::nullopt;
        base = it->second;
    }
    if (path.empty()) return base;
    return base + "\\" + std::string(path);
}

std::string MemoryRegistry::InView(RegKey root, std::string_view path, std::uint32_t access) {
    constexpr std::string_view kSoftware = "software";
    const std::string lower = ascii::Lower(path);
    if (root != kHKeyLocalMachine || (access & kKeyWow64_32Key) == 0 || !lower.starts_with(kSoftware) ||
        (lower.size() > kSoftware.size() && lower[kSoftware.size()] != '\\')) {
        return std::string(path);
    }
    return std::string(path.substr(0, kSoftware.size())) + "\\WOW6432Node" + std::string(path.substr(kSoftware.size()));
}

long MemoryRegistry::Record(Call call) {
    long result = kErrorSuccess;
    if (m_Fault) result = m_Fault(call);
    call.result = result;
    m_Calls.push_back(std::move(call));
    return result;
}

bool MemoryRegistry::IsWrite(const Call& call) const {
    switch (call.op) {
        case Op::SetValue:
        case Op::DeleteValue:
        case Op::DeleteKey: return true;
        case Op::CreateKey: return !m_Keys.contains(ascii::Lower(call.keyPath));
        default: return false;
    }
}

void MemoryRegistry::FailWritesFrom(int k, long code) {
    auto seen = std::make_shared<int>(0);
    m_Fault = [this, seen, k, code](const Call& call) -> long {
        if (!IsWrite(call)) return kErrorSuccess;
        return ++*seen >= k ? code : kErrorSuccess;
    };
}

void MemoryRegistry::FailWrite(int k, long code) {
    auto seen = std::make_shared<int>(0);
    m_Fault = [this, seen, k, code](const Call& call) -> long {
        if (!IsWrite(call)) return kErrorSuccess;
        return ++*seen == k ? code : kErrorSuccess;
    };
}

long MemoryRegistry::OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    key = 0;
    auto full = FullPath(root, InView(root, path, access));
    if (long r = Record({Op::OpenKey, full.value_or("?"), {}, 0, {}, 0}); r != kErrorSuccess) return r;
    if (!full) return kErrorInvalidHandle;
    if (!m_Keys.contains(ascii::Lower(*full))) return kErrorFileNotFound;
    key = m_NextHandle++;
    m_Handles[key] = ascii::Lower(*full);
    m_HandleNames[key] = *full;
    return kErrorSuccess;
}

// Records a read of value `name` of open key `key` and finds the value.
long MemoryRegistry::Find(Op op, RegKey key, std::string_view name, const Value*& value) {
    auto h = m_Handles.find(key);
    Call call{op, h == m_Handles.end() ? "?" : m_HandleNames[key], std::string(name), 0, {}, 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    const Key& k = m_Keys[h->second];
    auto v = k.values.find(ascii::Lower(name));
    if (v == k.values.end()) return kErrorFileNotFound;
    value = &v->second.second;
    return kErrorSuccess;
}

long MemoryRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                                std::uint32_t& size) {
    const Value* value = nullptr;
    if (long r = Find(Op::QueryValue, key, name, value); r != kErrorSuccess) return r;
    type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (buffer.empty()) {
        size = needed;
        return kErrorSuccess;
    }
    if (buffer.size() < needed) {
        size = needed;
        return kErrorMoreData;
    }
    std::copy(value->data.begin(), value->data.end(), buffer.begin());
    size = needed;
    return kErrorSuccess;
}

long MemoryRegistry::QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) {
    text.clear();
    const Value* value = nullptr;
    if (long r = Find(Op::QueryText, key, name, value); r != kErrorSuccess) return r;
    type = value->type;
    if (type != kRegSz && type != kRegExpandSz) return kErrorSuccess;
    if (value->unicode) {
        text = *value->unicode;
    } else {
        const std::string bytes(value->data.begin(), value->data.end());
        text = cp1252::ToUtf8(bytes.substr(0, bytes.find('\0')));
    }
    return kErrorSuccess;
}

// Every missing key on the way down, as the registry makes them; each keeps
// its name as first given.
void MemoryRegistry::MakeKeys(const std::string& fullPath) {
    const std::string lower = ascii::Lower(fullPath);
    for (std::size_t pos = 0;;) {
        const std::size_t next = lower.find('\\', pos);
        const std::size_t end = next == std::string::npos ? lower.size() : next;
        auto [it, made] = m_Keys.try_emplace(lower.substr(0, end));
        if (made) it->second.name = fullPath.substr(pos, end - pos);
        if (next == std::string::npos) break;
        pos = next + 1;
    }
}

long MemoryRegistry::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    auto h = m_Handles.find(key);
    if (long r = Record({Op::EnumKey, h == m_Handles.end() ? "?" : m_HandleNames[key], {}, 0, {}, 0});
        r != kErrorSuccess) {
        return r;
    }
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    const std::string prefix = h->second + "\\";
    std::uint32_t n = 0;
    for (auto it = m_Keys.lower_bound(prefix); it != m_Keys.end() && it->first.starts_with(prefix); ++it) {
        if (it->first.find('\\', prefix.size()) != std::string::npos) continue;  // deeper down
        if (n++ == index) {
            name = it->second.name;
            return kErrorSuccess;
        }
    }
    return kErrorNoMoreItems;
}

long MemoryRegistry::EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                               std::vector<std::uint8_t>& data) {
    auto h = m_Handles.find(key);
    if (long r = Record({Op::EnumValue, h == m_Handles.end() ? "?" : m_HandleNames[key], {}, 0, {}, 0});
        r != kErrorSuccess) {
        return r;
    }
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    const auto& values = m_Keys[h->second].values;
    if (index >= values.size()) return kErrorNoMoreItems;
    const auto& entry = std::next(values.begin(), static_cast<std::ptrdiff_t>(index))->second;
    name = entry.first;
    type = entry.second.type;
    data = entry.second.data;
    return kErrorSuccess;
}

long MemoryRegistry::CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    key = 0;
    auto full = FullPath(root, InView(root, path, access));
    if (long r = Record({Op::CreateKey, full.value_or("?"), {}, 0, {}, 0}); r != kErrorSuccess) return r;
    if (!full) return kErrorInvalidHandle;
    MakeKeys(*full);
    const std::string lower = ascii::Lower(*full);
    key = m_NextHandle++;
    m_Handles[key] = lower;
    m_HandleNames[key] = *full;
    return kErrorSuccess;
}

long MemoryRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                              std::span<const std::uint8_t> data) {
    auto h = m_Handles.find(key);
    Call call{Op::SetValue, h == m_Handles.end() ? "?" : m_HandleNames[key],     std::string(name),
              type,         std::vector<std::uint8_t>(data.begin(), data.end()), 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    m_Keys[h->second].values[ascii::Lower(name)] = {std::string(name), Value{type, {data.begin(), data.end()}}};
    return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
    auto h = m_Handles.find(key);
    Call call{Op::CloseKey, h == m_Handles.end() ? "?" : m_HandleNames[key], {}, 0, {}, 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    m_Handles.erase(h);
    m_HandleNames.erase(key);
    return kErrorSuccess;
}

long MemoryRegistry::DeleteValue(RegKey key, std::string_view name) {
    auto h = m_Handles.find(key);
    Call call{Op::DeleteValue, h == m_Handles.end() ? "?" : m_HandleNames[key], std::string(name), 0, {}, 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == m_Handles.end()) return kErrorInvalidHandle;
    return m_Keys[h->second].values.erase(ascii::Lower(name)) > 0 ? kErrorSuccess : kErrorFileNotFound;
}

long MemoryRegistry::DeleteKey(RegKey root, std::string_view path) {
    auto full = FullPath(root, path);
    if (long r = Record({Op::DeleteKey, full.value_or("?"), {}, 0, {}, 0}); r != kErrorSuccess) return r;
    if (!full || path.empty()) return kErrorInvalidHandle;
    const std::string lower = ascii::Lower(*full);
    auto it = m_Keys.find(lower);
    if (it == m_Keys.end()) return kErrorFileNotFound;
    const std::string below = lower + "\\";
    auto sub = m_Keys.lower_bound(below);
    if (sub != m_Keys.end() && sub->first.starts_with(below)) return kErrorAccessDenied;  // it has subkeys
    m_Keys.erase(it);
    return kErrorSuccess;
}

void MemoryRegistry::Put(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
                         std::vector<std::uint8_t> data) {
    const std::string full = FullPath(root, path).value();
    MakeKeys(full);
    m_Keys[ascii::Lower(full)].values[ascii::Lower(name)] = {std::string(name), Value{type, std::move(data)}};
}

void MemoryRegistry::PutText(RegKey root, std::string_view path, std::string_view name, std::string_view cpText) {
    std::vector<std::uint8_t> bytes(cpText.begin(), cpText.end());
    bytes.push_back(0);
    Put(root, path, name, kRegSz, std::move(bytes));
}

void MemoryRegistry::PutUnicodeText(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
                                    std::string_view utf8) {
    const std::string bytes = cp1252::FromUtf8(utf8);
    std::vector<std::uint8_t> data(bytes.begin(), bytes.end());
    data.push_back(0);
    Put(root, path, name, type, std::move(data));
    m_Keys[ascii::Lower(*FullPath(root, path))].values[ascii::Lower(name)].second.unicode = std::string(utf8);
}

void MemoryRegistry::PutDword(RegKey root, std::string_view path, std::string_view name, std::uint32_t value) {
    const auto bytes = littleendian::Bytes(value);
    Put(root, path, name, kRegDword, {bytes.begin(), bytes.end()});
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(RegKey root, std::string_view path,
                                                         std::string_view name) const {
    auto k = m_Keys.find(ascii::Lower(*FullPath(root, path)));
    if (k == m_Keys.end()) return std::nullopt;
    auto v = k->second.values.find(ascii::Lower(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.second;
}

bool MemoryRegistry::KeyExists(RegKey root, std::string_view path) const {
    return m_Keys.contains(ascii::Lower(*FullPath(root, path)));
}

std::map<std::string, MemoryRegistry::Value> MemoryRegistry::Snapshot(RegKey root, std::string_view path) const {
    const std::string prefix = ascii::Lower(*FullPath(root, path));
    std::map<std::string, Value> out;
    for (const auto& [keyPath, key] : m_Keys) {
        if (keyPath != prefix && keyPath.rfind(prefix + "\\", 0) != 0) continue;
        out[keyPath];  // empty keys count too
        for (const auto& [lower, entry] : key.values) out[keyPath + "|" + lower] = entry.second;
    }
    return out;
}

std::vector<MemoryRegistry::Call> MemoryRegistry::Deletions() const {
    std::vector<Call> out;
    std::copy_if(m_Calls.begin(), m_Calls.end(), std::back_inserter(out),
                 [](const Call& c) { return c.op == Op::DeleteValue || c.op == Op::DeleteKey; });
    return out;
}

std::vector<MemoryRegistry::Call> MemoryRegistry::Writes() const {
    std::vector<Call> out;
    std::copy_if(m_Calls.begin(), m_Calls.end(), std::back_inserter(out),
                 [](const Call& c) { return c.op == Op::SetValue; });
    return out;
}

}  // namespace platform
