// Any file named for a restore. Either it is refused and nothing is written
// (the registry afterwards byte for byte as before), or it is accepted and
// then every write lies inside ACT!'s key, no name holds a NUL, every name
// and value is within the registry's limits, and what was written is what
// the file says. And any file the reader takes, written out again by the
// backup writer and read back, gives the same keys and values.
//
// The first byte chooses the form: odd, the bytes are the file as they
// are; even, the rest is text made into the UTF-16 file the Registry
// Editor writes, so that the fuzzer works on lines rather than code units.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/AppError.h"
#include "base/Ascii.h"
#include "common/ActRegistry.h"
#include "manager/RegFile.h"
#include "manager/modBackup.h"
#include "commands/SubstituteServices.h"
#include "platform/SubstitutePlatform.h"
#include "Property.h"

namespace {

using platform::kHKeyCurrentUser;

const std::string kFolder = "C:\\Sicherungen";
const std::string kFile = "C:\\eingang.reg";

std::vector<std::uint8_t> FileOf(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    if (data[0] & 1) return {data + 1, data + size};
    std::vector<std::uint8_t> file{0xFF, 0xFE};
    for (std::size_t i = 1; i < size; ++i) {
        // Latin-1 as it stands, and the byte 0x01 followed by two bytes for
        // any other code unit (surrogates included).
        std::uint16_t unit = data[i];
        if (unit == 0x01 && i + 2 < size) {
            unit = static_cast<std::uint16_t>(data[i + 1] | (data[i + 2] << 8));
            i += 2;
        }
        file.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        file.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return file;
}

// A configuration to be overwritten or kept.
void Seed(platform::MemoryRegistry& registry) {
    const std::string commands(actregistry::kCustomCommands);
    registry.PutDword(kHKeyCurrentUser, commands, "Count", 1);
    registry.Put(kHKeyCurrentUser, commands, "Command-0", platform::kRegBinary, {1, 2, 3, 4});
    registry.PutText(kHKeyCurrentUser, std::string(actregistry::kMenuConfig), "Version", "3");
    registry.PutText(kHKeyCurrentUser, "Software\\Anderes", "Wert", "fremd");
}

void RoundTrip(const std::vector<std::uint8_t>& file) {
    std::vector<regfile::Key> keys;
    try {
        keys = regfile::Parse(file);
    } catch (const AppError&) {
        return;
    }
    std::vector<regfile::Key> again;
    try {
        again = regfile::Parse(regfile::Write(keys));
    } catch (const AppError&) {
        Check(false);
    }
    Check(again == keys);
}

bool InsideActsKey(const std::string& keyPath) {
    const std::string root = "hkcu\\" + ascii::Lower(actregistry::kMenuConfig);
    const std::string path = ascii::Lower(keyPath);
    return path == root || path.starts_with(root + "\\");
}

void WithinLimits(const platform::MemoryRegistry::Call& write) {
    Check(InsideActsKey(write.keyPath));
    Check(write.name.find('\0') == std::string::npos);
    Check(write.name.size() <= 16383);
    Check(write.keyPath.find('\0') == std::string::npos);
    std::size_t levels = 0;
    for (std::size_t start = 5;; ++levels) {  // after "HKCU\"
        const std::size_t cut = write.keyPath.find('\\', start);
        Check((cut == std::string::npos ? write.keyPath.size() : cut) - start <= 255);
        if (cut == std::string::npos) break;
        start = cut + 1;
    }
    Check(levels < 32);
}

// The writes a file asks for, in the registry's terms: in the file's order
// with every "Count" moved behind the rest.
std::vector<platform::MemoryRegistry::Call> Expected(platform::Cp1252Codec& text,
                                                     const std::vector<regfile::Key>& keys) {
    std::vector<platform::MemoryRegistry::Call> writes, counts;
    for (const regfile::Key& key : keys) {
        const std::string path = "HKCU\\" + text.ToCodePage(key.path.substr(key.path.find('\\') + 1));
        for (const regfile::Value& value : key.values) {
            platform::MemoryRegistry::Call call{platform::MemoryRegistry::Op::SetValue, path,
                                                text.ToCodePage(value.name)};
            if (value.value.IsNumber()) {
                const auto n = static_cast<std::uint32_t>(value.value.ToNumber());
                call.type = platform::kRegDword;
                call.data = {static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                             static_cast<std::uint8_t>(n >> 16), static_cast<std::uint8_t>(n >> 24)};
            } else if (value.value.IsText()) {
                const std::string cp = text.ToCodePage(value.value.ToText());
                call.type = platform::kRegSz;
                call.data.assign(cp.begin(), cp.end());
                call.data.push_back(0);
            } else {
                call.type = platform::kRegBinary;
                call.data = value.value.ToBytes();
            }
            (ascii::Lower(value.name) == "count" ? counts : writes).push_back(std::move(call));
        }
    }
    writes.insert(writes.end(), counts.begin(), counts.end());
    return writes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::uint8_t> file = FileOf(data, size);
    RoundTrip(file);

    SubstituteServices sub;
    Seed(sub.registry);
    sub.files.AddFolder(kFolder);
    sub.files.Put(kFile, file);
    platform::FakeClock clock;
    const modBackup::Store store{sub.files, clock, kFolder};
    const auto before = sub.registry.Snapshot(kHKeyCurrentUser, "Software");
    const auto other = sub.registry.Get(kHKeyCurrentUser, "Software\\Anderes", "Wert");
    sub.registry.ClearLog();

    bool accepted = false;
    try {
        accepted = modBackup::Restore(sub.Registry(), store, kFile);
    } catch (const AppError&) {
        Check(false);  // a restore reports, it does not raise
    }
    const auto writes = sub.registry.Writes();
    if (!accepted) {
        Check(sub.registry.Snapshot(kHKeyCurrentUser, "Software") == before);
        Check(writes.empty());
        return 0;
    }
    // Accepted: the reader took the file, and each of its values was written as it says.
    std::vector<regfile::Key> keys;
    try {
        keys = regfile::Parse(file);
    } catch (const AppError&) {
        Check(false);
    }
    const auto expected = Expected(sub.text, keys);
    Check(writes.size() == expected.size());
    for (std::size_t i = 0; i < writes.size() && i < expected.size(); ++i) {
        WithinLimits(writes[i]);
        Check(ascii::Lower(writes[i].keyPath) == ascii::Lower(expected[i].keyPath));
        Check(writes[i].name == expected[i].name);
        Check(writes[i].type == expected[i].type);
        Check(writes[i].data == expected[i].data);
    }
    Check(sub.registry.Get(kHKeyCurrentUser, "Software\\Anderes", "Wert") == other);
    return 0;
}
