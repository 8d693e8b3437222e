#include "base/Cp1252.h"

#include <array>

#include "base/Utf8.h"

namespace cp1252 {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes that Windows-1252 leaves unassigned.
constexpr std::array<char32_t, 32> kHigh = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t ByteToCodePoint(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F) {
        char32_t cp = kHigh[b - 0x80u];
        return cp != 0 ? cp : b;  // unassigned bytes map to the C1 control, as Windows does
    }
    return b;
}

int CodePointToByte(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[static_cast<std::size_t>(i)] == cp) return 0x80 + i;
    }
    if (cp >= 0x80 && cp <= 0x9F && kHigh[cp - 0x80u] == 0) return static_cast<int>(cp);
    return -1;
}

}  // namespace

std::string FromUtf8(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t cp : utf8::Decode(utf8)) {
        int b = CodePointToByte(cp);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

std::string ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) utf8::AppendCodePoint(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace cp1252
