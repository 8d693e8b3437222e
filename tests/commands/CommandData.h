#pragma once
// Command records, button images and command files as ACT! stores them,
// built byte by byte for the tests.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "common/ActRegistry.h"
#include "base/RegistryValue.h"
#include "platform/MemoryRegistry.h"

namespace testdata {

inline void PutLong(ByteArray& b, std::size_t offset, std::uint32_t v) {
    if (b.size() < offset + 4) b.resize(offset + 4);
    for (std::size_t i = 0; i < 4; ++i) b[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// A record with the identifier, ACT!'s flags in bytes 4-15, and a name (code-page bytes).
inline ByteArray Record(std::uint32_t id, const std::string& cpName, const std::string& cpLine = "C:\\ACT\\x.exe") {
    ByteArray r(1172, 0);
    PutLong(r, 0, id);
    for (std::size_t i = 4; i < 16; ++i) r[i] = static_cast<std::uint8_t>(0xA0 + i);
    std::copy(cpName.begin(), cpName.end(), r.begin() + 16);
    std::copy(cpLine.begin(), cpLine.end(), r.begin() + 144);
    return r;
}

// A stored image: header (width, height, image size) and pixels whose bytes
// count up from `seed`, so that order and offsets show.
inline ByteArray Image(std::int32_t width, std::int32_t height, std::int32_t bytesPerPixel, std::uint8_t seed = 1,
                       std::int32_t pixelsStored = -1) {
    const std::int32_t pixels = pixelsStored < 0 ? width * height : pixelsStored;
    ByteArray img(40, 0);
    PutLong(img, 0, 40);
    PutLong(img, 4, static_cast<std::uint32_t>(width));
    PutLong(img, 8, static_cast<std::uint32_t>(height));
    img[12] = 1;
    img[14] = static_cast<std::uint8_t>(bytesPerPixel * 8);
    PutLong(img, 20, static_cast<std::uint32_t>(width * height * bytesPerPixel));
    for (std::int32_t i = 0; i < pixels * bytesPerPixel; ++i) img.push_back(static_cast<std::uint8_t>(seed + i));
    return img;
}

inline ByteArray CommandFile(const ByteArray& record, const ByteArray& large, const ByteArray& small) {
    ByteArray f = record;
    f.insert(f.end(), large.begin(), large.end());
    f.insert(f.end(), small.begin(), small.end());
    return f;
}

// A toolbar's "Buttons" value: one 5-byte entry per identifier, no extra data.
inline ByteArray Entries(std::initializer_list<std::uint32_t> ids) {
    ByteArray out;
    for (std::uint32_t id : ids) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(id >> (8 * i)));
        out.push_back(0);
    }
    return out;
}

struct StoredCommand {
    std::uint32_t id;
    std::string cpName;
};

// A table of complete commands in the substitute registry.
inline void SeedTable(platform::MemoryRegistry& reg, const std::vector<StoredCommand>& commands) {
    const std::string key(actregistry::kCustomCommands);
    reg.PutDword(platform::kHKeyCurrentUser, key, "Count", static_cast<std::uint32_t>(commands.size()));
    for (std::size_t n = 0; n < commands.size(); ++n) {
        const auto& c = commands[n];
        reg.Put(platform::kHKeyCurrentUser, key, "Command-" + std::to_string(n), platform::kRegBinary,
                Record(c.id, c.cpName));
        reg.Put(platform::kHKeyCurrentUser, key, "BitmapL-" + std::to_string(c.id), platform::kRegBinary,
                Image(24, 24, 3, static_cast<std::uint8_t>(n)));
        reg.Put(platform::kHKeyCurrentUser, key, "BitmapS-" + std::to_string(c.id), platform::kRegBinary,
                Image(16, 16, 3, static_cast<std::uint8_t>(n + 100)));
    }
}

}  // namespace testdata
