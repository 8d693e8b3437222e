#include "manager/modBackup.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "base/AppError.h"
#include "base/ScopeExit.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"
#include "base/Utf8.h"
#include "commands/clCustomTessivars.h"
#include "common/modRegistry.h"
#include "manager/ChangeRecord.h"
#include "manager/ConfigurationChange.h"
#include "manager/RegFile.h"

namespace modBackup {
namespace {

using platform::kErrorSuccess;
using platform::kHKeyCurrentUser;

constexpr std::string_view kNamePrefix = "Sicherung ";
constexpr std::string_view kNameSuffix = ".reg";
constexpr std::string_view kCount = "Count";
constexpr std::string_view kNumberMark = " Nr. ";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A counter as Tessivar writes it: decimal digits, no leading zero, not 0.
bool Counter(std::string_view digits, std::int64_t& out) {
    if (digits.empty() || digits.size() > 18 || digits[0] == '0' ||
        !std::all_of(digits.begin(), digits.end(), IsDigit)) {
        return false;
    }
    std::from_chars(digits.data(), digits.data() + digits.size(), out);
    return true;
}

std::string KeyName(std::string_view belowRoot) { return std::string(kRootName) + "\\" + std::string(belowRoot); }

[[noreturn]] void RefuseKey(platform::ITextCodec& text, const std::string& cpPath) {
    Raise(ErrorNumber::FileAccess, std::string(texts::kBackupKeyUnreadable) + KeyName(text.FromCodePage(cpPath)));
}

// Only a value that comes back byte for byte may be saved: a backup that
// gave back something else would quietly change the configuration.
void Save(platform::ITextCodec& codec, regfile::Writer& out, const std::string& keyName, const std::string& name,
          std::uint32_t type, const ByteArray& data) {
    if (type == platform::kRegDword && data.size() == 4)
        return out.Number(name, static_cast<std::int32_t>(littleendian::ReadU32(data, 0)));
    if (type == platform::kRegBinary) return out.Binary(name, data);
    if (type == platform::kRegSz && !data.empty() && data.back() == 0) {
        const std::string text = codec.FromCodePage(std::string(data.begin(), data.end() - 1));
        std::string back = codec.ToCodePage(text);
        back.push_back('\0');
        if (ByteArray(back.begin(), back.end()) == data) return out.Text(name, text);
    }
    std::string why(texts::kBackupValueStart);
    why += name;
    why += texts::kBackupValueMiddle;
    why += keyName;
    why += texts::kBackupValueEnd;
    why += std::to_string(type) + ").";
    Raise(ErrorNumber::BadFileFormat, why);
}

// The key and its subkeys, depth first, each with all its values, written
// as they are read: only one value is held at a time.
void SaveKey(const modRegistry::Access& registry, const std::string& cpPath, regfile::Writer& out, bool top) {
    platform::RegKey raw = 0;
    const long opened = registry.registry.OpenKey(kHKeyCurrentUser, cpPath, platform::kKeyRead, raw);
    const std::string keyName = KeyName(registry.text.FromCodePage(cpPath));
    if (opened == platform::kErrorFileNotFound && top) {
        out.BeginKey(keyName);  // ACT! has not made its configuration yet
        return;
    }
    if (opened != kErrorSuccess) RefuseKey(registry.text, cpPath);
    const platform::RegistryKey key = platform::OwnKey(registry.registry, raw);
    out.BeginKey(keyName);
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        std::uint32_t type = 0;
        ByteArray data;
        const long r = registry.registry.EnumValue(key.get(), i, name, type, data);
        if (r == platform::kErrorNoMoreItems) break;
        if (r != kErrorSuccess) RefuseKey(registry.text, cpPath);
        Save(registry.text, out, keyName, registry.text.FromCodePage(name), type, data);
    }
    std::vector<std::string> subkeys;
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        const long r = registry.registry.EnumKey(key.get(), i, name);
        if (r == platform::kErrorNoMoreItems) break;
        if (r != kErrorSuccess) RefuseKey(registry.text, cpPath);
        subkeys.push_back(std::move(name));
    }
    for (const std::string& sub : subkeys) SaveKey(registry, cpPath + "\\" + sub, out, false);
}

std::string TwoDigits(int n) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return digits;
}

std::string NameOf(const platform::LocalTime& t, std::int64_t number) {
    std::string name(kNamePrefix);
    name += std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " + TwoDigits(t.hour) + "-" +
            TwoDigits(t.minute) + "-" + TwoDigits(t.second);
    name += std::string(kNumberMark) + std::to_string(number);
    return name + std::string(kNameSuffix);
}

// Numbered ones by their number; the older names before all of them, by
// date and sequence.
auto Order(const Entry& e) {
    const platform::LocalTime& t = e.time;
    return std::tie(e.number, t.year, t.month, t.day, t.hour, t.minute, t.second, e.sequence);
}

// Beyond the newest kAlwaysKept, older backups stay while they are fewer
// than kKept and together smaller than the store's keptBytes; the rest go, oldest
// first. Never the one just written, even when the clock went back and its
// name sorts before older ones.
void Prune(const Store& store, const std::string& written) {
    std::vector<Entry> entries = List(store);
    std::uint64_t olderBytes = 0;
    bool full = false;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i < kAlwaysKept || entries[i].path == written) continue;
        full = full || i >= kKept || olderBytes + entries[i].size >= store.keptBytes;
        if (!full) {
            olderBytes += entries[i].size;
            continue;
        }
        try {
            store.files.RemoveFile(entries[i].path);
        } catch (const AppError&) {
            // A backup that cannot be deleted (read-only, in use) is kept;
            // the change it guards goes on.
        }
    }
}

// A backup is written under this name and only renamed when whole; one
// left by a write that never ended is deleted with the next backup.
constexpr std::string_view kPartSuffix = ".teil";

bool IsOwnPart(std::string_view name) {
    return name.ends_with(kPartSuffix) && EntryOf("", name.substr(0, name.size() - kPartSuffix.size())).has_value();
}

void DropParts(const Store& store, const std::string& folder) {
    for (const platform::FileEntry& file : store.files.ListFiles(folder)) {
        if ((file.attributes & platform::kAttributeReparsePoint) != 0 || !IsOwnPart(file.name)) continue;
        try {
            store.files.RemoveFile(platform::JoinPath(folder, file.name));
        } catch (const AppError&) {
            // Never listed, never restored: only its room is lost.
        }
    }
}

std::string WriteBackup(const modRegistry::Access& registry, const Store& store, std::string_view reason) {
    const std::string& folder = store.folder.Path();
    if (folder.empty()) Raise(ErrorNumber::PathNotFound, std::string(texts::kBackupNoFolder));
    store.files.CreateFolders(folder);
    DropParts(store, folder);
    const platform::LocalTime now = store.clock.LocalNow();
    // After the highest number there, not in a gap that pruning left: the
    // new one must be the newest whatever the clock says.
    std::int64_t number = 1;
    for (const Entry& e : List(store)) number = std::max(number, e.number + 1);
    std::string path;
    for (;; ++number) {
        path = platform::JoinPath(folder, NameOf(now, number));
        if (!store.files.Exists(path) && !store.files.Exists(path + std::string(kPartSuffix))) break;
    }
    // The file gets its name only once all of it is on the disk: a process
    // killed on the way leaves a part that is never taken for a backup.
    const std::string part = path + std::string(kPartSuffix);
    bool named = false;
    ScopeExit dropPart([&] {
        if (!named) store.files.RemoveFile(part);
    });
    {
        const auto file = store.files.OpenWrite(part);
        regfile::Writer out([&file](std::span<const std::uint8_t> piece) { file->Write(piece); });
        if (!reason.empty()) out.Reason(reason);
        SaveKey(registry, registry.text.ToCodePage(actregistry::kMenuConfig), out, true);
        out.Finish();
        file->Flush();
    }
    store.files.Rename(part, path);
    named = true;
    return path;
}

// Whether the file ends as a whole backup does, and then the reason it
// names; a file that cannot be read is no backup either.
bool Whole(platform::IFileSystem& files, Entry& entry) {
    try {
        const auto file = files.OpenRead(entry.path);
        ByteArray head(static_cast<std::size_t>(std::min<std::uint64_t>(entry.size, regfile::kHeadBytes)));
        head.resize(file->Read(head));
        const std::uint64_t tail = std::min<std::uint64_t>(entry.size, regfile::kTailBytes);
        ByteArray bytes(static_cast<std::size_t>(tail));
        file->Seek(entry.size - tail);
        if (file->Read(bytes) != bytes.size() || !regfile::EndsWhole(bytes)) return false;
        entry.reason = regfile::ReasonOf(head);
        return true;
    } catch (const AppError&) {
        return false;
    }
}

// --- restoring --------------------------------------------------------------

std::string Lower(platform::ITextCodec& codec, std::string_view text) { return codec.ToLower(text); }

bool FitsCodePage(platform::ITextCodec& codec, const std::string& text) {
    return codec.FromCodePage(codec.ToCodePage(text)) == text;
}

// The key below HKEY_CURRENT_USER, or nothing for a key outside ACT!'s
// configuration: another root, a path that leaves the configuration, or
// one with empty or "." and ".." parts.
std::optional<std::string> BelowRoot(platform::ITextCodec& text, const std::string& path) {
    const std::string own = KeyName(actregistry::kMenuConfig);
    if (path.size() < own.size() || Lower(text, path.substr(0, own.size())) != Lower(text, own)) return std::nullopt;
    std::string_view rest = std::string_view(path).substr(own.size());
    if (!rest.empty()) {
        if (rest.front() != '\\') return std::nullopt;
        rest.remove_prefix(1);
        for (;;) {
            const std::size_t cut = rest.find('\\');
            const std::string_view part = rest.substr(0, cut);
            if (part.empty() || part == "." || part == "..") return std::nullopt;
            if (cut == std::string_view::npos) break;
            rest.remove_prefix(cut + 1);
        }
    }
    return path.substr(kRootName.size() + 1);
}

struct PlannedWrite {
    std::string cpKey;
    std::string cpName;
    std::uint32_t type;
    ByteArray data;
    bool count;  // a "Count": written after everything else
};

// What the registry takes. A key is created from HKEY_CURRENT_USER in one
// call, which makes at most 32 levels; that also keeps the whole path far
// below the registry's limit. A value's length is kept in 31 bits.
constexpr std::size_t kMaxKeyPart = 255;
constexpr std::size_t kMaxKeyLevels = 32;
constexpr std::size_t kMaxValueName = 16383;
constexpr std::size_t kMaxValueBytes = 0x7FFFFFFF;

// Names in a message: a NUL made visible, a very long one cut.
std::string Shown(std::string_view name) {
    std::string out;
    for (char c : utf8::Left(name, 80)) {
        if (c == '\0') {
            out += "\\0";
        } else {
            out += c;
        }
    }
    if (utf8::Length(name) > 80) out += "…";
    return out;
}

[[noreturn]] void RefuseName(std::string_view why, std::string_view name) {
    Raise(ErrorNumber::BadFileFormat, std::string(why) + Shown(name));
}

// Every value of the file as it will be written, planned while the file is
// read; AppError for a file that may not be written at all. Nothing is
// planned that the registry would refuse or change: a restore that failed
// half way would leave a configuration that never was.
class Plan : public regfile::Handler {
public:
    // `judgeCounts`: refuse a commands' "Count" that a run would refuse.
    explicit Plan(platform::ITextCodec& text, bool judgeCounts = true) : m_Text(text), m_JudgeCounts(judgeCounts) {}

    void OnKey(std::string path) override {
        if (path.find('\0') != std::string::npos) RefuseName(texts::kRestoreNulInName, path);
        const std::optional<std::string> below = BelowRoot(m_Text, path);
        if (!below) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreOutsideKey) + Shown(path));
        if (!FitsCodePage(m_Text, *below))
            Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreNotInCodePage) + Shown(path));
        m_Key = m_Text.ToCodePage(*below);
        std::size_t levels = 1;
        for (std::size_t start = 0;; ++levels) {
            const std::size_t cut = m_Key.find('\\', start);
            const std::size_t end = cut == std::string::npos ? m_Key.size() : cut;
            if (end - start > kMaxKeyPart) RefuseName(texts::kRestoreKeyTooLong, path);
            if (cut == std::string::npos) break;
            start = cut + 1;
        }
        if (levels > kMaxKeyLevels) RefuseName(texts::kRestoreKeyTooLong, path);
        m_Commands = m_JudgeCounts && Lower(m_Text, *below) == Lower(m_Text, actregistry::kCustomCommands);
        m_Keys.push_back(m_Key);
    }
    void OnNumber(std::string name, std::int32_t value) override {
        const auto bytes = littleendian::Bytes(static_cast<std::uint32_t>(value));
        Add(name, RegistryValue(value), platform::kRegDword, ByteArray(bytes.begin(), bytes.end()));
    }
    void OnText(std::string name, std::string text) override {
        if (!FitsCodePage(m_Text, text)) RefuseName(texts::kRestoreNotInCodePage, name);
        const std::string cp = m_Text.ToCodePage(text);
        ByteArray data;
        data.reserve(cp.size() + 1);
        data.assign(cp.begin(), cp.end());
        data.push_back(0);
        Add(name, RegistryValue(std::move(text)), platform::kRegSz, std::move(data));
    }
    // The bytes go straight into the plan: a value of a hundred megabytes
    // is held once.
    void OnBinary(std::string name, ByteArray data) override {
        Add(name, RegistryValue(ByteArray{}), platform::kRegBinary, std::move(data));
    }

    std::vector<PlannedWrite> Done() {
        // ACT! reads the records only up to "Count": a count raised before its
        // records are back would show half a table.
        std::stable_partition(m_Writes.begin(), m_Writes.end(), [](const PlannedWrite& w) { return !w.count; });
        return std::move(m_Writes);
    }
    // Every key of the file, values or not, in the file's order.
    const std::vector<std::string>& Keys() const { return m_Keys; }

private:
    // `kind` carries what the "Count" rule needs: the number or text, or
    // for binary data only that it is binary.
    void Add(const std::string& name, const RegistryValue& kind, std::uint32_t type, ByteArray data) {
        if (name.find('\0') != std::string::npos) RefuseName(texts::kRestoreNulInName, name);
        if (!FitsCodePage(m_Text, name)) RefuseName(texts::kRestoreNotInCodePage, name);
        std::string cpName = m_Text.ToCodePage(name);
        if (cpName.size() > kMaxValueName) RefuseName(texts::kRestoreValueNameTooLong, name);
        if (data.size() > kMaxValueBytes) RefuseName(texts::kRestoreValueTooLarge, name);
        const bool count = Lower(m_Text, name) == Lower(m_Text, kCount);
        if (count && m_Commands) {
            // What a run would refuse to work on must not be put back.
            const std::string refusal = clCustomTessivars::CountRefusal(kind, true);
            if (!refusal.empty()) Raise(ErrorNumber::BadFileFormat, refusal + std::string(texts::kRestoreCountEnd));
        }
        m_Writes.push_back({m_Key, std::move(cpName), type, std::move(data), count});
    }

    platform::ITextCodec& m_Text;
    bool m_JudgeCounts;
    std::string m_Key;
    bool m_Commands = false;
    std::vector<PlannedWrite> m_Writes;
    std::vector<std::string> m_Keys;
};

void Refuse(platform::IMessageBoxes& boxes, std::string_view path, std::string_view why) {
    std::string text(texts::kRestoreRefusedStart);
    text += path;
    text += texts::kRestoreRefusedEnd;
    text += why;
    text += texts::kBackupNothingChanged;
    modMessages::MsgBox(boxes, text, platform::MsgIcon::Exclamation);
}

// A write the registry refuses raises AppError RegistryNotWritten.
void WriteAll(const modRegistry::Access& registry, const std::vector<PlannedWrite>& writes) {
    for (const PlannedWrite& w : writes) {
        const auto refused = [&](const std::string& cpName, long code) {
            Raise(ErrorNumber::RegistryNotWritten,
                  modRegistry::NotWrittenText(kHKeyCurrentUser, registry.text.FromCodePage(w.cpKey),
                                              registry.text.FromCodePage(cpName), code));
        };
        platform::RegKey raw = 0;
        if (const long r = registry.registry.CreateKey(kHKeyCurrentUser, w.cpKey, platform::kKeyAllAccess, raw);
            r != kErrorSuccess) {
            refused({}, r);
        }
        const platform::RegistryKey key = platform::OwnKey(registry.registry, raw);
        if (const long r = registry.registry.SetValue(key.get(), w.cpName, w.type, w.data); r != kErrorSuccess)
            refused(w.cpName, r);
    }
}

}  // namespace

const std::string& Folder::Path() const {
    if (m_Ask) {
        m_Path = m_Ask();
        m_Ask = nullptr;
    }
    return m_Path;
}

std::vector<regfile::Key> Current(const modRegistry::Access& registry) {
    ByteArray bytes;
    regfile::Writer out(
        [&bytes](std::span<const std::uint8_t> piece) { bytes.insert(bytes.end(), piece.begin(), piece.end()); });
    SaveKey(registry, registry.text.ToCodePage(actregistry::kMenuConfig), out, true);
    out.Finish();
    return regfile::Parse(bytes);
}

std::vector<regfile::Key> Keys(platform::IFileSystem& files, std::string_view path) {
    const auto file = files.OpenRead(path);
    return regfile::ReadKeys([&file](std::span<std::uint8_t> buffer) { return file->Read(buffer); });
}

std::string FolderOf(platform::IShellFolders& shell) {
    const std::string appData = shell.GetSpecialFolder(platform::kFolderLocalAppData, 0);
    return appData.empty() ? std::string() : platform::JoinPath(appData, kFolderBelowAppData);
}

bool Take(const modRegistry::Access& registry, const Store& store, std::string_view reason) {
    try {
        // Another Tessivar died in a change that no start has put back yet:
        // its backup is the only one of the configuration before it.
        if (store.record != nullptr && !store.record->IsOpen() && store.record->Unfinished(store.folder.Path()))
            Raise(ErrorNumber::FileAccess, std::string(texts::kChangeStillUnfinished));
        const std::string written = WriteBackup(registry, store, reason);
        Prune(store, written);
        if (store.record != nullptr && !store.record->IsOpen()) store.record->Open(store.folder.Path(), written);
        return true;
    } catch (const std::exception& e) {
        std::string text(texts::kBackupNotWritten);
        text += ErrorOf(e).description();
        text += texts::kBackupNothingChanged;
        modMessages::MsgBox(registry.boxes, text, platform::MsgIcon::Exclamation);
        return false;
    }
}

std::optional<Entry> EntryOf(std::string_view folder, std::string_view name) {
    // "Sicherung YYYY-MM-DD HH-MM-SS Nr. N.reg", or of old
    // "Sicherung YYYY-MM-DD HH-MM-SS[ (N)].reg": digits only, numbers
    // without leading zeros, a date and time a clock can show. Anything
    // else may be the user's own file.
    if (!name.starts_with(kNamePrefix) || !name.ends_with(kNameSuffix)) return std::nullopt;
    std::string_view stamp = name.substr(kNamePrefix.size(), name.size() - kNamePrefix.size() - kNameSuffix.size());
    const auto number = [&stamp](std::size_t width, int& out, std::string_view after, int low, int high) {
        if (stamp.size() < width + after.size()) return false;
        if (!std::all_of(stamp.begin(), stamp.begin() + static_cast<std::ptrdiff_t>(width), IsDigit)) return false;
        std::from_chars(stamp.data(), stamp.data() + width, out);
        if (out < low || out > high || !stamp.substr(width).starts_with(after)) return false;
        stamp.remove_prefix(width + after.size());
        return true;
    };
    Entry e{platform::JoinPath(folder, name), std::string(name), {}, 1, 0, 0};
    platform::LocalTime& t = e.time;
    if (!number(4, t.year, "-", 1000, 9999) || !number(2, t.month, "-", 1, 12) || !number(2, t.day, " ", 1, 31) ||
        !number(2, t.hour, "-", 0, 23) || !number(2, t.minute, "-", 0, 59) || !number(2, t.second, "", 0, 59)) {
        return std::nullopt;
    }
    if (stamp.empty()) return e;
    if (stamp.starts_with(kNumberMark)) {
        if (!Counter(stamp.substr(kNumberMark.size()), e.number)) return std::nullopt;
        return e;
    }
    if (!stamp.starts_with(" (") || !stamp.ends_with(")")) return std::nullopt;
    std::int64_t sequence = 0;
    if (!Counter(stamp.substr(2, stamp.size() - 3), sequence) || sequence < 2 || sequence > 999999) return std::nullopt;
    e.sequence = static_cast<int>(sequence);
    return e;
}

std::vector<Entry> List(const Store& store) {
    std::vector<Entry> entries;
    const std::string& folder = store.folder.Path();
    if (folder.empty() || !store.files.FolderExists(folder)) return entries;
    for (const platform::FileEntry& file : store.files.ListFiles(folder)) {
        // A link named like a backup is no backup of ours: pruning it would
        // delete whatever it points to.
        if ((file.attributes & platform::kAttributeReparsePoint) != 0) continue;
        auto e = EntryOf(folder, file.name);
        if (!e) continue;
        e->size = file.size;
        if (!Whole(store.files, *e)) continue;
        entries.push_back(std::move(*e));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return Order(a) > Order(b); });
    return entries;
}

std::string Readable(const platform::LocalTime& t) {
    return TwoDigits(t.day) + "." + TwoDigits(t.month) + "." + std::to_string(t.year) + ", " + TwoDigits(t.hour) + ":" +
           TwoDigits(t.minute) + ":" + TwoDigits(t.second) + std::string(texts::kTimeSuffix);
}

std::string SizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kKilo = 1024;
    if (bytes < kKilo) return std::to_string(bytes) + std::string(texts::kSizeBytes);
    // Tenths, rounded; one decimal below a hundred: "1,2 MB", "210 MB".
    const auto scaled = [bytes](std::uint64_t unit, std::string_view suffix) {
        const std::uint64_t tenths = (bytes * 10 + unit / 2) / unit;
        std::string text = std::to_string(tenths / 10);
        if (tenths < 1000) text += "," + std::to_string(tenths % 10);
        return text + std::string(suffix);
    };
    if (bytes < kKilo * kKilo) return scaled(kKilo, texts::kSizeKilobytes);
    if (bytes < kKilo * kKilo * kKilo) return scaled(kKilo * kKilo, texts::kSizeMegabytes);
    return scaled(kKilo * kKilo * kKilo, texts::kSizeGigabytes);
}

namespace {

std::string AboutBackup(std::string_view path, std::string_view byDate, std::string_view byFile, std::string_view end) {
    const std::size_t cut = path.find_last_of("\\/");
    const auto entry = EntryOf("", cut == std::string_view::npos ? path : path.substr(cut + 1));
    std::string text(entry ? byDate : byFile);
    text += entry ? Readable(entry->time) : std::string(path);
    text += end;
    return text;
}

}  // namespace

std::string RestoreQuestion(std::string_view path) {
    return AboutBackup(path, texts::kRestoreQuestionStart, texts::kRestoreQuestionFileStart,
                       texts::kRestoreQuestionEnd);
}

std::string RestoreDone(std::string_view path) {
    return AboutBackup(path, texts::kRestoreDoneStart, texts::kRestoreDoneFileStart, texts::kRestoreDoneEnd);
}

std::string RestoreReason(std::string_view path) {
    const std::size_t cut = path.find_last_of("\\/");
    const std::string_view name = cut == std::string_view::npos ? path : path.substr(cut + 1);
    const auto entry = EntryOf("", name);
    std::string text(texts::kReasonRestore);
    if (entry && entry->number > 0)
        return text + std::string(texts::kReasonRestoreNumber) + std::to_string(entry->number);
    if (entry) return text + std::string(texts::kReasonRestoreDate) + Readable(entry->time);
    return text + " '" + std::string(name) + "'";
}

bool Restore(const modRegistry::Access& registry, const Store& store, std::string_view path) {
    std::vector<PlannedWrite> writes;
    try {
        const auto file = store.files.OpenRead(path);
        Plan plan(registry.text);
        regfile::Read([&file](std::span<std::uint8_t> buffer) { return file->Read(buffer); }, plan);
        writes = plan.Done();
    } catch (const std::exception& e) {
        Refuse(registry.boxes, path, ErrorOf(e).description());
        return false;
    }
    // A write that fails puts back what the restore wrote before it, and the
    // message names the value.
    return AllOrNothing(registry, store, [&](const modRegistry::Access& journaled) {
               if (!Take(journaled, store, RestoreReason(path))) return ChangeOutcome::Refused;
               WriteAll(journaled, writes);
               return ChangeOutcome::Done;
           }) == ChangeOutcome::Done;
}

namespace {

// --- putting back exactly -----------------------------------------------

[[noreturn]] void NotWritten(const modRegistry::Access& registry, const std::string& cpKey, const std::string& cpName,
                             long code, bool deletion = false) {
    Raise(ErrorNumber::RegistryNotWritten,
          modRegistry::NotWrittenText(kHKeyCurrentUser, registry.text.FromCodePage(cpKey),
                                      registry.text.FromCodePage(cpName), code, deletion));
}

struct StoredValue {
    std::uint32_t type = 0;
    ByteArray data;
};

// The values a key holds now, by their lower-cased names; none when the key is not there.
std::map<std::string, std::pair<std::string, StoredValue>> ValuesNow(const modRegistry::Access& registry,
                                                                     const std::string& cpKey) {
    std::map<std::string, std::pair<std::string, StoredValue>> values;
    platform::RegKey raw = 0;
    const long opened = registry.registry.OpenKey(kHKeyCurrentUser, cpKey, platform::kKeyRead, raw);
    if (opened == platform::kErrorFileNotFound) return values;
    if (opened != kErrorSuccess) RefuseKey(registry.text, cpKey);
    const platform::RegistryKey key = platform::OwnKey(registry.registry, raw);
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        StoredValue value;
        const long r = registry.registry.EnumValue(key.get(), i, name, value.type, value.data);
        if (r == platform::kErrorNoMoreItems) break;
        if (r != kErrorSuccess) RefuseKey(registry.text, cpKey);
        std::string lower = Lower(registry.text, registry.text.FromCodePage(name));
        values.emplace(std::move(lower), std::pair{std::move(name), std::move(value)});
    }
    return values;
}

// One key made as the file has it: what differs written, what the file
// lacks deleted.
void PutBackKey(const modRegistry::Access& registry, const std::string& cpKey,
                const std::vector<const PlannedWrite*>& wanted) {
    auto now = ValuesNow(registry, cpKey);
    platform::RegKey raw = 0;
    if (const long r = registry.registry.CreateKey(kHKeyCurrentUser, cpKey, platform::kKeyAllAccess, raw);
        r != kErrorSuccess) {
        NotWritten(registry, cpKey, {}, r);
    }
    const platform::RegistryKey key = platform::OwnKey(registry.registry, raw);
    for (const PlannedWrite* w : wanted) {
        const auto it = now.find(Lower(registry.text, registry.text.FromCodePage(w->cpName)));
        const bool same = it != now.end() && it->second.second.type == w->type && it->second.second.data == w->data;
        if (it != now.end()) now.erase(it);
        if (same) continue;
        if (const long r = registry.registry.SetValue(key.get(), w->cpName, w->type, w->data); r != kErrorSuccess)
            NotWritten(registry, cpKey, w->cpName, r);
    }
    for (const auto& [lower, stored] : now) {
        if (const long r = registry.registry.DeleteValue(key.get(), stored.first); r != kErrorSuccess)
            NotWritten(registry, cpKey, stored.first, r, true);
    }
}

// The keys below `cpKey` that the file does not name, deepest first.
void CollectStrayKeys(const modRegistry::Access& registry, const std::string& cpKey, const std::set<std::string>& named,
                      std::vector<std::string>& stray) {
    platform::RegKey raw = 0;
    const long opened = registry.registry.OpenKey(kHKeyCurrentUser, cpKey, platform::kKeyRead, raw);
    if (opened == platform::kErrorFileNotFound) return;
    if (opened != kErrorSuccess) RefuseKey(registry.text, cpKey);
    std::vector<std::string> subkeys;
    {
        const platform::RegistryKey key = platform::OwnKey(registry.registry, raw);
        for (std::uint32_t i = 0;; ++i) {
            std::string name;
            const long r = registry.registry.EnumKey(key.get(), i, name);
            if (r == platform::kErrorNoMoreItems) break;
            if (r != kErrorSuccess) RefuseKey(registry.text, cpKey);
            subkeys.push_back(cpKey + "\\" + name);
        }
    }
    for (const std::string& sub : subkeys) {
        CollectStrayKeys(registry, sub, named, stray);
        if (!named.contains(Lower(registry.text, registry.text.FromCodePage(sub)))) stray.push_back(sub);
    }
}

}  // namespace

void PutBack(const modRegistry::Access& registry, platform::IFileSystem& files, std::string_view path, bool& fileRead) {
    Plan plan(registry.text, false);
    {
        const auto file = files.OpenRead(path);
        regfile::Read([&file](std::span<std::uint8_t> buffer) { return file->Read(buffer); }, plan);
    }
    const std::vector<PlannedWrite> writes = plan.Done();
    fileRead = true;
    // Keys in the file's order (a key before the keys below it), each with its values.
    std::vector<std::string> order;
    std::map<std::string, std::vector<const PlannedWrite*>> byKey;
    std::set<std::string> named;
    const auto lowerKey = [&registry](const std::string& cp) {
        return Lower(registry.text, registry.text.FromCodePage(cp));
    };
    for (const std::string& key : plan.Keys()) {
        if (named.insert(lowerKey(key)).second) order.push_back(key);
    }
    for (const PlannedWrite& w : writes) byKey[lowerKey(w.cpKey)].push_back(&w);
    for (const std::string& key : order) PutBackKey(registry, key, byKey[lowerKey(key)]);

    const std::string top = registry.text.ToCodePage(actregistry::kMenuConfig);
    std::vector<std::string> stray;
    CollectStrayKeys(registry, top, named, stray);
    for (const std::string& key : stray) {
        if (const long r = registry.registry.DeleteKey(kHKeyCurrentUser, key);
            r != kErrorSuccess && r != platform::kErrorFileNotFound) {
            NotWritten(registry, key, {}, r, true);
        }
    }
}

}  // namespace modBackup
