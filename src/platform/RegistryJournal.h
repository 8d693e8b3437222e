#pragma once
// A registry in front of another that remembers, while a change is open,
// what every value it writes or deletes was before, so that the change can
// be put back as it found the registry. After the first failed write of a
// change it writes nothing more: a change is all or nothing, never a part.
//
// Outside a change it passes everything through untouched.
#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class RegistryJournal : public IRegistry {
public:
    explicit RegistryJournal(IRegistry& inner) : m_Inner(&inner) {}

    // The journal `registry` is, or nothing when it is none.
    static RegistryJournal* Of(IRegistry& registry) { return dynamic_cast<RegistryJournal*>(&registry); }

    struct Failure {
        RegKey root = 0;
        std::string path;  // code page, below root
        std::string name;  // empty for a key that could not be made
        long code = 0;
        bool deletion = false;
    };

    // Opens a change; AppError when one is open already.
    void Begin();
    // Ends it, keeping what it wrote.
    void Commit();
    // Ends it, putting back every value it changed (newest first) and taking
    // away the keys it made. False when any of that failed too.
    bool Undo();
    bool InChange() const { return m_Open; }
    // The first write of the open change that failed.
    const std::optional<Failure>& FirstFailure() const { return m_Failure; }
    std::size_t ChangedValues() const { return m_Before.size(); }

    long OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                    std::uint32_t& size) override;
    long QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) override;
    long CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) override;
    long CloseKey(RegKey key) override;
    long EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
    long EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) override;
    long DeleteValue(RegKey key, std::string_view name) override;
    long DeleteKey(RegKey root, std::string_view path) override;

private:
    struct Place {
        RegKey root = 0;
        std::string path;
    };
    struct Before {
        Place place;
        std::string name;
        bool existed = false;
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;
    };

    Place PlaceOf(RegKey rootOrKey, std::string_view path) const;
    static std::string Lower(const Place& place, std::string_view name = {});
    bool KeyExists(const Place& place);
    long Remember(RegKey key, std::string_view name);
    long Fail(Place place, std::string_view name, long code, bool deletion = false);
    void Reset();

    IRegistry* m_Inner;
    bool m_Open = false;
    std::map<RegKey, Place> m_Handles;  // keys opened through the journal
    std::set<std::string> m_Known;  // keys seen to exist (lower-cased), during a change
    std::set<std::string> m_Touched;  // values remembered already (lower-cased)
    std::vector<Before> m_Before;  // in the order first changed
    std::vector<Place> m_MadeKeys;  // in the order made
    std::optional<Failure> m_Failure;
};

}  // namespace platform
