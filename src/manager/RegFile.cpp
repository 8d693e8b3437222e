#include "manager/RegFile.h"

#include <charconv>
#include <cstdio>
#include <optional>

#include "base/AppError.h"
#include "base/UiTexts.h"
#include "base/Utf8.h"

namespace regfile {
namespace {

constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
constexpr std::string_view kTrailerStart = "; Ende der Tessivar-Sicherung, ";
constexpr std::string_view kTrailerEnd = " Werte";
// The Registry Editor's width for wrapped binary values.
constexpr std::size_t kLineWidth = 80;

std::string Quoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Characters a quoted string line cannot hold go as raw UTF-16 instead.
bool NeedsHex(std::string_view text) { return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos; }

// A backup of a large table holds megabytes of these: no formatting call per byte.
void AppendHex(std::string& line, std::string& out, std::string_view prefix, std::span<const std::uint8_t> bytes) {
    constexpr std::string_view kDigits = "0123456789abcdef";
    line += prefix;
    out.reserve(out.size() + bytes.size() * 3 + bytes.size() / 25 * 5);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        if (line.size() + 2 + (last ? 0 : 1) > kLineWidth - 1) {
            out += line;
            out += "\\\r\n";
            line = "  ";
        }
        line += kDigits[bytes[i] >> 4];
        line += kDigits[bytes[i] & 0xF];
        if (!last) line += ',';
    }
}

std::string ValueLine(const Value& v) {
    std::string out;
    std::string line = Quoted(v.name) + "=";
    if (v.value.IsNumber()) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<std::uint32_t>(v.value.ToNumber()));
        line += "dword:";
        line += digits;
    } else if (v.value.IsBytes()) {
        const ByteArray bytes = v.value.ToBytes();
        AppendHex(line, out, "hex:", bytes);
    } else {
        const std::string text = v.value.ToText();
        if (!NeedsHex(text)) {
            line += Quoted(text);
        } else {
            std::u16string wide = utf8::ToUtf16(text);
            wide.push_back(u'\0');
            ByteArray bytes;
            for (char16_t c : wide) {
                bytes.push_back(static_cast<std::uint8_t>(c & 0xFF));
                bytes.push_back(static_cast<std::uint8_t>(c >> 8));
            }
            AppendHex(line, out, "hex(1):", bytes);
        }
    }
    return out + line + "\r\n";
}

// --- reading ----------------------------------------------------------------

[[noreturn]] void Refuse(std::size_t line, std::string_view why) {
    std::string text(texts::kBackupLine);
    text += std::to_string(line);
    text += ": ";
    text += why;
    Raise(ErrorNumber::BadFileFormat, text);
}

[[noreturn]] void RefuseFile(std::string_view why) { Raise(ErrorNumber::BadFileFormat, std::string(why)); }

struct Line {
    std::size_t number;  // of its first physical line, from 1
    std::string text;
};

std::string Decode(std::span<const std::uint8_t> file) {
    if (file.size() < 2 || file[0] != 0xFF || file[1] != 0xFE || file.size() % 2 != 0) {
        RefuseFile(texts::kBackupNotUnicode);
    }
    std::u16string wide;
    wide.reserve(file.size() / 2);
    for (std::size_t i = 2; i + 1 < file.size(); i += 2) {
        wide.push_back(static_cast<char16_t>(file[i] | (file[i + 1] << 8)));
    }
    return utf8::FromUtf16(wide);
}

// Physical lines joined where one ends in a backslash (wrapped values).
std::vector<Line> LogicalLines(const std::string& text) {
    std::vector<Line> lines;
    std::size_t number = 0;
    bool continued = false;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string physical = text.substr(pos, end - pos);
        if (!physical.empty() && physical.back() == '\r') physical.pop_back();
        ++number;
        if (continued) {
            const std::size_t first = physical.find_first_not_of(' ');
            lines.back().text += first == std::string::npos ? std::string() : physical.substr(first);
        } else {
            lines.push_back({number, physical});
        }
        continued = !lines.back().text.empty() && lines.back().text.back() == '\\';
        if (continued) lines.back().text.pop_back();
        pos = end + 1;
    }
    if (continued) Refuse(lines.back().number, texts::kBackupCutShort);
    return lines;
}

// A quoted string from `pos` on; `pos` ends after its closing quote.
std::string Unquote(const Line& line, std::size_t& pos) {
    const std::string& s = line.text;
    if (pos >= s.size() || s[pos] != '"') Refuse(line.number, texts::kBackupBadLine);
    std::string out;
    for (++pos; pos < s.size(); ++pos) {
        if (s[pos] == '"') {
            ++pos;
            return out;
        }
        if (s[pos] == '\\') {
            if (++pos >= s.size() || (s[pos] != '\\' && s[pos] != '"')) Refuse(line.number, texts::kBackupBadLine);
        }
        out += s[pos];
    }
    Refuse(line.number, texts::kBackupCutShort);
}

ByteArray HexList(const Line& line, std::string_view list) {
    ByteArray bytes;
    std::size_t pos = 0;
    while (pos < list.size()) {
        const std::size_t comma = list.find(',', pos);
        const std::string_view item = list.substr(pos, comma == std::string_view::npos ? list.size() - pos : comma - pos);
        unsigned value = 0;
        const auto [ptr, ec] = std::from_chars(item.data(), item.data() + item.size(), value, 16);
        if (item.size() != 2 || ec != std::errc() || ptr != item.data() + item.size()) {
            Refuse(line.number, texts::kBackupBadLine);
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        if (comma == std::string_view::npos) break;
        pos = comma + 1;
        if (pos == list.size()) Refuse(line.number, texts::kBackupBadLine);
    }
    return bytes;
}

std::string TextFromUtf16(const Line& line, const ByteArray& bytes) {
    if (bytes.size() % 2 != 0) Refuse(line.number, texts::kBackupBadLine);
    std::u16string wide;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) wide.push_back(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)));
    if (!wide.empty() && wide.back() == u'\0') wide.pop_back();
    return utf8::FromUtf16(wide);
}

RegistryValue ParseData(const Line& line, std::string_view data, std::size_t pos) {
    if (data.starts_with("\"")) {
        std::size_t at = pos;
        std::string text = Unquote(line, at);
        if (at != line.text.size()) Refuse(line.number, texts::kBackupBadLine);
        return RegistryValue(std::move(text));
    }
    if (data.starts_with("dword:")) {
        const std::string_view digits = data.substr(6);
        std::uint32_t value = 0;
        const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
        if (digits.size() != 8 || ec != std::errc() || ptr != digits.data() + digits.size()) {
            Refuse(line.number, texts::kBackupBadLine);
        }
        return RegistryValue(static_cast<std::int32_t>(value));
    }
    if (data.starts_with("hex:")) return RegistryValue(HexList(line, data.substr(4)));
    if (data.starts_with("hex(1):")) return RegistryValue(TextFromUtf16(line, HexList(line, data.substr(7))));
    if (data == "-") Refuse(line.number, texts::kBackupDeletes);
    Refuse(line.number, texts::kBackupOtherType);
}

std::optional<std::size_t> TrailerCount(std::string_view text) {
    if (!text.starts_with(kTrailerStart) || !text.ends_with(kTrailerEnd)) return std::nullopt;
    const std::string_view digits = text.substr(kTrailerStart.size(), text.size() - kTrailerStart.size() - kTrailerEnd.size());
    std::size_t count = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), count);
    if (digits.empty() || ec != std::errc() || ptr != digits.data() + digits.size()) return std::nullopt;
    return count;
}

}  // namespace

std::vector<std::uint8_t> Write(const std::vector<Key>& keys) {
    std::string text(kHeader);
    text += "\r\n\r\n";
    std::size_t values = 0;
    for (const Key& key : keys) {
        text += "[" + key.path + "]\r\n";
        for (const Value& v : key.values) text += ValueLine(v);
        values += key.values.size();
        text += "\r\n";
    }
    text += std::string(kTrailerStart) + std::to_string(values) + std::string(kTrailerEnd) + "\r\n";
    // Almost all of it is ASCII (hex digits): only the runs of other
    // characters go through the general conversion. A UTF-8 sequence never
    // holds an ASCII byte, so the runs end between characters.
    std::vector<std::uint8_t> file;
    file.reserve(2 + text.size() * 2);
    file.push_back(0xFF);
    file.push_back(0xFE);
    for (std::size_t i = 0; i < text.size();) {
        if (static_cast<unsigned char>(text[i]) < 0x80) {
            file.push_back(static_cast<std::uint8_t>(text[i++]));
            file.push_back(0);
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && static_cast<unsigned char>(text[end]) >= 0x80) ++end;
        for (char16_t c : utf8::ToUtf16(std::string_view(text).substr(i, end - i))) {
            file.push_back(static_cast<std::uint8_t>(c & 0xFF));
            file.push_back(static_cast<std::uint8_t>(c >> 8));
        }
        i = end;
    }
    return file;
}

std::vector<Key> Parse(std::span<const std::uint8_t> file) {
    const std::vector<Line> lines = LogicalLines(Decode(file));
    if (lines.empty() || lines[0].text != kHeader) RefuseFile(texts::kBackupBadHeader);
    std::vector<Key> keys;
    std::size_t values = 0;
    std::optional<std::size_t> trailer;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const Line& line = lines[i];
        if (line.text.empty()) continue;
        if (trailer) Refuse(line.number, texts::kBackupAfterEnd);
        if (line.text.front() == ';') {
            trailer = TrailerCount(line.text);
            continue;  // other comments carry nothing
        }
        if (line.text.front() == '[') {
            if (line.text.back() != ']') Refuse(line.number, texts::kBackupBadLine);
            if (line.text.size() > 1 && line.text[1] == '-') Refuse(line.number, texts::kBackupDeletes);
            keys.push_back({line.text.substr(1, line.text.size() - 2), {}});
            continue;
        }
        if (line.text.front() != '"') Refuse(line.number, texts::kBackupOtherType);
        if (keys.empty()) Refuse(line.number, texts::kBackupBadLine);
        std::size_t pos = 0;
        std::string name = Unquote(line, pos);
        if (pos >= line.text.size() || line.text[pos] != '=') Refuse(line.number, texts::kBackupBadLine);
        ++pos;
        keys.back().values.push_back({std::move(name), ParseData(line, std::string_view(line.text).substr(pos), pos)});
        ++values;
    }
    if (!trailer) RefuseFile(texts::kBackupCutShort);
    if (*trailer != values) RefuseFile(texts::kBackupCountMismatch);
    return keys;
}

}  // namespace regfile
