#include "platform/RegistryJournal.h"

#include "base/AppError.h"
#include "base/Ascii.h"

namespace platform {
namespace {

// What a value reads as, for putting it back: its type and bytes, or that it
// was not there. Nothing when the registry cannot say.
std::optional<long> ReadValue(IRegistry& registry, RegKey key, std::string_view name, bool& existed,
                              std::uint32_t& type, std::vector<std::uint8_t>& data) {
    for (int attempt = 0; attempt < 4; ++attempt) {  // a value may grow between the two questions
        std::uint32_t size = 0;
        long r = registry.QueryValue(key, name, type, {}, size);
        if (r == kErrorFileNotFound) {
            existed = false;
            return std::nullopt;
        }
        if (r != kErrorSuccess) return r;
        data.assign(size, 0);
        if (size == 0) {
            existed = true;
            return std::nullopt;
        }
        std::uint32_t got = size;
        r = registry.QueryValue(key, name, type, data, got);
        if (r == kErrorMoreData) continue;
        if (r != kErrorSuccess) return r;
        data.resize(got);
        existed = true;
        return std::nullopt;
    }
    return kErrorMoreData;
}

}  // namespace

void RegistryJournal::Begin() {
    if (m_Open) Raise(ErrorNumber::Internal);
    Reset();
    m_Open = true;
}

void RegistryJournal::Commit() { Reset(); }

void RegistryJournal::Reset() {
    m_Open = false;
    m_Known.clear();
    m_Touched.clear();
    m_Before.clear();
    m_MadeKeys.clear();
    m_Failure.reset();
}

RegistryJournal::Place RegistryJournal::PlaceOf(RegKey rootOrKey, std::string_view path) const {
    auto it = m_Handles.find(rootOrKey);
    if (it == m_Handles.end()) return {rootOrKey, std::string(path)};
    Place place = it->second;
    if (!path.empty()) place.path += (place.path.empty() ? "" : "\\") + std::string(path);
    return place;
}

std::string RegistryJournal::Lower(const Place& place, std::string_view name) {
    return std::to_string(place.root) + "|" + ascii::Lower(place.path) + "|" + ascii::Lower(name);
}

bool RegistryJournal::KeyExists(const Place& place) {
    if (m_Known.contains(Lower(place))) return true;
    RegKey key = 0;
    if (m_Inner->OpenKey(place.root, place.path, kKeyRead, key) != kErrorSuccess) return false;
    m_Inner->CloseKey(key);
    m_Known.insert(Lower(place));
    return true;
}

long RegistryJournal::Fail(Place place, std::string_view name, long code, bool deletion) {
    if (!m_Failure) m_Failure = Failure{place.root, std::move(place.path), std::string(name), code, deletion};
    return code;
}

long RegistryJournal::OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    const long r = m_Inner->OpenKey(root, path, access, key);
    if (r == kErrorSuccess) m_Handles[key] = PlaceOf(root, path);
    return r;
}

long RegistryJournal::QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                                 std::uint32_t& size) {
    return m_Inner->QueryValue(key, name, type, buffer, size);
}

long RegistryJournal::QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) {
    return m_Inner->QueryText(key, name, type, text);
}

long RegistryJournal::CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) {
    if (!m_Open) {
        const long r = m_Inner->CreateKey(root, path, access, key);
        if (r == kErrorSuccess) m_Handles[key] = PlaceOf(root, path);
        return r;
    }
    key = 0;
    const Place place = PlaceOf(root, path);
    if (m_Failure) return m_Failure->code;
    // The levels that are not there yet are made by this change, and go
    // again when it is undone.
    std::vector<Place> made;
    if (!KeyExists(place)) {
        Place level{place.root, {}};
        std::string_view rest = place.path;
        while (!rest.empty()) {
            const std::size_t cut = rest.find('\\');
            if (!level.path.empty()) level.path += "\\";
            level.path += rest.substr(0, cut);
            rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
            if (!made.empty() || !KeyExists(level)) made.push_back(level);
        }
    }
    const long r = m_Inner->CreateKey(root, path, access, key);
    if (r != kErrorSuccess) {
        // Some levels may have been made before the failure: they are taken
        // away again by Undo, which ignores those that are not there.
        m_MadeKeys.insert(m_MadeKeys.end(), made.begin(), made.end());
        return Fail(place, {}, r);
    }
    m_MadeKeys.insert(m_MadeKeys.end(), made.begin(), made.end());
    m_Known.insert(Lower(place));
    m_Handles[key] = place;
    return r;
}

// The value as it is before this change first touches it. A value whose
// state cannot be read could not be put back: it is not written.
long RegistryJournal::Remember(RegKey key, std::string_view name) {
    const Place place = PlaceOf(key, {});
    if (m_Failure) return m_Failure->code;
    const std::string id = Lower(place, name);
    if (m_Touched.contains(id)) return kErrorSuccess;
    Before before{place, std::string(name)};
    if (auto problem = ReadValue(*m_Inner, key, name, before.existed, before.type, before.data)) {
        return Fail(place, name, *problem);
    }
    m_Touched.insert(id);
    m_Before.push_back(std::move(before));
    return kErrorSuccess;
}

long RegistryJournal::SetValue(RegKey key, std::string_view name, std::uint32_t type,
                               std::span<const std::uint8_t> data) {
    if (!m_Open) return m_Inner->SetValue(key, name, type, data);
    if (const long r = Remember(key, name); r != kErrorSuccess) return r;
    const long r = m_Inner->SetValue(key, name, type, data);
    return r == kErrorSuccess ? r : Fail(PlaceOf(key, {}), name, r);
}

long RegistryJournal::DeleteValue(RegKey key, std::string_view name) {
    if (!m_Open) return m_Inner->DeleteValue(key, name);
    if (const long r = Remember(key, name); r != kErrorSuccess) return r;
    const long r = m_Inner->DeleteValue(key, name);
    return r == kErrorSuccess || r == kErrorFileNotFound ? r : Fail(PlaceOf(key, {}), name, r, true);
}

// A change deletes values, never keys: a key holds what it cannot put back.
long RegistryJournal::DeleteKey(RegKey root, std::string_view path) {
    if (!m_Open) return m_Inner->DeleteKey(root, path);
    return Fail(PlaceOf(root, path), {}, kErrorAccessDenied);
}

long RegistryJournal::CloseKey(RegKey key) {
    m_Handles.erase(key);
    return m_Inner->CloseKey(key);
}

long RegistryJournal::EnumKey(RegKey key, std::uint32_t index, std::string& name) {
    return m_Inner->EnumKey(key, index, name);
}

long RegistryJournal::EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                                std::vector<std::uint8_t>& data) {
    return m_Inner->EnumValue(key, index, name, type, data);
}

bool RegistryJournal::Undo() {
    bool complete = true;
    for (auto it = m_Before.rbegin(); it != m_Before.rend(); ++it) {
        RegKey key = 0;
        const Place& p = it->place;
        if (it->existed) {
            complete &= m_Inner->CreateKey(p.root, p.path, kKeyAllAccess, key) == kErrorSuccess &&
                        m_Inner->SetValue(key, it->name, it->type, it->data) == kErrorSuccess;
        } else {
            const long opened = m_Inner->OpenKey(p.root, p.path, kKeyAllAccess, key);
            if (opened == kErrorSuccess) {
                const long r = m_Inner->DeleteValue(key, it->name);
                complete &= r == kErrorSuccess || r == kErrorFileNotFound;
            } else {
                complete &= opened == kErrorFileNotFound;
            }
        }
        if (key != 0) m_Inner->CloseKey(key);
    }
    for (auto it = m_MadeKeys.rbegin(); it != m_MadeKeys.rend(); ++it) {
        const long r = m_Inner->DeleteKey(it->root, it->path);
        complete &= r == kErrorSuccess || r == kErrorFileNotFound;
    }
    Reset();
    return complete;
}

}  // namespace platform
