#pragma once
// Windows-1252, the code page of German Windows, in portable code: the
// substitute for the system's code page off Windows.
#include "platform/TextCodec.h"

namespace platform {

class Cp1252Codec : public ITextCodec {
public:
    std::string ToCodePage(std::string_view utf8) override;
    std::string FromCodePage(std::string_view bytes) override;
    std::string ToLower(std::string_view utf8) override;
};

// Simple case mapping of the letters German users meet (Latin, Greek,
// Cyrillic); anything else is kept.
char32_t SimpleLower(char32_t cp);

}  // namespace platform
