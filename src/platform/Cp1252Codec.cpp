#include "platform/Cp1252Codec.h"

#include <array>

#include "common/Utf8.h"

namespace platform {
namespace {

// Code points of bytes 0x80..0x9F; 0 marks the five bytes that Windows-1252 leaves unassigned.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

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

char32_t SimpleLower(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp < 0xC0) return cp;
    if (cp <= 0xDE) return cp == 0xD7 ? cp : cp + 32;           // Latin-1: À..Þ except ×
    if (cp >= 0x100 && cp <= 0x137) return cp | 1u;              // Latin Extended-A, even/odd pairs
    if (cp >= 0x139 && cp <= 0x148) return (cp & 1u) ? cp + 1 : cp;
    if (cp >= 0x14A && cp <= 0x177) return cp | 1u;
    if (cp == 0x178) return 0xFF;
    if (cp >= 0x179 && cp <= 0x17E) return (cp & 1u) ? cp + 1 : cp;
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 32;  // Greek
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;                // Cyrillic
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
    if (cp == 0x1E9E) return 0xDF;                                 // capital sharp s
    return cp;
}

std::string Cp1252Codec::ToCodePage(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t cp : utf8::Decode(utf8)) {
        int b = CodePointToByte(cp);
        out.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return out;
}

std::string Cp1252Codec::FromCodePage(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (char c : bytes) utf8::AppendCodePoint(out, ByteToCodePoint(static_cast<unsigned char>(c)));
    return out;
}

std::string Cp1252Codec::ToLower(std::string_view utf8) {
    std::u32string cps = utf8::Decode(utf8);
    for (char32_t& cp : cps) cp = SimpleLower(cp);
    return utf8::Encode(cps);
}

}  // namespace platform
