#pragma once
// The system's code page as German Windows has it, for tests and the
// platform off Windows.
#include "base/Cp1252.h"
#include "base/Utf8.h"
#include "platform/TextCodec.h"

namespace platform {

class Cp1252Codec : public ITextCodec {
public:
    std::string ToCodePage(std::string_view utf8) override { return cp1252::FromUtf8(utf8); }
    std::string FromCodePage(std::string_view bytes) override { return cp1252::ToUtf8(bytes); }
    std::string ToLower(std::string_view utf8) override { return utf8::ToLower(utf8); }
};

}  // namespace platform
