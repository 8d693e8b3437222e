#include "platform/MemoryRegistry.h"

#include <algorithm>
#include <iterator>
#include <memory>

namespace platform {

std::string MemoryRegistry::Lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

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
        auto it = handleNames_.find(rootOrKey);
        if (it == handleNames_.end()) return std::nullopt;
        base = it->second;
    }
    if (path.empty()) return base;
    return base + "\\" + std::string(path);
}

long MemoryRegistry::Record(Call call) {
    long result = kErrorSuccess;
    if (fault_) result = fault_(call);
    call.result = result;
    calls_.push_back(std::move(call));
    return result;
}

void MemoryRegistry::FailWritesFrom(int k, long code) {
    auto seen = std::make_shared<int>(0);
    fault_ = [seen, k, code](const Call& call) -> long {
        if (call.op != Op::SetValue) return kErrorSuccess;
        return ++*seen >= k ? code : kErrorSuccess;
    };
}

long MemoryRegistry::OpenKey(RegKey root, std::string_view path, std::uint32_t, RegKey& key) {
    key = 0;
    auto full = FullPath(root, path);
    if (long r = Record({Op::OpenKey, full.value_or("?"), {}, 0, {}, 0}); r != kErrorSuccess) return r;
    if (!full) return kErrorInvalidHandle;
    if (!keys_.contains(Lower(*full))) return kErrorFileNotFound;
    key = nextHandle_++;
    handles_[key] = Lower(*full);
    handleNames_[key] = *full;
    return kErrorSuccess;
}

long MemoryRegistry::QueryValue(RegKey key, std::string_view name, std::uint32_t& type,
                                std::span<std::uint8_t> buffer, std::uint32_t& size) {
    auto h = handles_.find(key);
    Call call{Op::QueryValue, h == handles_.end() ? "?" : handleNames_[key], std::string(name), 0, {}, 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == handles_.end()) return kErrorInvalidHandle;
    const Key& k = keys_[h->second];
    auto v = k.values.find(Lower(name));
    if (v == k.values.end()) return kErrorFileNotFound;
    const Value& value = v->second.second;
    type = value.type;
    const auto needed = static_cast<std::uint32_t>(value.data.size());
    if (buffer.empty()) {
        size = needed;
        return kErrorSuccess;
    }
    if (buffer.size() < needed) {
        size = needed;
        return kErrorMoreData;
    }
    std::copy(value.data.begin(), value.data.end(), buffer.begin());
    size = needed;
    return kErrorSuccess;
}

long MemoryRegistry::CreateKey(RegKey root, std::string_view path, std::uint32_t, RegKey& key) {
    key = 0;
    auto full = FullPath(root, path);
    if (long r = Record({Op::CreateKey, full.value_or("?"), {}, 0, {}, 0}); r != kErrorSuccess) return r;
    if (!full) return kErrorInvalidHandle;
    // Create every missing key on the way down, as the registry does.
    std::string lower = Lower(*full);
    for (std::size_t pos = lower.find('\\'); pos != std::string::npos; pos = lower.find('\\', pos + 1)) {
        keys_[lower.substr(0, pos)];
    }
    keys_[lower];
    key = nextHandle_++;
    handles_[key] = lower;
    handleNames_[key] = *full;
    return kErrorSuccess;
}

long MemoryRegistry::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                              std::span<const std::uint8_t> data) {
    auto h = handles_.find(key);
    Call call{Op::SetValue, h == handles_.end() ? "?" : handleNames_[key], std::string(name), type,
              std::vector<std::uint8_t>(data.begin(), data.end()), 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == handles_.end()) return kErrorInvalidHandle;
    keys_[h->second].values[Lower(name)] = {std::string(name), Value{type, {data.begin(), data.end()}}};
    return kErrorSuccess;
}

long MemoryRegistry::CloseKey(RegKey key) {
    auto h = handles_.find(key);
    Call call{Op::CloseKey, h == handles_.end() ? "?" : handleNames_[key], {}, 0, {}, 0};
    if (long r = Record(std::move(call)); r != kErrorSuccess) return r;
    if (h == handles_.end()) return kErrorInvalidHandle;
    handles_.erase(h);
    handleNames_.erase(key);
    return kErrorSuccess;
}

void MemoryRegistry::Put(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
                         std::vector<std::uint8_t> data) {
    std::string lower = Lower(FullPath(root, path).value());
    for (std::size_t pos = lower.find('\\'); pos != std::string::npos; pos = lower.find('\\', pos + 1)) {
        keys_[lower.substr(0, pos)];
    }
    keys_[lower].values[Lower(name)] = {std::string(name), Value{type, std::move(data)}};
}

void MemoryRegistry::PutText(RegKey root, std::string_view path, std::string_view name,
                             std::string_view cpText) {
    std::vector<std::uint8_t> bytes(cpText.begin(), cpText.end());
    bytes.push_back(0);
    Put(root, path, name, kRegSz, std::move(bytes));
}

void MemoryRegistry::PutDword(RegKey root, std::string_view path, std::string_view name, std::uint32_t value) {
    Put(root, path, name, kRegDword,
        {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
         static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)});
}

std::optional<MemoryRegistry::Value> MemoryRegistry::Get(RegKey root, std::string_view path,
                                                         std::string_view name) const {
    auto k = keys_.find(Lower(*FullPath(root, path)));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.values.find(Lower(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.second;
}

bool MemoryRegistry::KeyExists(RegKey root, std::string_view path) const {
    return keys_.contains(Lower(*FullPath(root, path)));
}

std::map<std::string, MemoryRegistry::Value> MemoryRegistry::Snapshot(RegKey root, std::string_view path) const {
    const std::string prefix = Lower(*FullPath(root, path));
    std::map<std::string, Value> out;
    for (const auto& [keyPath, key] : keys_) {
        if (keyPath != prefix && keyPath.rfind(prefix + "\\", 0) != 0) continue;
        out[keyPath];  // empty keys count too
        for (const auto& [lower, entry] : key.values) out[keyPath + "|" + lower] = entry.second;
    }
    return out;
}

std::vector<MemoryRegistry::Call> MemoryRegistry::Writes() const {
    std::vector<Call> out;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(out),
                 [](const Call& c) { return c.op == Op::SetValue; });
    return out;
}

}  // namespace platform
