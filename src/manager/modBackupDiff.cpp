#include "manager/modBackupDiff.h"

#include <map>
#include <optional>

#include "base/LittleEndian.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"
#include "common/ActRegistry.h"
#include "manager/modBackup.h"

namespace modBackupDiff {
namespace {

// Key paths and value names as the registry compares them.
using Values = std::map<std::string, regfile::Value>;
using Configuration = std::map<std::string, std::pair<std::string, Values>>;  // path as written, its values

Configuration Indexed(const std::vector<regfile::Key>& keys) {
    Configuration config;
    for (const regfile::Key& key : keys) {
        auto& [path, values] = config[utf8::ToLower(key.path)];
        path = key.path;
        for (const regfile::Value& value : key.values) values[utf8::ToLower(value.name)] = value;
    }
    return config;
}

// What a restore leaves: the backup's values over the ones now.
Configuration Overlaid(Configuration now, const Configuration& backup) {
    for (const auto& [lower, key] : backup) {
        auto& [path, values] = now[lower];
        if (path.empty()) path = key.first;
        for (const auto& [name, value] : key.second) values[name] = value;
    }
    return now;
}

std::string Lower(std::string_view path) { return utf8::ToLower(path); }

std::string FullPath(std::string_view below) { return std::string(modBackup::kRootName) + "\\" + std::string(below); }

const Values* ValuesAt(const Configuration& config, std::string_view below) {
    const auto found = config.find(Lower(FullPath(below)));
    return found == config.end() ? nullptr : &found->second.second;
}

const RegistryValue* ValueOf(const Values* values, std::string_view name) {
    if (values == nullptr) return nullptr;
    const auto found = values->find(Lower(name));
    return found == values->end() ? nullptr : &found->second.value;
}

ByteArray BytesOf(const Values* values, std::string_view name) {
    const RegistryValue* value = ValueOf(values, name);
    return value != nullptr && value->IsBytes() ? value->ToBytes() : ByteArray();
}

// A command as the table would read it: its record and its two pictures.
struct Command {
    std::string name;
    ByteArray record, large, small;
    bool operator==(const Command&) const = default;
};

constexpr std::size_t kNameAt = 16, kNameWidth = 128;
// As many as a "Count" Tessivar trusts; a larger one lists none.
constexpr std::int32_t kMostCommands = 50000;

std::map<std::string, Command> CommandsOf(const Configuration& config, platform::ITextCodec& codec) {
    std::map<std::string, Command> commands;
    const Values* values = ValuesAt(config, actregistry::kCustomCommands);
    const RegistryValue* count = ValueOf(values, "Count");
    const std::int32_t n = count != nullptr && count->IsNumber() ? count->ToNumber() : 0;
    if (n < 0 || n > kMostCommands) return commands;
    for (std::int32_t i = 0; i < n; ++i) {
        Command command;
        command.record = BytesOf(values, "Command-" + std::to_string(i));
        if (command.record.size() >= kNameAt + kNameWidth) {
            std::string raw(command.record.begin() + kNameAt, command.record.begin() + kNameAt + kNameWidth);
            raw.resize(raw.find('\0') == std::string::npos ? raw.size() : raw.find('\0'));
            command.name = codec.FromCodePage(raw);
        }
        if (command.record.size() >= 4) {
            const std::string id = std::to_string(static_cast<std::int32_t>(littleendian::ReadU32(command.record, 0)));
            command.large = BytesOf(values, "BitmapL-" + id);
            command.small = BytesOf(values, "BitmapS-" + id);
        }
        if (command.name.empty()) command.name = std::string(texts::kDiffNumber) + std::to_string(i);
        commands.emplace(codec.ToLower(command.name), std::move(command));
    }
    return commands;
}

void CompareCommands(const Configuration& now, const Configuration& after, platform::ITextCodec& codec,
                     std::vector<Difference>& out) {
    const auto before = CommandsOf(now, codec), then = CommandsOf(after, codec);
    for (const auto& [key, command] : then) {
        const auto was = before.find(key);
        if (was == before.end()) {
            out.push_back({std::string(texts::kDiffCommand), command.name, std::string(texts::kDiffAdded)});
        } else if (!(was->second == command)) {
            out.push_back({std::string(texts::kDiffCommand), command.name, std::string(texts::kDiffChanged)});
        }
    }
    for (const auto& [key, command] : before) {
        if (!then.contains(key))
            out.push_back({std::string(texts::kDiffCommand), command.name, std::string(texts::kDiffRemoved)});
    }
}

bool IsToolbar(std::string_view lowerPath) {
    const std::string prefix = Lower(FullPath(actregistry::kToolbarPrefix));
    return lowerPath.starts_with(prefix) && lowerPath.find('\\', prefix.size()) == std::string_view::npos;
}

std::string ToolbarName(const std::string& path, const Values& values) {
    const RegistryValue* name = ValueOf(&values, "WindowName");
    if (name != nullptr && name->IsText() && !name->ToText().empty()) return name->ToText();
    return path.substr(path.find_last_of('\\') + 1);
}

void CompareRest(const Configuration& now, const Configuration& after, std::vector<Difference>& out) {
    const std::string commandsKey = Lower(FullPath(actregistry::kCustomCommands));
    std::size_t others = 0;
    for (const auto& [lower, key] : after) {
        const auto& [path, values] = key;
        const auto was = now.find(lower);
        const Values none;
        const Values& before = was == now.end() ? none : was->second.second;
        if (lower == commandsKey) continue;  // told command by command
        if (!IsToolbar(lower)) {
            for (const auto& [name, value] : values) {
                const auto old = before.find(name);
                if (old == before.end() || !(old->second.value == value.value)) ++others;
            }
            continue;
        }
        const std::string name = ToolbarName(path, values);
        if (was == now.end()) {
            out.push_back({std::string(texts::kDiffToolbar), name, std::string(texts::kDiffAdded)});
        } else if (before != values) {
            const RegistryValue* buttons = ValueOf(&values, "Buttons");
            const RegistryValue* oldButtons = ValueOf(&before, "Buttons");
            const bool buttonsChange = buttons != nullptr && (oldButtons == nullptr || !(*oldButtons == *buttons));
            out.push_back({std::string(texts::kDiffToolbar), name,
                           std::string(buttonsChange ? texts::kDiffButtonsChanged : texts::kDiffChanged)});
        }
    }
    if (others > 0) {
        out.push_back({std::string(texts::kDiffOthers), std::string(),
                       std::to_string(others) + std::string(texts::kDiffOthersChanged)});
    }
}

}  // namespace

std::vector<Difference> Compare(const std::vector<regfile::Key>& now, const std::vector<regfile::Key>& backup,
                                platform::ITextCodec& codec) {
    const Configuration before = Indexed(now);
    const Configuration after = Overlaid(before, Indexed(backup));
    std::vector<Difference> out;
    CompareCommands(before, after, codec, out);
    CompareRest(before, after, out);
    return out;
}

}  // namespace modBackupDiff
