#pragma once
// In-memory registry: a key tree with the registry's case-insensitive names,
// a log of every operation in order, and a hook that can make any operation
// fail (by its result code or by throwing). It is 64-bit Windows' registry
// in the German code page (Windows-1252): a key opened in the 32-bit view
// (kKeyWow64_32Key) below HKLM\Software is the one below its WOW6432Node.
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class MemoryRegistry : public IRegistry {
public:
    enum class Op {
        OpenKey,
        QueryValue,
        CreateKey,
        SetValue,
        CloseKey,
        EnumKey,
        EnumValue,
        DeleteValue,
        DeleteKey,
        QueryText
    };

    struct Call {
        Op op;
        std::string keyPath;  // "HKCU\\Software\\..." as given (names as passed, root abbreviated)
        std::string name;  // value name, for QueryValue, SetValue and DeleteValue
        std::uint32_t type = 0;
        std::vector<std::uint8_t> data;  // SetValue only
        long result = kErrorSuccess;
    };

    struct Value {
        std::uint32_t type = kRegNone;
        std::vector<std::uint8_t> data;
        // The text the wide functions read, where the code page's bytes lost characters.
        std::optional<std::string> unicode;
        bool operator==(const Value&) const = default;
    };

    // Returns a non-zero code to make the call fail with it, or throws.
    using FaultHook = std::function<long(const Call&)>;

    long OpenKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long QueryValue(RegKey key, std::string_view name, std::uint32_t& type, std::span<std::uint8_t> buffer,
                    std::uint32_t& size) override;
    long QueryText(RegKey key, std::string_view name, std::uint32_t& type, std::string& text) override;
    long CreateKey(RegKey root, std::string_view path, std::uint32_t access, RegKey& key) override;
    long SetValue(RegKey key, std::string_view name, std::uint32_t type, std::span<const std::uint8_t> data) override;
    long CloseKey(RegKey key) override;
    long DeleteValue(RegKey key, std::string_view name) override;
    long DeleteKey(RegKey root, std::string_view path) override;
    long EnumKey(RegKey key, std::uint32_t index, std::string& name) override;
    long EnumValue(RegKey key, std::uint32_t index, std::string& name, std::uint32_t& type,
                   std::vector<std::uint8_t>& data) override;

    // --- test side ---
    void SetFaultHook(FaultHook hook) { m_Fault = std::move(hook); }
    // Makes the k-th write from now (1-based: SetValue, DeleteValue and the
    // CreateKey of a key that is not there yet count) and every later one fail.
    void FailWritesFrom(int k, long code = kErrorAccessDenied);
    // Makes only the k-th write from now fail.
    void FailWrite(int k, long code = kErrorAccessDenied);
    // Whether a call changes the registry: what the two above count.
    bool IsWrite(const Call& call) const;

    void Put(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
             std::vector<std::uint8_t> data);
    void PutText(RegKey root, std::string_view path, std::string_view name, std::string_view cpText);
    // A text value (kRegSz, kRegExpandSz) given in UTF-8: the wide functions
    // read it whole, the code page's ones with '?' for what it lacks.
    void PutUnicodeText(RegKey root, std::string_view path, std::string_view name, std::uint32_t type,
                        std::string_view utf8);
    void PutDword(RegKey root, std::string_view path, std::string_view name, std::uint32_t value);
    std::optional<Value> Get(RegKey root, std::string_view path, std::string_view name) const;
    bool KeyExists(RegKey root, std::string_view path) const;
    // Every value under a key and its subkeys, with full names: a snapshot to compare.
    std::map<std::string, Value> Snapshot(RegKey root, std::string_view path) const;

    const std::vector<Call>& Calls() const { return m_Calls; }
    std::vector<Call> Writes() const;  // the SetValue calls only
    std::vector<Call> Deletions() const;  // the DeleteValue and DeleteKey calls
    void ClearLog() { m_Calls.clear(); }
    std::size_t OpenHandleCount() const { return m_Handles.size(); }

private:
    struct Key {
        std::string name;  // the last part of the path, as first given
        std::map<std::string, std::pair<std::string, Value>> values;  // lower name -> (name, value)
    };
    void MakeKeys(const std::string& fullPath);

    static std::string RootName(RegKey root);
    std::optional<std::string> FullPath(RegKey rootOrKey, std::string_view path) const;
    static std::string InView(RegKey root, std::string_view path, std::uint32_t access);
    long Record(Call call);
    long Find(Op op, RegKey key, std::string_view name, const Value*& value);

    std::map<std::string, Key> m_Keys;  // lower-cased full path -> key
    std::map<RegKey, std::string> m_Handles;  // open handle -> full path (as lower-cased)
    std::map<RegKey, std::string> m_HandleNames;  // open handle -> full path as given
    RegKey m_NextHandle = 0x1000;
    std::vector<Call> m_Calls;
    FaultHook m_Fault;
};

}  // namespace platform
