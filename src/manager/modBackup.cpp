#include "manager/modBackup.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <tuple>

#include "base/AppError.h"
#include "base/LittleEndian.h"
#include "base/UiTexts.h"
#include "common/ActRegistry.h"
#include "common/modMessages.h"
#include "manager/RegFile.h"

namespace modBackup {
namespace {

using platform::kErrorSuccess;
using platform::kHKeyCurrentUser;

constexpr std::string_view kNamePrefix = "Sicherung ";
constexpr std::string_view kNameSuffix = ".reg";
constexpr std::string_view kCount = "Count";

std::string KeyName(std::string_view belowRoot) { return std::string(kRootName) + "\\" + std::string(belowRoot); }

[[noreturn]] void RefuseKey(const platform::Platform& env, const std::string& cpPath) {
    Raise(ErrorNumber::FileAccess, std::string(texts::kBackupKeyUnreadable) + KeyName(env.text.FromCodePage(cpPath)));
}

// Only a value that comes back byte for byte may be saved: a backup that
// gave back something else would quietly change the configuration.
RegistryValue Saved(const platform::Platform& env, const std::string& keyName, const std::string& name,
                    std::uint32_t type, const ByteArray& data) {
    if (type == platform::kRegDword && data.size() == 4) return RegistryValue(static_cast<std::int32_t>(le::ReadU32(data, 0)));
    if (type == platform::kRegBinary) return RegistryValue(data);
    if (type == platform::kRegSz && !data.empty() && data.back() == 0) {
        const std::string text = env.text.FromCodePage(std::string(data.begin(), data.end() - 1));
        std::string back = env.text.ToCodePage(text);
        back.push_back('\0');
        if (ByteArray(back.begin(), back.end()) == data) return RegistryValue(text);
    }
    std::string why(texts::kBackupValueStart);
    why += name;
    why += texts::kBackupValueMiddle;
    why += keyName;
    why += texts::kBackupValueEnd;
    why += std::to_string(type) + ").";
    Raise(ErrorNumber::BadFileFormat, why);
}

// The key and its subkeys, depth first, each with all its values.
void ReadKey(const platform::Platform& env, const std::string& cpPath, std::vector<regfile::Key>& keys) {
    platform::RegKey raw = 0;
    const long opened = env.registry.OpenKey(kHKeyCurrentUser, cpPath, platform::kKeyRead, raw);
    const std::string keyName = KeyName(env.text.FromCodePage(cpPath));
    if (opened == platform::kErrorFileNotFound && keys.empty()) {
        keys.push_back({keyName, {}});  // ACT! has not made its configuration yet
        return;
    }
    if (opened != kErrorSuccess) RefuseKey(env, cpPath);
    const platform::RegistryKey key = platform::OwnKey(env.registry, raw);
    regfile::Key saved{keyName, {}};
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        std::uint32_t type = 0;
        ByteArray data;
        const long r = env.registry.EnumValue(key.get(), i, name, type, data);
        if (r == platform::kErrorNoMoreItems) break;
        if (r != kErrorSuccess) RefuseKey(env, cpPath);
        const std::string utf8Name = env.text.FromCodePage(name);
        saved.values.push_back({utf8Name, Saved(env, keyName, utf8Name, type, data)});
    }
    keys.push_back(std::move(saved));
    std::vector<std::string> subkeys;
    for (std::uint32_t i = 0;; ++i) {
        std::string name;
        const long r = env.registry.EnumKey(key.get(), i, name);
        if (r == platform::kErrorNoMoreItems) break;
        if (r != kErrorSuccess) RefuseKey(env, cpPath);
        subkeys.push_back(std::move(name));
    }
    for (const std::string& sub : subkeys) ReadKey(env, cpPath + "\\" + sub, keys);
}

std::string TwoDigits(int n) {
    char digits[12];
    std::snprintf(digits, sizeof digits, "%02d", n);
    return digits;
}

std::string NameOf(const platform::LocalTime& t, int sequence) {
    std::string name(kNamePrefix);
    name += std::to_string(t.year) + "-" + TwoDigits(t.month) + "-" + TwoDigits(t.day) + " " + TwoDigits(t.hour) + "-" +
            TwoDigits(t.minute) + "-" + TwoDigits(t.second);
    if (sequence > 1) name += " (" + std::to_string(sequence) + ")";
    return name + std::string(kNameSuffix);
}

auto Order(const Entry& e) {
    const platform::LocalTime& t = e.time;
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second, e.sequence);
}

// Oldest first beyond the newest kKept; never the one just written, even
// when the clock went back and its name sorts before older ones.
void Prune(const platform::Platform& env, const Store& store, const std::string& written) {
    std::vector<Entry> entries = List(env, store);
    for (std::size_t i = kKept; i < entries.size(); ++i) {
        if (entries[i].path == written) continue;
        try {
            env.files.RemoveFile(entries[i].path);
        } catch (...) {
            // A backup that cannot be deleted (read-only, in use) is kept;
            // the change it guards goes on.
        }
    }
}

std::string WriteBackup(const platform::Platform& env, const Store& store, const std::vector<std::uint8_t>& bytes) {
    if (store.folder.empty()) Raise(ErrorNumber::PathNotFound, std::string(texts::kBackupNoFolder));
    env.files.CreateFolders(store.folder);
    const platform::LocalTime now = store.clock.LocalNow();
    // After the last of the same second, not in a gap that pruning left:
    // the new one must sort newest.
    int sequence = 1;
    for (const Entry& e : List(env, store)) {
        if (e.time == now) sequence = std::max(sequence, e.sequence + 1);
    }
    std::string path;
    for (;; ++sequence) {
        path = platform::JoinPath(store.folder, NameOf(now, sequence));
        if (!env.files.Exists(path)) break;
    }
    try {
        env.files.OpenWrite(path)->Write(bytes);
    } catch (...) {
        // A part of a backup is no backup: it must not be offered later.
        try {
            env.files.RemoveFile(path);
        } catch (...) {
        }
        throw;
    }
    return path;
}

std::vector<std::uint8_t> ReadFile(const platform::Platform& env, std::string_view path) {
    const auto file = env.files.OpenRead(path);
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[64 * 1024];
    for (;;) {
        const std::size_t n = file->Read(chunk);
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk) return bytes;
    }
}

// --- restoring --------------------------------------------------------------

std::string Lower(const platform::Platform& env, std::string_view text) { return env.text.ToLower(text); }

bool FitsCodePage(const platform::Platform& env, const std::string& text) {
    return env.text.FromCodePage(env.text.ToCodePage(text)) == text;
}

// The key below HKEY_CURRENT_USER, or nothing for a key outside ACT!'s
// configuration: another root, a path that leaves the configuration, or
// one with empty or "." and ".." parts.
std::optional<std::string> BelowRoot(const platform::Platform& env, const std::string& path) {
    const std::string own = KeyName(actregistry::kMenuConfig);
    if (path.size() < own.size() || Lower(env, path.substr(0, own.size())) != Lower(env, own)) return std::nullopt;
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

// Every value of the file as it will be written; AppError for a file that
// may not be written at all.
std::vector<PlannedWrite> Planned(const platform::Platform& env, const std::vector<regfile::Key>& keys) {
    std::vector<PlannedWrite> writes;
    for (const regfile::Key& key : keys) {
        const std::optional<std::string> below = BelowRoot(env, key.path);
        if (!below) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreOutsideKey) + key.path);
        if (!FitsCodePage(env, *below)) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreNotInCodePage) + key.path);
        for (const regfile::Value& v : key.values) {
            if (!FitsCodePage(env, v.name)) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreNotInCodePage) + v.name);
            PlannedWrite w{env.text.ToCodePage(*below), env.text.ToCodePage(v.name), 0, {}, Lower(env, v.name) == Lower(env, kCount)};
            if (v.value.IsNumber()) {
                const auto bytes = le::Bytes(static_cast<std::uint32_t>(v.value.ToNumber()));
                w.type = platform::kRegDword;
                w.data.assign(bytes.begin(), bytes.end());
            } else if (v.value.IsBytes()) {
                w.type = platform::kRegBinary;
                w.data = v.value.ToBytes();
            } else {
                const std::string text = v.value.ToText();
                if (!FitsCodePage(env, text)) Raise(ErrorNumber::BadFileFormat, std::string(texts::kRestoreNotInCodePage) + v.name);
                const std::string cp = env.text.ToCodePage(text);
                w.type = platform::kRegSz;
                w.data.assign(cp.begin(), cp.end());
                w.data.push_back(0);
            }
            writes.push_back(std::move(w));
        }
    }
    // ACT! reads the records only up to "Count": a count raised before its
    // records are back would show half a table.
    std::stable_partition(writes.begin(), writes.end(), [](const PlannedWrite& w) { return !w.count; });
    return writes;
}

void Refuse(const platform::Platform& env, std::string_view path, std::string_view why) {
    std::string text(texts::kRestoreRefusedStart);
    text += path;
    text += texts::kRestoreRefusedEnd;
    text += why;
    text += texts::kBackupNothingChanged;
    modMessages::MsgBox(env, text, platform::MsgIcon::Exclamation);
}

// The number of values written before the first failure.
std::size_t WriteAll(const platform::Platform& env, const std::vector<PlannedWrite>& writes) {
    std::size_t done = 0;
    try {
        for (const PlannedWrite& w : writes) {
            platform::RegKey raw = 0;
            if (env.registry.CreateKey(kHKeyCurrentUser, w.cpKey, platform::kKeyAllAccess, raw) != kErrorSuccess) break;
            const platform::RegistryKey key = platform::OwnKey(env.registry, raw);
            if (env.registry.SetValue(key.get(), w.cpName, w.type, w.data) != kErrorSuccess) break;
            ++done;
        }
    } catch (...) {
    }
    return done;
}

}  // namespace

std::string FolderOf(platform::IShellFolders& shell) {
    const std::string appData = shell.GetSpecialFolder(platform::kFolderLocalAppData, 0);
    return appData.empty() ? std::string() : platform::JoinPath(appData, "Tessivar\\Sicherungen");
}

bool Take(const platform::Platform& env, const Store& store) {
    try {
        std::vector<regfile::Key> keys;
        ReadKey(env, env.text.ToCodePage(actregistry::kMenuConfig), keys);
        const std::string written = WriteBackup(env, store, regfile::Write(keys));
        Prune(env, store, written);
        return true;
    } catch (...) {
        std::string text(texts::kBackupNotWritten);
        text += modMessages::CurrentError().description();
        text += texts::kBackupNothingChanged;
        modMessages::MsgBox(env, text, platform::MsgIcon::Exclamation);
        return false;
    }
}

std::optional<Entry> EntryOf(std::string_view folder, std::string_view name) {
    // "Sicherung YYYY-MM-DD HH-MM-SS[ (N)].reg"
    if (!name.starts_with(kNamePrefix) || !name.ends_with(kNameSuffix)) return std::nullopt;
    std::string_view stamp = name.substr(kNamePrefix.size(), name.size() - kNamePrefix.size() - kNameSuffix.size());
    const auto number = [&stamp](std::size_t width, int& out, std::string_view after) {
        if (stamp.size() < width + after.size()) return false;
        const auto [end, ec] = std::from_chars(stamp.data(), stamp.data() + width, out);
        if (ec != std::errc() || end != stamp.data() + width || !stamp.substr(width).starts_with(after)) return false;
        stamp.remove_prefix(width + after.size());
        return true;
    };
    Entry e{platform::JoinPath(folder, name), std::string(name), {}, 1};
    platform::LocalTime& t = e.time;
    if (!number(4, t.year, "-") || !number(2, t.month, "-") || !number(2, t.day, " ") || !number(2, t.hour, "-") ||
        !number(2, t.minute, "-") || !number(2, t.second, "")) {
        return std::nullopt;
    }
    if (!stamp.empty()) {
        if (!stamp.starts_with(" (") || !stamp.ends_with(")")) return std::nullopt;
        const std::string_view digits = stamp.substr(2, stamp.size() - 3);
        const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), e.sequence);
        if (digits.empty() || ec != std::errc() || end != digits.data() + digits.size() || e.sequence < 2) return std::nullopt;
    }
    return e;
}

std::vector<Entry> List(const platform::Platform& env, const Store& store) {
    std::vector<Entry> entries;
    if (store.folder.empty() || !env.files.FolderExists(store.folder)) return entries;
    for (const platform::FileEntry& file : env.files.ListFiles(store.folder)) {
        if (auto e = EntryOf(store.folder, file.name)) entries.push_back(std::move(*e));
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return Order(a) > Order(b); });
    return entries;
}

std::string Readable(const platform::LocalTime& t) {
    return TwoDigits(t.day) + "." + TwoDigits(t.month) + "." + std::to_string(t.year) + ", " + TwoDigits(t.hour) + ":" +
           TwoDigits(t.minute) + ":" + TwoDigits(t.second) + std::string(texts::kTimeSuffix);
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
    return AboutBackup(path, texts::kRestoreQuestionStart, texts::kRestoreQuestionFileStart, texts::kRestoreQuestionEnd);
}

std::string RestoreDone(std::string_view path) {
    return AboutBackup(path, texts::kRestoreDoneStart, texts::kRestoreDoneFileStart, texts::kRestoreDoneEnd);
}

bool Restore(const platform::Platform& env, const Store& store, std::string_view path) {
    std::vector<PlannedWrite> writes;
    try {
        writes = Planned(env, regfile::Parse(ReadFile(env, path)));
    } catch (...) {
        Refuse(env, path, modMessages::CurrentError().description());
        return false;
    }
    if (!Take(env, store)) return false;
    const std::size_t done = WriteAll(env, writes);
    if (done == writes.size()) return true;
    std::string text(texts::kRestoreFailedStart);
    text += std::to_string(done);
    text += texts::kRestoreFailedMiddle;
    text += std::to_string(writes.size());
    text += texts::kRestoreFailedEnd;
    modMessages::MsgBox(env, text, platform::MsgIcon::Exclamation);
    return false;
}

}  // namespace modBackup
