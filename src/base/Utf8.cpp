#include "base/Utf8.h"

namespace utf8 {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one sequence at pos; returns its length and stores the code point.
std::size_t DecodeAt(std::string_view s, std::size_t pos, char32_t& cp) {
    const auto c0 = static_cast<unsigned char>(s[pos]);
    std::size_t need = 0;
    char32_t min = 0;
    if (c0 < 0x80) {
        cp = c0;
        return 1;
    }
    if ((c0 & 0xE0) == 0xC0) {
        need = 1;
        cp = c0 & 0x1Fu;
        min = 0x80;
    } else if ((c0 & 0xF0) == 0xE0) {
        need = 2;
        cp = c0 & 0x0Fu;
        min = 0x800;
    } else if ((c0 & 0xF8) == 0xF0) {
        need = 3;
        cp = c0 & 0x07u;
        min = 0x10000;
    } else {
        cp = kReplacement;
        return 1;
    }
    if (s.size() - pos - 1 < need) {
        cp = kReplacement;
        return 1;
    }
    for (std::size_t i = 1; i <= need; ++i) {
        const auto c = static_cast<unsigned char>(s[pos + i]);
        if (!IsContinuation(c)) {
            cp = kReplacement;
            return 1;
        }
        cp = (cp << 6) | (c & 0x3Fu);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        cp = kReplacement;
        return 1;
    }
    return need + 1;
}

}  // namespace

std::size_t SequenceLength(std::string_view text, std::size_t pos) {
    char32_t cp = 0;
    return DecodeAt(text, pos, cp);
}

std::size_t Length(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < text.size(); pos += SequenceLength(text, pos)) ++n;
    return n;
}

std::string_view Left(std::string_view text, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t n = 0; n < count && pos < text.size(); ++n) pos += SequenceLength(text, pos);
    return text.substr(0, pos);
}

std::u32string Decode(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = 0;
        pos += DecodeAt(text, pos, cp);
        out.push_back(cp);
    }
    return out;
}

void AppendCodePoint(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = kReplacement;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string Encode(std::u32string_view codePoints) {
    std::string out;
    out.reserve(codePoints.size());
    for (char32_t cp : codePoints) AppendCodePoint(out, cp);
    return out;
}

std::u16string ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (char32_t cp : Decode(text)) {
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
    }
    return out;
}

std::string FromUtf16(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00u);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        AppendCodePoint(out, cp);
    }
    return out;
}

char32_t SimpleLower(char32_t cp) {
    if (cp >= 'A' && cp <= 'Z') return cp + 32;
    if (cp < 0xC0) return cp;
    if (cp <= 0xDE) return cp == 0xD7 ? cp : cp + 32;  // Latin-1: À..Þ except ×
    if (cp >= 0x100 && cp <= 0x137) return cp | 1u;  // Latin Extended-A, even/odd pairs
    if (cp >= 0x139 && cp <= 0x148) return (cp & 1u) ? cp + 1 : cp;
    if (cp >= 0x14A && cp <= 0x177) return cp | 1u;
    if (cp == 0x178) return 0xFF;
    if (cp >= 0x179 && cp <= 0x17E) return (cp & 1u) ? cp + 1 : cp;
    if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 32;  // Greek
    if (cp >= 0x410 && cp <= 0x42F) return cp + 32;  // Cyrillic
    if (cp >= 0x400 && cp <= 0x40F) return cp + 80;
    if (cp == 0x1E9E) return 0xDF;  // capital sharp s
    return cp;
}

std::string ToLower(std::string_view text) {
    std::u32string cps = Decode(text);
    for (char32_t& cp : cps) cp = SimpleLower(cp);
    return Encode(cps);
}

}  // namespace utf8
