#pragma once
// Picture files in memory for tests: pictures put under a path decode
// from there (scaled by taking the nearest pixel), PNG files written are
// kept by their path; a path that holds nothing fails as an unreadable file.
#include <map>
#include <string>

#include "platform/ImageCodec.h"

namespace platform {

class MemoryImageCodec : public IImageCodec {
public:
    void Put(const std::string& path, Pixels pixels) { m_Files[path] = std::move(pixels); }
    const Pixels* Written(const std::string& path) const;
    // Every later EncodePng fails.
    void FailWrites() { m_FailWrites = true; }

    Pixels Decode(std::string_view path, std::int32_t width, std::int32_t height) override;
    void EncodePng(std::string_view path, const Pixels& pixels) override;

    int decodes = 0;

private:
    std::map<std::string, Pixels> m_Files;
    std::map<std::string, Pixels> m_Written;
    bool m_FailWrites = false;
};

}  // namespace platform
