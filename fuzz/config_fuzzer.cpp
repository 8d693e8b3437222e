// Arbitrary values under ACT!'s command and toolbar keys (any "Count", any
// types and lengths), then what the runs and the list window do to them: a
// table created, a valid command file added, each position removed. Nothing
// may escape but the table's own errors, nothing may be written outside
// ACT!'s configuration, a refused change writes nothing, and an accepted one
// keeps every command that could be read, byte for byte, in its order. And
// when any one write of a change fails, the change is put back: the
// configuration afterwards is the one before, byte for byte.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "commands/clCustomTessivars.h"
#include "common/ActRegistry.h"
#include "common/modRegistry.h"
#include "manager/ConfigurationChange.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"
#include "toolbars/clACTToolbars.h"
#include "Property.h"

namespace {

using platform::kHKeyCurrentUser;
using Value = platform::MemoryRegistry::Value;

const std::string kCommands(actregistry::kCustomCommands);
constexpr std::int32_t kSmallTable = 16;  // larger trusted counts are folded below it: the removals are quadratic
constexpr std::int32_t kSmallBars = 8;

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : m_Data(data), m_Size(size) {}
    bool Done() const { return m_Pos >= m_Size; }
    std::uint8_t Byte() { return m_Pos < m_Size ? m_Data[m_Pos++] : 0; }
    std::vector<std::uint8_t> Bytes(std::size_t n) {
        n = std::min(n, m_Size - std::min(m_Pos, m_Size));
        std::vector<std::uint8_t> out(m_Data + m_Pos, m_Data + m_Pos + n);
        m_Pos += n;
        return out;
    }

private:
    const std::uint8_t* m_Data;
    std::size_t m_Size;
    std::size_t m_Pos = 0;
};

std::string Identifier(Input& in) {
    const std::uint8_t b = in.Byte();
    if (b < 240) return std::to_string(30099 + b % 12);
    std::uint32_t id = 0;
    for (int i = 0; i < 4; ++i) id |= static_cast<std::uint32_t>(in.Byte()) << (8 * i);
    return std::to_string(static_cast<std::int32_t>(id));
}

// Each entry: key, name, type, a 16-bit length and that many data bytes.
void Seed(SubstituteServices& sub, const std::uint8_t* data, std::size_t size) {
    static constexpr std::uint32_t kTypes[] = {1, 3, 3, 4, 4, 0, 2, 7, 11};
    Input in(data, size);
    while (!in.Done()) {
        const std::uint8_t key = in.Byte() % 6;
        const std::uint8_t which = in.Byte();
        std::string path, name;
        if (key == 0) {
            path = kCommands;
            switch (which % 5) {
                case 0: name = "Count"; break;
                case 1:
                case 4: name = "Command-" + std::to_string(which / 5 % 10); break;
                case 2: name = "BitmapL-" + Identifier(in); break;
                default: name = "BitmapS-" + Identifier(in); break;
            }
        } else if (key == 1) {
            path = actregistry::kToolbarSummary;
            name = "Bars";
        } else {
            path = actregistry::ToolbarKey(key - 2);
            static const char* const kNames[] = {"TypeID", "Buttons", "Buttons", "WindowName"};
            name = kNames[which % 4];
        }
        const std::uint32_t type = kTypes[in.Byte() % std::size(kTypes)];
        const std::size_t length = (in.Byte() | (std::size_t{in.Byte()} << 8)) % 4096;
        sub.registry.Put(kHKeyCurrentUser, path, name, type, in.Bytes(length));
    }
    // Counts the table trusts are kept small enough to remove every position.
    const RegistryValue count = modRegistry::RegistryGetKeyValue(sub.Registry(), kHKeyCurrentUser, kCommands, "Count");
    const std::int32_t n = LenientNumber(count);
    if ((count.IsNumber() || count.IsText()) && n > kSmallTable && n <= clCustomTessivars::kMaxCommands) {
        sub.registry.PutDword(kHKeyCurrentUser, kCommands, "Count", static_cast<std::uint32_t>(n % (kSmallTable + 1)));
    }
    const std::int32_t bars = LenientNumber(
        modRegistry::RegistryGetKeyValue(sub.Registry(), kHKeyCurrentUser, actregistry::kToolbarSummary, "Bars"));
    if (bars > kSmallBars) sub.registry.PutDword(kHKeyCurrentUser, actregistry::kToolbarSummary, "Bars", kSmallBars);

    ByteArray file(1172, 0);
    const std::string newName = "Fuzz-Neu";
    std::copy(newName.begin(), newName.end(), file.begin() + 16);
    for (int side : {24, 16}) {
        ByteArray header(40, 0);
        header[0] = 40;
        header[4] = header[8] = static_cast<std::uint8_t>(side);
        header[12] = 1;
        header[14] = 24;
        header[20] = static_cast<std::uint8_t>(side * side * 3);
        header[21] = static_cast<std::uint8_t>(side * side * 3 >> 8);
        file.insert(file.end(), header.begin(), header.end());
        file.insert(file.end(), static_cast<std::size_t>(side * side * 3), static_cast<std::uint8_t>(side));
    }
    sub.files.Put("neu.cmd", file);
    sub.registry.ClearLog();
}

std::optional<Value> Get(const platform::SubstitutePlatform& sub, const std::string& name) {
    return sub.registry.Get(kHKeyCurrentUser, kCommands, name);
}

// A command whose record is a binary value: what must survive every accepted change.
struct Readable {
    ByteArray record;
    std::optional<std::string> id;  // when the identifier can be read
    std::optional<Value> large, small;
};

std::vector<Readable> ReadableCommands(const platform::SubstitutePlatform& sub, std::int32_t count) {
    std::vector<Readable> out(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const auto record = Get(sub, "Command-" + std::to_string(i));
        if (!record || record->type != platform::kRegBinary) continue;
        Readable& r = out[static_cast<std::size_t>(i)];
        r.record = record->data;
        if (r.record.size() >= 4 && r.record[3] < 0x80) {
            const std::int32_t id = r.record[0] | r.record[1] << 8 | r.record[2] << 16 | r.record[3] << 24;
            r.id = std::to_string(id);
            r.large = Get(sub, "BitmapL-" + *r.id);
            r.small = Get(sub, "BitmapS-" + *r.id);
        }
    }
    return out;
}

bool SameValue(const std::optional<Value>& a, const std::optional<Value>& b) {
    return a.has_value() == b.has_value() && (!a || (a->type == b->type && a->data == b->data));
}

// Where the readable command `before` must be found now: at `position`.
void CheckKept(const platform::SubstitutePlatform& sub, const Readable& before, std::int32_t position) {
    if (before.record.empty() && !before.id) return;
    const auto record = Get(sub, "Command-" + std::to_string(position));
    Check(record && record->type == platform::kRegBinary && record->data == before.record);
    if (!before.id) return;
    // Binary images are rewritten as they were; any other kind is left alone.
    Check(SameValue(Get(sub, "BitmapL-" + *before.id), before.large));
    Check(SameValue(Get(sub, "BitmapS-" + *before.id), before.small));
}

void CheckWritesStayInside(const platform::SubstitutePlatform& sub) {
    const std::string inside = ascii::Lower("HKCU\\" + std::string(actregistry::kMenuConfig) + "\\");
    for (const auto& w : sub.registry.Writes()) Check(ascii::Lower(w.keyPath + "\\").rfind(inside, 0) == 0);
}

void TryAdd(const std::uint8_t* data, std::size_t size) {
    SubstituteServices sub;
    Seed(sub, data, size);
    clCustomTessivars table(sub.Commands());
    const bool trusted = table.ChangeRefusal().empty();
    const std::int32_t n = table.Count();
    const std::vector<Readable> before = ReadableCommands(sub, trusted ? n : 0);
    const std::set<std::int32_t> onToolbars = clACTToolbars(sub.Registry()).ButtonIDs();
    sub.registry.ClearLog();

    clCustomTessivar* added = nullptr;
    try {
        added = table.Add("neu.cmd", onToolbars);
    } catch (const AppError&) {
        Check(sub.registry.Writes().empty());
        return;
    }
    CheckWritesStayInside(sub);
    if (added == nullptr) {
        Check(sub.registry.Writes().empty());
        return;
    }
    Check(trusted);
    const std::string id = std::to_string(added->CommandID());
    Check(added->CommandID() >= clCustomTessivars::kFirstCommandID && !onToolbars.contains(added->CommandID()));
    const std::set<std::string> allowed = {"Command-" + std::to_string(n), "BitmapL-" + id, "BitmapS-" + id, "Count"};
    for (const auto& w : sub.registry.Writes()) Check(allowed.contains(w.name));
    for (std::int32_t i = 0; i < n; ++i) CheckKept(sub, before[static_cast<std::size_t>(i)], i);
    clCustomTessivars fresh(sub.Commands());
    Check(fresh.Count() == n + 1 && fresh.Item(n).Name() == "Fuzz-Neu");
}

void TryRemove(const std::uint8_t* data, std::size_t size, std::int32_t position) {
    SubstituteServices sub;
    Seed(sub, data, size);
    clCustomTessivars table(sub.Commands());
    const bool trusted = table.ChangeRefusal().empty();
    const std::int32_t n = table.Count();
    const std::vector<Readable> before = ReadableCommands(sub, trusted ? n : 0);
    std::set<std::string> existed;
    for (std::int32_t i = 0; i < n; ++i) {
        if (Get(sub, "Command-" + std::to_string(i))) existed.insert("Command-" + std::to_string(i));
    }
    sub.registry.ClearLog();

    const bool removed = table.Remove(position);
    CheckWritesStayInside(sub);
    Check(removed == (trusted && position < n));
    if (!removed) {
        Check(sub.registry.Writes().empty());
        return;
    }
    for (const auto& w : sub.registry.Writes()) {
        // No number gets a record where neither it nor the record moving to it had one.
        if (w.name.rfind("Command-", 0) != 0 || !w.data.empty()) continue;
        const std::int32_t j = std::stoi(w.name.substr(8));
        const std::string source = "Command-" + std::to_string(j < position ? j : j + 1);
        Check(existed.contains(w.name) || existed.contains(source));
    }
    for (std::int32_t i = 0; i < n; ++i) {
        if (i != position) CheckKept(sub, before[static_cast<std::size_t>(i)], i < position ? i : i - 1);
    }
    Check(clCustomTessivars(sub.Commands()).Count() == n - 1);
}

// The k-th write of an addition (position < 0) or a removal fails.
void TryFailing(const std::uint8_t* data, std::size_t size, int k, std::int32_t position) {
    SubstituteServices sub;
    Seed(sub, data, size);
    const auto before = sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig);
    clCustomTessivars table(sub.Commands());
    bool finished = true;
    {
        ConfigurationChange change(sub.Registry(), nullptr);
        sub.registry.FailWrite(k);
        try {
            if (position < 0) {
                table.Add("neu.cmd", {});
            } else {
                table.Remove(position);
            }
        } catch (const AppError& e) {
            // A refused write, or the table's own refusal before any write.
            Check(e.number() == ErrorNumber::RegistryNotWritten || !change.Failed());
        }
        finished = change.Finish();
        sub.registry.SetFaultHook(nullptr);
    }
    if (!finished) Check(sub.registry.Snapshot(kHKeyCurrentUser, actregistry::kMenuConfig) == before);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t n = 0;
    try {
        TryAdd(data, size);
        SubstituteServices sub;
        Seed(sub, data, size);
        n = clCustomTessivars(sub.Commands()).Count();
        for (std::int32_t p = 0; p < std::min(n, kSmallTable + 1); ++p) TryRemove(data, size, p);
        if (n == 0) TryRemove(data, size, 0);
        // Which write fails comes from the input's last byte.
        const int k = size > 0 ? 1 + data[size - 1] % 24 : 1;
        TryFailing(data, size, k, -1);
        TryFailing(data, size, k, n > 0 ? static_cast<std::int32_t>(size % static_cast<std::size_t>(n)) : 0);
    } catch (...) {
        std::abort();  // only Add's own errors may reach a caller, and TryAdd takes those
    }
    return 0;
}
