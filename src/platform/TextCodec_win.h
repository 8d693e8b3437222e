#pragma once
#include "platform/TextCodec.h"

namespace platform {

// The system's ANSI code page, and the system's own lower-casing.
class WinTextCodec : public ITextCodec {
public:
    std::string ToCodePage(std::string_view utf8) override;
    std::string FromCodePage(std::string_view bytes) override;
    std::string ToLower(std::string_view utf8) override;
};

}  // namespace platform
