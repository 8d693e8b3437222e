#pragma once
// Text crossing to ACT!'s single-byte world (registry A-functions, command
// records), and lower-casing as the platform does it. Inside the programs
// every text is UTF-8.
#include <string>
#include <string_view>

namespace platform {

class ITextCodec {
public:
    virtual ~ITextCodec() = default;
    // UTF-8 to the single-byte code page; characters it lacks become '?'.
    virtual std::string ToCodePage(std::string_view utf8) = 0;
    // Single-byte code page to UTF-8.
    virtual std::string FromCodePage(std::string_view bytes) = 0;
    // Lower case, umlauts and other letters included.
    virtual std::string ToLower(std::string_view utf8) = 0;
};

}  // namespace platform
